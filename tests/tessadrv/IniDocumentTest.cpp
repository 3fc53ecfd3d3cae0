// The simulator's INI reader: sections, keys, comments, numbers, and garbage that must not hurt.
#include "platform/tessadrv/IniDocument.h"

#include <gtest/gtest.h>

#include <random>

TEST(IniDocument, ReadsSectionsKeysAndComments) {
  const IniDocument ini = IniDocument::Parse(
      "; leading comment\n[Driver]\nCameras = 3\r\n  TimeScale=1000  \n# hash comment\n[camera0]\nModel=19\n"
      "Model=20\nEmpty=\n");
  EXPECT_EQ(ini.Get("Driver", "Cameras"), "3");
  EXPECT_EQ(ini.Get("driver", "TIMESCALE"), "1000");
  EXPECT_EQ(ini.Get("Camera0", "Model"), "20");  // the last assignment wins
  EXPECT_EQ(ini.Get("Camera0", "Empty"), "");
  EXPECT_FALSE(ini.Get("Camera0", "Serial").has_value());
  EXPECT_FALSE(ini.Get("Camera1", "Model").has_value());
  EXPECT_TRUE(ini.HasSection("CAMERA0"));
  EXPECT_EQ(ini.MalformedLines(), 0);
}

TEST(IniDocument, SkipsMalformedLinesAndKeysUnderBrokenHeaders) {
  const struct { const char* text; int malformed; const char* section; const char* key; const char* value; } rows[] = {
      {"[Driver\nCameras=2\n", 2, "Driver", "Cameras", nullptr},
      {"[Driver]x\nCameras=2\n", 2, "Driver", "Cameras", nullptr},
      {"[Driver]\njust words\nCameras=2\n", 1, "Driver", "Cameras", "2"},
      {"[Driver]\n=5\n", 1, "Driver", "", nullptr},
      {"[]\nA=1\n", 2, "", "A", nullptr},
      {"[Driver]\nCam\x01eras=2\n", 1, "Driver", "Cam\x01eras", nullptr},
      {"NoSection=1\n", 0, "", "NoSection", "1"},
  };
  for (const auto& row : rows) {
    const IniDocument ini = IniDocument::Parse(row.text);
    EXPECT_EQ(ini.MalformedLines(), row.malformed) << row.text;
    const auto value = ini.Get(row.section, row.key);
    if (row.value) {
      EXPECT_EQ(value, row.value) << row.text;
    } else {
      EXPECT_FALSE(value.has_value()) << row.text;
    }
  }
}

TEST(IniDocument, SurvivesRandomBytes) {
  std::mt19937 random(1234);
  for (int round = 0; round < 200; ++round) {
    std::string text(random() % 2000, '\0');
    for (char& c : text) c = static_cast<char>(random() % 8 == 0 ? "[]=\n;#"[random() % 6] : random() % 256);
    const IniDocument ini = IniDocument::Parse(text);
    EXPECT_GE(ini.MalformedLines(), 0);
    (void)ini.Get("Driver", "Cameras");
  }
  const IniDocument huge = IniDocument::Parse(std::string(1 << 20, 'x'));
  EXPECT_EQ(huge.MalformedLines(), 1);
}

TEST(IniDocument, ParsesIntegers) {
  const struct { const char* text; bool ok; std::int64_t value; } rows[] = {
      {"0", true, 0}, {"1234567890", true, 1234567890}, {" 42 ", true, 42}, {"-7", true, -7}, {"+7", true, 7},
      {"0x40", true, 64}, {"0XfF", true, 255}, {"4294967295", true, 4294967295LL},
      {"", false, 0}, {"  ", false, 0}, {"12a", false, 0}, {"0x", false, 0}, {"-", false, 0}, {"1.5", false, 0},
      {"99999999999999999999999", false, 0}, {"0x1ffffffffffffffff", false, 0}, {"1 2", false, 0}};
  for (const auto& row : rows) {
    std::int64_t value = -99;
    EXPECT_EQ(ParseIniInteger(row.text, value), row.ok) << row.text;
    EXPECT_EQ(value, row.ok ? row.value : -99) << row.text;
  }
}

TEST(IniDocument, ParsesNumbers) {
  const struct { const char* text; bool ok; double value; } rows[] = {
      {"1000", true, 1000.0}, {"0.5", true, 0.5}, {" 2.25 ", true, 2.25}, {"1e3", false, 0}, {"inf", false, 0},
      {"nan", false, 0}, {"", false, 0}, {"1.2.3", false, 0}, {"0x10", false, 0}};
  for (const auto& row : rows) {
    double value = -99;
    EXPECT_EQ(ParseIniNumber(row.text, value), row.ok) << row.text;
    EXPECT_EQ(value, row.ok ? row.value : -99) << row.text;
  }
}
