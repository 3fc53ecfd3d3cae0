// The configuration writer's exact bytes, its replace-only-when-complete behaviour, the values
// it is given back in range and the foreign file it keeps.
#include "config/ConfigWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "config/ConfigFields.h"
#include "config/ConfigReader.h"
#include "tests/config/TempFolder.h"

namespace {

CameraSettings Sample() {
  CameraSettings s;
  SetDefaultSettings(s);
  const char folder[] = "C:\\Users\\Public\\Documents";
  SetSettingText(s.ImageFolder, folder, std::strlen(folder));
  s.Exposure = 4294967295u;  // written as its signed 32-bit form
  s.RoiX0 = -5;
  s.RoiWidth = 640;
  s.Rate = 2500;
  SetSettingText(s.ImageNamePrefix, "a<b>&c\"", 7);  // no escaping
  return s;
}

std::string Format(const CameraSettings& s) {
  char bytes[kConfigFileBytes];
  return std::string(bytes, FormatConfigBytes(s, bytes));
}

}  // namespace

TEST(ConfigWriter, WritesTheFileByteForByte) {
  const std::string expected =
      "<Kinetra-ActiveX-Control-Configuration>\r\n"
      "  <Exposure>-1</Exposure>\r\n"
      "  <ExpMode>0</ExpMode>\r\n"
      "  <Rate>2500</Rate>\r\n"
      "  <OutputRate>5</OutputRate>\r\n"
      "  <Gain>0</Gain>\r\n"
      "  <RecordMode>0</RecordMode>\r\n"
      "  <SyncInCfg>0</SyncInCfg>\r\n"
      "  <TriggerInCfg>0</TriggerInCfg>\r\n"
      "  <ROI-X0>-5</ROI-X0>\r\n"
      "  <ROI-Y0>0</ROI-Y0>\r\n"
      "  <ROI-Width>640</ROI-Width>\r\n"
      "  <ROI-Height>0</ROI-Height>\r\n"
      "  <LiveTimeOut>5000</LiveTimeOut>\r\n"
      "  <AcquisitionFrames>100</AcquisitionFrames>\r\n"
      "  <AcquisitionPreTriggerFrames>0</AcquisitionPreTriggerFrames>\r\n"
      "  <LWR>1</LWR>\r\n"
      "  <FileType>1</FileType>\r\n"
      "  <ImageNamePrefix>a<b>&c\"</ImageNamePrefix>\r\n"
      "  <ImageFolder>C:\\Users\\Public\\Documents</ImageFolder>\r\n"
      "  <CodecAVI>0</CodecAVI>\r\n"
      "  <CodecAVIQual>10000</CodecAVIQual>\r\n"
      "  <CodecMOV>1</CodecMOV>\r\n"
      "  <CodecJPGQual>10000</CodecJPGQual>\r\n"
      "</Kinetra-ActiveX-Control-Configuration>\r\n";
  EXPECT_EQ(Format(Sample()), expected);
}

TEST(ConfigWriter, LineEndInsideTextIsWidenedAsTextModeDoes) {
  CameraSettings s = Sample();
  SetSettingText(s.ImageNamePrefix, "ab\n", 3);
  EXPECT_NE(Format(s).find("  <ImageNamePrefix>ab\r\n</ImageNamePrefix>\r\n"), std::string::npos);
}

TEST(ConfigWriter, UnterminatedTextWritesNoMoreThanItsField) {
  CameraSettings s = Sample();
  std::memset(s.ImageNamePrefix, 'p', sizeof s.ImageNamePrefix);
  std::memset(s.ImageFolder, 'f', sizeof s.ImageFolder);
  const std::string text = Format(s);
  EXPECT_NE(text.find("<ImageNamePrefix>" + std::string(66, 'p') + "</ImageNamePrefix>"), std::string::npos);
  EXPECT_NE(text.find("<ImageFolder>" + std::string(260, 'f') + "</ImageFolder>"), std::string::npos);
}

