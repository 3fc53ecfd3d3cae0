// Every file type and depth written through the library and read back by independent Debian
// decoders: libtiff and its tools, pngcheck, djpeg, ffprobe and ffmpeg, and the documented layouts.
#include "platform/pictolib/CodecSettings.h"
#include "platform/pictolib/FileTypes.h"
#include "platform/pictolib/PictoLibrary.h"
#include "tests/pictolib/TestFrames.h"
#include "tests/pictolib/ToolRunner.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>
#include <tiffio.h>
#include <zlib.h>

#include <algorithm>
#include <csignal>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <vector>

namespace {

// JPEG-coded frames of the test pattern at quality 75 decode at least this close to the input.
constexpr double kJpegPsnrFloor = 30.0;

struct Size {
  std::uint32_t width, height;
};
// 4 x 1500: more rows than the system takes in one gathering write.
const Size kSizes[] = {{1, 1}, {37, 23}, {64, 8}, {4, 1500}};

std::vector<Frame> MakeFrames(const FrameLayout& layout, int count) {
  std::vector<Frame> frames;
  for (int i = 0; i < count; ++i) frames.push_back(MakeFrame(layout, std::uint32_t(i * 7 + 1)));
  return frames;
}

// Runs check for one frame of every depth at every test size.
template <class Check>
void ForEveryDepthAndSize(std::uint32_t frameCount, float rate, Check check) {
  for (std::uint32_t depth : kAllDepths) {
    for (const Size& s : kSizes) {
      SCOPED_TRACE("depth " + std::to_string(depth) + " " + std::to_string(s.width) + "x" + std::to_string(s.height));
      const ImageInfo info = MakeInfo(s.width, s.height, depth, rate);
      const FrameLayout l = LayoutOf(info);
      check(info, l, MakeFrames(l, int(frameCount)));
    }
  }
}

int WriteAll(PictoLibrary& lib, const std::string& path, int type, const ImageInfo& info,
             const std::vector<Frame>& frames) {
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const int status = lib.WriteFile(path.c_str(), int(i), type, &info, frames[i].data(), int(frames.size()));
    if (status != kPictoOk) return status;
  }
  return kPictoOk;
}

// The 8-bit samples of all frames, grey spread to red, green and blue.
std::vector<std::uint8_t> ExpectedRgb24(const FrameLayout& l, const std::vector<Frame>& frames) {
  std::vector<std::uint8_t> all;
  for (const Frame& f : frames) {
    const std::vector<std::uint8_t> e = Expected8BitRgb(l, f);
    for (std::uint8_t v : e) {
      all.push_back(v);
      if (l.channels == 1) all.insert(all.end(), {v, v});
    }
  }
  return all;
}

// 9- and 10-bit samples as a 16-bit PNG holds them: their bits repeated to fill the word.
std::uint16_t FullScale(std::uint16_t v, std::uint32_t bits) {
  return std::uint16_t(v << (16 - bits) | v >> (2 * bits - 16));
}

std::vector<std::uint8_t> FfmpegDecode(const std::string& input, const std::string& pixelFormat,
                                       const std::string& inputOptions = "") {
  const ToolResult r = RunTool("ffmpeg -nostdin -v error " + inputOptions + " -i " + Quoted(input) +
                               " -f rawvideo -pix_fmt " + pixelFormat + " -");
  EXPECT_EQ(r.exitCode, 0) << "ffmpeg could not decode " << input;
  return r.output;
}

std::string Probe(const std::string& path, const std::string& entries) {
  return RunTool("ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=" + entries +
                 " -of default=noprint_wrappers=1 " + Quoted(path))
      .Text();
}

void ExpectTiffInfoClean(const std::string& path) {
  const ToolResult r = RunTool("tiffinfo " + Quoted(path) + " 2>&1");
  EXPECT_EQ(r.exitCode, 0) << r.Text();
  EXPECT_EQ(r.Text().find("rror"), std::string::npos) << r.Text();
  EXPECT_EQ(r.Text().find("arning"), std::string::npos) << r.Text();
}

// Reads every page with libtiff and compares each sample.
void ExpectTiffPages(const std::string& path, const FrameLayout& l, const std::vector<Frame>& frames) {
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  ASSERT_NE(tif, nullptr) << path;
  std::size_t page = 0;
  do {
    ASSERT_LT(page, frames.size());
    std::uint32_t w = 0, h = 0;
    std::uint16_t bps = 0, spp = 0;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
    TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetField(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
    ASSERT_EQ(w, l.width);
    ASSERT_EQ(h, l.height);
    ASSERT_EQ(bps, 8 * l.sampleBytes);
    ASSERT_EQ(spp, l.channels);
    const std::vector<std::uint16_t> expected = ExpectedSamplesRgb(l, frames[page]);
    std::vector<std::uint8_t> row(TIFFScanlineSize(tif));
    const std::size_t perRow = std::size_t(l.width) * l.channels;
    for (std::uint32_t y = 0; y < h; ++y) {
      ASSERT_EQ(TIFFReadScanline(tif, row.data(), y), 1);
      for (std::size_t i = 0; i < perRow; ++i) {
        std::uint16_t v = row[i];
        if (l.IsWide()) std::memcpy(&v, row.data() + 2 * i, 2);
        ASSERT_EQ(v, expected[y * perRow + i]) << "page " << page << " row " << y << " sample " << i;
      }
    }
    ++page;
  } while (TIFFReadDirectory(tif));
  TIFFClose(tif);
  EXPECT_EQ(page, frames.size());
}

class PictoDecode : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ToolsPresent({"ffmpeg", "ffprobe", "tiffinfo", "tiffdump", "pngcheck", "djpeg"}))
      GTEST_SKIP() << "Debian decoders missing: run scripts/setup";
  }
  void UseCodec(int type, std::uint32_t id, std::uint32_t quality) {
    CodecInfo c{};
    c.CodecId = id;
    c.Quality = quality;
    ASSERT_EQ(lib_.SetCodec(type, &c), kPictoOk);
  }
  ScratchFolder dir_;
  PictoLibrary lib_;
};

