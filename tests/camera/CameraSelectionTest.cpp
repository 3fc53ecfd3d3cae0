// Selection rules: family mask, wished serial, the only camera, the operator's pick and odd counts.
#include "camera/CameraSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/camera/EnumFakeDriver.h"

namespace {

class ScriptedPicker : public CameraPicker {
 public:
  explicit ScriptedPicker(int answer) : answer_(answer) {}
  int Pick(const CameraEnumEntry* entries, int count) override {
    seenCounts.push_back(count);
    for (int i = 0; i < count; ++i) seenIds.push_back(entries[i].cameraId);
    return answer_;
  }
  std::vector<int> seenCounts;
  std::vector<int> seenIds;

 private:
  int answer_;
};

struct Properties {
  std::int32_t filter, product, serial;
  ControlPropertyRefs Refs() const { return {&filter, &product, &serial}; }
};

}  // namespace

TEST(CameraSelection, FamilyMaskFromEnumFilter) {
  const struct { std::int32_t filter; int mask; } cases[] = {
      {0, 0x01}, {1, 0x02}, {2, 0x10}, {3, 0x20}, {4, 0x08}, {5, 0x80},
      {6, 0x3B}, {187, 0x3B}, {-1, 0x3B}, {INT32_MIN, 0x3B}, {INT32_MAX, 0x3B}};
  for (const auto& c : cases) {
    const Properties p{c.filter, 0, 0};
    EXPECT_EQ(FamilyMaskFor(p.Refs()), c.mask) << c.filter;
  }
  EXPECT_EQ(FamilyMaskFor(ControlPropertyRefs{}), 0x3B);
}

TEST(CameraSelection, WantedSerialIs32BitProductTimesHundredMillionPlusSerial) {
  const struct { std::int32_t product, serial; std::uint32_t wanted; } cases[] = {
      {1, 23, 100000023u}, {0, 0, 0u}, {0, 77, 77u}, {42, 94967295, 4294967295u},
      {43, 0, 5032704u},  // 4 300 000 000 wraps
      {-1, 100000000, 0u}};
  for (const auto& c : cases) {
    const Properties p{0, c.product, c.serial};
    EXPECT_EQ(WantedSerial(p.Refs()), c.wanted) << c.product << " " << c.serial;
  }
  EXPECT_EQ(WantedSerial(ControlPropertyRefs{}), 0u);
}

TEST(CameraSelection, StartsDriverThenEnumeratesTenWithMask) {
  const TessaDriverApi& driver = ResetEnumFakeDriver();
  EnumFake().cameras = {MakeEntry(0x11, 9, 5)};
  const Properties p{4, 0, 0};
  ScriptedPicker picker(0);
  SelectedCamera chosen;
  // Prepare and Startup report failure here: their statuses are not looked at.
  EXPECT_TRUE(SelectCamera(driver, p.Refs(), picker, chosen));
  const std::vector<std::string> expected = {"Prepare 0 1 0", "Startup 0", "Enumerate count 10 mask 0x8"};
  EXPECT_EQ(EnumFake().calls, expected);
}

