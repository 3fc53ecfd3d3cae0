// QuickTime movie: frames in one mdat, the movie atom behind them, 64-bit sizes and offsets when large.
#pragma once

#include "platform/pictolib/FrameRate.h"
#include "platform/pictolib/FrameWriter.h"
#include "platform/pictolib/MovieFrameCoder.h"

#include <vector>

class MovWriter : public FrameWriter {
 public:
  MovWriter(const SequenceParams& params, const RateFraction& rate, MovieCodec codec);
  // Only the first frame's texts count: they describe the file.
  void Describe(const FrameText& text) override {
    if (sizes_.empty()) text_ = text;
  }
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;
  int Finish(OutputFile& out, std::uint32_t frames) override;

 private:
  Bytes MovieAtom(bool offsets64) const;
  Bytes SampleTable(bool offsets64) const;

  SequenceParams params_;
  RateFraction rate_;
  MovieFrameCoder coder_;
  FrameText text_;
  std::uint64_t wideAt_ = 0;
  std::vector<std::uint64_t> offsets_;
  std::vector<std::uint32_t> sizes_;
};
