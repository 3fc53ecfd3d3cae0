// Frames per second of every PictoLib encoder for 1280 x 1024 frames, against libtiff, libpng,
// libjpeg-turbo and a plain sequential write of the same bytes, into the system's cache and on to the
// disk, all measured in this run (medians).
#include "platform/pictolib/CodecSettings.h"
#include "platform/pictolib/FrameLayout.h"
#include "platform/pictolib/PictoLibrary.h"
#include "platform/pictolib/PngWriter.h"
#include "tests/pictolib/TestFrames.h"
#include "bench/BenchTiming.h"

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t kWidth = 1280, kHeight = 1024;
constexpr int kRuns = 9;
constexpr int kSequenceFrames = 16;
constexpr int kFilesPerRun = 16;
constexpr int kJpegPercent = 75;

using Bytes = std::vector<std::uint8_t>;

// The figure line, with the ratio of two values of the same kind (rates or sizes).
void Report(const std::string& name, double value, const char* unit, double peer, const char* peerName) {
  PrintFigure(name.c_str(), value, unit, value / peer, peerName);
}

std::uint64_t FileBytes(const std::string& path) { return std::filesystem::file_size(path); }

// Waits until the file's data is on the disk itself, not only in the system's cache.
void SyncToDisk(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  fsync(fd);
  close(fd);
}

// The limit for files of this size: sequential fwrites of frame-sized pieces into new files,
// each then flushed to the disk when toDisk is set, as ours are.
// Every writer here starts on a new file: writing over an existing one makes ext4 push the data
// out at close or rename, a cost of reusing the name that would drown what is measured.
void PlainWrite(const std::string& path, const Bytes& frame, std::uint64_t bytes, int files, bool toDisk) {
  for (int i = 0; i < files; ++i) {
    std::remove(path.c_str());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    for (std::uint64_t done = 0; done < bytes; done += frame.size())
      std::fwrite(frame.data(), 1, std::size_t(std::min<std::uint64_t>(frame.size(), bytes - done)), f);
    std::fclose(f);
    if (toDisk) SyncToDisk(path);
  }
}

void LibtiffWrite(const std::string& path, const FrameLayout& l, const Bytes& frame) {
  std::remove(path.c_str());
  TIFF* t = TIFFOpen(path.c_str(), "w");
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, l.width);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, l.height);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8 * l.sampleBytes);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, l.channels);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, l.channels == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
  TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, l.height);
  Bytes row(l.RowBytes());
  for (std::uint32_t y = 0; y < l.height; ++y) {
    RowToRgbNative(l, frame.data() + y * l.RowBytes(), row.data(), false);
    TIFFWriteScanline(t, row.data(), y, 0);
  }
  TIFFClose(t);
}

