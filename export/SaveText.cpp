// The 8-bit / UTF-16 rule of the automation save texts.
#include "export/SaveText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

void SaveTextFromAddress(const void* text, std::size_t readable, char* out, std::size_t capacity) {
  const auto* bytes = static_cast<const unsigned char*>(text);
  std::size_t length = 0;
  if (readable >= 2 && bytes[0] != 0 && bytes[1] == 0) {
    const std::size_t units = std::min(capacity, readable / 2);
    for (; length < units; ++length) {
      std::uint16_t unit = 0;
      std::memcpy(&unit, bytes + 2 * length, sizeof unit);  // the address need not be aligned
      const char low = static_cast<char>(unit & 0xFF);
      if (low == 0) break;
      out[length] = low;
    }
  } else {
    const std::size_t chars = std::min(capacity, readable);
    for (; length < chars && bytes[length] != 0; ++length) {
      out[length] = static_cast<char>(bytes[length]);
    }
  }
  out[length] = '\0';
}
