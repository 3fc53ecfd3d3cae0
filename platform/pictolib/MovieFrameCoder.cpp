// Deeper samples keep their upper eight bits in every movie codec. Uncompressed frames are
// converted in blocks straight into the file: one pass over the pixels, no whole-frame copy.
#include "platform/pictolib/MovieFrameCoder.h"

#include "platform/pictolib/RowWriter.h"

std::size_t MovieFrameCoder::Stride() const {
  const std::size_t reduced = std::size_t(layout_.width) * layout_.channels;
  return codec_ == MovieCodec::Dib ? (reduced + 3) & ~std::size_t(3) : std::size_t(layout_.width) * 3;
}

std::size_t MovieFrameCoder::Prepare(const std::uint8_t* pixels) {
  if (codec_ != MovieCodec::Jpeg) return Stride() * layout_.height;
  jpegSample_.clear();
  jpeg_.Encode(layout_, pixels, jpegSample_);
  return jpegSample_.size();
}

void MovieFrameCoder::Write(OutputFile& out, const std::uint8_t* pixels) {
  const FrameLayout& l = layout_;
  if (codec_ == MovieCodec::Jpeg) {
    out.Write(jpegSample_);
  } else if (codec_ == MovieCodec::Dib) {
    WriteDibRows(out, l, pixels, Stride());
  } else {
    WriteConvertedRows(out, l, pixels, Stride(), false, [&l](const std::uint8_t* src, std::uint8_t* dst) {
      RowToRgb24(l, src, dst);
    });
  }
}
