// The library's rules: extensions, type check, codecs, multi-frame state, bad input, full disks.
#include "platform/pictolib/CodecSettings.h"
#include "platform/pictolib/FileTypes.h"
#include "platform/pictolib/FrameText.h"
#include "platform/pictolib/PictoLibrary.h"
#include "tests/pictolib/TestFrames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <random>

namespace {

const int kAllTypes[] = {1, 2, 3, 4, 11, 12, 13, 14, 17, 20};
const int kNoTypes[] = {0, 5, 10, 15, 16, 18, 21, -1, 1000};

bool Contains(const std::vector<std::uint8_t>& bytes, const char* tag) {
  return std::search(bytes.begin(), bytes.end(), tag, tag + std::strlen(tag)) != bytes.end();
}

int WriteFrames(PictoLibrary& lib, const std::string& path, int type, const ImageInfo& info, int count) {
  const FrameLayout l = LayoutOf(info);
  for (int i = 0; i < count; ++i) {
    const Frame f = MakeFrame(l, std::uint32_t(i));
    const int status = lib.WriteFile(path.c_str(), i, type, &info, f.data(), count);
    if (status != kPictoOk) return status;
  }
  return kPictoOk;
}

int FramesFor(int type) { return FindFileType(type)->multiFrame ? 3 : 1; }

std::string PathFor(const ScratchFolder& dir, PictoLibrary& lib, int type, const std::string& stem = "x") {
  char ext[8];
  EXPECT_EQ(lib.GetExtension(type, ext), kPictoOk);
  return dir.Path(stem + "." + ext);
}

TEST(PictoLibrary, ExtensionsOfEveryType) {
  PictoLibrary lib;
  const std::pair<int, const char*> cases[] = {{1, "tif"},  {2, "bmp"},  {3, "jpg"},  {4, "png"},  {11, "mpt"},
                                               {12, "mrf"}, {13, "pnm"}, {14, "mcf"}, {17, "avi"}, {20, "mov"}};
  for (const auto& c : cases) {
    char ext[8];
    std::memset(ext, 'x', sizeof ext);
    ASSERT_EQ(lib.GetExtension(c.first, ext), kPictoOk);
    EXPECT_STREQ(ext, c.second);
  }
  for (int type : kNoTypes) {
    char ext[8] = "old";
    EXPECT_EQ(lib.GetExtension(type, ext), kPictoUnknownType) << type;
    EXPECT_STREQ(ext, "");
  }
  EXPECT_EQ(lib.GetExtension(1, nullptr), kPictoBadArgument);
}

TEST(PictoLibrary, ValidateKeepsKnownTypesAndReplacesOthersByTiff) {
  PictoLibrary lib;
  for (int type : kAllTypes)
    for (int pixelClass : {0, 1, 2, 7, -1}) EXPECT_EQ(lib.ValidateType(type, pixelClass), type) << type;
  const std::pair<int, int> replaced[] = {{0, 1}, {5, 1}, {10, 1}, {-1, 1}, {15, 11}, {18, 11}, {1000, 11}};
  for (const auto& r : replaced)
    for (int pixelClass : {0, 1, 2}) EXPECT_EQ(lib.ValidateType(r.first, pixelClass), r.second) << r.first;
}

TEST(PictoLibrary, EnumeratesTheCodecsOfEachType) {
  PictoLibrary lib;
  struct Case {
    int type;
    std::vector<std::uint32_t> ids;
  };
  const Case cases[] = {{17, {0, 1}}, {20, {0, 1}}, {3, {1}}, {1, {}}, {2, {}}, {4, {}},
                        {11, {}},     {12, {}},     {13, {}}, {14, {}}};
  for (const Case& c : cases) {
    CodecInfo entries[64];
    int count = 64;
    ASSERT_EQ(lib.EnumCodecs(c.type, entries, &count), kPictoOk);
    ASSERT_EQ(count, int(c.ids.size())) << c.type;
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(entries[i].CodecId, c.ids[i]);
      EXPECT_GT(std::strlen(entries[i].Name), 0u);
      EXPECT_LE(entries[i].Quality, kMaxQuality);
    }
  }
  CodecInfo one[1];
  int count = 1;
  EXPECT_EQ(lib.EnumCodecs(17, one, &count), kPictoBadArgument);
  EXPECT_EQ(lib.EnumCodecs(17, one, nullptr), kPictoBadArgument);
  count = 4;
  EXPECT_EQ(lib.EnumCodecs(17, nullptr, &count), kPictoBadArgument);
  count = 64;
  EXPECT_EQ(lib.EnumCodecs(9, one, &count), kPictoUnknownType);
}

