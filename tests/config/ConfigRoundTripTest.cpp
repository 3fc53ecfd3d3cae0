// Property: any record written and read back gives the same 23 values, but for empty texts.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "tests/config/PreparedSettings.h"
#include "tests/config/TempFolder.h"

namespace {

const char kStorage[] = "S:\\store";

CameraSettings Prepared() { return PreparedSettings(kStorage); }

// Texts of any length up to the field, of any byte the format can carry: everything but NUL,
// line ends and Ctrl-Z (which ends a text-mode file). Angle brackets are included on purpose.
template <std::size_t N>
void RandomText(std::mt19937& random, char (&field)[N]) {
  std::uniform_int_distribution<int> pickLength(0, 4);
  std::uniform_int_distribution<std::size_t> anyLength(0, N - 1);
  const int kind = pickLength(random);
  const std::size_t length = kind == 0 ? 0 : kind == 1 ? N - 1 : anyLength(random);
  std::uniform_int_distribution<int> pickByte(1, 255);
  std::memset(field, 0, N);
  for (std::size_t i = 0; i < length; ++i) {
    int c;
    do c = pickByte(random); while (c == '\n' || c == '\r' || c == 0x1A);
    field[i] = static_cast<char>(c);
  }
}

CameraSettings RandomRecord(std::mt19937& random) {
  CameraSettings s;
  unsigned char* bytes = reinterpret_cast<unsigned char*>(&s);
  for (std::size_t i = 0; i < sizeof s; ++i) bytes[i] = static_cast<unsigned char>(random());
  RandomText(random, s.ImageFolder);
  RandomText(random, s.ImageNamePrefix);
  return s;
}

// What the file carries of the written record, over what the reader starts from.
CameraSettings Expected(const CameraSettings& w) {
  CameraSettings e = Prepared();
  e.Exposure = w.Exposure;
  e.ExpMode = w.ExpMode;
  e.Rate = w.Rate;
  e.OutputRate = w.OutputRate;
  e.Gain = w.Gain;
  e.RecordMode = w.RecordMode;
  e.SyncInCfg = w.SyncInCfg;
  e.TriggerInCfg = w.TriggerInCfg;
  e.RoiX0 = w.RoiX0;
  e.RoiY0 = w.RoiY0;
  e.RoiWidth = w.RoiWidth;
  e.RoiHeight = w.RoiHeight;
  e.LiveTimeOut = w.LiveTimeOut;
  e.AcquisitionFrames = w.AcquisitionFrames;
  e.AcquisitionPreTriggerFrames = w.AcquisitionPreTriggerFrames;
  e.LWR = w.LWR;
  e.FileType = w.FileType;
  if (w.ImageNamePrefix[0]) std::memcpy(e.ImageNamePrefix, w.ImageNamePrefix, sizeof e.ImageNamePrefix);
  if (w.ImageFolder[0]) std::memcpy(e.ImageFolder, w.ImageFolder, sizeof e.ImageFolder);
  e.CodecAVI = w.CodecAVI;
  e.CodecAVIQual = w.CodecAVIQual;
  e.CodecMOV = w.CodecMOV;
  e.CodecJPGQual = w.CodecJPGQual;
  return e;
}

::testing::AssertionResult SameRecord(const CameraSettings& a, const CameraSettings& b) {
  if (std::memcmp(&a, &b, sizeof a) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "records differ; prefix '" << a.ImageNamePrefix << "' vs '"
                                       << b.ImageNamePrefix << "', exposure " << a.Exposure << " vs "
                                       << b.Exposure;
}

}  // namespace

TEST(ConfigRoundTrip, RandomRecordsComeBackThroughText) {
  std::mt19937 random(20261208);
  for (int i = 0; i < 5000; ++i) {
    const CameraSettings written = RandomRecord(random);
    char bytes[kConfigFileBytes];
    const std::size_t count = FormatConfigBytes(written, bytes);
    CameraSettings read = Prepared();
    ASSERT_EQ(ReadConfigText(bytes, count, read), kConfigRead);
    ASSERT_TRUE(SameRecord(read, Expected(written))) << "record " << i;
  }
}

TEST(ConfigRoundTrip, RandomRecordsComeBackThroughFiles) {
  TempFolder folder;
  const std::string path = folder.File("-5.xml");
  std::mt19937 random(77);
  for (int i = 0; i < 40; ++i) {
    const CameraSettings written = RandomRecord(random);
    ASSERT_EQ(WriteConfigFile(path.c_str(), written), kConfigWritten);
    CameraSettings read = Prepared();
    ASSERT_EQ(ReadConfigFile(path.c_str(), read), kConfigRead);
    ASSERT_TRUE(SameRecord(read, Expected(written))) << "record " << i;
  }
}

TEST(ConfigRoundTrip, EmptyTextsComeBackAsDefaults) {
  CameraSettings written = Prepared();
  written.ImageNamePrefix[0] = '\0';
  written.ImageFolder[0] = '\0';
  char bytes[kConfigFileBytes];
  const std::size_t count = FormatConfigBytes(written, bytes);
  CameraSettings read = Prepared();
  ReadConfigText(bytes, count, read);
  EXPECT_STREQ(read.ImageNamePrefix, "Img");
  EXPECT_STREQ(read.ImageFolder, kStorage);
}
