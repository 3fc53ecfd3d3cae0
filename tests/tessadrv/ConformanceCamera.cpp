// Conformance checks of start-up, enumeration, handles, information items, settings and faults.
#include <chrono>
#include <cstring>

#include "camera/CameraIds.h"
#include "tests/tessadrv/ConformanceSupport.h"

namespace {

std::uint32_t FieldAt(const CameraEnumEntry& e, std::size_t offset) {
  std::uint32_t value;
  std::memcpy(&value, reinterpret_cast<const std::uint8_t*>(&e) + offset, 4);
  return value;
}

struct ListedCamera {
  int id, model, color, serial, link, variant;
};

// Enumerates with `mask` and compares the ids found, in order, with `ids`.
void ExpectListed(const TessaDriverApi& api, int mask, const std::vector<int>& ids, Report& report) {
  CameraEnumEntry entries[kMaxEnumEntries];
  int count = kMaxEnumEntries;
  const std::string what = "mask " + std::to_string(mask);
  report.Ok(api.EnumerateCameras(entries, &count, mask), what);
  report.Equal(count, static_cast<int>(ids.size()), what + " count");
  for (std::size_t i = 0; i < ids.size() && static_cast<int>(i) < count; ++i) {
    report.Equal(static_cast<int>(FieldAt(entries[i], 4)), ids[i], what + " entry " + std::to_string(i) + " id");
  }
}

}  // namespace

Violations CheckStartupAndShutdown(const DriverUnderTest& d) {
  Report report;
  const TessaDriverApi& api = d.api;
  api.Shutdown();
  d.useConfig("[Driver]\nCameras=1\n");
  CameraEnumEntry entries[kMaxEnumEntries];
  int count = kMaxEnumEntries;
  int h = 0;
  report.Equal(api.EnumerateCameras(entries, &count, 0xFF), kDrvNotStarted, "enumerate before start-up");
  report.Equal(api.OpenCamera(1, &h), kDrvNotStarted, "open before start-up");
  report.Equal(api.CloseCamera(1), kDrvNotStarted, "close before start-up");
  report.Equal(api.Shutdown(), kDrvNotStarted, "shut down before start-up");
  CameraSettingsBlock block{};
  block.size = kSettingsBlockBytes;
  std::uint32_t value = 0;
  int a = 0, b = 0, c = 0, e = 0;
  FrameTableEntry table[1];
  std::uint8_t frame[64];
  GrabRequest request{frame, sizeof frame, 1, {}};
  const int notStarted[] = {
      api.GetCameraInfo(1, kInfoModelCode, &value, &value), api.InitSettings(1, &block),
      api.ReadSettings(1, &block), api.ApplySettings(1, &block), api.ApplySettingsEx(1, &block, 0, 0, 0),
      api.GetSetting(1, &block, kSetGain, &value), api.SetSetting(1, &block, kSetGain, 0),
      api.GrabFrames(1, &request, 10), api.GrabDuringRecording(1, &request, 0),
      api.StartRecording(1, 0, 0, 10, 0, nullptr, 1, 0), api.StopRecording(1, &a),
      api.GetRecordingStatus(1, &a, &b, &c, &e), api.ReadFrameTable(1, 0, 1, table), api.ReadFrame(1, 0, 0, 0, frame),
      api.SoftwareTrigger(1), api.ResetCamera(1)};
  for (const int status : notStarted) report.Equal(status, kDrvNotStarted, "camera call before start-up");
  report.Ok(api.Prepare(0, 1, 0), "prepare");
  report.Ok(api.Startup(0), "start-up");
  report.Ok(api.OpenCamera(1, &h), "open");
  report.Ok(api.Shutdown(), "shut down");
  report.Equal(api.EnumerateCameras(entries, &count, 0xFF), kDrvNotStarted, "enumerate after shut-down");
  report.Ok(api.Startup(0), "second start-up");
  std::uint32_t first = 0, second = 0;
  report.Failed(api.GetCameraInfo(h, kInfoModelCode, &first, &second), "handle from before the shut-down");
  int again = 0;
  report.Ok(api.OpenCamera(1, &again), "shut-down closed the camera, so it opens again");
  api.Shutdown();
  return report.Take();
}