TEST_F(PictoDecode, TiffKeepsEverySampleOfEveryDepth) {
  ForEveryDepthAndSize(1, 25.0f, [&](const ImageInfo& info, const FrameLayout& l, const std::vector<Frame>& frames) {
    const std::string path = dir_.Path("single.tif");
    ASSERT_EQ(WriteAll(lib_, path, kTypeTiff, info, frames), kPictoOk);
    ExpectTiffInfoClean(path);
    ExpectTiffPages(path, l, frames);
  });
}

TEST_F(PictoDecode, MultipageTiffHoldsEveryFrameInOrder) {
  for (std::uint32_t depth : kAllDepths) {
    SCOPED_TRACE("depth " + std::to_string(depth));
    const ImageInfo info = MakeInfo(37, 23, depth);
    const FrameLayout l = LayoutOf(info);
    const std::vector<Frame> frames = MakeFrames(l, 4);
    const std::string path = dir_.Path("seq.mpt");
    ASSERT_EQ(WriteAll(lib_, path, kTypeMultipageTiff, info, frames), kPictoOk);
    ExpectTiffInfoClean(path);
    ExpectTiffPages(path, l, frames);
    EXPECT_NE(RunTool("tiffdump " + Quoted(path)).Text().find("<ClassicTIFF>"), std::string::npos);
  }
}

TEST_F(PictoDecode, MultipageTiffBecomesBigTiffBeyondTheLimit) {
  WriterLimits limits;
  limits.bigTiffAbove = 20000;
  PictoLibrary lib(limits);
  const Size sizes[] = {{64, 40}, {10, 10}};  // 5 x 15 KB passes the limit, 5 x 600 bytes stays below
  for (const Size& s : sizes) {
    const ImageInfo info = MakeInfo(s.width, s.height, 30);
    const FrameLayout l = LayoutOf(info);
    const std::vector<Frame> frames = MakeFrames(l, 5);
    const std::string path = dir_.Path("big.mpt");
    ASSERT_EQ(WriteAll(lib, path, kTypeMultipageTiff, info, frames), kPictoOk);
    const bool big = 5 * l.FrameBytes() > limits.bigTiffAbove;
    const std::string dump = RunTool("tiffdump " + Quoted(path)).Text();
    EXPECT_NE(dump.find(big ? "<BigTIFF>" : "<ClassicTIFF>"), std::string::npos) << dump;
    ExpectTiffInfoClean(path);
    ExpectTiffPages(path, l, frames);
  }
}

// The header fields that decoders forgive, read as the format defines them: the file size, the
// pixel offset and the image size agree with the file's length, each row padded to 4 bytes with
// zeros.
void ExpectStrictBmp(const std::string& path, const FrameLayout& l) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(file.size(), 54u);
  auto le32 = [&file](std::size_t at) {
    return std::uint32_t(file[at]) | std::uint32_t(file[at + 1]) << 8 | std::uint32_t(file[at + 2]) << 16 |
           std::uint32_t(file[at + 3]) << 24;
  };
  auto le16 = [&file](std::size_t at) { return std::uint32_t(file[at]) | std::uint32_t(file[at + 1]) << 8; };
  const std::size_t rowBytes = std::size_t(l.width) * l.channels;
  const std::size_t stride = (rowBytes + 3) / 4 * 4;
  const std::uint32_t paletteBytes = l.channels == 1 ? 1024 : 0;
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(le32(2), file.size()) << "file size field";
  EXPECT_EQ(le32(10), 54 + paletteBytes) << "pixel offset";
  EXPECT_EQ(le32(14), 40u);
  EXPECT_EQ(le32(18), l.width);
  EXPECT_EQ(le32(22), l.height);
  EXPECT_EQ(le16(26), 1u);
  EXPECT_EQ(le16(28), 8 * l.channels);
  EXPECT_EQ(le32(30), 0u);
  EXPECT_EQ(le32(34), stride * l.height) << "image size field";
  EXPECT_EQ(le32(46), paletteBytes / 4);
  ASSERT_EQ(file.size(), 54 + paletteBytes + stride * l.height);
  for (std::size_t row = 0; row < l.height; ++row) {
    for (std::size_t i = rowBytes; i < stride; ++i) {
      EXPECT_EQ(file[54 + paletteBytes + row * stride + i], 0) << "padding of row " << row;
    }
  }
}

TEST_F(PictoDecode, BmpKeepsTheUpperEightBits) {
  ForEveryDepthAndSize(1, 25.0f, [&](const ImageInfo& info, const FrameLayout& l, const std::vector<Frame>& frames) {
    const std::string path = dir_.Path("x.bmp");
    ASSERT_EQ(WriteAll(lib_, path, kTypeBmp, info, frames), kPictoOk);
    ExpectStrictBmp(path, l);
    EXPECT_EQ(FfmpegDecode(path, "rgb24"), ExpectedRgb24(l, frames));
  });
}