TEST(PictoLibrary, DefaultCodecsAndRoundTrip) {
  PictoLibrary lib;
  const std::pair<int, std::uint32_t> defaults[] = {{17, kCodecUncompressed}, {20, kCodecJpeg}, {3, kCodecJpeg}};
  for (const auto& d : defaults) {
    CodecInfo c{};
    ASSERT_EQ(lib.GetCodec(d.first, &c), kPictoOk);
    EXPECT_EQ(c.CodecId, d.second);
    EXPECT_EQ(c.Quality, kDefaultQuality);
  }
  CodecInfo wanted{};
  wanted.CodecId = kCodecJpeg;
  wanted.Quality = 4200;
  ASSERT_EQ(lib.SetCodec(17, &wanted), kPictoOk);
  CodecInfo got{};
  ASSERT_EQ(lib.GetCodec(17, &got), kPictoOk);
  EXPECT_EQ(got.CodecId, kCodecJpeg);
  EXPECT_EQ(got.Quality, 4200u);
  EXPECT_STREQ(got.Name, "Motion JPEG");
  CodecInfo entries[64];
  int count = 64;
  ASSERT_EQ(lib.EnumCodecs(17, entries, &count), kPictoOk);
  EXPECT_EQ(entries[1].Quality, 4200u);  // the current entry shows the current quality
  CodecInfo moved = got;                 // the dialog copies whole records back
  moved.Quality = 9900;
  EXPECT_EQ(lib.SetCodec(17, &moved), kPictoOk);
  ASSERT_EQ(lib.GetCodec(17, &got), kPictoOk);
  EXPECT_EQ(got.Quality, 9900u);
}

TEST(PictoLibrary, RefusedCodecSettingsChangeNothing) {
  PictoLibrary lib;
  struct Case {
    int type;
    std::uint32_t id, quality;
    int status;
  };
  const Case cases[] = {{17, 7, 5000, kPictoUnknownCodec}, {17, 1, 10001, kPictoUnknownCodec},
                        {3, 0, 5000, kPictoUnknownCodec},  {1, 0, 0, kPictoUnknownCodec},
                        {9, 1, 5000, kPictoUnknownType}};
  for (const Case& c : cases) {
    CodecInfo in{};
    in.CodecId = c.id;
    in.Quality = c.quality;
    EXPECT_EQ(lib.SetCodec(c.type, &in), c.status) << c.type << " " << c.id;
  }
  EXPECT_EQ(lib.SetCodec(17, nullptr), kPictoBadArgument);
  EXPECT_EQ(lib.GetCodec(17, nullptr), kPictoBadArgument);
  CodecInfo c{};
  ASSERT_EQ(lib.GetCodec(17, &c), kPictoOk);
  EXPECT_EQ(c.CodecId, kCodecUncompressed);
  EXPECT_EQ(c.Quality, kDefaultQuality);
}

TEST(PictoLibrary, CodecSettingsApplyToLaterWrites) {
  ScratchFolder dir;
  PictoLibrary lib;
  const ImageInfo info = MakeInfo(32, 16, 24);
  struct Case {
    int type;
    std::uint32_t id;
    const char* present;
    const char* absent;
  };
  const Case cases[] = {{17, kCodecJpeg, "MJPG", "00db"}, {17, kCodecUncompressed, "00db", "MJPG"},
                        {20, kCodecUncompressed, "raw ", "jpeg"}, {20, kCodecJpeg, "jpeg", "raw "}};
  for (const Case& c : cases) {
    CodecInfo codec{};
    codec.CodecId = c.id;
    codec.Quality = 5000;
    ASSERT_EQ(lib.SetCodec(c.type, &codec), kPictoOk);
    const std::string path = PathFor(dir, lib, c.type);
    ASSERT_EQ(WriteFrames(lib, path, c.type, info, 2), kPictoOk);
    const std::vector<std::uint8_t> file = ReadWholeFile(path);
    EXPECT_TRUE(Contains(file, c.present)) << c.present;
    EXPECT_FALSE(Contains(file, c.absent)) << c.absent;
  }
  std::size_t lastSize = 0;
  for (std::uint32_t quality : {2000u, 6000u, 9500u}) {
    CodecInfo codec{};
    codec.CodecId = kCodecJpeg;
    codec.Quality = quality;
    ASSERT_EQ(lib.SetCodec(3, &codec), kPictoOk);
    const std::string path = dir.Path("q.jpg");
    ASSERT_EQ(WriteFrames(lib, path, 3, info, 1), kPictoOk);
    const std::size_t size = ReadWholeFile(path).size();
    EXPECT_GT(size, lastSize) << quality;
    lastSize = size;
  }
}

