// Multiple compressed file (.mcf): each RawFrame deflated on its own, with a 64-bit frame index at the end.
#pragma once

#include "platform/pictolib/FrameWriter.h"

#include <vector>

class CompressedSequenceWriter : public FrameWriter {
 public:
  explicit CompressedSequenceWriter(const SequenceParams& params) : params_(params) {}
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;
  int Finish(OutputFile& out, std::uint32_t frames) override;

 private:
  SequenceParams params_;
  std::vector<std::uint64_t> offsets_, sizes_;
};
