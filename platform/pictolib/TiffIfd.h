// One TIFF or BigTIFF image file directory with its out-of-line values.
#pragma once

#include "platform/pictolib/ByteWriter.h"

#include <cstdint>
#include <string>
#include <vector>

enum TiffFieldType : std::uint16_t {
  kTiffAscii = 2,      // one byte per value, the terminating zero included
  kTiffShort = 3,
  kTiffLong = 4,
  kTiffRational = 5,   // values given as numerator, denominator pairs
  kTiffLong8 = 16,     // BigTIFF only
};

class TiffIfd {
 public:
  explicit TiffIfd(bool bigTiff) : big_(bigTiff) {}
  void Add(std::uint16_t tag, TiffFieldType type, std::vector<std::uint64_t> values);
  void AddText(std::uint16_t tag, const std::string& text);
  // Bytes the directory and its values take.
  std::size_t Size() const;
  // Where, from the directory's start, the inline value of tag's entry and the next-directory
  // link lie: what is patched when a file ends before its planned last page.
  std::size_t ValueAt(std::uint16_t tag) const;
  std::size_t NextLinkAt() const { return HeadSize() - InlineBytes(); }
  // The directory as it lies at offset, chained to nextIfd (0 ends the chain).
  Bytes Serialize(std::uint64_t offset, std::uint64_t nextIfd) const;

 private:
  struct Entry {
    std::uint16_t tag;
    TiffFieldType type;
    std::vector<std::uint64_t> values;
  };
  std::size_t HeadSize() const;
  std::size_t InlineBytes() const { return big_ ? 8 : 4; }
  static std::size_t PayloadBytes(const Entry& e);
  bool big_;
  std::vector<Entry> entries_;
};