TEST(PictoLibrary, SequenceKeepsTheCodecOfItsFirstFrame) {
  ScratchFolder dir;
  PictoLibrary lib;
  const ImageInfo info = MakeInfo(16, 16, 8);
  const FrameLayout l = LayoutOf(info);
  const Frame f = MakeFrame(l, 1);
  const std::string path = dir.Path("keep.avi");
  ASSERT_EQ(lib.WriteFile(path.c_str(), 0, 17, &info, f.data(), 2), kPictoOk);
  CodecInfo codec{};
  codec.CodecId = kCodecJpeg;
  ASSERT_EQ(lib.SetCodec(17, &codec), kPictoOk);
  ASSERT_EQ(lib.WriteFile(path.c_str(), 1, 17, &info, f.data(), 2), kPictoOk);
  EXPECT_FALSE(Contains(ReadWholeFile(path), "MJPG"));
}

TEST(PictoLibrary, BadArgumentsAreRefusedAndLeaveNoFile) {
  ScratchFolder dir;
  PictoLibrary lib;
  const ImageInfo good = MakeInfo(8, 8, 8);
  const Frame f = MakeFrame(LayoutOf(good), 0);
  const std::string tif = dir.Path("a.tif"), avi = dir.Path("a.avi");
  ImageInfo shortRecord = good;
  shortRecord.Size = 40;
  const ImageInfo wide = MakeInfo(70000, 1, 8), empty = MakeInfo(0, 8, 8), deep = MakeInfo(8, 8, 16);
  const ImageInfo stopped = MakeInfo(8, 8, 8, 0.0f), nan = MakeInfo(8, 8, 8, std::nanf(""));
  struct Case {
    const char* name;
    int index, type;
    const ImageInfo* info;
    const void* pixels;
    int count, status;
  };
  const Case cases[] = {
      {nullptr, 0, 1, &good, f.data(), 1, kPictoBadArgument},
      {"", 0, 1, &good, f.data(), 1, kPictoBadArgument},
      {tif.c_str(), 0, 1, nullptr, f.data(), 1, kPictoBadArgument},
      {tif.c_str(), 0, 1, &good, nullptr, 1, kPictoBadArgument},
      {tif.c_str(), 0, 1, &shortRecord, f.data(), 1, kPictoBadArgument},
      {tif.c_str(), 0, 1, &wide, f.data(), 1, kPictoBadGeometry},
      {tif.c_str(), 0, 1, &empty, f.data(), 1, kPictoBadGeometry},
      {tif.c_str(), 0, 1, &deep, f.data(), 1, kPictoBadGeometry},
      {tif.c_str(), 0, 5, &good, f.data(), 1, kPictoUnknownType},
      {tif.c_str(), 0, -1, &good, f.data(), 1, kPictoUnknownType},
      {tif.c_str(), 1, 1, &good, f.data(), 1, kPictoBadArgument},
      {tif.c_str(), 0, 1, &good, f.data(), 2, kPictoBadArgument},
      {avi.c_str(), 0, 17, &good, f.data(), 0, kPictoBadArgument},
      {avi.c_str(), -1, 17, &good, f.data(), 3, kPictoBadArgument},
      {avi.c_str(), 3, 17, &good, f.data(), 3, kPictoBadArgument},
      {avi.c_str(), 0, 17, &good, f.data(), int(kMaxSequenceFrames) + 1, kPictoBadArgument},
      {avi.c_str(), 0, 17, &stopped, f.data(), 2, kPictoBadArgument},
      {avi.c_str(), 0, 20, &nan, f.data(), 2, kPictoBadArgument},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lib.WriteFile(c.name, c.index, c.type, c.info, c.pixels, c.count), c.status)
        << (c.name ? c.name : "(null)") << " index " << c.index << " type " << c.type << " count " << c.count;
  }
  EXPECT_TRUE(dir.Files().empty());
  EXPECT_EQ(lib.OpenFiles(), 0u);
}

