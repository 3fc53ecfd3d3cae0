// Turns a RawFrame into one movie sample: bottom-up DIB rows, top-down RGB rows, or a JPEG image.
#pragma once

#include "platform/pictolib/ByteWriter.h"
#include "platform/pictolib/FrameLayout.h"
#include "platform/pictolib/JpegEncoder.h"
#include "platform/pictolib/OutputFile.h"

enum class MovieCodec {
  Dib,    // AVI uncompressed: grey with palette or BGR, bottom-up, rows padded to 32 bits
  RawRgb, // QuickTime 'raw ': RGB, top-down, unpadded; grey is spread to three equal components
  Jpeg,   // Motion JPEG / Photo JPEG: one baseline JPEG image per frame
};

class MovieFrameCoder {
 public:
  MovieFrameCoder(const FrameLayout& layout, MovieCodec codec, std::uint32_t quality)
      : layout_(layout), codec_(codec), jpeg_(quality) {}
  // Bytes of the sample for these pixels: fixed for the uncompressed codecs, while a JPEG frame
  // is coded now, into the coder.
  std::size_t Prepare(const std::uint8_t* pixels);
  // Writes the sample of the pixels last prepared; uncompressed rows are converted on the way out.
  void Write(OutputFile& out, const std::uint8_t* pixels);
  // Bits per pixel announced in the stream header.
  std::uint32_t BitCount() const { return codec_ == MovieCodec::Dib && layout_.channels == 1 ? 8 : 24; }
  MovieCodec Codec() const { return codec_; }

 private:
  std::size_t Stride() const;

  FrameLayout layout_;
  MovieCodec codec_;
  JpegEncoder jpeg_;
  Bytes jpegSample_;
};
