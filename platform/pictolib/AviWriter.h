// AVI with OpenDML (AVI 2.0) indexes: RIFF segments below a size limit, AVIX segments beyond the first.
#pragma once

#include "platform/pictolib/FrameRate.h"
#include "platform/pictolib/FrameWriter.h"
#include "platform/pictolib/MovieFrameCoder.h"

#include <vector>

// Super index entries reserved in the header: segments of 1 GB give room for 256 GB.
constexpr std::uint32_t kAviMaxSegments = 256;

class AviWriter : public FrameWriter {
 public:
  AviWriter(const SequenceParams& params, const RateFraction& rate, MovieCodec codec);
  // Only the first frame's texts count: they describe the file.
  void Describe(const FrameText& text) override {
    if (chunks_.empty()) text_ = text;
  }
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;
  int Finish(OutputFile& out, std::uint32_t frames) override;

 private:
  struct Chunk {
    std::uint64_t dataOffset;
    std::uint32_t size;
  };
  struct Segment {
    std::uint64_t riffStart, moviListStart;
    std::uint32_t firstFrame;
    // Its standard index, once the segment is closed.
    std::uint64_t indexOffset = 0;
    std::uint32_t indexSize = 0;
  };
  Bytes Headers();
  // Writes the index of the last segment, holding frames up to frames - 1, and its sizes.
  void CloseSegment(OutputFile& out, std::uint32_t frames);
  void OpenExtensionSegment(OutputFile& out);

  SequenceParams params_;
  RateFraction rate_;
  MovieFrameCoder coder_;
  FrameText text_;
  char chunkId_[4];
  std::vector<Chunk> chunks_;        // every frame written, in order
  std::vector<Segment> segments_;    // the first RIFF AVI segment, then the AVIX ones
  // Header fields filled in when the file is complete.
  std::size_t avihAt_ = 0, strhAt_ = 0, indxAt_ = 0, dmlhAt_ = 0;
};
