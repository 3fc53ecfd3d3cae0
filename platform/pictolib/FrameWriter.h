// What every file-type encoder does: take the frames of one file in order, then complete it.
#pragma once

#include "platform/pictolib/FrameLayout.h"
#include "platform/pictolib/FrameText.h"
#include "platform/pictolib/OutputFile.h"
#include "platform/pictolib/PictoTypes.h"
#include "platform/pictolib/WriterLimits.h"

#include <cstdint>
#include <memory>

// Everything fixed for the whole file at its first frame.
struct SequenceParams {
  FrameLayout layout;
  std::uint32_t frameCount = 1;
  float frameRate = 0;
  CodecInfo codec{};
  WriterLimits limits;
};

inline int WriteStatus(const OutputFile& out) { return out.Failed() ? kPictoWriteFailed : kPictoOk; }

class FrameWriter {
 public:
  virtual ~FrameWriter() = default;
  // The texts of the frame written next; formats without a place for them ignore them.
  virtual void Describe(const FrameText& text) { (void)text; }
  // Called at most frameCount times, frames in order.
  virtual int WriteFrame(OutputFile& out, const std::uint8_t* pixels) = 0;
  // Completes the file as one of frames frames: indexes, counts and trailers. The file has been
  // cut back to the end of frame frames - 1, which may lie before frames later written or a
  // Finish that failed, so it may be called again with fewer frames.
  virtual int Finish(OutputFile& out, std::uint32_t frames) {
    (void)frames;
    return WriteStatus(out);
  }
};

// The encoder for type, or a non-zero status (unknown type, unusable rate).
int CreateFrameWriter(int type, const SequenceParams& params, std::unique_ptr<FrameWriter>& writer);