// djpeg's PNM output, grey or RGB samples after the header.
std::vector<std::uint8_t> DjpegSamples(const std::string& path, std::uint32_t& width, std::uint32_t& height) {
  const ToolResult r = RunTool("djpeg -pnm " + Quoted(path));
  EXPECT_EQ(r.exitCode, 0) << path;
  std::istringstream head(r.Text());
  std::string magic;
  unsigned maxValue = 0;
  head >> magic >> width >> height >> maxValue;
  const std::size_t start = std::size_t(head.tellg()) + 1;
  if (start >= r.output.size()) return {};
  return std::vector<std::uint8_t>(r.output.begin() + std::ptrdiff_t(start), r.output.end());
}

TEST_F(PictoDecode, JpegDecodesAboveThePsnrFloorAtQuality75) {
  UseCodec(kTypeJpeg, kCodecJpeg, 7500);
  ForEveryDepthAndSize(1, 25.0f, [&](const ImageInfo& info, const FrameLayout& l, const std::vector<Frame>& frames) {
    const std::string path = dir_.Path("x.jpg");
    ASSERT_EQ(WriteAll(lib_, path, kTypeJpeg, info, frames), kPictoOk);
    std::uint32_t w = 0, h = 0;
    const std::vector<std::uint8_t> decoded = DjpegSamples(path, w, h);
    EXPECT_EQ(w, info.Width);
    EXPECT_EQ(h, info.Height);
    EXPECT_GE(Psnr(decoded, Expected8BitRgb(l, frames[0])), kJpegPsnrFloor);
  });
}

TEST_F(PictoDecode, JpegQualityTradesSizeForFidelity) {
  const ImageInfo info = MakeInfo(128, 96, 24);
  const FrameLayout l = LayoutOf(info);
  const std::vector<Frame> frames = MakeFrames(l, 1);
  double lastPsnr = 0;
  std::size_t lastSize = 0;
  for (std::uint32_t quality : {1000u, 5000u, 7500u, 9000u, 10000u}) {
    SCOPED_TRACE("quality " + std::to_string(quality));
    UseCodec(kTypeJpeg, kCodecJpeg, quality);
    const std::string path = dir_.Path("q.jpg");
    ASSERT_EQ(WriteAll(lib_, path, kTypeJpeg, info, frames), kPictoOk);
    std::uint32_t w = 0, h = 0;
    const double psnr = Psnr(DjpegSamples(path, w, h), Expected8BitRgb(l, frames[0]));
    const std::size_t size = ReadWholeFile(path).size();
    EXPECT_GT(psnr, lastPsnr);
    EXPECT_GT(size, lastSize);
    lastPsnr = psnr;
    lastSize = size;
  }
  EXPECT_GT(lastPsnr, 40.0);
}

TEST_F(PictoDecode, PngKeepsEverySample) {
  ForEveryDepthAndSize(1, 25.0f, [&](const ImageInfo& info, const FrameLayout& l, const std::vector<Frame>& frames) {
    const std::string path = dir_.Path("x.png");
    ASSERT_EQ(WriteAll(lib_, path, kTypePng, info, frames), kPictoOk);
    const ToolResult check = RunTool("pngcheck -v " + Quoted(path));
    EXPECT_EQ(check.exitCode, 0) << check.Text();
    EXPECT_EQ(check.Text().find("sBIT") != std::string::npos, l.IsWide()) << check.Text();
    const char* format = l.IsWide() ? (l.channels == 3 ? "rgb48le" : "gray16le") : (l.channels == 3 ? "rgb24" : "gray");
    const std::vector<std::uint8_t> decoded = FfmpegDecode(path, format);
    const std::vector<std::uint16_t> expected = ExpectedSamplesRgb(l, frames[0]);
    ASSERT_EQ(decoded.size(), expected.size() * l.sampleBytes);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const std::uint16_t v = l.IsWide() ? std::uint16_t(decoded[2 * i] | decoded[2 * i + 1] << 8) : decoded[i];
      ASSERT_EQ(v, l.IsWide() ? FullScale(expected[i], l.sampleBits) : expected[i]) << "sample " << i;
    }
  });
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
std::uint64_t Le64(const std::vector<std::uint8_t>& b, std::size_t at) {
  return Le32(b, at) | std::uint64_t(Le32(b, at + 4)) << 32;
}

// Checks the 48-byte header that the README documents for the raw and compressed sequences.
void ExpectSequenceHeader(const std::vector<std::uint8_t>& file, const char* magic, const FrameLayout& l,
                          std::uint32_t count, float rate) {
  ASSERT_GE(file.size(), 48u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 8), magic);
  EXPECT_EQ(Le32(file, 8), 48u);
  EXPECT_EQ(Le32(file, 12), l.width);
  EXPECT_EQ(Le32(file, 16), l.height);
  EXPECT_EQ(Le32(file, 20), l.depth);
  EXPECT_EQ(Le32(file, 24), l.PixelBytes());
  EXPECT_EQ(Le32(file, 28), count);
  float r;
  std::memcpy(&r, file.data() + 32, 4);
  EXPECT_EQ(r, rate);
  EXPECT_EQ(Le32(file, 36), l.FrameBytes());
}

