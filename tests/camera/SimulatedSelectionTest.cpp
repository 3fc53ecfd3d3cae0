// Selection rules against the simulated driver with several cameras of different families.
#include <gtest/gtest.h>

#include <vector>

#include "camera/CameraSelection.h"
#include "platform/tessadrv/SimulatorApi.h"

namespace {

// Kinetra E on USB, Kinetra P on GigaBit, a colour Veltran D on Camera Link with the same serial
// as the first, an Orbitel T (outside the default mask) and a Kinetra P on USB.
const char kFiveCameras[] =
    "[Driver]\nCameras=5\n"
    "[Camera0]\nId=1\nModel=3\nLink=0\nSerial=100000023\n"
    "[Camera1]\nId=2\nModel=10\nLink=1\nSerial=555\n"
    "[Camera2]\nId=3\nModel=6\nLink=2\nSerial=100000023\nColor=1\n"
    "[Camera3]\nId=4\nModel=18\nLink=1\nSerial=777\n"
    "[Camera4]\nId=5\nModel=9\nLink=0\nSerial=888\n";

class RecordingPicker : public CameraPicker {
 public:
  int Pick(const CameraEnumEntry* entries, int count) override {
    for (int i = 0; i < count; ++i) offered.push_back(entries[i].cameraId);
    ++calls;
    return count - 1;
  }
  std::vector<int> offered;
  int calls = 0;
};

}  // namespace

TEST(SimulatedSelection, FamiliesWishesAndPick) {
  const struct {
    const char* name;
    std::int32_t filter, product, serial;
    bool found;
    int cameraId;
    bool colour;
    std::vector<int> offered;  // what the operator is shown; empty when no dialog runs
  } cases[] = {
      {"Kinetra E on USB only", 0, 0, 0, true, 1, false, {}},
      {"Orbitel T only", 5, 0, 0, true, 4, false, {}},
      {"Kinetra P on USB only", 2, 0, 0, true, 5, false, {}},
      {"default mask leaves out Orbitel: operator picks", 187, 0, 0, true, 5, false, {1, 2, 3, 5}},
      {"wish 1-23 matches two: the later wins", 187, 1, 23, true, 3, true, {}},
      {"wished Orbitel outside the default mask", -1, 0, 777, false, 0, false, {}},
      {"wished Orbitel within its family", 5, 0, 777, true, 4, false, {}},
      {"only camera has another serial", 0, 0, 555, false, 0, false, {}},
      {"Kinetra P on GigaBit, wished", 3, 0, 555, true, 2, false, {}},
  };
  for (const auto& c : cases) {
    Simulator().SetConfigOverride(kFiveCameras);
    const ControlPropertyRefs properties{&c.filter, &c.product, &c.serial};
    RecordingPicker picker;
    SelectedCamera chosen;
    EXPECT_EQ(SelectCamera(SimulatorDriverApi(), properties, picker, chosen), c.found) << c.name;
    EXPECT_EQ(picker.offered, c.offered) << c.name;
    if (c.found) {
      EXPECT_EQ(chosen.cameraId, c.cameraId) << c.name;
      EXPECT_EQ(chosen.colour, c.colour) << c.name;
      // The chosen id is one the driver opens.
      int handle = 0;
      EXPECT_EQ(SimulatorDriverApi().OpenCamera(chosen.cameraId, &handle), 0) << c.name;
      SimulatorDriverApi().CloseCamera(handle);
    }
    SimulatorDriverApi().Shutdown();
  }
  Simulator().ClearConfigOverride();
}
