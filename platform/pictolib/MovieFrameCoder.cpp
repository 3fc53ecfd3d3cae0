// Deeper samples keep their upper eight bits in every movie codec.
#include "platform/pictolib/MovieFrameCoder.h"

#include <vector>

void MovieFrameCoder::Encode(const std::uint8_t* pixels, Bytes& sample) const {
  const FrameLayout& l = layout_;
  sample.clear();
  if (codec_ == MovieCodec::Jpeg) {
    jpeg_.Encode(l, pixels, sample);
    return;
  }
  const std::size_t reduced = std::size_t(l.width) * l.channels;
  if (codec_ == MovieCodec::Dib) {
    const std::size_t stride = (reduced + 3) & ~std::size_t(3);
    sample.assign(stride * l.height, 0);
    for (std::uint32_t y = 0; y < l.height; ++y)
      RowTo8Bit(l, pixels + std::size_t(y) * l.RowBytes(), sample.data() + stride * (l.height - 1 - y),
                RowOrder::Bgr);
    return;
  }
  const std::size_t stride = std::size_t(l.width) * 3;
  sample.resize(stride * l.height);
  std::vector<std::uint8_t> row(reduced);
  for (std::uint32_t y = 0; y < l.height; ++y) {
    std::uint8_t* dst = sample.data() + stride * y;
    if (l.channels == 3) {
      RowTo8Bit(l, pixels + std::size_t(y) * l.RowBytes(), dst, RowOrder::Rgb);
      continue;
    }
    RowTo8Bit(l, pixels + std::size_t(y) * l.RowBytes(), row.data(), RowOrder::Rgb);
    for (std::uint32_t x = 0; x < l.width; ++x) dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = row[x];
  }
}
