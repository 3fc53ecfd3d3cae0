// Loads the real PictoLib.dll by name, as the control does, and writes every file type through it.
#include "platform/pictolib/PictoTypes.h"
#include "tests/pictolib/TestFrames.h"
#include "platform/win32/HighAddressBlock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

using EnumCodecsFn = int(__stdcall*)(int, CodecInfo*, int*);
using GetCodecFn = int(__stdcall*)(int, CodecInfo*);
using SetCodecFn = int(__stdcall*)(int, const CodecInfo*);
using ValidateFn = int(__stdcall*)(int, int);
using ExtFn = int(__stdcall*)(int, char*);
using WriteFn = int(__stdcall*)(const char*, int, int, const ImageInfo*, int, int, const void*, int);

class PictoLibDll : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA("PictoLib.dll");
    ASSERT_NE(module_, nullptr) << "PictoLib.dll not found next to the test";
    enumCodecs_ = Bind<EnumCodecsFn>("EnumGCompressionCodecs");
    getCodec_ = Bind<GetCodecFn>("GetGCompressionCodec");
    setCodec_ = Bind<SetCodecFn>("SetGCompressionCodec");
    validate_ = Bind<ValidateFn>("ValidateGFileType");
    ext_ = Bind<ExtFn>("GetExtFromGFileType");
    write_ = Bind<WriteFn>("WriteGFile");
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  template <class Fn>
  Fn Bind(const char* name) {
    FARPROC p = GetProcAddress(module_, name);
    EXPECT_NE(p, nullptr) << name << " is not exported by its plain name";
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(p));
  }
  std::string PathFor(int type) {
    char ext[8] = {};
    EXPECT_EQ(ext_(type, ext), 0);
    return dir_.Path(std::string("dll.") + ext);
  }

  HMODULE module_ = nullptr;
  EnumCodecsFn enumCodecs_ = nullptr;
  GetCodecFn getCodec_ = nullptr;
  SetCodecFn setCodec_ = nullptr;
  ValidateFn validate_ = nullptr;
  ExtFn ext_ = nullptr;
  WriteFn write_ = nullptr;
  ScratchFolder dir_;
};

TEST_F(PictoLibDll, WritesEveryTypeAndDepth) {
  ASSERT_NE(write_, nullptr);
  const int types[] = {1, 2, 3, 4, 11, 12, 13, 14, 17, 20};
  for (int type : types) {
    for (std::uint32_t depth : kAllDepths) {
      SCOPED_TRACE("type " + std::to_string(type) + " depth " + std::to_string(depth));
      const ImageInfo info = MakeInfo(33, 17, depth, 5.0f);
      const int count = type >= 11 ? 3 : 1;
      const std::string path = PathFor(type);
      for (int i = 0; i < count; ++i) {
        const Frame f = MakeFrame(LayoutOf(info), std::uint32_t(i));
        ASSERT_EQ(write_(path.c_str(), i, type, &info, 0, 0, f.data(), count), 0);
      }
      EXPECT_TRUE(HasFileSignature(type, ReadWholeFile(path)));
      EXPECT_EQ(dir_.Files().size(), 1u);
      DeleteFileA(path.c_str());
    }
  }
}

// In the 64-bit build the frame lies above 4 GiB, where a pointer cut to 32 bits would miss it.
TEST_F(PictoLibDll, WritesAFrameHeldAboveFourGigabytes) {
  const ImageInfo info = MakeInfo(33, 17, 30, 5.0f);
  const Frame f = MakeFrame(LayoutOf(info), 7);
  CHighAddressBlock high(f.size());
  ASSERT_TRUE(high.IsPlacedAsRequired());
  std::memcpy(high.Data(), f.data(), f.size());
  for (int type : {1, 17}) {
    const std::string low = dir_.Path("low" + std::to_string(type)), above = dir_.Path("high" + std::to_string(type));
    ASSERT_EQ(write_(low.c_str(), 0, type, &info, 0, 0, f.data(), 1), 0);
    ASSERT_EQ(write_(above.c_str(), 0, type, &info, 0, 0, high.Data(), 1), 0);
    EXPECT_EQ(ReadWholeFile(above), ReadWholeFile(low)) << "type " << type;
  }
}

// Also over a longer temporary left by an earlier run: it is emptied, not written into.
TEST_F(PictoLibDll, ReplacesAnExistingFile) {
  const std::string path = PathFor(2);
  const ImageInfo small = MakeInfo(4, 4, 8), large = MakeInfo(40, 40, 24);
  const Frame a = MakeFrame(LayoutOf(small), 0), b = MakeFrame(LayoutOf(large), 0);
  std::FILE* stale = std::fopen((path + ".part").c_str(), "wb");
  ASSERT_NE(stale, nullptr);
  std::fwrite(std::string(100000, 'x').data(), 1, 100000, stale);
  std::fclose(stale);
  ASSERT_EQ(write_(path.c_str(), 0, 2, &small, 0, 0, a.data(), 1), 0);
  EXPECT_EQ(ReadWholeFile(path).size(), 54u + 1024u + 4u * 4u);
  ASSERT_EQ(write_(path.c_str(), 0, 2, &large, 0, 0, b.data(), 1), 0);
  EXPECT_EQ(ReadWholeFile(path).size(), 54u + 120u * 40u);
  EXPECT_EQ(dir_.Files().size(), 1u);
}

