// Single JPEG files at the quality of the JPEG type's current codec; a description and a date go
// into a comment marker after the JFIF header.
#pragma once

#include "platform/pictolib/FrameWriter.h"
#include "platform/pictolib/JpegEncoder.h"

class JpegWriter : public FrameWriter {
 public:
  explicit JpegWriter(const SequenceParams& params)
      : layout_(params.layout), encoder_(params.codec.Quality) {}
  void Describe(const FrameText& text) override { text_ = text; }
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;

 private:
  FrameLayout layout_;
  FrameText text_;
  JpegEncoder encoder_;
};