TEST(PictoLibrary, UnwritableFolderGivesOpenFailedForEveryType) {
  ScratchFolder dir;
  PictoLibrary lib;
  const ImageInfo info = MakeInfo(8, 8, 24);
  for (int type : kAllTypes) {
    const std::string path = PathFor(dir, lib, type, "missing-folder/x");
    const Frame f = MakeFrame(LayoutOf(info), 0);
    EXPECT_EQ(lib.WriteFile(path.c_str(), 0, type, &info, f.data(), FramesFor(type)), kPictoOpenFailed) << type;
  }
  EXPECT_TRUE(dir.Files().empty());
  EXPECT_EQ(lib.OpenFiles(), 0u);
}

TEST(PictoLibrary, MultiFrameFileAppearsOnlyAfterItsLastFrame) {
  ScratchFolder dir;
  PictoLibrary lib;
  const ImageInfo info = MakeInfo(16, 8, 10);
  const Frame f = MakeFrame(LayoutOf(info), 0);
  for (int type : kAllTypes) {
    if (!FindFileType(type)->multiFrame) continue;
    const std::string path = PathFor(dir, lib, type, "seq");
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(dir.Files(), std::vector<std::string>(i == 0 ? 0 : 1, name + ".part")) << type;
      ASSERT_EQ(lib.WriteFile(path.c_str(), i, type, &info, f.data(), 3), kPictoOk) << type;
    }
    EXPECT_EQ(dir.Files(), std::vector<std::string>{name}) << type;
    EXPECT_EQ(lib.OpenFiles(), 0u);
    std::remove(path.c_str());
  }
}

TEST(PictoLibrary, UnfinishedFileIsClosedWithItsFramesWhenTheLibraryGoes) {
  ScratchFolder dir;
  const ImageInfo info = MakeInfo(16, 8, 24);
  const Frame f = MakeFrame(LayoutOf(info), 0);
  {
    PictoLibrary lib;
    ASSERT_EQ(lib.WriteFile(dir.Path("cut.avi").c_str(), 0, 17, &info, f.data(), 5), kPictoOk);
    ASSERT_EQ(lib.WriteFile(dir.Path("cut.avi").c_str(), 1, 17, &info, f.data(), 5), kPictoOk);
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"cut.avi.part"});
  }
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"cut.avi"});
}

TEST(PictoLibrary, EndingEarlyClosesEveryMultiFrameTypeUnderItsName) {
  ScratchFolder dir;
  PictoLibrary lib;
  const ImageInfo info = MakeInfo(16, 8, 10);
  const Frame f = MakeFrame(LayoutOf(info), 0);
  for (int type : kAllTypes) {
    if (!FindFileType(type)->multiFrame) continue;
    SCOPED_TRACE(type);
    const std::string path = PathFor(dir, lib, type, "cut");
    for (int i = 0; i < 2; ++i) ASSERT_EQ(lib.WriteFile(path.c_str(), i, type, &info, f.data(), 5), kPictoOk);
    // The request names the frames written, as index and count, and the file's type.
    const int refused[][3] = {{3, 3, type}, {2, 5, type}, {1, 1, type}, {2, 2, type == 11 ? 12 : 11}};
    for (const auto& r : refused)
      EXPECT_EQ(lib.WriteFile(path.c_str(), r[0], r[2], &info, nullptr, r[1]), kPictoBadArgument) << r[0];
    EXPECT_EQ(lib.OpenFiles(), 1u);
    EXPECT_EQ(lib.WriteFile(path.c_str(), 2, type, &info, nullptr, 2), kPictoOk);
    EXPECT_EQ(lib.OpenFiles(), 0u);
    EXPECT_EQ(dir.Files(), std::vector<std::string>{path.substr(path.find_last_of("/\\") + 1)});
    EXPECT_TRUE(HasFileSignature(type, ReadWholeFile(path)));
    EXPECT_EQ(lib.WriteFile(path.c_str(), 2, type, &info, nullptr, 2), kPictoBadArgument) << "nothing left to end";
    std::remove(path.c_str());
  }
}