void LibpngWrite(const std::string& path, const FrameLayout& l, const Bytes& frame) {
  std::remove(path.c_str());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, f);
  png_set_compression_level(png, kPngDeflateLevel);
  png_set_IHDR(png, info, l.width, l.height, 8 * l.sampleBytes, l.channels == 3 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (l.IsWide()) {
    png_color_8 bits{};
    bits.red = bits.green = bits.blue = bits.gray = png_byte(l.sampleBits);
    png_set_sBIT(png, info, &bits);
  }
  png_write_info(png, info);
  Bytes row(l.RowBytes());
  for (std::uint32_t y = 0; y < l.height; ++y) {
    const std::uint8_t* src = frame.data() + y * l.RowBytes();
    if (l.IsWide()) {
      RowToFullScale16(l, src, row.data());  // the same samples as ours
    } else {
      RowTo8Bit(l, src, row.data(), RowOrder::Rgb);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

// The compressed container's peer: each frame deflated at the same level and written.
void DeflateAndWrite(const std::string& path, const Bytes& frame, int frames) {
  std::remove(path.c_str());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  Bytes packed(compressBound(uLong(frame.size())));
  for (int i = 0; i < frames; ++i) {
    uLongf size = uLongf(packed.size());
    compress2(packed.data(), &size, frame.data(), uLong(frame.size()), 1);
    std::fwrite(packed.data(), 1, size, f);
  }
  std::fclose(f);
}

Bytes RgbOf(const FrameLayout& l, const Bytes& frame) {
  Bytes rgb(std::size_t(l.width) * l.height * l.channels);
  for (std::uint32_t y = 0; y < l.height; ++y)
    RowTo8Bit(l, frame.data() + y * l.RowBytes(), rgb.data() + y * l.width * l.channels, RowOrder::Rgb);
  return rgb;
}

void LibjpegWrite(const std::string& path, const FrameLayout& l, const Bytes& frame) {
  std::remove(path.c_str());
  const Bytes rgb = RgbOf(l, frame);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = l.width;
  c.image_height = l.height;
  c.input_components = int(l.channels);
  c.in_color_space = l.channels == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, kJpegPercent, TRUE);
  for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  c.dct_method = JDCT_FLOAT;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + c.next_scanline * l.width * l.channels);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(f);
}

Bytes LibjpegDecode(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_stdio_src(&d, f);
  jpeg_read_header(&d, TRUE);
  jpeg_start_decompress(&d);
  Bytes out(std::size_t(d.output_width) * d.output_height * d.output_components);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = out.data() + std::size_t(d.output_scanline) * d.output_width * d.output_components;
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  std::fclose(f);
  return out;
}

double Psnr(const Bytes& a, const Bytes& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
  return sum == 0 ? 99 : 10 * std::log10(255.0 * 255.0 * a.size() / sum);
}

struct Content {
  const char* name;
  std::uint32_t depth;
};

class Bench {
 public:
  explicit Bench(const std::string& dir) : dir_(dir) {}

  void Run(const Content& content) {
    ImageInfo info{};
    info.Size = sizeof info;
    info.Width = kWidth;
    info.Height = kHeight;
    info.PixelDepth = content.depth;
    info.ColorKind = content.depth < 24 ? 0 : 2;
    info.FrameRate = 25;
    DescribeFrame(&info, layout_);
    frame_ = MakeFrame(layout_, 1);
    info_ = info;
    const std::string tag = content.name;

    Compare("tiff_" + tag, kFilesPerRun, Writer(kTypeTiff, "x.tif", kFilesPerRun), "libtiff",
            [&] { Repeat([&] { LibtiffWrite(Path("peer.tif"), layout_, frame_); }); });
    Uncompressed("tiff_" + tag, kTypeTiff, "x.tif", kFilesPerRun);
    Uncompressed("bmp_" + tag, kTypeBmp, "x.bmp", kFilesPerRun);
    SetCodec(kTypeAvi, kCodecUncompressed);
    SetCodec(kTypeMov, kCodecUncompressed);
    Uncompressed("mpt_" + tag, kTypeMultipageTiff, "x.mpt", kSequenceFrames);
    Uncompressed("mrf_" + tag, kTypeMultipageRaw, "x.mrf", kSequenceFrames);
    Uncompressed("pnm_" + tag, kTypePnmStream, "x.pnm", kSequenceFrames);
    Uncompressed("avi_uncompressed_" + tag, kTypeAvi, "x.avi", kSequenceFrames);
    Uncompressed("mov_uncompressed_" + tag, kTypeMov, "x.mov", kSequenceFrames);
    Compare("mcf_" + tag, kSequenceFrames, Writer(kTypeCompressedSequence, "x.mcf", kSequenceFrames), "zlib_level1_fwrite",
            [&] { DeflateAndWrite(Path("peer.z"), frame_, kSequenceFrames); });

    Compare("png_" + tag, 1, Writer(kTypePng, "x.png", 1), "libpng", [&] { LibpngWrite(Path("peer.png"), layout_, frame_); });
    Report("png_size_" + tag, double(FileBytes(Path("x.png"))), "bytes", double(FileBytes(Path("peer.png"))), "libpng");

    if (layout_.IsWide()) return;  // JPEG compares 8-bit content, as libjpeg takes it
    SetCodec(kTypeJpeg, kCodecJpeg);
    const auto libjpeg = [&] { Repeat([&] { LibjpegWrite(Path("peer.jpg"), layout_, frame_); }); };
    Compare("jpeg_q75_" + tag, kFilesPerRun, Writer(kTypeJpeg, "x.jpg", kFilesPerRun),
            "libjpeg-turbo", libjpeg);
    const Bytes rgb = RgbOf(layout_, frame_);
    const double ours = Psnr(rgb, LibjpegDecode(Path("x.jpg"))), theirs = Psnr(rgb, LibjpegDecode(Path("peer.jpg")));
    Report(std::string("jpeg_q75_psnr_") + content.name, ours, "dB", theirs, "libjpeg-turbo");
    Report("jpeg_q75_size_" + tag, double(FileBytes(Path("x.jpg"))), "bytes", double(FileBytes(Path("peer.jpg"))),
           "libjpeg-turbo");
    SetCodec(kTypeAvi, kCodecJpeg);
    Compare("avi_mjpeg_q75_" + tag, kFilesPerRun, Writer(kTypeAvi, "mjpeg.avi", kFilesPerRun), "libjpeg-turbo", libjpeg);
  }

 private:
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::function<void()> Writer(int type, const char* file, int frames, bool toDisk = false) {
    return [this, type, file, frames, toDisk] { Write(type, Path(file), frames, toDisk); };
  }
  // Reports our frames per second against the peer's for the same frames.
  void Compare(const std::string& name, int frames, const std::function<void()>& ours, const char* peerName,
                 const std::function<void()>& peer) {
    const PairTiming t = MedianPair(ours, peer, kRuns, 1);
    Report(name, frames / t.seconds, "fps", frames / t.peerSeconds, peerName);
  }
  // Against writing files of the same size as ours: what the system's cache allows for these
  // bytes, and what the disk allows when both wait for the data to reach it.
  void Uncompressed(const std::string& name, int type, const char* file, int frames) {
    Write(type, Path(file), frames);
    const std::uint64_t bytes = FileBytes(Path(file));
    const int files = type < kTypeMultipageTiff ? frames : 1;
    Compare(name, frames, Writer(type, file, frames), "fwrite",
            [&] { PlainWrite(Path("plain"), frame_, bytes, files, false); });
    Compare(name + "_to_disk", frames, Writer(type, file, frames, true), "fwrite_fsync",
            [&] { PlainWrite(Path("plain"), frame_, bytes, files, true); });
  }
  void SetCodec(int type, std::uint32_t id) {
    CodecInfo c{};
    c.CodecId = id;
    c.Quality = kJpegPercent * 100;
    library_.SetCodec(type, &c);
  }
  // frames frames into one file, or for single-frame types as many files of one frame; each
  // complete file flushed to the disk when toDisk is set.
  void Write(int type, const std::string& path, int frames, bool toDisk = false) {
    const bool single = type < kTypeMultipageTiff;
    for (int i = 0; i < frames; ++i) {
      if (single || i == 0) std::remove(path.c_str());
      if (library_.WriteFile(path.c_str(), single ? 0 : i, type, &info_, frame_.data(), single ? 1 : frames) != kPictoOk)
        std::fprintf(stderr, "write of type %d failed\n", type);
      if (toDisk && (single || i == frames - 1)) SyncToDisk(path);
    }
  }
  void Repeat(const std::function<void()>& once) {
    for (int i = 0; i < kFilesPerRun; ++i) once();
  }

  std::string dir_;
  PictoLibrary library_;
  FrameLayout layout_;
  ImageInfo info_{};
  Bytes frame_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "pictolib-bench").string();
  std::filesystem::create_directories(dir);
  Bench bench(dir);
  const Content contents[] = {{"8bit", 8}, {"10bit", 10}, {"24bit", 24}};
  for (const Content& c : contents) bench.Run(c);
  std::filesystem::remove_all(dir);
  return 0;
}
