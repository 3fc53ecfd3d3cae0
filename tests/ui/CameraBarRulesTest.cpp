// The camera bar's rules without windows: lists, exposure steps, limits and box parsing.
#include <gtest/gtest.h>

#include <string>

#include "acquisition/CameraSettings.h"
#include "ui/CameraBarRules.h"

namespace {

TEST(CameraBarRules, RateListEndsWithTheMaximum) {
  const std::vector<std::uint32_t> upTo1000{30,  50,  60,  90,  100, 200, 250, 300,
                                            400, 500, 600, 700, 800, 900, 1000};
  auto with = [&](std::vector<std::uint32_t> head, std::vector<std::uint32_t> tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  };
  const struct { std::uint32_t maximum; std::vector<std::uint32_t> list; } cases[] = {
      {2000, with(upTo1000, {2000})},
      {1500, with(upTo1000, {1500})},
      {60000, with(upTo1000, {2000, 2500, 3000, 4000, 5000, 8000, 10000, 20000, 25000, 30000,
                              40000, 50000, 60000})},
      {30, {30}},
      {10, {10}},
  };
  for (const auto& c : cases) EXPECT_EQ(RateListFor(c.maximum), c.list) << c.maximum;
}

TEST(CameraBarRules, GainChoicesAndPixelDepthsFollowTheModel) {
  for (int model : {10, 11, 19, 20, 21}) EXPECT_EQ(GainChoiceCount(model), 3) << model;
  for (int model : {0, 3, 9, 12, 18, 22}) EXPECT_EQ(GainChoiceCount(model), 4) << model;

  const struct { bool colour; int model; std::vector<std::uint32_t> numbers; } lists[] = {
      {true, 9, {24, 65560, 131096}},  // a colour camera never offers 9 or 10 bits
      {false, 12, {8, 65544, 131080}},
      {false, 3, {8, 65544, 131080}},
      {false, 9, {8, 65544, 131080, 9, 10}},
      {false, 22, {8, 65544, 131080, 9, 10}},
  };
  for (const auto& l : lists) {
    std::vector<std::uint32_t> numbers;
    for (const PixelDepthItem& item : PixelDepthItemsFor(l.colour, l.model)) {
      numbers.push_back(item.number);
    }
    EXPECT_EQ(numbers, l.numbers) << l.colour << " " << l.model;
  }
  EXPECT_STREQ(PixelDepthItemsFor(false, 9)[2].text, "8 bit (lower)");
  EXPECT_STREQ(PixelDepthItemsFor(false, 9)[3].text, "9 bit");
}

TEST(CameraBarRules, PixelDepthChoiceKeepsTheWindowForDeepMono) {
  CameraSettings s{};
  const auto items = PixelDepthItemsFor(false, 9);
  ApplyPixelDepthNumber(s, items[2].number);  // 8 bit (lower)
  EXPECT_EQ(s.PixelDepth, 8u);
  EXPECT_EQ(s.BitWindow, 2u);
  EXPECT_EQ(PixelDepthSelection(items, s), 2u);
  ApplyPixelDepthNumber(s, items[3].number);  // 9 bit
  EXPECT_EQ(s.PixelDepth, 9u);
  EXPECT_EQ(s.BitWindow, 2u);
  EXPECT_EQ(PixelDepthSelection(items, s), 0u) << "9 bit in window 2 has no item: the first";
  s.BitWindow = 0x10000;  // only the low 16 bits count
  EXPECT_EQ(PixelDepthSelection(items, s), 3u);
}

TEST(CameraBarRules, HalfStopExposureSteps) {
  const struct { std::uint32_t from, down, up; } steps[] = {
      {1, 0, 2}, {6, 4, 7}, {7, 4, 9}, {1000, 707, 1414}, {4294967295u, 3036971374u, 4294967295u}};
  for (const auto& s : steps) {
    EXPECT_EQ(ExposureHalfStopDown(s.from), s.down) << s.from;
    EXPECT_EQ(ExposureHalfStopUp(s.from), s.up) << s.from;
  }
}

TEST(CameraBarRules, FrameCapacityNeverDividesByZero) {
  EXPECT_EQ(FrameCapacity(4096ull << 20, 1310720), 3276u);
  EXPECT_EQ(FrameCapacity(4096ull << 20, 0), 0u);
  EXPECT_EQ(FrameCapacity(1ull << 40, 1), 1ull << 40);
}

TEST(CameraBarRules, CameraLineSplitsTheSerial) {
  char line[64];
  FormatCameraLine(line, sizeof line, "KW/E3", 1234567890u, 4);
  EXPECT_STREQ(line, "KW/E3 (12-3456-7890) 4 GB");
  FormatCameraLine(line, sizeof line, "X", 7, 0);
  EXPECT_STREQ(line, "X (00-0000-0007) 0 GB");
  FormatCameraLine(line, sizeof line, "X", 4294967295u, 1024);
  EXPECT_STREQ(line, "X (42-9496-7295) 1024 GB");
}

TEST(CameraBarRules, BoxesReadNumbersAndNothingElse) {
  const std::uint64_t max32 = 4294967295u;
  const struct { const char* text; bool read, saturated; std::uint64_t value; } unsignedBoxes[] = {
      {"123", true, false, 123},  {" 42 ", true, false, 42},   {"", false, false, 0},
      {"abc", false, false, 0},   {"12abc", false, false, 0},  {"-5", false, false, 0},
      {"0", true, false, 0},      {"4294967295", true, false, max32},
      {"4294967296", true, true, max32}, {"99999999999999999999999", true, true, max32},
  };
  for (const auto& b : unsignedBoxes) {
    const BoxNumber n = ReadUnsignedBox(b.text, max32);
    EXPECT_EQ(n.read, b.read) << b.text;
    EXPECT_EQ(n.saturated, b.saturated) << b.text;
    EXPECT_EQ(n.value, b.value) << b.text;
  }
  const struct { const char* text; bool read; std::uint64_t value; } rates[] = {
      {"500", true, 500}, {"500 Hz", true, 500}, {"Hz", false, 0}, {"-20", true, 0},
      {"+30", true, 30},  {"99999999999", true, 2147483647},
  };
  for (const auto& r : rates) {
    const BoxNumber n = ReadLeadingInteger(r.text, 2147483647);
    EXPECT_EQ(n.read, r.read) << r.text;
    EXPECT_EQ(n.value, r.value) << r.text;
  }
  // Only the first 62 characters count, as in the box.
  EXPECT_EQ(ReadUnsignedBox((std::string(61, '0') + "7").c_str(), max32).value, 7u);
  EXPECT_EQ(ReadUnsignedBox((std::string(62, '0') + "7").c_str(), max32).value, 0u);
}

TEST(CameraBarRules, LiveTimeOutInSeconds) {
  const struct { const char* text; bool read; std::uint32_t ms; bool saturated; } cases[] = {
      {"2.5", true, 2500, false}, {"5.000", true, 5000, false}, {"0", false, 0, false},
      {"abc", false, 0, false},   {"-1", false, 0, false},      {"0.0004", false, 0, false},
      {"0.001", true, 1, false},  {"inf", false, 0, false},     {"nan", false, 0, false},
      {"1e20", true, 4294967295u, true},
  };
  for (const auto& c : cases) {
    std::uint32_t ms = 0;
    bool saturated = false;
    EXPECT_EQ(ReadLiveTimeOut(c.text, ms, saturated), c.read) << c.text;
    if (!c.read) continue;
    EXPECT_EQ(ms, c.ms) << c.text;
    EXPECT_EQ(saturated, c.saturated) << c.text;
  }
}

}  // namespace