Violations CheckDefaultCamera(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "", report);
  CameraEnumEntry entries[kMaxEnumEntries];
  int count = kMaxEnumEntries;
  report.Ok(d.api.EnumerateCameras(entries, &count, 0x01), "enumerate");
  report.Equal(count, 1, "one camera by default");
  if (count != 1) return report.Take();
  const CameraEnumEntry& e = entries[0];
  report.Equal(FieldAt(e, 8), 3u, "model code");
  report.Equal(FieldAt(e, 12), 0u, "monochrome");
  report.Equal(FieldAt(e, 20), 1234567890u, "serial");
  report.Equal(FieldAt(e, 40), 0u, "USB 2.0");
  OpenCamera camera(d.api, static_cast<int>(FieldAt(e, 4)), report);
  std::uint32_t low = 0, high = 0;
  report.Ok(d.api.GetCameraInfo(camera.Handle(), kInfoMemorySize, &low, &high), "memory size");
  report.Equal(static_cast<std::uint64_t>(high) << 32 | low, 4096ull << 20, "4096 MB of memory");
  report.Equal(ReadInfo(d.api, camera.Handle(), kInfoSensorWidth), 1280u, "sensor width");
  report.Equal(ReadInfo(d.api, camera.Handle(), kInfoSensorHeight), 1024u, "sensor height");
  return report.Take();
}

Violations CheckEnumeration(const DriverUnderTest& d) {
  Report report;
  // Seven cameras of different families and one (model 7) that belongs to none.
  const std::vector<ListedCamera> cameras = {
      {0x101, 3, 0, 1000000001, 0, 0}, {0x102, 3, 1, 1000000002, 1, 1}, {0x103, 10, 0, 1000000003, 0, 2},
      {0x104, 22, 1, 1000000004, 1, 3}, {0x105, 6, 0, 1000000005, 2, 4}, {0x106, 19, 0, 1000000006, 1, 5},
      {0x107, 2, 0, 1000000007, 0, 6},  {0x108, 7, 0, 1000000008, 0, 7}};
  std::string ini = "[Driver]\nCameras=8\nTimeScale=1000\n";
  for (std::size_t i = 0; i < cameras.size(); ++i) {
    const ListedCamera& c = cameras[i];
    ini += "[Camera" + std::to_string(i) + "]\nId=" + std::to_string(c.id) + "\nModel=" + std::to_string(c.model) +
           "\nColor=" + std::to_string(c.color) + "\nSerial=" + std::to_string(c.serial) +
           "\nLink=" + std::to_string(c.link) + "\nVariant=" + std::to_string(c.variant) + "\n";
  }
  ini += "[Camera6]\nFamily=0x40\n";
  DriverSession session(d, ini, report);
  const TessaDriverApi& api = d.api;

  const struct { int mask; std::vector<int> ids; } masks[] = {
      {0x01, {0x101}}, {0x02, {0x102}}, {0x10, {0x103}}, {0x20, {0x104}}, {0x08, {0x105}}, {0x80, {0x106}},
      {0x40, {0x107}}, {0x3B, {0x101, 0x102, 0x103, 0x104, 0x105}},
      {0xFF, {0x101, 0x102, 0x103, 0x104, 0x105, 0x106, 0x107}}, {0x00, {}}, {0x04, {}}};
  for (const auto& m : masks) ExpectListed(api, m.mask, m.ids, report);

  // The fields sit at their documented offsets in 356-byte entries.
  CameraEnumEntry entries[kMaxEnumEntries];
  int count = kMaxEnumEntries;
  report.Ok(api.EnumerateCameras(entries, &count, 0xFF), "enumerate all");
  for (int i = 0; i < count && i < 7; ++i) {
    const ListedCamera& c = cameras[i];
    const std::string what = "entry " + std::to_string(i);
    report.Equal(static_cast<int>(FieldAt(entries[i], 8)), c.model, what + " model at 8");
    report.Equal(static_cast<int>(FieldAt(entries[i], 12)), c.color, what + " colour at 12");
    report.Equal(static_cast<int>(FieldAt(entries[i], 20)), c.serial, what + " serial at 20");
    report.Equal(static_cast<int>(FieldAt(entries[i], 40)), c.link, what + " link at 40");
    report.Equal(static_cast<int>(FieldAt(entries[i], 60)), c.variant, what + " variant at 60");
  }

  // Count in is the capacity, count out the number found; nothing is written past the capacity.
  std::memset(entries, 0xCD, sizeof entries);
  count = 2;
  report.Ok(api.EnumerateCameras(entries, &count, 0xFF), "enumerate into 2 entries");
  report.Equal(count, 7, "count out is every camera found");
  report.Equal(static_cast<int>(FieldAt(entries[1], 4)), 0x102, "second entry written");
  report.Equal(FieldAt(entries[2], 4), 0xCDCDCDCDu, "third entry untouched");
  count = 0;
  report.Ok(api.EnumerateCameras(nullptr, &count, 0xFF), "enumerate into no entries");
  report.Equal(count, 7, "count without entries");
  count = -1;
  report.Failed(api.EnumerateCameras(entries, &count, 0xFF), "negative capacity");
  report.Failed(api.EnumerateCameras(entries, nullptr, 0xFF), "no count");
  return report.Take();
}

