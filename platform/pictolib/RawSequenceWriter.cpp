// Frames follow the header back to back, so frame i lies at 48 + i * frame bytes.
#include "platform/pictolib/RawSequenceWriter.h"

#include "platform/pictolib/SequenceHeader.h"

int RawSequenceWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  if (out.Size() == 0) out.Write(SequenceHeader("SELVMRF1", params_, 0));
  out.Write(pixels, params_.layout.FrameBytes());
  return WriteStatus(out);
}

int RawSequenceWriter::Finish(OutputFile& out, std::uint32_t frames) {
  PatchSequenceCount(out, frames);
  return WriteStatus(out);
}
