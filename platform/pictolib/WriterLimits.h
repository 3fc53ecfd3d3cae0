// Sizes at which the writers switch to their 64-bit layouts; lowered by tests to reach those paths cheaply.
#pragma once

#include <cstdint>

struct WriterLimits {
  // A multipage TIFF whose total size would pass this is written as BigTIFF.
  std::uint64_t bigTiffAbove = 0xFFFFFFFFull;
  // An AVI RIFF segment (the first one with its legacy index, then each AVIX) stays below this.
  std::uint64_t riffSegmentBytes = 1ull << 30;
  // A QuickTime file whose media data ends beyond this gets a 64-bit mdat size and co64 offsets.
  std::uint64_t mov64Above = 0xFFFFFFFFull;
  // Bytes a file may take before writes fail as they would on a full disk.
  std::uint64_t diskCapacity = UINT64_MAX;
};