Violations CheckDefaultFamilies(const DriverUnderTest& d) {
  Report report;
  const struct { int model, link, family; } rows[] = {
      {0, 0, 0x01}, {5, 0, 0x01}, {0, 1, 0x02}, {5, 2, 0x02}, {9, 0, 0x10}, {11, 0, 0x10}, {21, 0, 0x10},
      {22, 0, 0x10}, {9, 1, 0x20}, {22, 2, 0x20}, {6, 0, 0x08}, {8, 1, 0x08}, {12, 0, 0x80}, {20, 1, 0x80},
      {16, 2, 0x80}, {7, 0, 0x00}, {23, 1, 0x00}};
  for (const auto& row : rows) {
    DriverSession session(d, "[Driver]\nCameras=1\n[Camera0]\nModel=" + std::to_string(row.model) +
                                 "\nLink=" + std::to_string(row.link) + "\n", report);
    const std::string what = "model " + std::to_string(row.model) + " link " + std::to_string(row.link);
    for (int bit = 1; bit <= 0x80; bit <<= 1) {
      CameraEnumEntry entries[kMaxEnumEntries];
      int count = kMaxEnumEntries;
      d.api.EnumerateCameras(entries, &count, bit);
      report.Equal(count, bit == row.family ? 1 : 0, what + " under mask " + std::to_string(bit));
    }
  }
  return report.Take();
}

Violations CheckHandles(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=2\n", report);
  const TessaDriverApi& api = d.api;
  int h1 = 0, h2 = 0, other = 0;
  report.Ok(api.OpenCamera(1, &h1), "open camera 1");
  report.Expect(h1 != 0, "handle of camera 1 is not 0");
  report.Equal(api.OpenCamera(1, &other), kDrvBusy, "opening an open camera");
  report.Ok(api.OpenCamera(2, &h2), "open camera 2");
  report.Expect(h2 != 0 && h2 != h1, "camera 2 has its own handle");
  report.Failed(api.OpenCamera(99, &other), "open of an unknown id");
  report.Failed(api.OpenCamera(1, nullptr), "open without a handle output");

  CameraSettingsBlock block{};
  block.size = kSettingsBlockBytes;
  std::uint32_t first = 0, second = 0;
  int a = 0, b = 0, c = 0, e = 0;
  FrameTableEntry table[4];
  std::uint8_t frame[64];
  GrabRequest request{frame, sizeof frame, 1, {}};
  for (const int bad : {0, -1, h1 + 12345}) {
    const std::string what = " with handle " + std::to_string(bad);
    report.Failed(api.CloseCamera(bad), "close" + what);
    report.Failed(api.GetCameraInfo(bad, kInfoModelCode, &first, &second), "information" + what);
    report.Failed(api.InitSettings(bad, &block), "initialise settings" + what);
    report.Failed(api.ReadSettings(bad, &block), "read settings" + what);
    report.Failed(api.ApplySettings(bad, &block), "apply" + what);
    report.Failed(api.GrabFrames(bad, &request, 10), "grab" + what);
    report.Failed(api.GrabDuringRecording(bad, &request, 0), "grab during recording" + what);
    report.Failed(api.StartRecording(bad, 0, 0, 10, 0, nullptr, 1, 0), "record" + what);
    report.Failed(api.StopRecording(bad, &a), "stop" + what);
    report.Failed(api.GetRecordingStatus(bad, &a, &b, &c, &e), "recording status" + what);
    report.Failed(api.ReadFrameTable(bad, 0, 1, table), "frame table" + what);
    report.Failed(api.ReadFrame(bad, 0, 0, 0, frame), "read frame" + what);
    report.Failed(api.SoftwareTrigger(bad), "trigger" + what);
    report.Failed(api.ResetCamera(bad), "reset" + what);
  }
  report.Ok(api.CloseCamera(h1), "close camera 1");
  report.Failed(api.CloseCamera(h1), "second close");
  report.Failed(api.GetCameraInfo(h1, kInfoModelCode, &first, &second), "information on a closed handle");
  report.Ok(api.GetCameraInfo(h2, kInfoModelCode, &first, &second), "camera 2 still open");
  int reopened = 0;
  report.Ok(api.OpenCamera(1, &reopened), "reopen camera 1");
  report.Expect(reopened != h1, "a reopened camera gets a new handle");
  report.Failed(api.CloseCamera(h1), "the old handle stays dead");
  return report.Take();
}

