// The codecs each file type offers and the one made current for later writes.
#pragma once

#include "platform/pictolib/PictoTypes.h"

// Codec identifiers. AVI: 0 uncompressed, 1 Motion JPEG. MOV: 0 uncompressed RGB, 1 Photo JPEG.
// JPEG: 1 baseline.
constexpr std::uint32_t kCodecUncompressed = 0;
constexpr std::uint32_t kCodecJpeg = 1;
constexpr std::uint32_t kDefaultQuality = 7500;
constexpr std::uint32_t kMaxQuality = 10000;

class CodecSettings {
 public:
  CodecSettings();
  // count: capacity in, entries filled out; types without codecs give 0 entries.
  int Enumerate(int type, CodecInfo* entries, int* count) const;
  int Get(int type, CodecInfo* out) const;
  // Only the identifier and the quality are taken from in; the rest is the library's.
  int Set(int type, const CodecInfo* in);
  // The current codec of type, or a zeroed record for types without codecs.
  CodecInfo Current(int type) const;

 private:
  CodecInfo* Slot(int type);
  CodecInfo jpeg_, avi_, mov_;
};
