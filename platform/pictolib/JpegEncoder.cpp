// Floating-point AAN forward DCT with the scale factors folded into the quantisation divisors,
// and Huffman coding with the standard tables (no optimisation pass, no restart markers).
#include "platform/pictolib/JpegEncoder.h"

#include "platform/pictolib/JpegTables.h"

#include <utility>
#include <vector>

namespace {

const float kAanScale[8] = {1.0f, 1.387039845f, 1.306562965f, 1.175875602f,
                            1.0f, 0.785694958f, 0.541196100f, 0.275899379f};

// One AAN pass down all eight columns of a row-major block at once; written column-parallel so
// that the compiler turns each step into vector operations.
void DctColumns(float* d) {
  for (int c = 0; c < 8; ++c) {
    float* p = d + c;
    const float t0 = p[0] + p[56], t7 = p[0] - p[56];
    const float t1 = p[8] + p[48], t6 = p[8] - p[48];
    const float t2 = p[16] + p[40], t5 = p[16] - p[40];
    const float t3 = p[24] + p[32], t4 = p[24] - p[32];
    const float e10 = t0 + t3, e13 = t0 - t3, e11 = t1 + t2, e12 = t1 - t2;
    p[0] = e10 + e11;
    p[32] = e10 - e11;
    const float z1 = (e12 + e13) * 0.707106781f;
    p[16] = e13 + z1;
    p[48] = e13 - z1;
    const float o10 = t4 + t5, o11 = t5 + t6, o12 = t6 + t7;
    const float z5 = (o10 - o12) * 0.382683433f;
    const float z2 = 0.541196100f * o10 + z5;
    const float z4 = 1.306562965f * o12 + z5;
    const float z3 = o11 * 0.707106781f;
    const float z11 = t7 + z3, z13 = t7 - z3;
    p[40] = z13 + z2;
    p[24] = z13 - z2;
    p[8] = z11 + z4;
    p[56] = z11 - z4;
  }
}

void Transpose(float* d) {
  for (int r = 0; r < 8; ++r)
    for (int c = r + 1; c < 8; ++c) std::swap(d[8 * r + c], d[8 * c + r]);
}

// Bits needed for the magnitude v: the JPEG size category.
int BitLength(unsigned v) { return v == 0 ? 0 : 32 - __builtin_clz(v); }

}  // namespace

class JpegEncoder::BitSink {
 public:
  explicit BitSink(Bytes& out) : out_(out) {}
  void Put(std::uint32_t code, int size) {
    acc_ = (acc_ << size) | (code & ((1u << size) - 1));
    bits_ += size;
    if (bits_ >= 32) Drain(32);
  }
  // Pads the last byte with one bits, as the standard asks.
  void Flush() {
    const int pad = (8 - bits_ % 8) % 8;
    acc_ = (acc_ << pad) | ((1u << pad) - 1);
    bits_ += pad;
    Drain(0);
  }

 private:
  // Emits whole bytes until fewer than keepBelow bits remain, stuffing a zero after each 0xFF.
  void Drain(int keepBelow) {
    while (bits_ >= 8 && bits_ >= keepBelow - 7) {
      const std::uint8_t byte = std::uint8_t(acc_ >> (bits_ - 8));
      out_.push_back(byte);
      if (byte == 0xFF) out_.push_back(0);
      bits_ -= 8;
    }
  }
  Bytes& out_;
  std::uint64_t acc_ = 0;
  int bits_ = 0;
};

int JpegEncoder::ToPercent(std::uint32_t quality) {
  const int percent = int((quality + 50) / 100);
  return percent < 1 ? 1 : percent > 100 ? 100 : percent;
}