Violations CheckInfoItems(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d,
                        "[Driver]\nCameras=2\n[Camera0]\nModel=19\nVariant=3\nSubType=2\nSerial=1000000023\nColor=1\n"
                        "Link=1\nSensorWidth=2048\nSensorHeight=1536\nMemoryMB=16384\nRecordBase=65536\n"
                        "LiveWhileRecording=0\nFrameTableMode=1\n[Camera1]\nMemoryMB=6000\n",
                        report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  const struct { int item; std::uint32_t first, second; } rows[] = {
      {kInfoModelCode, 19, 0}, {kInfoMemorySize, 0, 4}, {kInfoSerial, 1000000023, 0}, {kInfoSubtype, 2, 0},
      {kInfoColor, 1, 0}, {kInfoSensorWidth, 2048, 0}, {kInfoSensorHeight, 1536, 0},
      {kInfoLiveWhileRecording, 0, 0}, {kInfoFrameTableMode, 1, 0}, {kInfoVariant, 3, 0}, {kInfoRecordBase, 65536, 0}};
  for (const auto& row : rows) {
    std::uint32_t first = 0xDEADBEEF, second = 0xDEADBEEF;
    const std::string what = "item " + std::to_string(row.item);
    report.Ok(api.GetCameraInfo(camera.Handle(), row.item, &first, &second), what);
    report.Equal(first, row.first, what + " first value");
    if (row.item == kInfoMemorySize || row.item == kInfoRecordBase) report.Equal(second, row.second, what + " second value");
  }
  OpenCamera second(api, 2, report);
  std::uint32_t low = 0, high = 0;
  report.Ok(api.GetCameraInfo(second.Handle(), kInfoMemorySize, &low, &high), "memory of camera 2");
  report.Equal(static_cast<std::uint64_t>(high) << 32 | low, 6000ull << 20, "6000 MB as 64 bits");
  for (const int unknown : {1, 2, 13, 999, -1}) {
    std::uint32_t first = 0xDEADBEEF, other = 0xDEADBEEF;
    const std::string what = "unknown item " + std::to_string(unknown);
    report.Equal(api.GetCameraInfo(camera.Handle(), unknown, &first, &other), kDrvBadArgument, what);
    report.Expect(first == 0xDEADBEEF && other == 0xDEADBEEF, what + " leaves the outputs alone");
  }
  return report.Take();
}