// The frames of a raw (.mrf) or compressed (.mcf) sequence file, read as the README describes.
std::vector<Frame> SequenceFrames(const std::vector<std::uint8_t>& file, int type, const FrameLayout& l,
                                  std::size_t count) {
  std::vector<Frame> frames;
  const std::uint64_t index = type == kTypeCompressedSequence ? Le64(file, 40) : 0;
  const std::uint64_t end = type == kTypeCompressedSequence ? index + 16 * count : 48 + count * l.FrameBytes();
  EXPECT_EQ(file.size(), end);
  if (file.size() != end) return frames;
  for (std::size_t i = 0; i < count; ++i) {
    Frame raw(l.FrameBytes());
    if (type == kTypeMultipageRaw) {
      std::copy_n(file.begin() + std::ptrdiff_t(48 + i * raw.size()), raw.size(), raw.begin());
    } else {
      const std::uint64_t at = Le64(file, index + 16 * i), size = Le64(file, index + 16 * i + 8);
      EXPECT_LE(at + size, index);
      uLongf rawSize = uLongf(raw.size());
      EXPECT_EQ(uncompress(raw.data(), &rawSize, file.data() + at, uLong(size)), Z_OK);
      EXPECT_EQ(rawSize, raw.size());
    }
    frames.push_back(raw);
  }
  return frames;
}

TEST_F(PictoDecode, RawAndCompressedSequencesFollowTheDocumentedLayout) {
  const std::pair<int, const char*> kinds[] = {{kTypeMultipageRaw, "SELVMRF1"}, {kTypeCompressedSequence, "SELVMCF1"}};
  for (const auto& kind : kinds) {
    for (std::uint32_t depth : kAllDepths) {
      SCOPED_TRACE(std::string(kind.second) + " depth " + std::to_string(depth));
      const ImageInfo info = MakeInfo(37, 23, depth, 12.5f);
      const FrameLayout l = LayoutOf(info);
      const std::vector<Frame> frames = MakeFrames(l, 3);
      const std::string path = dir_.Path("x.seq");
      ASSERT_EQ(WriteAll(lib_, path, kind.first, info, frames), kPictoOk);
      const std::vector<std::uint8_t> file = ReadWholeFile(path);
      ExpectSequenceHeader(file, kind.second, l, 3, 12.5f);
      EXPECT_EQ(SequenceFrames(file, kind.first, l, frames.size()), frames);
    }
  }
}

TEST_F(PictoDecode, PnmStreamDecodesEveryFrame) {
  for (std::uint32_t depth : kAllDepths) {
    SCOPED_TRACE("depth " + std::to_string(depth));
    const ImageInfo info = MakeInfo(37, 23, depth);
    const FrameLayout l = LayoutOf(info);
    const std::vector<Frame> frames = MakeFrames(l, 3);
    const std::string path = dir_.Path("x.pnm");
    ASSERT_EQ(WriteAll(lib_, path, kTypePnmStream, info, frames), kPictoOk);
    const char* demuxer = l.channels == 3 ? "ppm_pipe" : "pgm_pipe";
    const char* format = l.IsWide() ? (l.channels == 3 ? "rgb48le" : "gray16le") : (l.channels == 3 ? "rgb24" : "gray");
    const std::vector<std::uint8_t> decoded = FfmpegDecode(path, format, std::string("-f ") + demuxer);
    const std::size_t perFrame = std::size_t(l.width) * l.height * l.channels;
    ASSERT_EQ(decoded.size(), perFrame * l.sampleBytes * frames.size());
    // ffmpeg stretches samples below 16 bits to the full 16-bit range.
    const double stretch = l.IsWide() ? 65535.0 / ((1 << l.sampleBits) - 1) : 1.0;
    for (std::size_t f = 0; f < frames.size(); ++f) {
      const std::vector<std::uint16_t> expected = ExpectedSamplesRgb(l, frames[f]);
      for (std::size_t i = 0; i < perFrame; ++i) {
        const std::size_t at = f * perFrame + i;
        const double v = l.IsWide() ? double(decoded[2 * at] | decoded[2 * at + 1] << 8) : decoded[at];
        ASSERT_NEAR(v, expected[i] * stretch, 1.0) << "frame " << f << " sample " << i;
      }
    }
  }
}

struct MovieCase {
  int type;
  std::uint32_t codec;
  const char* container;
};

class PictoMovie : public PictoDecode {
 protected:
  // Writes frames, checks count, rate and size through ffprobe and returns ffmpeg's rgb24 decode.
  std::vector<std::uint8_t> WriteAndDecode(PictoLibrary& lib, const MovieCase& m, const ImageInfo& info,
                                           const std::vector<Frame>& frames, const std::string& rate) {
    const std::string path = dir_.Path(std::string("movie.") + m.container);
    EXPECT_EQ(WriteAll(lib, path, m.type, info, frames), kPictoOk);
    const std::string probe = Probe(path, "nb_read_frames,r_frame_rate,width,height");
    EXPECT_NE(probe.find("nb_read_frames=" + std::to_string(frames.size())), std::string::npos) << probe;
    EXPECT_NE(probe.find("r_frame_rate=" + rate), std::string::npos) << probe;
    EXPECT_NE(probe.find("width=" + std::to_string(info.Width)), std::string::npos) << probe;
    EXPECT_NE(probe.find("height=" + std::to_string(info.Height)), std::string::npos) << probe;
    lastFile_ = ReadWholeFile(path);
    return FfmpegDecode(path, "rgb24");
  }
  bool FileHas(const char* tag) const {
    return std::search(lastFile_.begin(), lastFile_.end(), tag, tag + std::strlen(tag)) != lastFile_.end();
  }
  std::vector<std::uint8_t> lastFile_;
};

