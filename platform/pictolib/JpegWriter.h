// Single JPEG files at the quality of the JPEG type's current codec.
#pragma once

#include "platform/pictolib/FrameWriter.h"
#include "platform/pictolib/JpegEncoder.h"

class JpegWriter : public FrameWriter {
 public:
  explicit JpegWriter(const SequenceParams& params)
      : layout_(params.layout), encoder_(params.codec.Quality) {}
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;

 private:
  FrameLayout layout_;
  JpegEncoder encoder_;
};