Violations CheckSettingsCoupling(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=2\n[Camera0]\nMinPeriodNs=1000000\n[Camera1]\nColor=1\nMinPeriodNs=3000\n",
                        report);
  const TessaDriverApi& api = d.api;
  OpenCamera mono(api, 1, report);
  report.Equal(mono.Get(kSetMaxWidth), 1280u, "maximum width is the sensor width");
  report.Equal(mono.Get(kSetMaxHeight), 1024u, "maximum height is the sensor height");

  // Each row: the values written, then the values the apply couples them to.
  const struct Row {
    const char* what;
    std::uint32_t x0, y0, width, height, depth, period, exposure;
    std::uint32_t wantX0, wantY0, wantWidth, wantHeight, wantFrameBytes, wantMinPeriod, wantPeriod, wantExposure;
  } rows[] = {
      {"region and 8 bits", 100, 200, 640, 512, 8, 2000000, 1000000, 100, 200, 640, 512, 327680, 500000, 2000000, 1000000},
      {"10 bits round to pages", 0, 0, 333, 101, 10, 2000000, 1234567, 0, 0, 333, 101, 69632, 98633, 2000000, 1234567},
      {"period below the minimum", 0, 0, 1280, 1024, 8, 1000, 5000000, 0, 0, 1280, 1024, 1310720, 1000000, 1000000, 999000},
      {"exposure up to period less 1 us", 0, 0, 1280, 1024, 9, 2000000, 1999000, 0, 0, 1280, 1024, 2621440, 1000000, 2000000, 1999000},
      {"longer exposure is cut", 0, 0, 1280, 1024, 9, 2000000, 1999001, 0, 0, 1280, 1024, 2621440, 1000000, 2000000, 1999000},
      {"origin off the sensor, width 0", 1300, 1024, 0, 0, 8, 2000000, 1000, 0, 0, 1280, 1024, 1310720, 1000000, 2000000, 1000},
      {"region over the edge", 1000, 1000, 500, 100, 8, 2000000, 1000, 1000, 1000, 280, 24, 8192, 23438, 2000000, 1000},
  };
  for (const Row& r : rows) {
    report.Ok(mono.Apply({{kSetRoiX0, r.x0}, {kSetRoiY0, r.y0}, {kSetRoiWidth, r.width}, {kSetRoiHeight, r.height},
                          {kSetPixelDepth, r.depth}, {kSetFramePeriod, r.period}, {kSetExposure, r.exposure}}),
              r.what);
    // The apply writes the coupled values back into the same block.
    const std::string what = r.what;
    report.Equal(mono.Get(kSetRoiX0), r.wantX0, what + ": left");
    report.Equal(mono.Get(kSetRoiY0), r.wantY0, what + ": top");
    report.Equal(mono.Get(kSetRoiWidth), r.wantWidth, what + ": width");
    report.Equal(mono.Get(kSetRoiHeight), r.wantHeight, what + ": height");
    report.Equal(mono.Get(kSetMemoryFrameBytes), r.wantFrameBytes, what + ": memory frame bytes");
    report.Equal(mono.Get(kSetMinFramePeriod), r.wantMinPeriod, what + ": minimum period");
    report.Equal(mono.Get(kSetFramePeriod), r.wantPeriod, what + ": period");
    report.Equal(mono.Get(kSetExposure), r.wantExposure, what + ": exposure");
    report.Equal(mono.Get(kSetPixelFormat), r.depth == 8 ? 0u : 1u, what + ": pixel format");
  }

  // A refused apply changes nothing in the camera.
  report.Ok(mono.Apply({{kSetRoiX0, 0}, {kSetRoiY0, 0}, {kSetRoiWidth, 640}, {kSetRoiHeight, 480}, {kSetPixelDepth, 10}}),
            "known state");
  for (const std::uint32_t depth : {24u, 12u, 0u, 16u, 30u}) {
    report.Equal(mono.Apply({{kSetPixelDepth, depth}, {kSetRoiWidth, 320}}), kDrvBadArgument,
                 "monochrome depth " + std::to_string(depth));
  }
  report.Equal(mono.Apply({{kSetPixelDepth, 8}, {kSetBitWindow, 3}}), kDrvBadArgument, "bit window 3");
  report.Ok(api.ReadSettings(mono.Handle(), &mono.Block()), "read settings back");
  report.Equal(mono.Get(kSetPixelDepth), 10u, "depth after refusals");
  report.Equal(mono.Get(kSetRoiWidth), 640u, "width after refusals");

  // Values that only pass through the block survive an apply.
  report.Ok(mono.Apply({{kSetColorMatrixFirst, 0x18000}, {kSetColorMatrixLast, 0x8000}, {kSetRecordFrames, 321},
                        {kSetPreTriggerFrames, 12}, {kSetSyncIn, 4}, {kSetTriggerIn, 2}, {kSetGain, 2}}),
            "pass-through values");
  report.Ok(api.ReadSettings(mono.Handle(), &mono.Block()), "read settings");
  report.Equal(mono.Get(kSetColorMatrixFirst), 0x18000u, "colour matrix first");
  report.Equal(mono.Get(kSetColorMatrixLast), 0x8000u, "colour matrix last");
  report.Equal(mono.Get(kSetRecordFrames), 321u, "frames to record");
  report.Equal(mono.Get(kSetPreTriggerFrames), 12u, "pre-trigger frames");
  report.Equal(mono.Get(kSetSyncIn), 4u, "sync-in");
  report.Equal(mono.Get(kSetTriggerIn), 2u, "trigger-in");

  std::uint32_t value = 0;
  for (const int unknown : {8, 19, 50, 69, -1}) {
    report.Equal(api.GetSetting(mono.Handle(), &mono.Block(), unknown, &value), kDrvBadArgument,
                 "get unknown setting " + std::to_string(unknown));
    report.Equal(api.SetSetting(mono.Handle(), &mono.Block(), unknown, 1), kDrvBadArgument,
                 "set unknown setting " + std::to_string(unknown));
  }
  CameraSettingsBlock wrongSize = mono.Block();
  wrongSize.size = 512;
  report.Failed(api.GetSetting(mono.Handle(), &wrongSize, kSetGain, &value), "block with a wrong size word");
  report.Failed(api.ApplySettings(mono.Handle(), &wrongSize), "apply of a block with a wrong size word");

  OpenCamera colour(api, 2, report);
  for (const std::uint32_t depth : {24u, 27u, 30u}) {
    report.Ok(colour.Apply({{kSetPixelDepth, depth}, {kSetRoiWidth, 100}, {kSetRoiHeight, 10}}),
              "colour depth " + std::to_string(depth));
    report.Equal(colour.Get(kSetPixelFormat), 2u, "colour pixel format");
  }
  report.Equal(colour.Get(kSetMemoryFrameBytes), 8192u, "100 x 10 at 30 bits in pages");
  report.Equal(colour.Get(kSetMinFramePeriod), 2000u, "the shortest period has a floor");
  report.Equal(colour.Apply({{kSetPixelDepth, 8}}), kDrvBadArgument, "colour camera refuses 8 bits");
  return report.Take();
}

