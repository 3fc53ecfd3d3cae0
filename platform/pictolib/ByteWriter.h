// Little- and big-endian integers appended to a byte vector, for headers built in memory.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void PutU8(Bytes& b, std::uint32_t v) { b.push_back(std::uint8_t(v)); }
inline void PutLE16(Bytes& b, std::uint32_t v) { PutU8(b, v); PutU8(b, v >> 8); }
inline void PutLE32(Bytes& b, std::uint32_t v) { PutLE16(b, v); PutLE16(b, v >> 16); }
inline void PutLE64(Bytes& b, std::uint64_t v) { PutLE32(b, std::uint32_t(v)); PutLE32(b, std::uint32_t(v >> 32)); }
inline void PutBE16(Bytes& b, std::uint32_t v) { PutU8(b, v >> 8); PutU8(b, v); }
inline void PutBE32(Bytes& b, std::uint32_t v) { PutBE16(b, v >> 16); PutBE16(b, v); }
inline void PutBE64(Bytes& b, std::uint64_t v) { PutBE32(b, std::uint32_t(v >> 32)); PutBE32(b, std::uint32_t(v)); }
inline void PutTag(Bytes& b, const char tag[4]) { b.insert(b.end(), tag, tag + 4); }
inline void PutFloatLE(Bytes& b, float f) {
  std::uint32_t v;
  std::memcpy(&v, &f, 4);
  PutLE32(b, v);
}

inline std::uint32_t FourCC(const char tag[4]) {
  return std::uint32_t(std::uint8_t(tag[0])) | std::uint32_t(std::uint8_t(tag[1])) << 8 |
         std::uint32_t(std::uint8_t(tag[2])) << 16 | std::uint32_t(std::uint8_t(tag[3])) << 24;
}

// Overwrites four bytes at offset, for sizes known only after the content.
inline void SetLE32(Bytes& b, std::size_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[offset + i] = std::uint8_t(v >> (8 * i));
}
inline void SetBE32(Bytes& b, std::size_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[offset + i] = std::uint8_t(v >> (24 - 8 * i));
}
