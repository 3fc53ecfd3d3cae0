// Huffman coding with the standard tables (no optimisation pass, no restart markers) of blocks
// transformed by the kernels, whose AAN scale factors the quantisation divisors carry.
#include "platform/pictolib/JpegEncoder.h"

#include "platform/pictolib/JpegKernels.h"
#include "platform/pictolib/JpegTables.h"

#include <cstring>
#include <vector>

namespace {

const float kAanScale[8] = {1.0f, 1.387039845f, 1.306562965f, 1.175875602f,
                            1.0f, 0.785694958f, 0.541196100f, 0.275899379f};

// Bits needed for the magnitude v: the JPEG size category.
int BitLength(unsigned v) { return v == 0 ? 0 : 32 - __builtin_clz(v); }

// The magnitude bits that follow a coefficient's code: the value itself, or for a negative value
// its ones' complement, in size bits.
std::uint32_t MagnitudeBits(int v, int size) { return std::uint32_t(v + (v >> 31)) & ((1u << size) - 1); }

}  // namespace

// Codes gather in a 64-bit word that goes out eight bytes at once; only a word holding a 0xFF
// byte goes byte by byte, for the zero stuffed after each 0xFF. Bytes are written into room
// made ahead in the output, which is cut to its length at the end.
class JpegEncoder::BitSink {
 public:
  explicit BitSink(Bytes& out) : out_(out), used_(out.size()) {}
  // Room for one more block: 64 codes of at most 27 bits each, all bytes stuffed, and the
  // word still gathering.
  void MakeRoom() {
    constexpr std::size_t kBlockBytes = 512, kStep = 65536;
    if (out_.size() - used_ < kBlockBytes) out_.resize(out_.size() + kStep);
  }
  // bits has no bit set at or above size, which is at most 32.
  void Put(std::uint32_t bits, int size) {
    if (size < free_) {
      acc_ = (acc_ << size) | bits;
      free_ -= size;
      return;
    }
    const int rest = size - free_;
    Store((acc_ << free_) | (bits >> rest));
    acc_ = bits;  // the bits above rest leave the word before it is stored
    free_ = 64 - rest;
  }
  // Pads the last byte with one bits, as the standard asks, and trims the output.
  void Flush() {
    const int held = 64 - free_, pad = (8 - held % 8) % 8;
    acc_ = (acc_ << pad) | ((1u << pad) - 1);
    for (int shift = held + pad - 8; shift >= 0; shift -= 8) StoreByte(std::uint8_t(acc_ >> shift));
    out_.resize(used_);
  }

 private:
  void Store(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    if (((~word - kOnes) & word & kHighs) == 0) {  // no byte of word is 0xFF
      const std::uint64_t bigEndian = __builtin_bswap64(word);
      std::memcpy(out_.data() + used_, &bigEndian, 8);
      used_ += 8;
      return;
    }
    for (int shift = 56; shift >= 0; shift -= 8) StoreByte(std::uint8_t(word >> shift));
  }
  void StoreByte(std::uint8_t byte) {
    out_[used_++] = byte;
    if (byte == 0xFF) out_[used_++] = 0;
  }
  Bytes& out_;
  std::size_t used_;
  std::uint64_t acc_ = 0;
  int free_ = 64;
};

int JpegEncoder::ToPercent(std::uint32_t quality) {
  const int percent = int((quality + 50) / 100);
  return percent < 1 ? 1 : percent > 100 ? 100 : percent;
}

JpegEncoder::JpegEncoder(std::uint32_t quality) : kernels_(&BestJpegKernels()) {
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

void JpegEncoder::EncodeBlock(const float* plane, std::size_t stride, Component& c, BitSink& bits) const {
  // Most coefficients quantise to zero: the mask of the others lets the run-length coding jump
  // from one non-zero coefficient to the next.
  std::int16_t zz[64];
  std::uint64_t nonZero = kernels_->dctQuantise(plane, stride, c.divisors, zz);
  bits.MakeRoom();
  const int diff = zz[0] - c.lastDc;
  c.lastDc = zz[0];
  const int dcBits = BitLength(unsigned(diff < 0 ? -diff : diff));
  bits.Put(std::uint32_t(c.dc->code[dcBits]) << dcBits | MagnitudeBits(diff, dcBits),
           c.dc->size[dcBits] + dcBits);
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
    bits.Put(std::uint32_t(c.ac->code[symbol]) << n | MagnitudeBits(v, n), c.ac->size[symbol] + n);
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
  // Plane rows are padded to whole blocks by repeating the last column, and strips by repeating
  // the last row, so edge blocks need no special case.
  const std::size_t planeWidth = (std::size_t(w) + 7) & ~std::size_t(7);
  const std::size_t planeSize = 8 * planeWidth;
  std::vector<std::uint8_t> row(layout.IsWide() ? std::size_t(w) * components : 0);
  std::vector<float> planes(components * planeSize);
  out.reserve(out.size() + std::size_t(w) * h * components / 4 + 1024);
  BitSink bits(out);
  for (std::uint32_t by = 0; by < h; by += 8) {
    for (std::uint32_t r = 0; r < 8; ++r) {
      const std::uint32_t y = by + r < h ? by + r : h - 1;
      // Eight-bit rows are read where they lie; deeper ones are narrowed first.
      const std::uint8_t* samples = pixels + std::size_t(y) * layout.RowBytes();
      if (layout.IsWide()) {
        RowTo8Bit(layout, samples, row.data(), RowOrder::Bgr);
        samples = row.data();
      }
      float* luma = planes.data() + r * planeWidth;
      if (components == 1) {
        kernels_->greyToPlane(samples, luma, w);
      } else {
        kernels_->bgrToPlanes(samples, luma, luma + planeSize, luma + 2 * planeSize, w);
      }
      for (int c = 0; c < components; ++c) {
        float* plane = luma + c * planeSize;
        for (std::size_t x = w; x < planeWidth; ++x) plane[x] = plane[w - 1];
      }
    }
    for (std::size_t bx = 0; bx < planeWidth; bx += 8) {
      for (int c = 0; c < components; ++c) {
        EncodeBlock(planes.data() + c * planeSize + bx, planeWidth, comps[c], bits);
      }
    }
  }
  bits.Flush();
  PutBE16(out, 0xFFD9);
}
