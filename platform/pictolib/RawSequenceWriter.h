// Multipage raw file (.mrf): a 48-byte header, then every RawFrame exactly as delivered.
#pragma once

#include "platform/pictolib/FrameWriter.h"

class RawSequenceWriter : public FrameWriter {
 public:
  explicit RawSequenceWriter(const SequenceParams& params) : params_(params) {}
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;
  int Finish(OutputFile& out, std::uint32_t frames) override;

 private:
  SequenceParams params_;
};
