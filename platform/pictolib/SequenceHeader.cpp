// Layout documented in the library's README: magic, size, geometry, count, rate, frame bytes, extra.
#include "platform/pictolib/SequenceHeader.h"

Bytes SequenceHeader(const char magic[8], const SequenceParams& params, std::uint64_t extra) {
  const FrameLayout& l = params.layout;
  Bytes h(magic, magic + 8);
  PutLE32(h, kSequenceHeaderBytes);
  PutLE32(h, l.width);
  PutLE32(h, l.height);
  PutLE32(h, l.depth);
  PutLE32(h, l.PixelBytes());
  PutLE32(h, params.frameCount);
  PutFloatLE(h, params.frameRate);
  PutLE32(h, std::uint32_t(l.FrameBytes()));
  PutLE64(h, extra);
  return h;
}
