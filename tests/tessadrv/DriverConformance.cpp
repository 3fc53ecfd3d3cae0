// The list of every driver conformance check, for runners that go through them all.
#include "tests/tessadrv/DriverConformance.h"

const std::vector<ConformanceCase>& AllConformanceCases() {
  static const std::vector<ConformanceCase> cases = {
      {"StartupAndShutdown", CheckStartupAndShutdown}, {"DefaultCamera", CheckDefaultCamera},
      {"Enumeration", CheckEnumeration}, {"DefaultFamilies", CheckDefaultFamilies}, {"Handles", CheckHandles},
      {"InfoItems", CheckInfoItems}, {"SettingsCoupling", CheckSettingsCoupling}, {"Faults", CheckFaults},
      {"LiveGrab", CheckLiveGrab}, {"TestPattern", CheckTestPattern},
      {"GrabsDuringRecording", CheckGrabsDuringRecording}, {"NormalRecording", CheckNormalRecording},
      {"CircularRecording", CheckCircularRecording}, {"SoftwareTrigger", CheckSoftwareTrigger},
      {"RecordingRefusals", CheckRecordingRefusals}, {"LargeMemory", CheckLargeMemory},
      {"FrameTable", CheckFrameTable},
      {"CallbackRules", CheckCallbackRules}};
  return cases;
}
