// The 8-bit / UTF-16 rule of the automation save texts.
#include "export/SaveText.h"

#include <cstdint>

namespace {

std::uint16_t UnitAt(const unsigned char* bytes, std::size_t index) {
  return static_cast<std::uint16_t>(bytes[2 * index] | bytes[2 * index + 1] << 8);
}

// A text whose second byte is 0 is either one 8-bit character or UTF-16, and only what follows
// its first unit can tell. It is UTF-16 when it reads on as UTF-16 of the 8-bit range: units
// with a high byte of 0 up to a zero unit. A unit beyond that range (memory that follows a
// one-character 8-bit text) makes it the one character; the text runs no further and nothing
// from behind its terminator becomes part of it.
SaveTextStatus ReadOneByteOrUtf16(const unsigned char* bytes, std::size_t readable, char* out,
                                  std::size_t capacity) {
  std::size_t units = 1;
  for (;; ++units) {
    if (2 * units + 2 > readable) {
      // Memory ending right behind the first unit leaves the one 8-bit character.
      if (units == 1) break;
      return kSaveTextUnreadable;
    }
    const std::uint16_t unit = UnitAt(bytes, units);
    if (unit == 0) {
      for (std::size_t i = 0; i < units; ++i) out[i] = static_cast<char>(bytes[2 * i]);
      out[units] = '\0';
      return kSaveTextRead;
    }
    if (unit > 0xFF) break;
    if (units == capacity) return kSaveTextTooLong;
  }
  out[0] = static_cast<char>(bytes[0]);
  out[1] = '\0';
  return kSaveTextRead;
}

}  // namespace

SaveTextStatus SaveTextFromAddress(const void* text, std::size_t readable, char* out,
                                   std::size_t capacity) {
  out[0] = '\0';
  const auto* bytes = static_cast<const unsigned char*>(text);
  if (readable < 1) return kSaveTextUnreadable;
  if (readable >= 2 && bytes[0] != 0 && bytes[1] == 0) {
    if (capacity < 1) return kSaveTextTooLong;
    return ReadOneByteOrUtf16(bytes, readable, out, capacity);
  }
  std::size_t length = 0;
  for (; length < readable && bytes[length] != 0; ++length) {
    if (length == capacity) return kSaveTextTooLong;
  }
  if (length == readable) return kSaveTextUnreadable;
  for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<char>(bytes[i]);
  out[length] = '\0';
  return kSaveTextRead;
}