TEST_F(PictoLibDll, CodecsTypesAndExtensionsThroughTheExports) {
  CodecInfo entries[64];
  int count = 64;
  ASSERT_EQ(enumCodecs_(17, entries, &count), 0);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(entries[0].CodecId, 0u);
  EXPECT_EQ(entries[1].CodecId, 1u);
  CodecInfo chosen = entries[1];
  chosen.Quality = 6600;
  ASSERT_EQ(setCodec_(17, &chosen), 0);
  CodecInfo current{};
  ASSERT_EQ(getCodec_(17, &current), 0);
  EXPECT_EQ(current.CodecId, 1u);
  EXPECT_EQ(current.Quality, 6600u);
  const std::string path = PathFor(17);
  const ImageInfo info = MakeInfo(16, 16, 24, 30.0f);
  const Frame f = MakeFrame(LayoutOf(info), 0);
  ASSERT_EQ(write_(path.c_str(), 0, 17, &info, 0, 0, f.data(), 1), 0);
  const std::vector<std::uint8_t> avi = ReadWholeFile(path);
  EXPECT_NE(std::search(avi.begin(), avi.end(), "MJPG", "MJPG" + 4), avi.end());

  EXPECT_EQ(validate_(20, 2), 20);
  EXPECT_EQ(validate_(7, 1), 1);
  EXPECT_EQ(validate_(19, 0), 11);
  char ext[8];
  ASSERT_EQ(ext_(13, ext), 0);
  EXPECT_STREQ(ext, "pnm");
  EXPECT_NE(ext_(6, ext), 0);
}

// A file cut short, by a request to end it or by the library going, is closed under its name.
TEST_F(PictoLibDll, FilesCutShortAreClosedWithTheirFrames) {
  const ImageInfo info = MakeInfo(8, 8, 8, 5.0f);
  const Frame f = MakeFrame(LayoutOf(info), 0);
  const std::string ended = PathFor(17), left = PathFor(20);
  for (int i = 0; i < 2; ++i) ASSERT_EQ(write_(ended.c_str(), i, 17, &info, 0, 0, f.data(), 5), 0);
  EXPECT_EQ(write_(ended.c_str(), 2, 17, &info, 0, 0, nullptr, 2), 0);
  ASSERT_EQ(write_(left.c_str(), 0, 20, &info, 0, 0, f.data(), 4), 0);
  EXPECT_EQ(dir_.Files().size(), 2u);
  ASSERT_TRUE(FreeLibrary(module_));
  module_ = nullptr;
  const auto name = [](const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); };
  std::vector<std::string> expected{name(ended), name(left)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(dir_.Files(), expected);
  const std::vector<std::uint8_t> movie = ReadWholeFile(left);
  EXPECT_NE(std::search(movie.begin(), movie.end(), "moov", "moov" + 4), movie.end()) << "the movie atom was written";
}

TEST_F(PictoLibDll, BadCallsReturnNonZero) {
  const ImageInfo info = MakeInfo(8, 8, 8);
  const Frame f = MakeFrame(LayoutOf(info), 0);
  const std::string path = PathFor(11);
  EXPECT_NE(write_(nullptr, 0, 1, &info, 0, 0, f.data(), 1), 0);
  EXPECT_NE(write_(path.c_str(), 0, 1, nullptr, 0, 0, f.data(), 1), 0);
  EXPECT_NE(write_(path.c_str(), 0, 1, &info, 0, 0, nullptr, 1), 0);
  EXPECT_NE(write_(path.c_str(), 0, 9, &info, 0, 0, f.data(), 1), 0);
  EXPECT_NE(write_("Z:\\no\\such\\folder\\x.tif", 0, 1, &info, 0, 0, f.data(), 1), 0);
  ASSERT_EQ(write_(path.c_str(), 0, 11, &info, 0, 0, f.data(), 3), 0);
  EXPECT_EQ(write_(path.c_str(), 2, 11, &info, 0, 0, f.data(), 3), kPictoOutOfOrder);
  EXPECT_EQ(dir_.Files().size(), 1u) << "the file is closed with its first frame";
  EXPECT_NE(enumCodecs_(17, nullptr, nullptr), 0);
  EXPECT_NE(getCodec_(17, nullptr), 0);
  EXPECT_NE(setCodec_(17, nullptr), 0);
  EXPECT_NE(ext_(1, nullptr), 0);
}

}  // namespace
