// The 48-byte header shared by the multipage raw (.mrf) and compressed (.mcf) sequence files.
#pragma once

#include "platform/pictolib/ByteWriter.h"
#include "platform/pictolib/FrameWriter.h"

constexpr std::size_t kSequenceHeaderBytes = 48;

// Where the frame count lies, patched when a file ends before its planned last frame.
constexpr std::uint64_t kSequenceCountAt = 28;

inline void PatchSequenceCount(OutputFile& out, std::uint32_t frames) {
  Bytes count;
  PutLE32(count, frames);
  out.Patch(kSequenceCountAt, count);
}

// magic is 8 bytes; the last eight header bytes carry extra (0 for raw, the index offset for compressed).
Bytes SequenceHeader(const char magic[8], const SequenceParams& params, std::uint64_t extra);