const MovieCase kUncompressedMovies[] = {{kTypeAvi, kCodecUncompressed, "avi"}, {kTypeMov, kCodecUncompressed, "mov"}};
const MovieCase kJpegMovies[] = {{kTypeAvi, kCodecJpeg, "avi"}, {kTypeMov, kCodecJpeg, "mov"}};

TEST_F(PictoMovie, UncompressedCodecsArePixelExact) {
  for (const MovieCase& m : kUncompressedMovies) {
    UseCodec(m.type, m.codec, 0);
    SCOPED_TRACE(m.container);
    ForEveryDepthAndSize(3, 25.0f, [&](const ImageInfo& info, const FrameLayout& l, const std::vector<Frame>& frames) {
      EXPECT_EQ(WriteAndDecode(lib_, m, info, frames, "25/1"), ExpectedRgb24(l, frames));
    });
  }
}

TEST_F(PictoMovie, JpegCodecsDecodeAboveThePsnrFloorAtQuality75) {
  for (const MovieCase& m : kJpegMovies) {
    UseCodec(m.type, m.codec, 7500);
    for (std::uint32_t depth : kAllDepths) {
      SCOPED_TRACE(std::string(m.container) + " depth " + std::to_string(depth));
      const ImageInfo info = MakeInfo(64, 48, depth, 29.97f);
      const FrameLayout l = LayoutOf(info);
      const std::vector<Frame> frames = MakeFrames(l, 3);
      EXPECT_GE(Psnr(WriteAndDecode(lib_, m, info, frames, "2997/100"), ExpectedRgb24(l, frames)), kJpegPsnrFloor);
    }
  }
}

TEST_F(PictoMovie, AviPassingTheSegmentLimitUsesOpenDmlIndexes) {
  WriterLimits limits;
  limits.riffSegmentBytes = 40000;
  PictoLibrary lib(limits);
  const MovieCase m = {kTypeAvi, kCodecUncompressed, "avi"};
  const ImageInfo info = MakeInfo(64, 48, 24, 10.0f);  // 9 KB frames: four per segment
  const FrameLayout l = LayoutOf(info);
  const std::vector<Frame> frames = MakeFrames(l, 13);
  EXPECT_EQ(WriteAndDecode(lib, m, info, frames, "10/1"), ExpectedRgb24(l, frames));
  EXPECT_TRUE(FileHas("AVIX"));
  EXPECT_TRUE(FileHas("ix00"));
  const std::string probe = Probe(dir_.Path("movie.avi"), "nb_frames");
  EXPECT_NE(probe.find("nb_frames=13"), std::string::npos) << probe;
}

TEST_F(PictoMovie, MovPassingTheOffsetLimitUsesSixtyFourBitOffsets) {
  WriterLimits limits;
  limits.mov64Above = 30000;
  const MovieCase m = {kTypeMov, kCodecUncompressed, "mov"};
  for (std::uint32_t frameCount : {5u, 1u}) {  // 5 x 9 KB passes the limit, one frame does not
    PictoLibrary lib(limits);
    CodecInfo c{};
    c.CodecId = kCodecUncompressed;
    ASSERT_EQ(lib.SetCodec(kTypeMov, &c), kPictoOk);
    const ImageInfo info = MakeInfo(64, 48, 24, 10.0f);
    const FrameLayout l = LayoutOf(info);
    const std::vector<Frame> frames = MakeFrames(l, int(frameCount));
    EXPECT_EQ(WriteAndDecode(lib, m, info, frames, "10/1"), ExpectedRgb24(l, frames));
    EXPECT_EQ(FileHas("co64"), frameCount == 5);
    EXPECT_EQ(FileHas("stco"), frameCount == 1);
  }
}

// libpng's documented recovery of the original samples: png_set_shift with the file's sBIT.
std::vector<std::uint16_t> LibpngSignificantSamples(const std::string& path) {
  std::vector<std::uint16_t> samples;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return samples;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, f);
    png_read_info(png, info);
    png_color_8p bits = nullptr;
    if (png_get_sBIT(png, info, &bits)) png_set_shift(png, bits);
    png_set_swap(png);  // host order words
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<png_byte> row(rowBytes);
    for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y) {
      png_read_row(png, row.data(), nullptr);
      for (std::size_t i = 0; i + 1 < rowBytes; i += 2) samples.push_back(std::uint16_t(row[i] | row[i + 1] << 8));
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return samples;
}

TEST_F(PictoDecode, DeepPngSamplesComeBackThroughSbitAndSpanTheFullRange) {
  for (std::uint32_t depth : {9u, 10u, 27u, 30u}) {
    SCOPED_TRACE("depth " + std::to_string(depth));
    const ImageInfo info = MakeInfo(64, 8, depth);
    const FrameLayout l = LayoutOf(info);
    Frame frame = MakeFrame(l, 3);
    const std::uint16_t top = std::uint16_t((1u << l.sampleBits) - 1);
    std::memcpy(frame.data(), &top, 2);  // the brightest sample at the first position
    const std::string path = dir_.Path("deep.png");
    ASSERT_EQ(WriteAll(lib_, path, kTypePng, info, {frame}), kPictoOk);
    const std::vector<std::uint16_t> expected = ExpectedSamplesRgb(l, frame);
    EXPECT_EQ(LibpngSignificantSamples(path), expected);
    const std::vector<std::uint8_t> plain = FfmpegDecode(path, l.channels == 3 ? "rgb48le" : "gray16le");
    ASSERT_EQ(plain.size(), 2 * expected.size());
    std::uint16_t brightest = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const std::uint16_t v = std::uint16_t(plain[2 * i] | plain[2 * i + 1] << 8);
      ASSERT_EQ(v, FullScale(expected[i], l.sampleBits)) << "sample " << i;
      brightest = std::max(brightest, v);
    }
    EXPECT_EQ(brightest, 65535) << "an ordinary 16-bit reader sees full white";
  }
}

