// The 8-bit / UTF-16 rule of the automation save texts, and what is refused.
#include "export/SaveText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// Each text is copied into memory that ends where `size` says, so ASan catches any read past it.
TEST(SaveText, CompleteTextsAreReadAndOthersRefused) {
  struct Case {
    const char* bytes;
    std::size_t size;
    SaveTextStatus status;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\out", 7, kSaveTextRead, "C:\\out"},                    // exactly the capacity
      {"C\0:\0\\\0o\0u\0t\0\0", 14, kSaveTextRead, "C:\\out"},  // UTF-16
      {"I\0m\0\xE9\0g\0\0", 10, kSaveTextRead, "I" "m\xE9g"},     // low bytes of the units
      {"\0", 1, kSaveTextRead, ""},
      // One 8-bit character: what follows its zero byte never becomes part of it.
      {"A", 2, kSaveTextRead, "A"},
      {"A\0\xC8\x41\0\0", 6, kSaveTextRead, "A"},
      {"A\0\xC8\0\x10\x20", 6, kSaveTextRead, "A"},
      {"A\0\0\x01m\0\0", 8, kSaveTextRead, "A"},
      {"A\0\0", 3, kSaveTextRead, "A"},
      {"A\0\xC8\0\0", 6, kSaveTextRead, "A\xC8"},  // reads on as UTF-16: it is UTF-16
      // Refused: more than the field holds, or memory ends before the terminator.
      {"abcdefg", 8, kSaveTextTooLong, ""},
      {"a\0b\0c\0d\0e\0f\0g\0\0", 16, kSaveTextTooLong, ""},
      {"", 0, kSaveTextUnreadable, ""},
      {"abc", 3, kSaveTextUnreadable, ""},
      {"a\0b\0c", 5, kSaveTextUnreadable, ""},
      {"x", 1, kSaveTextUnreadable, ""},
  };
  for (const Case& c : cases) {
    auto text = std::make_unique<char[]>(c.size);
    std::memcpy(text.get(), c.bytes, c.size);
    constexpr std::size_t kCapacity = 6;
    char out[kCapacity + 1];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(SaveTextFromAddress(text.get(), c.size, out, kCapacity), c.status) << c.expected;
    EXPECT_STREQ(out, c.expected) << c.size;
  }
}

}  // namespace