TEST(PictoLibrary, FramesOutOfOrderCloseThePartialFile) {
  ScratchFolder dir;
  PictoLibrary lib;
  const ImageInfo info = MakeInfo(16, 8, 8), other = MakeInfo(16, 9, 8);
  const Frame f = MakeFrame(LayoutOf(info), 0), g = MakeFrame(LayoutOf(other), 0);
  const std::string path = dir.Path("seq.mpt");
  struct Step {
    int index, type;
    const ImageInfo* info;
    const Frame* frame;
    int count;
  };
  struct Case {
    const char* what;
    Step second;
  };
  const Case cases[] = {
      {"skipped index", {2, 11, &info, &f, 4}},
      {"restart as another type", {0, 12, &info, &f, 4}},
      {"other count", {1, 11, &info, &f, 5}},
      {"other type", {1, 12, &info, &f, 4}},
      {"other geometry", {1, 11, &other, &g, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove(path.c_str());
    ASSERT_EQ(lib.WriteFile(path.c_str(), 0, 11, &info, f.data(), 4), kPictoOk);
    const Step& s = c.second;
    const int status = lib.WriteFile(path.c_str(), s.index, s.type, s.info, s.frame->data(), s.count);
    if (s.index == 0) {
      // Index 0 starts a new file; the earlier one is closed with its frame first.
      EXPECT_EQ(status, kPictoOk);
      EXPECT_EQ(lib.OpenFiles(), 1u);
      EXPECT_EQ(dir.Files(), (std::vector<std::string>{"seq.mpt", "seq.mpt.part"}));
      EXPECT_EQ(lib.WriteFile(path.c_str(), 2, s.type, s.info, s.frame->data(), s.count), kPictoOutOfOrder);
    } else {
      EXPECT_EQ(status, kPictoOutOfOrder);
    }
    EXPECT_EQ(lib.OpenFiles(), 0u);
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"seq.mpt"}) << "closed with the frame it holds";
  }
  EXPECT_EQ(lib.WriteFile(path.c_str(), 1, 11, &info, f.data(), 4), kPictoOutOfOrder);  // never started
  ASSERT_EQ(WriteFrames(lib, path, 11, info, 4), kPictoOk);
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"seq.mpt"});
}

// A full disk fails the frame that does not fit. A multi-frame file keeps the frames before it,
// as many as leave room for its indexes; nothing is left of a single image.
TEST(PictoLibrary, FullDiskFailsTheFrameAndKeepsTheFramesBefore) {
  const ImageInfo info = MakeInfo(64, 32, 24);
  for (int type : kAllTypes) {
    ScratchFolder dir;
    PictoLibrary unlimited;
    const std::string path = PathFor(dir, unlimited, type);
    ASSERT_EQ(WriteFrames(unlimited, path, type, info, FramesFor(type)), kPictoOk);
    const std::uint64_t needed = ReadWholeFile(path).size();
    std::remove(path.c_str());
    for (std::uint64_t capacity : {std::uint64_t(0), needed / 3, needed / 2, needed - 1, needed}) {
      SCOPED_TRACE("type " + std::to_string(type) + " capacity " + std::to_string(capacity) + " of " +
                   std::to_string(needed));
      WriterLimits limits;
      limits.diskCapacity = capacity;
      PictoLibrary lib(limits);
      EXPECT_EQ(WriteFrames(lib, path, type, info, FramesFor(type)), capacity < needed ? kPictoWriteFailed : kPictoOk);
      EXPECT_EQ(lib.OpenFiles(), 0u);
      const std::vector<std::string> files = dir.Files();
      // Half the room holds one of the three frames with its indexes; a third may or may not.
      const bool kept = capacity >= needed || (FramesFor(type) > 1 && capacity >= needed / 2);
      const bool none = capacity == 0 || (FramesFor(type) == 1 && capacity < needed);
      if (kept || none) {
        ASSERT_EQ(files.size(), kept ? 1u : 0u);
      }
      if (!files.empty()) {
        ASSERT_EQ(files, std::vector<std::string>{path.substr(path.find_last_of("/\\") + 1)});
        const std::vector<std::uint8_t> file = ReadWholeFile(path);
        EXPECT_LE(file.size(), capacity);
        EXPECT_TRUE(HasFileSignature(type, file));
      }
      std::remove(path.c_str());
    }
  }
}

