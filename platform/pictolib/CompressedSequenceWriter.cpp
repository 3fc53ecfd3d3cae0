// Frames are zlib streams (deflate level 1: the container is meant to keep up with saving);
// the header's last field is patched with the index position once all frames are in.
#include "platform/pictolib/CompressedSequenceWriter.h"

#include "platform/pictolib/SequenceHeader.h"

#include <zlib.h>

namespace {
constexpr int kFrameDeflateLevel = 1;
}

int CompressedSequenceWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  if (out.Size() == 0) out.Write(SequenceHeader("SELVMCF1", params_, 0));
  const uLong rawBytes = uLong(params_.layout.FrameBytes());
  std::vector<std::uint8_t> packed(compressBound(rawBytes));
  uLongf packedBytes = uLongf(packed.size());
  if (compress2(packed.data(), &packedBytes, pixels, rawBytes, kFrameDeflateLevel) != Z_OK) return kPictoInternal;
  offsets_.push_back(out.Size());
  sizes_.push_back(packedBytes);
  out.Write(packed.data(), packedBytes);
  return WriteStatus(out);
}

int CompressedSequenceWriter::Finish(OutputFile& out, std::uint32_t frames) {
  offsets_.resize(frames);
  sizes_.resize(frames);
  const std::uint64_t indexOffset = out.Size();
  Bytes index;
  for (std::size_t i = 0; i < frames; ++i) {
    PutLE64(index, offsets_[i]);
    PutLE64(index, sizes_[i]);
  }
  out.Write(index);
  PatchSequenceCount(out, frames);
  Bytes at;
  PutLE64(at, indexOffset);
  out.Patch(kSequenceHeaderBytes - 8, at);
  return WriteStatus(out);
}
