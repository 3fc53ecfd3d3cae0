// Writes one PNG; each row gets the filter with the smallest sum of absolute residuals, as usual.
#include "platform/pictolib/PngWriter.h"

#include "platform/pictolib/ByteWriter.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kIdatBytes = 1 << 18;

void WriteChunk(OutputFile& out, const char type[4], const std::uint8_t* data, std::size_t size) {
  Bytes head;
  PutBE32(head, std::uint32_t(size));
  PutTag(head, type);
  uLong crc = crc32(0, head.data() + 4, 4);
  if (size > 0) crc = crc32(crc, data, uInt(size));
  Bytes tail;
  PutBE32(tail, std::uint32_t(crc));
  out.Write(head);
  out.Write(data, size);
  out.Write(tail);
}

// Keywords registered for these purposes, so that ordinary viewers label the texts.
void WriteText(OutputFile& out, const char* keyword, const std::string& text) {
  if (text.empty()) return;
  Bytes b(keyword, keyword + std::strlen(keyword) + 1);
  b.insert(b.end(), text.begin(), text.end());
  WriteChunk(out, "tEXt", b.data(), b.size());
}

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return std::uint8_t(a);
  return std::uint8_t(pb <= pc ? b : c);
}

// Residuals of one filter into out (after its filter byte) and their sum of magnitudes, each
// filter in its own loop so that the compiler can vectorise the simple ones.
template <class Predict>
unsigned long Residuals(const std::uint8_t* row, const std::uint8_t* prior, std::size_t n, std::size_t bpp,
                        std::uint8_t* out, Predict predict) {
  unsigned long sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int a = i >= bpp ? row[i - bpp] : 0, c = i >= bpp ? prior[i - bpp] : 0;
    const std::uint8_t r = std::uint8_t(row[i] - predict(a, int(prior[i]), c));
    out[i] = r;
    sum += r < 128 ? r : 256 - r;
  }
  return sum;
}

// Fills candidates[f] (filter byte first) for the five filters and returns the best one.
int FilterRow(const std::uint8_t* row, const std::uint8_t* prior, std::size_t n, std::size_t bpp,
              std::vector<std::uint8_t> candidates[5]) {
  unsigned long sums[5];
  sums[0] = Residuals(row, prior, n, bpp, candidates[0].data() + 1, [](int, int, int) { return 0; });
  sums[1] = Residuals(row, prior, n, bpp, candidates[1].data() + 1, [](int a, int, int) { return a; });
  sums[2] = Residuals(row, prior, n, bpp, candidates[2].data() + 1, [](int, int b, int) { return b; });
  sums[3] = Residuals(row, prior, n, bpp, candidates[3].data() + 1, [](int a, int b, int) { return (a + b) / 2; });
  sums[4] = Residuals(row, prior, n, bpp, candidates[4].data() + 1, [](int a, int b, int c) { return Paeth(a, b, c); });
  int best = 0;
  for (int f = 0; f < 5; ++f) {
    candidates[f][0] = std::uint8_t(f);
    if (sums[f] < sums[best]) best = f;
  }
  return best;
}

}  // namespace

int PngWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  const FrameLayout& l = layout_;
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.Write(kSignature, 8);
  Bytes ihdr;
  PutBE32(ihdr, l.width);
  PutBE32(ihdr, l.height);
  PutU8(ihdr, 8 * l.sampleBytes);
  PutU8(ihdr, l.channels == 3 ? 2 : 0);
  PutU8(ihdr, 0);
  PutU8(ihdr, 0);
  PutU8(ihdr, 0);
  WriteChunk(out, "IHDR", ihdr.data(), ihdr.size());
  if (l.IsWide()) {
    const Bytes sbit(l.channels, std::uint8_t(l.sampleBits));
    WriteChunk(out, "sBIT", sbit.data(), sbit.size());
  }
  WriteText(out, "Description", text_.description);
  WriteText(out, "Creation Time", text_.dateTime);

  z_stream z{};
  // Filtered rows are residuals: the filtered strategy codes them better than the default one.
  if (deflateInit2(&z, kPngDeflateLevel, Z_DEFLATED, 15, 8, Z_FILTERED) != Z_OK) return kPictoInternal;
  const std::size_t n = l.RowBytes();
  std::vector<std::uint8_t> row(n), prior(n, 0), idat(kIdatBytes);
  std::vector<std::uint8_t> candidates[5];
  for (auto& c : candidates) c.resize(n + 1);
  z.next_out = idat.data();
  z.avail_out = uInt(idat.size());
  int status = kPictoOk;
  for (std::uint32_t y = 0; y <= l.height && status == kPictoOk; ++y) {
    const bool last = y == l.height;
    if (!last) {
      const std::uint8_t* src = pixels + std::size_t(y) * n;
      if (l.IsWide()) {
        RowToFullScale16(l, src, row.data());
      } else {
        RowTo8Bit(l, src, row.data(), RowOrder::Rgb);
      }
      const int f = FilterRow(row.data(), prior.data(), n, l.PixelBytes(), candidates);
      z.next_in = candidates[f].data();
      z.avail_in = uInt(n + 1);
      row.swap(prior);
    }
    for (;;) {
      const int r = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      if (r == Z_STREAM_ERROR) { status = kPictoInternal; break; }
      if (z.avail_out == 0 || (last && r == Z_STREAM_END)) {
        WriteChunk(out, "IDAT", idat.data(), idat.size() - z.avail_out);
        z.next_out = idat.data();
        z.avail_out = uInt(idat.size());
      }
      if (last ? r == Z_STREAM_END : z.avail_in == 0) break;
    }
    if (out.Failed()) status = kPictoWriteFailed;
  }
  deflateEnd(&z);
  if (status != kPictoOk) return status;
  WriteChunk(out, "IEND", nullptr, 0);
  return WriteStatus(out);
}