TEST(ConfigWriter, CreatesAndReplacesWithoutLeavingTemporary) {
  TempFolder folder;
  const std::string path = folder.File("77.xml");
  CameraSettings s = Sample();
  ASSERT_EQ(WriteConfigFile(path.c_str(), s), kConfigWritten);
  EXPECT_EQ(ReadWholeFile(path), Format(s));
  s.Rate = 7;
  ASSERT_EQ(WriteConfigFile(path.c_str(), s), kConfigWritten);
  EXPECT_EQ(ReadWholeFile(path), Format(s));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(ConfigWriter, FailureKeepsThePreviousFile) {
  const std::string old = "previous contents\r\n";
  const struct {
    const char* name;
    ConfigWriteStatus status;
    bool temporaryBlocked;  // a folder where the temporary would go
    bool targetIsFolder;
  } cases[] = {
      {"temporary cannot be created", kConfigCannotCreate, true, false},
      {"target cannot be replaced", kConfigReplaceFailed, false, true},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("77.xml");
    if (c.targetIsFolder) {
      std::filesystem::create_directory(path);
      WriteWholeFile(path + "/kept", old);
    } else {
      WriteWholeFile(path, old);
    }
    if (c.temporaryBlocked) std::filesystem::create_directory(path + ".tmp");
    EXPECT_EQ(WriteConfigFile(path.c_str(), Sample()), c.status) << c.name;
    if (c.targetIsFolder) {
      EXPECT_EQ(ReadWholeFile(path + "/kept"), old) << c.name;
      EXPECT_FALSE(std::filesystem::exists(path + ".tmp")) << c.name;
    } else {
      EXPECT_EQ(ReadWholeFile(path), old) << c.name;
    }
  }
  // A folder that does not exist is not created.
  TempFolder folder;
  const std::string missing = folder.File("absent") + "/77.xml";
  EXPECT_EQ(WriteConfigFile(missing.c_str(), Sample()), kConfigCannotCreate);
  EXPECT_FALSE(std::filesystem::exists(folder.File("absent")));
}

#if !defined(_WIN32)
TEST(ConfigWriter, FullDiskKeepsThePreviousFileAndRemovesTemporary) {
  TempFolder folder;
  const std::string path = folder.File("77.xml");
  WriteWholeFile(path, "previous\r\n");
  // The temporary's name leads to a device that refuses every write, as a full disk does.
  std::filesystem::create_symlink("/dev/full", path + ".tmp");
  EXPECT_EQ(WriteConfigFile(path.c_str(), Sample()), kConfigWriteFailed);
  EXPECT_EQ(ReadWholeFile(path), "previous\r\n");
  EXPECT_FALSE(std::filesystem::is_symlink(path + ".tmp"));
}
#endif

TEST(ConfigWriter, HostileValuesAreReadAndWrittenBackSane) {
  const struct {
    const char* tag;
    const char* value;
    long sane;
  } cases[] = {
      {"LiveTimeOut", "-1", 5000},       {"FileType", "99", 1},
      {"FileType", "5", 1},              {"FileType", "17", 17},
      {"OutputRate", "0", 5},
      {"AcquisitionPreTriggerFrames", "-3", 0},
      {"AcquisitionPreTriggerFrames", "101", 100},  // never more than the frames recorded
      {"AcquisitionFrames", "0", 100},   {"Rate", "-7", 100},
      {"Exposure", "word", 1000},        {"ExpMode", "2", 0},
      {"Gain", "4", 0},                  {"Gain", "3", 3},
      {"RecordMode", "2", 0},            {"SyncInCfg", "5", 0},
      {"TriggerInCfg", "-1", 0},         {"ROI-X0", "-19", 0},
      {"ROI-Height", "-1", 0},           {"LWR", "2", 1},
      {"CodecAVIQual", "10001", 10000},  {"CodecJPGQual", "-1", 10000},
      {"CodecAVI", "-5", -5},            // a codec id is the library's to judge
  };
  for (const auto& c : cases) {
    CameraSettings s;
    SetDefaultSettings(s);
    const std::string text = std::string("<Kinetra-ActiveX-Control-Configuration>\r\n  <") + c.tag +
                             ">" + c.value + "</" + c.tag + ">\r\n";
    ASSERT_EQ(ReadConfigText(text.data(), text.size(), s), kConfigRead);
    SanitizeConfigNumbers(s);
    const std::string line = std::string("  <") + c.tag + ">" + std::to_string(c.sane) + "</";
    EXPECT_NE(Format(s).find(line), std::string::npos) << c.tag << " " << c.value;
  }
}

TEST(ConfigWriter, FileThatIsNoConfigurationIsKeptAsBad) {
  const struct {
    const char* name;
    std::string old;
    bool kept;
  } cases[] = {
      {"binary garbage", std::string("\x7f" "ELF\0\x01\x02\xff", 8), true},
      {"empty", "", true},
      {"declaration first", "<?xml version=\"1.0\"?>\r\n<Kinetra-ActiveX-Control-Configuration>\r\n", true},
      {"a configuration", "<Kinetra-ActiveX-Control-Configuration>\r\n  <Rate>5</Rate>\r\n", false},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("77.xml");
    WriteWholeFile(path + ".bad", "from an earlier time");
    WriteWholeFile(path, c.old);
    ASSERT_EQ(WriteConfigFile(path.c_str(), Sample()), kConfigWritten) << c.name;
    EXPECT_EQ(ReadWholeFile(path), Format(Sample())) << c.name;
    EXPECT_EQ(ReadWholeFile(path + ".bad"), c.kept ? c.old : "from an earlier time") << c.name;
    // Once replaced, the file is a configuration: the next write keeps nothing more.
    ASSERT_EQ(WriteConfigFile(path.c_str(), Sample()), kConfigWritten) << c.name;
    EXPECT_EQ(ReadWholeFile(path + ".bad"), c.kept ? c.old : "from an earlier time") << c.name;
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp")) << c.name;
  }
}