// The same file types cut short after 2 of 5 frames, by a request to end them (the operator's
// Abort) and by a file system that refuses the third frame (the process's file-size limit, a real
// failure of the system's write): every reader finds exactly the 2 frames, pixel for pixel.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(PictoMovie, FilesCutShortHoldTheFramesWrittenForEveryReader) {
  struct Case {
    int type;
    std::uint32_t codec;
    const char* ext;
  };
  const Case cases[] = {{kTypeMultipageTiff, 0, "mpt"}, {kTypeMultipageRaw, 0, "mrf"},
                        {kTypePnmStream, 0, "pnm"},     {kTypeCompressedSequence, 0, "mcf"},
                        {kTypeAvi, kCodecUncompressed, "avi"}, {kTypeMov, kCodecUncompressed, "mov"}};
  // Frames above the output's gathering size, so the refused write is the third frame's own.
  const ImageInfo info = MakeInfo(200, 120, 24, 10.0f);
  const FrameLayout l = LayoutOf(info);
  const std::vector<Frame> frames = MakeFrames(l, 5);
  const std::vector<Frame> kept(frames.begin(), frames.begin() + 2);
  for (const Case& c : cases) {
    if (c.type == kTypeAvi || c.type == kTypeMov) UseCodec(c.type, c.codec, 0);
    const std::string path = dir_.Path(std::string("cut.") + c.ext);
    ASSERT_EQ(WriteAll(lib_, path, c.type, info, kept), kPictoOk);
    const std::uint64_t twoFrameFile = ReadWholeFile(path).size();
    for (const bool fullDisk : {false, true}) {
      SCOPED_TRACE(std::string(c.ext) + (fullDisk ? " on a full file system" : " ended on request"));
      std::remove(path.c_str());
      int status = kPictoOk;
      {
        FileSizeLimit limit(fullDisk ? twoFrameFile + l.FrameBytes() / 2 : UINT64_MAX / 2);
        for (int i = 0; i < (fullDisk ? 5 : 2) && status == kPictoOk; ++i)
          status = lib_.WriteFile(path.c_str(), i, c.type, &info, frames[std::size_t(i)].data(), 5);
        if (!fullDisk) status = lib_.WriteFile(path.c_str(), 2, c.type, &info, nullptr, 2);
      }
      EXPECT_EQ(status, fullDisk ? kPictoWriteFailed : kPictoOk);
      EXPECT_EQ(dir_.Files(), std::vector<std::string>{std::string("cut.") + c.ext});
      const std::vector<std::uint8_t> file = ReadWholeFile(path);
      switch (c.type) {
        case kTypeMultipageTiff:
          ExpectTiffInfoClean(path);
          ExpectTiffPages(path, l, kept);
          break;
        case kTypeMultipageRaw:
        case kTypeCompressedSequence:
          ExpectSequenceHeader(file, c.type == kTypeMultipageRaw ? "SELVMRF1" : "SELVMCF1", l, 2, 10.0f);
          EXPECT_EQ(SequenceFrames(file, c.type, l, 2), kept);
          break;
        case kTypePnmStream:
          EXPECT_EQ(FfmpegDecode(path, "rgb24", "-f ppm_pipe"), ExpectedRgb24(l, kept));
          break;
        default: {
          const std::string probe = Probe(path, "nb_frames,nb_read_frames");
          EXPECT_NE(probe.find("nb_read_frames=2"), std::string::npos) << probe;
          if (c.type == kTypeAvi) {
            EXPECT_NE(probe.find("nb_frames=2"), std::string::npos) << probe;
          }
          EXPECT_EQ(FfmpegDecode(path, "rgb24"), ExpectedRgb24(l, kept));
        }
      }
    }
    std::remove(path.c_str());
  }
}

// Random sizes from 1 x 1 to 4096 x 16 for every type and depth, each file opened by its decoder.
TEST_F(PictoDecode, RandomSizesOfEveryTypeAndDepthDecode) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::uint32_t> width(1, 4096), height(1, 16);
  const int types[] = {kTypeTiff, kTypeBmp, kTypeJpeg, kTypePng, kTypeMultipageTiff, kTypePnmStream, kTypeAvi, kTypeMov};
  for (int type : types) {
    for (std::uint32_t depth : kAllDepths) {
      const ImageInfo info = MakeInfo(width(random), height(random), depth);
      SCOPED_TRACE("type " + std::to_string(type) + " depth " + std::to_string(depth) + " " +
                   std::to_string(info.Width) + "x" + std::to_string(info.Height));
      const FrameLayout l = LayoutOf(info);
      const std::vector<Frame> frames = MakeFrames(l, type >= kTypeMultipageTiff ? 2 : 1);
      char ext[8];
      ASSERT_EQ(lib_.GetExtension(type, ext), kPictoOk);
      const std::string path = dir_.Path(std::string("r.") + ext);
      ASSERT_EQ(WriteAll(lib_, path, type, info, frames), kPictoOk);
      const std::string input = type == kTypePnmStream ? (l.channels == 3 ? "-f ppm_pipe" : "-f pgm_pipe") : "";
      const std::vector<std::uint8_t> decoded = FfmpegDecode(path, "rgb24", input);
      const std::size_t pages = type == kTypeTiff || type == kTypeMultipageTiff ? 1 : frames.size();  // ffmpeg reads one TIFF page
      EXPECT_EQ(decoded.size(), pages * 3 * std::size_t(info.Width) * info.Height);
      if (type == kTypeTiff || type == kTypeMultipageTiff) ExpectTiffPages(path, l, frames);
    }
  }
}

