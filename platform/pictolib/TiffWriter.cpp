// Lays out each page as directory, values, pixels; the next page starts where this one ends, so
// the file is written front to back without seeking. Pages differ in size only by their texts.
// A file cut short gets its last link and its page counts patched.
#include "platform/pictolib/TiffWriter.h"

#include "platform/pictolib/RowWriter.h"

namespace {

enum TiffTag : std::uint16_t {
  kNewSubfileType = 254, kImageWidth = 256, kImageLength = 257, kBitsPerSample = 258,
  kCompression = 259, kPhotometric = 262, kStripOffsets = 273, kSamplesPerPixel = 277,
  kRowsPerStrip = 278, kStripByteCounts = 279, kMaxSampleValue = 281, kXResolution = 282,
  kYResolution = 283, kPlanarConfig = 284, kResolutionUnit = 296, kPageNumber = 297,
  kImageDescription = 270, kDateTime = 306,
};

constexpr std::uint64_t kClassicHeader = 8, kBigHeader = 16;

}  // namespace

std::uint64_t TiffWriter::PagePixelBytes() const { return (params_.layout.FrameBytes() + 1) & ~1ull; }

TiffIfd TiffWriter::PageDirectory(std::uint64_t stripOffset) const {
  const FrameLayout& l = params_.layout;
  const std::uint64_t spp = l.channels;
  TiffIfd ifd(big_);
  const TiffFieldType offsetType = big_ ? kTiffLong8 : kTiffLong;
  if (multipage_) ifd.Add(kNewSubfileType, kTiffLong, {2});
  ifd.Add(kImageWidth, kTiffLong, {l.width});
  ifd.Add(kImageLength, kTiffLong, {l.height});
  ifd.Add(kBitsPerSample, kTiffShort, std::vector<std::uint64_t>(spp, 8 * l.sampleBytes));
  ifd.Add(kCompression, kTiffShort, {1});
  ifd.Add(kPhotometric, kTiffShort, {spp == 3 ? 2u : 1u});
  ifd.Add(kStripOffsets, offsetType, {stripOffset});
  ifd.Add(kSamplesPerPixel, kTiffShort, {spp});
  ifd.Add(kRowsPerStrip, kTiffLong, {l.height});
  ifd.Add(kStripByteCounts, offsetType, {l.FrameBytes()});
  ifd.Add(kMaxSampleValue, kTiffShort, std::vector<std::uint64_t>(spp, (1u << l.sampleBits) - 1));
  ifd.Add(kXResolution, kTiffRational, {72, 1});
  ifd.Add(kYResolution, kTiffRational, {72, 1});
  ifd.Add(kPlanarConfig, kTiffShort, {1});
  ifd.Add(kResolutionUnit, kTiffShort, {2});
  if (multipage_ && params_.frameCount <= 0xFFFF) ifd.Add(kPageNumber, kTiffShort, {page_, params_.frameCount});
  if (described_) ifd.AddText(kImageDescription, text_.description);
  if (dated_) ifd.AddText(kDateTime, dateTime_);
  return ifd;
}

int TiffWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  if (!text_.dateTime.empty()) dateTime_ = TiffDateTime(text_.dateTime);
  if (page_ == 0) {
    described_ = !text_.description.empty();
    dated_ = !dateTime_.empty();
    // Sized for the longest description any page may bring.
    const std::uint64_t pageBound =
        PageDirectory(0).Size() + PagePixelBytes() + (described_ ? kMaxDescriptionBytes + 2 : 0);
    big_ = kClassicHeader + std::uint64_t(params_.frameCount) * pageBound > params_.limits.bigTiffAbove;
    Bytes header;
    PutU8(header, 'I');
    PutU8(header, 'I');
    if (big_) {
      PutLE16(header, 43);
      PutLE16(header, 8);
      PutLE16(header, 0);
      PutLE64(header, kBigHeader);
    } else {
      PutLE16(header, 42);
      PutLE32(header, kClassicHeader);
    }
    out.Write(header);
    nextPage_ = header.size();
  }
  const std::uint64_t ifdOffset = nextPage_;
  const std::uint64_t stripOffset = ifdOffset + PageDirectory(0).Size();
  const bool last = page_ + 1 == params_.frameCount;
  const std::uint64_t pageEnd = stripOffset + PagePixelBytes();
  const std::uint64_t next = last ? 0 : pageEnd;
  if (!big_ && next > 0xFFFFFFFFull) return kPictoTooLarge;
  out.Write(PageDirectory(stripOffset).Serialize(ifdOffset, next));

  const FrameLayout& l = params_.layout;
  if (l.channels == 1) {
    out.Write(pixels, l.FrameBytes());  // grey words are already little-endian
  } else {
    WriteConvertedRows(out, l, pixels, l.RowBytes(), false, [&l](const std::uint8_t* src, std::uint8_t* dst) {
      RowToRgbNative(l, src, dst, false);
    });
  }
  if (l.FrameBytes() % 2) out.Write("", 1);
  if (out.Failed()) return kPictoWriteFailed;
  pageOffsets_.push_back(ifdOffset);
  nextPage_ = pageEnd;
  ++page_;
  return kPictoOk;
}

int TiffWriter::Finish(OutputFile& out, std::uint32_t frames) {
  page_ = frames;
  if (frames == params_.frameCount) return WriteStatus(out);
  const TiffIfd layout = PageDirectory(0);
  const std::uint8_t end[8] = {};
  out.Patch(pageOffsets_[frames - 1] + layout.NextLinkAt(), end, big_ ? 8 : 4);
  if (multipage_ && params_.frameCount <= 0xFFFF) {
    const std::uint8_t count[2] = {std::uint8_t(frames), std::uint8_t(frames >> 8)};
    for (std::uint32_t page = 0; page < frames; ++page)
      out.Patch(pageOffsets_[page] + layout.ValueAt(kPageNumber) + 2, count, 2);
  }
  return WriteStatus(out);
}
