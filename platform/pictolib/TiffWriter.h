// TIFF and multipage TIFF: uncompressed strips, 8- or 16-bit samples, BigTIFF for very large files.
#pragma once

#include "platform/pictolib/FrameWriter.h"
#include "platform/pictolib/TiffIfd.h"

class TiffWriter : public FrameWriter {
 public:
  explicit TiffWriter(const SequenceParams& params, bool multipage);
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;
  int Finish(OutputFile& out, std::uint32_t frames) override;
  bool IsBigTiff() const { return big_; }

 private:
  TiffIfd PageDirectory(std::uint64_t stripOffset) const;
  std::uint64_t PagePixelBytes() const;
  std::uint64_t PageOffset(std::uint32_t page) const;
  SequenceParams params_;
  bool multipage_;
  bool big_ = false;
  std::uint32_t page_ = 0;
};