// Files past 4 GB with the real limits: BigTIFF, OpenDML segments, co64, and the plain layouts
// far beyond 32-bit offsets. The last frame differs from the others, so finding it proves the
// 64-bit offsets. Writes about 4.5 GB per type; opt-in, and only with room on the disk.
TEST_F(PictoDecode, FilesOverFourGigabytes) {
  constexpr std::uint64_t kNeededFree = 12ull << 30;
  const char* wanted = std::getenv("SELVAR_LARGE_FILE_TESTS");
  if (wanted == nullptr || std::string(wanted) != "1")
    GTEST_SKIP() << "writes 4.5 GB per multi-frame type: set SELVAR_LARGE_FILE_TESTS=1 to run it";
  const std::uint64_t free = std::filesystem::space(dir_.Path("")).available;
  if (free < kNeededFree) GTEST_SKIP() << "needs 12 GB free, " << (free >> 20) << " MB available";

  const ImageInfo info = MakeInfo(4096, 2048, 30, 25.0f);  // 48 MiB frames
  const FrameLayout l = LayoutOf(info);
  const Frame common[2] = {MakeFrame(l, 0), MakeFrame(l, 1)};
  const Frame last = MakeFrame(l, 2);
  CodecInfo raw{};
  ASSERT_EQ(lib_.SetCodec(kTypeAvi, &raw), kPictoOk);
  ASSERT_EQ(lib_.SetCodec(kTypeMov, &raw), kPictoOk);
  const int types[] = {kTypeMultipageTiff, kTypeMultipageRaw, kTypePnmStream, kTypeAvi, kTypeMov};
  for (int type : types) {
    SCOPED_TRACE("type " + std::to_string(type));
    const bool movie = type == kTypeAvi || type == kTypeMov;
    const int frames = movie ? 180 : 90;  // movies keep 8 of every 16 bits: 4.5 GB either way
    char ext[8];
    ASSERT_EQ(lib_.GetExtension(type, ext), kPictoOk);
    const std::string path = dir_.Path(std::string("large.") + ext);
    for (int i = 0; i < frames; ++i) {
      const Frame& f = i == frames - 1 ? last : common[i % 2];
      ASSERT_EQ(lib_.WriteFile(path.c_str(), i, type, &info, f.data(), frames), kPictoOk) << "frame " << i;
    }
    EXPECT_GT(std::filesystem::file_size(path), 4ull << 30);
    if (type == kTypeMultipageTiff) {
      EXPECT_NE(RunTool("tiffdump " + Quoted(path) + " | head -2").Text().find("<BigTIFF>"), std::string::npos);
      ExpectTiffInfoClean(path);
      TIFFSetWarningHandler(nullptr);
      TIFF* tif = TIFFOpen(path.c_str(), "r");
      ASSERT_NE(tif, nullptr);
      EXPECT_EQ(TIFFNumberOfDirectories(tif), frames);
      ASSERT_EQ(TIFFSetDirectory(tif, frames - 1), 1);
      std::vector<std::uint8_t> row(TIFFScanlineSize(tif));
      ASSERT_EQ(TIFFReadScanline(tif, row.data(), l.height - 1), 1);
      const std::vector<std::uint16_t> expected = ExpectedSamplesRgb(l, last);
      EXPECT_EQ(0, std::memcmp(row.data(), expected.data() + std::size_t(l.height - 1) * l.width * 3, row.size()));
      TIFFClose(tif);
    } else if (type == kTypeMultipageRaw || type == kTypePnmStream) {
      const std::string header = "P6\n4096 2048\n1023\n";
      const std::uint64_t lead = type == kTypeMultipageRaw ? 48 : 0;
      const std::uint64_t frameBytes = l.FrameBytes() + (type == kTypePnmStream ? header.size() : 0);
      EXPECT_EQ(std::filesystem::file_size(path), lead + frames * frameBytes);
      std::ifstream in(path, std::ios::binary);
      in.seekg(std::streamoff(lead + (frames - 1) * frameBytes));
      std::vector<std::uint8_t> tail(frameBytes);
      in.read(reinterpret_cast<char*>(tail.data()), std::streamsize(tail.size()));
      if (type == kTypeMultipageRaw) {
        EXPECT_EQ(tail, last);
      } else {
        EXPECT_EQ(std::string(tail.begin(), tail.begin() + std::ptrdiff_t(header.size())), header);
        const std::vector<std::uint16_t> expected = ExpectedSamplesRgb(l, last);
        EXPECT_EQ(tail[header.size()], expected[0] >> 8);
        EXPECT_EQ(tail[header.size() + 1], expected[0] & 0xFF);
      }
    } else {
      EXPECT_NE(RunTool("ffprobe -v error -select_streams v:0 -show_entries stream=nb_frames -of default=nw=1 " +
                        Quoted(path)).Text().find("nb_frames=" + std::to_string(frames)), std::string::npos);
      // Seeking to the last frame goes through the 64-bit index entries.
      const std::vector<std::uint8_t> decoded =
          FfmpegDecode(path, "rgb24", "-ss " + std::to_string((frames - 1) / 25.0));
      ASSERT_GE(decoded.size(), 3u * l.width * l.height);
      const std::vector<std::uint8_t> expected = Expected8BitRgb(l, last);
      EXPECT_TRUE(std::equal(expected.begin(), expected.end(), decoded.end() - std::ptrdiff_t(expected.size())));
      std::ifstream in(path, std::ios::binary);
      in.seekg(-(1 << 20), std::ios::end);
      std::vector<std::uint8_t> tail(1 << 20);
      in.read(reinterpret_cast<char*>(tail.data()), std::streamsize(tail.size()));
      const char* index = type == kTypeAvi ? "ix00" : "co64";
      EXPECT_NE(std::search(tail.begin(), tail.end(), index, index + 4), tail.end()) << index;
    }
    std::filesystem::remove(path);
  }
}

