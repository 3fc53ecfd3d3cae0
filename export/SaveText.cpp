// The 8-bit / UTF-16 rule of the automation save texts.
#include "export/SaveText.h"

#include <cstdint>

namespace {

std::uint16_t UnitAt(const unsigned char* bytes, std::size_t index) {
  return static_cast<std::uint16_t>(bytes[2 * index] | bytes[2 * index + 1] << 8);
}

// Characters of `width` bytes each (1 or 2), taken from the low byte, up to the first whose low
// byte is 0.
SaveTextStatus ReadCharacters(const unsigned char* bytes, std::size_t readable, std::size_t width,
                              char* out, std::size_t capacity) {
  for (std::size_t length = 0;; ++length) {
    if (width * (length + 1) > readable) break;
    const unsigned char low = bytes[width * length];
    if (low == 0) {
      out[length] = '\0';
      return kSaveTextRead;
    }
    if (length == capacity) {
      out[0] = '\0';
      return kSaveTextTooLong;
    }
    out[length] = static_cast<char>(low);
  }
  out[0] = '\0';
  return kSaveTextUnreadable;
}

// Whether a text that starts with a character and a zero byte goes on as UTF-16 would: units of
// the 8-bit range up to a zero unit. Memory ending right behind the first unit, or a unit beyond
// that range, makes it the one-character 8-bit text; UTF-16 that runs on past the capacity or
// into unreadable memory is refused by its reading.
bool ReadsOnAsUtf16(const unsigned char* bytes, std::size_t readable, std::size_t capacity) {
  if (readable < 4) return false;
  for (std::size_t units = 1; 2 * units + 2 <= readable && units <= capacity; ++units) {
    const std::uint16_t unit = UnitAt(bytes, units);
    if (unit == 0) return true;
    if (unit > 0xFF) return false;
  }
  return true;
}

}  // namespace

SaveTextStatus SaveTextFromAddress(const void* text, std::size_t readable, char* out,
                                   std::size_t capacity, TextEncoding& encoding) {
  const auto* bytes = static_cast<const unsigned char*>(text);
  const bool oneByteThenZero = readable >= 2 && bytes[0] != 0 && bytes[1] == 0;
  if (!oneByteThenZero) {
    encoding = TextEncoding::kEightBit;
  } else if (encoding == TextEncoding::kUnknown) {
    encoding = ReadsOnAsUtf16(bytes, readable, capacity) ? TextEncoding::kUtf16
                                                         : TextEncoding::kEightBit;
  }
  return ReadCharacters(bytes, readable, encoding == TextEncoding::kUtf16 ? 2 : 1, out, capacity);
}