TEST(CameraSelection, Rules) {
  const std::vector<CameraEnumEntry> three = {MakeEntry(0x10, 9, 500, 0, 0, 1), MakeEntry(0x20, 10, 700),
                                              MakeEntry(0x30, 19, 500, 1, 0, 2)};
  const struct {
    const char* name;
    std::vector<CameraEnumEntry> cameras;
    int reportedCount;
    int status;
    std::int32_t product, serial;  // the wish; 0, 0 is none
    int pickerAnswer;
    bool found;
    int cameraId;
    bool colour;
    int pickerCalls;
  } cases[] = {
      {"enumeration fails", three, kReportFilled, kDrvFailed, 0, 0, 0, false, 0, false, 0},
      {"no camera", {}, kReportFilled, 0, 0, 0, 0, false, 0, false, 0},
      {"one camera, no wish", {three[0]}, kReportFilled, 0, 0, 0, 0, true, 0x10, true, 0},
      {"one camera, other serial wished", {three[0]}, kReportFilled, 0, 0, 501, 0, false, 0, false, 0},
      {"one camera, its serial wished", {three[1]}, kReportFilled, 0, 0, 700, 0, true, 0x20, false, 0},
      {"wish matches two: last wins", three, kReportFilled, 0, 0, 500, 0, true, 0x30, false, 0},
      {"wish matches one of three", three, kReportFilled, 0, 0, 700, 0, true, 0x20, false, 0},
      {"wish matches none", three, kReportFilled, 0, 0, 999, 0, false, 0, false, 0},
      {"several, no wish: operator picks", three, kReportFilled, 0, 0, 0, 2, true, 0x30, false, 1},
      {"several, no wish: operator exits", three, kReportFilled, 0, 0, 0, -1, false, 0, false, 1},
      {"picked index outside the list", three, kReportFilled, 0, 0, 0, 3, false, 0, false, 1},
      {"negative count", three, -4, 0, 0, 0, 0, false, 0, false, 0},
      {"reported one with three filled", three, 1, 0, 0, 0, 0, true, 0x10, true, 0},
  };
  for (const auto& c : cases) {
    const TessaDriverApi& driver = ResetEnumFakeDriver();
    EnumFake().cameras = c.cameras;
    EnumFake().reportedCount = c.reportedCount;
    EnumFake().status = c.status;
    const Properties p{187, c.product, c.serial};
    ScriptedPicker picker(c.pickerAnswer);
    SelectedCamera chosen;
    chosen.cameraId = -7;
    EXPECT_EQ(SelectCamera(driver, p.Refs(), picker, chosen), c.found) << c.name;
    EXPECT_EQ(static_cast<int>(picker.seenCounts.size()), c.pickerCalls) << c.name;
    if (c.found) {
      EXPECT_EQ(chosen.cameraId, c.cameraId) << c.name;
      EXPECT_EQ(chosen.colour, c.colour) << c.name;
    } else {
      EXPECT_EQ(chosen.cameraId, -7) << c.name;  // nothing is reported for no camera
    }
  }
}

TEST(CameraSelection, ChosenEntryGivesIdSerialAndColour) {
  const TessaDriverApi& driver = ResetEnumFakeDriver();
  EnumFake().cameras = {MakeEntry(0x0A, 20, 3000000000u, 1, 3, 1)};
  ScriptedPicker picker(0);
  SelectedCamera chosen;
  ASSERT_TRUE(SelectCamera(driver, ControlPropertyRefs{}, picker, chosen));
  EXPECT_EQ(chosen.cameraId, 0x0A);
  EXPECT_EQ(chosen.serial, 3000000000u);
  EXPECT_TRUE(chosen.colour);
  EXPECT_EQ(EnumFake().calls.back(), "Enumerate count 10 mask 0x3B");  // no properties held
}

TEST(CameraSelection, CountAboveTenIsTen) {
  const TessaDriverApi& driver = ResetEnumFakeDriver();
  for (int i = 0; i < 10; ++i) EnumFake().cameras.push_back(MakeEntry(i, 9, 100 + i));
  EnumFake().reportedCount = 25;
  ScriptedPicker picker(9);
  SelectedCamera chosen;
  ASSERT_TRUE(SelectCamera(driver, ControlPropertyRefs{}, picker, chosen));
  EXPECT_EQ(picker.seenCounts, std::vector<int>{10});
  EXPECT_EQ(chosen.cameraId, 9);
  // With a wish, only the ten entries are scanned.
  ResetEnumFakeDriver();
  for (int i = 0; i < 10; ++i) EnumFake().cameras.push_back(MakeEntry(i, 9, 100));
  EnumFake().reportedCount = 1000;
  const Properties p{0, 0, 100};
  ASSERT_TRUE(SelectCamera(driver, p.Refs(), picker, chosen));
  EXPECT_EQ(chosen.cameraId, 9);
}

TEST(CameraSelection, WithoutADriverThereIsNoCamera) {
  const TessaDriverApi none{};
  ScriptedPicker picker(0);
  SelectedCamera chosen;
  EXPECT_FALSE(SelectCamera(none, ControlPropertyRefs{}, picker, chosen));
  EXPECT_TRUE(picker.seenCounts.empty());
}