// Frame k of three lies k - 2 frames from the trigger, 10 microseconds apart.
std::string FrameDescription(std::size_t k) {
  const char* times[] = {"-0.00002", "-0.00001", "0"};
  return "camera=Kinetra KW/E3\nframe=" + std::to_string(k) + "\ntrigger_frame=" + std::to_string(int(k) - 2) +
         "\ntime_s=" + times[k];
}

// Writes the frames with or without texts; a multi-frame file gets frames frames of them.
int WriteDescribed(PictoLibrary& lib, const std::string& path, int type, const ImageInfo& info,
                   const std::vector<Frame>& frames, bool texts, std::size_t written) {
  for (std::size_t i = 0; i < written; ++i) {
    if (texts) lib.SetFileText(path.c_str(), FrameDescription(i).c_str(), "2026-12-09 11:04:41");
    const int status = lib.WriteFile(path.c_str(), int(i), type, &info, frames[i].data(), int(frames.size()));
    if (status != kPictoOk) return status;
  }
  if (written == frames.size()) return kPictoOk;
  return lib.WriteFile(path.c_str(), int(written), type, &info, nullptr, int(written));
}

TEST_F(PictoDecode, TextsReadBackByTheUsualToolsAndMoveNoPixel) {
  if (!ToolsPresent({"rdjpgcom"})) GTEST_SKIP() << "rdjpgcom missing: run scripts/setup";
  const std::string probe = "ffprobe -v error -show_format ";
  struct Case {
    int type;
    const char* name;
    std::size_t frames;   // written of three
    std::string tool;     // empty: the file carries nothing
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {kTypeTiff, "a.tif", 1, "tiffinfo ",
       {"ImageDescription: camera=Kinetra KW/E3\nframe=0\ntrigger_frame=-2\ntime_s=-0.00002",
        "DateTime: 2026:12:09 11:04:41"}},
      {kTypeMultipageTiff, "a.mpt", 3, "tiffinfo ",
       {"trigger_frame=-2\ntime_s=-0.00002", "trigger_frame=-1\ntime_s=-0.00001", "trigger_frame=0\ntime_s=0",
        "Page Number: 2-3"}},
      {kTypeMultipageTiff, "cut.mpt", 2, "tiffinfo ", {"trigger_frame=-1\ntime_s=-0.00001", "Page Number: 1-2"}},
      {kTypePng, "a.png", 1, "pngcheck -t ",
       {"Description:", "trigger_frame=-2", "Creation Time:", "2026-12-09 11:04:41"}},
      {kTypeJpeg, "a.jpg", 1, "rdjpgcom ",
       {"frame=0\ntrigger_frame=-2\ntime_s=-0.00002\nrecorded=2026-12-09 11:04:41"}},
      {kTypeAvi, "a.avi", 3, probe,
       {"TAG:comment=camera=Kinetra KW/E3\nframe=0\ntrigger_frame=-2", "TAG:date=2026-12-09 11:04:41"}},
      {kTypeMov, "a.mov", 3, probe,
       {"TAG:comment=camera=Kinetra KW/E3\nframe=0\ntrigger_frame=-2", "TAG:date=2026-12-09T11:04:41"}},
      {kTypeBmp, "a.bmp", 1, "", {}},
  };
  const ImageInfo info = MakeInfo(37, 23, 10, 100000.0f);
  const FrameLayout l = LayoutOf(info);
  const std::vector<Frame> frames = MakeFrames(l, 3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t total = FindFileType(c.type)->multiFrame ? 3 : 1;
    const std::vector<Frame> ours(frames.begin(), frames.begin() + std::ptrdiff_t(total));
    const std::string told = dir_.Path(c.name), plain = dir_.Path(std::string("plain-") + c.name);
    ASSERT_EQ(WriteDescribed(lib_, told, c.type, info, ours, true, c.frames), kPictoOk);
    ASSERT_EQ(WriteDescribed(lib_, plain, c.type, info, ours, false, c.frames), kPictoOk);
    if (c.tool.empty()) {
      EXPECT_EQ(ReadWholeFile(told), ReadWholeFile(plain));
      continue;
    }
    const ToolResult r = RunTool(c.tool + Quoted(told) + " 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.Text();
    for (const std::string& e : c.expected) EXPECT_NE(r.Text().find(e), std::string::npos) << e << " in\n" << r.Text();
    if (c.type == kTypeTiff || c.type == kTypeMultipageTiff) {
      ExpectTiffInfoClean(told);
      ExpectTiffPages(told, l, std::vector<Frame>(frames.begin(), frames.begin() + std::ptrdiff_t(c.frames)));
    } else {
      EXPECT_EQ(FfmpegDecode(told, "rgb48le"), FfmpegDecode(plain, "rgb48le"));
    }
  }
}

}  // namespace
