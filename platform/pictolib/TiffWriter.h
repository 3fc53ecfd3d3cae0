// TIFF and multipage TIFF: uncompressed strips, 8- or 16-bit samples, BigTIFF for very large files.
#pragma once

#include "platform/pictolib/FrameWriter.h"
#include "platform/pictolib/TiffIfd.h"

class TiffWriter : public FrameWriter {
 public:
  explicit TiffWriter(const SequenceParams& params, bool multipage) : params_(params), multipage_(multipage) {}
  void Describe(const FrameText& text) override { text_ = text; }
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;
  int Finish(OutputFile& out, std::uint32_t frames) override;
  bool IsBigTiff() const { return big_; }

 private:
  TiffIfd PageDirectory(std::uint64_t stripOffset) const;
  std::uint64_t PagePixelBytes() const;
  SequenceParams params_;
  bool multipage_;
  bool big_ = false;
  std::uint32_t page_ = 0;
  FrameText text_;  // of the page written next
  // Every page has the text tags the first one had, so all directories hold the same entries and
  // the patched values lie at the same place in each; a page without a date keeps the last one.
  bool described_ = false, dated_ = false;
  std::string dateTime_;
  // Where each complete page starts, and where the next one will.
  std::vector<std::uint64_t> pageOffsets_;
  std::uint64_t nextPage_ = 0;
};
