// Proves the conformance suite: each check must catch a simulator with one entry point made wrong.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "camera/CameraIds.h"
#include "platform/tessadrv/SimulatorApi.h"
#include "tests/tessadrv/DriverConformance.h"

namespace {

const TessaDriverApi& Real() { return SimulatorDriverApi(); }

int TESSA_CALL EnumerateIgnoringMask(CameraEnumEntry* entries, int* count, int) {
  return Real().EnumerateCameras(entries, count, 0xFF);
}

int TESSA_CALL OpenTwice(int id, int* handle) {
  const int status = Real().OpenCamera(id, handle);
  return status == kDrvBusy ? kDrvOk : status;
}

int TESSA_CALL InfoWithoutHighWord(int h, int item, std::uint32_t* first, std::uint32_t* second) {
  const int status = Real().GetCameraInfo(h, item, first, second);
  if (second) *second = 0;
  return status;
}

// Applies a copy, so the coupled values never come back into the caller's block.
int TESSA_CALL ApplyWithoutWriteBack(int h, CameraSettingsBlock* block) {
  if (!block) return Real().ApplySettings(h, block);
  CameraSettingsBlock copy = *block;
  return Real().ApplySettings(h, &copy);
}

int TESSA_CALL GrabIgnoringTimeout(int h, GrabRequest* request, int) { return Real().GrabFrames(h, request, 60000); }

int TESSA_CALL GrabNumberingFromOne(int h, GrabRequest* request, int timeoutMs) {
  GrabRequest extra = request ? *request : GrabRequest{};
  if (request) Real().GrabFrames(h, &extra, timeoutMs);
  return Real().GrabFrames(h, request, timeoutMs);
}

int TESSA_CALL GrabDuringRecordingAlwaysBusy(int, GrabRequest*, int) { return kDrvBusy; }

int TESSA_CALL ReadNextSlot(int h, std::uint32_t low, std::uint32_t high, int index, void* buffer) {
  return Real().ReadFrame(h, low, high, index + 1, buffer);
}

int TESSA_CALL StatusWithTriggerOffByOne(int h, int* active, int* recorded, int* triggerIndex, int* triggered) {
  const int status = Real().GetRecordingStatus(h, active, recorded, triggerIndex, triggered);
  if (triggerIndex) ++*triggerIndex;
  return status;
}

int TESSA_CALL TriggerIgnored(int) { return kDrvOk; }

// A table of slot starts, plain multiples of the frame size, as a driver without headers gives.
int TESSA_CALL PlainFrameTable(int h, int first, int count, FrameTableEntry* table) {
  const int status = Real().ReadFrameTable(h, first, count, table);
  for (int i = 0; status == kDrvOk && i < count; ++i) table[i].low -= 4096;
  return status;
}

int TESSA_CALL StopThatDoesNotStop(int, int* out) {
  if (out) *out = 0;
  return kDrvOk;
}

int TESSA_CALL ApplyExFailing(int, CameraSettingsBlock*, int, int, int) { return kDrvFailed; }

struct BrokenCase {
  const char* name;
  void (*breakIt)(TessaDriverApi& api);
  Violations (*check)(const DriverUnderTest&);
};

const BrokenCase kBrokenCases[] = {
    {"EnumerationIgnoresMask", [](TessaDriverApi& a) { a.EnumerateCameras = EnumerateIgnoringMask; }, CheckEnumeration},
    {"OpenOfOpenCameraSucceeds", [](TessaDriverApi& a) { a.OpenCamera = OpenTwice; }, CheckHandles},
    {"MemorySizeLosesHighWord", [](TessaDriverApi& a) { a.GetCameraInfo = InfoWithoutHighWord; }, CheckInfoItems},
    {"ApplyDoesNotWriteBack", [](TessaDriverApi& a) { a.ApplySettings = ApplyWithoutWriteBack; }, CheckSettingsCoupling},
    {"ExtendedApplyFails", [](TessaDriverApi& a) { a.ApplySettingsEx = ApplyExFailing; }, CheckFaults},
    {"GrabIgnoresTimeout", [](TessaDriverApi& a) { a.GrabFrames = GrabIgnoringTimeout; }, CheckLiveGrab},
    {"GrabSkipsFrames", [](TessaDriverApi& a) { a.GrabFrames = GrabNumberingFromOne; }, CheckTestPattern},
    {"NoImagesWhileRecording", [](TessaDriverApi& a) { a.GrabDuringRecording = GrabDuringRecordingAlwaysBusy; },
     CheckGrabsDuringRecording},
    {"ReadFrameOffByOne", [](TessaDriverApi& a) { a.ReadFrame = ReadNextSlot; }, CheckNormalRecording},
    {"TriggerIndexOffByOne", [](TessaDriverApi& a) { a.GetRecordingStatus = StatusWithTriggerOffByOne; },
     CheckCircularRecording},
    {"SoftwareTriggerIgnored", [](TessaDriverApi& a) { a.SoftwareTrigger = TriggerIgnored; }, CheckSoftwareTrigger},
    {"FrameTableWithoutHeaders", [](TessaDriverApi& a) { a.ReadFrameTable = PlainFrameTable; }, CheckFrameTable},
    {"StopDoesNotStop", [](TessaDriverApi& a) { a.StopRecording = StopThatDoesNotStop; }, CheckCallbackRules},
};

class BrokenDriverTest : public ::testing::Test {
 public:
  explicit BrokenDriverTest(const BrokenCase& broken) : broken_(broken) {}
  void TestBody() override {
    TessaDriverApi api = Real();
    broken_.breakIt(api);
    const DriverUnderTest d{api, [](const std::string& ini) { Simulator().SetConfigOverride(ini); }};
    EXPECT_THAT(broken_.check(d), ::testing::Not(::testing::IsEmpty()));
    Real().Shutdown();
  }

 private:
  const BrokenCase& broken_;
};

bool RegisterBrokenDrivers() {
  for (const BrokenCase& broken : kBrokenCases) {
    ::testing::RegisterTest("ConformanceCatches", broken.name, nullptr, nullptr, __FILE__, __LINE__,
                            [&broken]() -> ::testing::Test* { return new BrokenDriverTest(broken); });
  }
  return true;
}

const bool registered = RegisterBrokenDrivers();

}  // namespace
