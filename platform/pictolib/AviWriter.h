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
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;
  int Finish(OutputFile& out) override;

 private:
  struct Chunk {
    std::uint64_t dataOffset;
    std::uint32_t size;
  };
  struct SegmentIndex {
    std::uint64_t offset;
    std::uint32_t size;
    std::uint32_t frames;
  };
  Bytes Headers();
  void CloseSegment(OutputFile& out);
  void OpenExtensionSegment(OutputFile& out);

  SequenceParams params_;
  RateFraction rate_;
  MovieFrameCoder coder_;
  char chunkId_[4];
  Bytes sample_;
  std::uint64_t riffStart_ = 0, moviListStart_ = 0;
  std::vector<Chunk> chunks_;              // of the open segment
  std::vector<SegmentIndex> segments_;     // closed segments
  std::uint32_t firstSegmentFrames_ = 0, framesWritten_ = 0, largestChunk_ = 0;
  // Header fields filled in when the file is complete.
  std::size_t avihAt_ = 0, strhAt_ = 0, indxAt_ = 0, dmlhAt_ = 0;
};