JpegEncoder::JpegEncoder(std::uint32_t quality) {
  const int percent = ToPercent(quality);
  const int scale = percent < 50 ? 5000 / percent : 200 - 2 * percent;
  const std::uint8_t* bases[2] = {kJpegLumaQuant, kJpegChromaQuant};
  for (int t = 0; t < 2; ++t) {
    for (int i = 0; i < 64; ++i) {
      int q = (bases[t][i] * scale + 50) / 100;
      q = q < 1 ? 1 : q > 255 ? 255 : q;
      quant_[t][i] = std::uint8_t(q);
      divisors_[t][i] = 1.0f / (float(q) * kAanScale[i / 8] * kAanScale[i % 8] * 8.0f);
    }
  }
  const JpegHuffmanTable* dc[2] = {&kJpegLumaDc, &kJpegChromaDc};
  const JpegHuffmanTable* ac[2] = {&kJpegLumaAc, &kJpegChromaAc};
  for (int t = 0; t < 2; ++t) {
    for (int which = 0; which < 2; ++which) {
      const JpegHuffmanTable& table = which == 0 ? *dc[t] : *ac[t];
      HuffmanCodes& codes = which == 0 ? dcCodes_[t] : acCodes_[t];
      codes = HuffmanCodes{};
      std::uint32_t code = 0;
      int k = 0;
      for (int len = 1; len <= 16; ++len) {
        for (int i = 0; i < table.counts[len - 1]; ++i, ++k, ++code) {
          codes.code[table.values[k]] = std::uint16_t(code);
          codes.size[table.values[k]] = std::uint8_t(len);
        }
        code <<= 1;
      }
    }
  }
}

void JpegEncoder::WriteHeaders(const FrameLayout& layout, Bytes& out) const {
  const int components = layout.channels == 3 ? 3 : 1;
  const int tables = components == 3 ? 2 : 1;
  PutBE16(out, 0xFFD8);
  PutBE16(out, 0xFFE0);
  PutBE16(out, 16);
  out.insert(out.end(), {'J', 'F', 'I', 'F', 0, 1, 1, 0});
  PutBE16(out, 1);
  PutBE16(out, 1);
  PutBE16(out, 0);
  PutBE16(out, 0xFFDB);
  PutBE16(out, 2 + 65 * tables);
  for (int t = 0; t < tables; ++t) {
    PutU8(out, t);
    for (int i = 0; i < 64; ++i) PutU8(out, quant_[t][kJpegZigzag[i]]);
  }
  PutBE16(out, 0xFFC0);
  PutBE16(out, 8 + 3 * components);
  PutU8(out, 8);
  PutBE16(out, layout.height);
  PutBE16(out, layout.width);
  PutU8(out, components);
  for (int c = 0; c < components; ++c) {
    PutU8(out, c + 1);
    PutU8(out, 0x11);
    PutU8(out, c == 0 ? 0 : 1);
  }
  const JpegHuffmanTable* huffman[4] = {&kJpegLumaDc, &kJpegLumaAc, &kJpegChromaDc, &kJpegChromaAc};
  const std::uint8_t classes[4] = {0x00, 0x10, 0x01, 0x11};
  int length = 2;
  for (int s = 0; s < 2 * tables; ++s) length += 17 + huffman[s]->valueCount;
  PutBE16(out, 0xFFC4);
  PutBE16(out, length);
  for (int s = 0; s < 2 * tables; ++s) {
    PutU8(out, classes[s]);
    out.insert(out.end(), huffman[s]->counts, huffman[s]->counts + 16);
    out.insert(out.end(), huffman[s]->values, huffman[s]->values + huffman[s]->valueCount);
  }
  PutBE16(out, 0xFFDA);
  PutBE16(out, 6 + 2 * components);
  PutU8(out, components);
  for (int c = 0; c < components; ++c) {
    PutU8(out, c + 1);
    PutU8(out, c == 0 ? 0x00 : 0x11);
  }
  PutU8(out, 0);
  PutU8(out, 63);
  PutU8(out, 0);
}

