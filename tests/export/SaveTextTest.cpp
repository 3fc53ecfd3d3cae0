// The 8-bit / UTF-16 rule of the automation save texts, and what is refused.
#include "export/SaveText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr TextEncoding kUnknown = TextEncoding::kUnknown;
constexpr TextEncoding kEightBit = TextEncoding::kEightBit;
constexpr TextEncoding kUtf16 = TextEncoding::kUtf16;

// Each text is copied into memory that ends where `size` says, so ASan catches any read past it.
TEST(SaveText, CompleteTextsAreReadAndOthersRefused) {
  struct Case {
    const char* bytes;
    std::size_t size;
    TextEncoding known, readAs;
    SaveTextStatus status;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\out", 7, kUnknown, kEightBit, kSaveTextRead, "C:\\out"},  // exactly the capacity
      {"C\0:\0\\\0o\0u\0t\0\0", 14, kUnknown, kUtf16, kSaveTextRead, "C:\\out"},
      {"I\0m\0\xE9\0g\0\0", 10, kUnknown, kUtf16, kSaveTextRead, "Im\xE9g"},  // low bytes
      {"\0", 1, kUnknown, kEightBit, kSaveTextRead, ""},
      {"ab", 3, kUtf16, kEightBit, kSaveTextRead, "ab"},  // its second byte says 8-bit
      // One character and a zero: the other text's encoding decides, else what follows.
      {"A\0\xC8\0\0\0", 6, kEightBit, kEightBit, kSaveTextRead, "A"},
      {"A\0\xC8\0\0\0", 6, kUtf16, kUtf16, kSaveTextRead, "A\xC8"},
      {"A\0\xC8\0\0\0", 6, kUnknown, kUtf16, kSaveTextRead, "A\xC8"},
      {"I\0m\0\0\x01g\0", 8, kUtf16, kUtf16, kSaveTextRead, "Im"},  // U+0100 ends it
      {"A", 2, kUnknown, kEightBit, kSaveTextRead, "A"},
      {"A\0\xC8\x41\0\0", 6, kUnknown, kEightBit, kSaveTextRead, "A"},
      // Refused: more than the field holds, or memory ends before the terminator.
      {"abcdefg", 8, kUnknown, kEightBit, kSaveTextTooLong, ""},
      {"a\0b\0c\0d\0e\0f\0g\0\0", 16, kUnknown, kUtf16, kSaveTextTooLong, ""},
      {"", 0, kUnknown, kEightBit, kSaveTextUnreadable, ""},
      {"abc", 3, kUnknown, kEightBit, kSaveTextUnreadable, ""},
      {"a\0b\0c", 5, kUnknown, kUtf16, kSaveTextUnreadable, ""},
      {"W", 2, kUtf16, kUtf16, kSaveTextUnreadable, ""},
  };
  for (const Case& c : cases) {
    auto text = std::make_unique<char[]>(c.size);
    std::memcpy(text.get(), c.bytes, c.size);
    constexpr std::size_t kCapacity = 6;
    char out[kCapacity + 1];
    std::memset(out, 'x', sizeof out);
    TextEncoding encoding = c.known;
    EXPECT_EQ(SaveTextFromAddress(text.get(), c.size, out, kCapacity, encoding), c.status)
        << c.expected << " " << c.size;
    EXPECT_STREQ(out, c.expected) << c.size;
    EXPECT_EQ(encoding, c.readAs) << c.expected << " " << c.size;
  }
}

}  // namespace