Violations CheckFaults(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d,
                        "[Driver]\nCameras=5\nTimeScale=1000\n[Camera0]\nFailOpen=1\n[Camera1]\nFailInitSettings=1\n"
                        "[Camera2]\nFailApply=1\n[Camera3]\nGrabError=10\nGrabErrorAfter=3\n[Camera4]\nGrabStall=1\n",
                        report);
  const TessaDriverApi& api = d.api;
  int h = 0;
  report.Failed(api.OpenCamera(1, &h), "FailOpen");
  report.Failed(api.OpenCamera(1, &h), "FailOpen again, not busy");

  int h2 = 0;
  report.Ok(api.OpenCamera(2, &h2), "FailInitSettings opens");
  CameraSettingsBlock block{};
  block.size = kSettingsBlockBytes;
  report.Failed(api.InitSettings(h2, &block), "FailInitSettings");
  report.Ok(api.CloseCamera(h2), "close after a failed initialisation");

  OpenCamera failApply(api, 3, report);
  report.Ok(api.SetSetting(failApply.Handle(), &failApply.Block(), kSetRoiWidth, 200), "set width");
  report.Failed(api.ApplySettings(failApply.Handle(), &failApply.Block()), "FailApply");
  report.Ok(api.ApplySettingsEx(failApply.Handle(), &failApply.Block(), 0, 0, 0), "extended apply");
  report.Ok(api.ReadSettings(failApply.Handle(), &failApply.Block()), "read settings");
  report.Equal(failApply.Get(kSetRoiWidth), 200u, "the extended apply took effect");

  OpenCamera erring(api, 4, report);
  erring.Apply({{kSetRoiWidth, 64}, {kSetRoiHeight, 8}});
  std::vector<std::uint8_t> frames;
  for (int i = 0; i < 3; ++i) report.Ok(erring.Grab(frames), "good grab " + std::to_string(i));
  report.Equal(erring.Grab(frames), 10, "grab after GrabErrorAfter good ones");
  report.Equal(erring.Grab(frames), 10, "and the next");

  OpenCamera stalling(api, 5, report);
  stalling.Apply({{kSetRoiWidth, 64}, {kSetRoiHeight, 8}});
  const auto start = std::chrono::steady_clock::now();
  const int status = stalling.Grab(frames, 40);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  report.Equal(status, kDrvTimeout, "GrabStall times out");
  report.Expect(elapsed >= std::chrono::milliseconds(35), "GrabStall waits the whole time-out");
  return report.Take();
}
