// The 8-bit / UTF-16 rule of the automation save texts, and its bounds.
#include "export/SaveText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

TEST(SaveText, EightBitAndUtf16TextsGiveTheSameName) {
  struct Case {
    const char* bytes;
    std::size_t size;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\out", 7, "C:\\out"},
      {"C\0:\0\\\0o\0u\0t\0\0", 14, "C:\\out"},   // UTF-16
      {"I\0m\0\xE9\0g\0\0", 10, "I" "m\xE9g"},     // low bytes of the units
      {"I\0\0\x01m\0\0", 8, "I"},                   // U+0100 has a low byte of 0: the end
      {"\0", 2, ""},
  };
  for (const Case& c : cases) {
    std::string text(c.bytes, c.size);
    char out[16];
    std::memset(out, 'x', sizeof out);
    SaveTextFromAddress(text.data(), text.size(), out, 15);
    EXPECT_STREQ(out, c.expected);
  }
}

TEST(SaveText, NothingIsReadOrWrittenBeyondTheCapacity) {
  // Exactly capacity characters are readable, without a terminator: ASan catches any overread.
  const std::size_t capacity = 4;
  auto eightBit = std::make_unique<char[]>(capacity);
  std::memcpy(eightBit.get(), "abcd", capacity);
  char out[capacity + 1];
  SaveTextFromAddress(eightBit.get(), capacity, out, capacity);
  EXPECT_STREQ(out, "abcd");

  auto wide = std::make_unique<char[]>(2 * capacity);
  std::memcpy(wide.get(), "a\0b\0c\0d\0", 2 * capacity);
  SaveTextFromAddress(wide.get(), 2 * capacity, out, capacity);
  EXPECT_STREQ(out, "abcd");

  // A one-character 8-bit text where readable memory ends after its zero byte.
  auto one = std::make_unique<char[]>(2);
  std::memcpy(one.get(), "a", 2);
  SaveTextFromAddress(one.get(), 2, out, capacity);
  EXPECT_STREQ(out, "a");
}

}  // namespace