TEST(PictoLibrary, FailedRewriteKeepsTheOldFile) {
  ScratchFolder dir;
  const std::string path = dir.Path("keep.tif");
  {
    std::ofstream old(path, std::ios::binary);
    old << "previous image";
  }
  WriterLimits limits;
  limits.diskCapacity = 50;
  PictoLibrary lib(limits);
  EXPECT_EQ(WriteFrames(lib, path, 1, MakeInfo(32, 32, 8), 1), kPictoWriteFailed);
  const std::vector<std::uint8_t> kept = ReadWholeFile(path);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "previous image");
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"keep.tif"});
  PictoLibrary roomy;
  ASSERT_EQ(WriteFrames(roomy, path, 1, MakeInfo(32, 32, 8), 1), kPictoOk);  // a good write replaces it
  EXPECT_EQ(ReadWholeFile(path)[0], 'I');
}

// Random sizes from 1 x 1 to 4096 x 16 for every type and depth.
TEST(PictoLibrary, RandomSizesOfEveryTypeAndDepthWrite) {
  ScratchFolder dir;
  PictoLibrary lib;
  std::mt19937 random(4096);
  std::uniform_int_distribution<std::uint32_t> width(1, 4096), height(1, 16);
  for (int type : kAllTypes) {
    for (std::uint32_t depth : kAllDepths) {
      for (int round = 0; round < 3; ++round) {
        const ImageInfo info = MakeInfo(round == 0 ? 1 : width(random), round == 0 ? 1 : height(random), depth);
        SCOPED_TRACE("type " + std::to_string(type) + " depth " + std::to_string(depth) + " " +
                     std::to_string(info.Width) + "x" + std::to_string(info.Height));
        const std::string path = PathFor(dir, lib, type);
        ASSERT_EQ(WriteFrames(lib, path, type, info, FramesFor(type)), kPictoOk);
        const std::vector<std::uint8_t> file = ReadWholeFile(path);
        EXPECT_TRUE(HasFileSignature(type, file));
        const std::uint64_t raw = LayoutOf(info).FrameBytes() * std::uint64_t(FramesFor(type));
        if (type == 12) {
          EXPECT_EQ(file.size(), 48 + raw);
        }
        if (type == 1 || type == 11) {
          EXPECT_GT(file.size(), raw);
        }
        EXPECT_EQ(dir.Files().size(), 1u);
        std::remove(path.c_str());
      }
    }
  }
}

TEST(PictoLibrary, FileTextsAreCheckedAndGoWithOneFrameOnly) {
  const std::string longest(kMaxDescriptionBytes, 'x'), tooLong = longest + "x";
  struct Case {
    const char *description, *dateTime;
    int status;
  };
  const Case cases[] = {
      {"frame=3\ntime_s=-0.00008", "2026-12-09 11:04:41", kPictoOk},
      {longest.c_str(), "", kPictoOk},
      {nullptr, nullptr, kPictoOk},
      {tooLong.c_str(), "", kPictoBadArgument},
      {"tab\there", "", kPictoBadArgument},
      {"caf\xe9", "", kPictoBadArgument},
      {"x", "2026-12-09T11:04:41", kPictoBadArgument},
      {"x", "2026-12-9 11:04:41", kPictoBadArgument},
      {"x", "2026-12-09 11:04:41 ", kPictoBadArgument},
  };
  PictoLibrary lib;
  for (const Case& c : cases) {
    EXPECT_EQ(lib.SetFileText("a.tif", c.description, c.dateTime), c.status) << c.description;
  }
  EXPECT_EQ(lib.SetFileText(nullptr, "x", ""), kPictoBadArgument);

  ScratchFolder dir;
  const std::string path = dir.Path("a.tif");
  const ImageInfo info = MakeInfo(8, 4, 8);
  ASSERT_EQ(lib.SetFileText(path.c_str(), "frame=3", "2026-12-09 11:04:41"), kPictoOk);
  ASSERT_EQ(WriteFrames(lib, path, kTypeTiff, info, 1), kPictoOk);
  EXPECT_TRUE(Contains(ReadWholeFile(path), "frame=3"));
  EXPECT_TRUE(Contains(ReadWholeFile(path), "2026:12:09 11:04:41"));
  ASSERT_EQ(WriteFrames(lib, path, kTypeTiff, info, 1), kPictoOk);
  EXPECT_FALSE(Contains(ReadWholeFile(path), "frame=3"));
}

}  // namespace