void JpegEncoder::EncodeBlock(float* block, Component& c, BitSink& bits) const {
  // block holds the samples transposed: the first pass transforms the rows, the second the columns.
  DctColumns(block);
  Transpose(block);
  DctColumns(block);
  // Most coefficients quantise to zero: a mask of the others lets the run-length coding jump
  // from one non-zero coefficient to the next.
  int quantised[64], zz[64];
  for (int i = 0; i < 64; ++i) quantised[i] = int(block[i] * c.divisors[i] + 16384.5f) - 16384;
  std::uint64_t nonZero = 0;
  for (int i = 0; i < 64; ++i) {
    zz[i] = quantised[kJpegZigzag[i]];
    nonZero |= std::uint64_t(zz[i] != 0) << i;
  }
  const int diff = zz[0] - c.lastDc;
  c.lastDc = zz[0];
  const int dcBits = BitLength(unsigned(diff < 0 ? -diff : diff));
  bits.Put(c.dc->code[dcBits], c.dc->size[dcBits]);
  if (dcBits) bits.Put(std::uint32_t(diff < 0 ? diff - 1 : diff), dcBits);
  nonZero &= ~std::uint64_t(1);
  int last = 0;
  while (nonZero != 0) {
    const int k = __builtin_ctzll(nonZero);
    nonZero &= nonZero - 1;
    int run = k - last - 1;
    for (; run > 15; run -= 16) bits.Put(c.ac->code[0xF0], c.ac->size[0xF0]);
    const int v = zz[k];
    const int n = BitLength(unsigned(v < 0 ? -v : v));
    const int symbol = (run << 4) | n;
    bits.Put(c.ac->code[symbol], c.ac->size[symbol]);
    bits.Put(std::uint32_t(v < 0 ? v - 1 : v), n);
    last = k;
  }
  if (last != 63) bits.Put(c.ac->code[0], c.ac->size[0]);
}

void JpegEncoder::Encode(const FrameLayout& layout, const std::uint8_t* pixels, Bytes& out) const {
  WriteHeaders(layout, out);
  const int components = layout.channels == 3 ? 3 : 1;
  Component comps[3] = {{divisors_[0], &dcCodes_[0], &acCodes_[0], 0},
                        {divisors_[1], &dcCodes_[1], &acCodes_[1], 0},
                        {divisors_[1], &dcCodes_[1], &acCodes_[1], 0}};
  const std::uint32_t w = layout.width, h = layout.height;
  const std::size_t rowOut = std::size_t(w) * components;
  // Plane rows are padded to whole blocks by repeating the last column, and strips by repeating
  // the last row, so edge blocks need no special case.
  const std::size_t planeWidth = (std::size_t(w) + 7) & ~std::size_t(7);
  std::vector<std::uint8_t> rgb(rowOut);
  std::vector<float> planes(std::size_t(components) * 8 * planeWidth);
  out.reserve(out.size() + std::size_t(w) * h * components / 4 + 1024);
  BitSink bits(out);
  float block[64];
  for (std::uint32_t by = 0; by < h; by += 8) {
    for (std::uint32_t r = 0; r < 8; ++r) {
      const std::uint32_t y = by + r < h ? by + r : h - 1;
      RowTo8Bit(layout, pixels + std::size_t(y) * layout.RowBytes(), rgb.data(), RowOrder::Rgb);
      float* luma = planes.data() + r * planeWidth;
      if (components == 1) {
        for (std::uint32_t x = 0; x < w; ++x) luma[x] = float(rgb[x]) - 128.0f;
      } else {
        float* cb = luma + 8 * planeWidth;
        float* cr = cb + 8 * planeWidth;
        for (std::uint32_t x = 0; x < w; ++x) {
          const float red = rgb[3 * x], green = rgb[3 * x + 1], blue = rgb[3 * x + 2];
          luma[x] = 0.299f * red + 0.587f * green + 0.114f * blue - 128.0f;
          cb[x] = -0.168736f * red - 0.331264f * green + 0.5f * blue;
          cr[x] = 0.5f * red - 0.418688f * green - 0.081312f * blue;
        }
      }
      for (int c = 0; c < components; ++c) {
        float* row = luma + std::size_t(c) * 8 * planeWidth;
        for (std::size_t x = w; x < planeWidth; ++x) row[x] = row[w - 1];
      }
    }
    for (std::size_t bx = 0; bx < planeWidth; bx += 8) {
      for (int c = 0; c < components; ++c) {
        const float* plane = planes.data() + std::size_t(c) * 8 * planeWidth + bx;
        for (int r = 0; r < 8; ++r)
          for (int x = 0; x < 8; ++x) block[8 * x + r] = plane[r * planeWidth + x];
        EncodeBlock(block, comps[c], bits);
      }
    }
  }
  bits.Flush();
  PutBE16(out, 0xFFD9);
}
