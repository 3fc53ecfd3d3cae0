// The camera view end to end under Wine, against the simulated driver: start-up, settings,
// live preview, recording in both modes, stopping, playback and scans, and repeated cycles.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "camera/CameraIds.h"
#include "config/SharedFolder.h"
#include "export/SaveFailureMessage.h"
#include "platform/win32/GdiObject.h"
#include "resources/CommandIds.h"
#include "resources/RoiEditorResources.h"
#include "resources/SaveSequenceResources.h"
#include "resources/WorkstationResources.h"
#include "tests/acquisition/ViewHarness.h"
#include "tests/support/DialogScript.h"
#include "tests/tessadrv/DriverConfigFile.h"

namespace {

// Test programs run side by side, and each camera keeps its configuration file under its serial
// number: every process gets a camera of its own.
const std::uint32_t kSerial = 1100000000 + GetCurrentProcessId() % 100000000;

std::string OneCamera(const std::string& extra = "") {
  return "[Driver]\r\nCameras=1\r\nTimeScale=10\r\n[Camera0]\r\nSerial=" + std::to_string(kSerial) +
         "\r\n" + extra;
}

std::string Line(const char* tag, long value) {
  return std::string("  <") + tag + ">" + std::to_string(value) + "</" + tag + ">\r\n";
}

int ProcessThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{sizeof entry};
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

long long ResidentBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<long long>(counters.WorkingSetSize);
}

DWORD HandleCount() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}

class CameraView : public ::testing::Test {
 protected:
  CameraView() {
    driver_.Load();
    images_.Load();
  }
  ~CameraView() override {
    docTemplate_.CloseDocument();
    RemoveCameraConfiguration(kSerial);
  }

  void Start(const std::string& driverIni, const std::string& configuration = "") {
    ASSERT_TRUE(driver_.IsLoaded());
    UseDriverConfiguration(driverIni);
    RemoveCameraConfiguration(kSerial);
    if (!configuration.empty()) WriteCameraConfiguration(kSerial, configuration);
    ASSERT_NE(docTemplate_.OpenNewDocument(nullptr), nullptr);
    view_ = static_cast<CCamView*>(docTemplate_.View());
    frame_ = static_cast<LoggingFrame*>(docTemplate_.Frame());
    WaitForSnap();
  }
  // Until the single image the view asked for has arrived and been handled.
  void WaitForSnap() {
    PumpUntil([] { return CCamView::LiveWorkerCount() == 0; }, 5000);
    PumpUntil([] { return false; }, 10);
  }

  void Command(UINT id) { SendMessageW(view_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  bool Enabled(UINT id) {
    CCmdUI ui(id);
    frame_->QueryCommand(ui);
    return ui.IsEnabled();
  }
  std::uint32_t ShownFrameNumber() { return FrameNumberOf(view_->Camera()->FrameBuffer()); }
  std::uint32_t Setting(int id) {
    std::uint32_t value = 0;
    view_->Camera()->GetSetting(id, &value);
    return value;
  }
  // Position of the last log entry with this text, -1 when there is none.
  long LastEntry(const std::string& text) {
    for (size_t i = frame_->log.size(); i-- > 0;) {
      if (frame_->log[i] == text) return static_cast<long>(i);
    }
    return -1;
  }
  void RecordToTheEnd() {
    Command(ID_CAMERA_RECORD);
    ASSERT_TRUE(PumpUntil([&] { return !view_->IsRecording(); }, 20000));
  }

  TessaLibrary driver_;
  CImageFileLibrary images_;
  ViewTemplate docTemplate_{driver_.Api(), images_.Api()};
  MessageBoxWatcher boxes_;
  CCamView* view_ = nullptr;
  LoggingFrame* frame_ = nullptr;
};

const UINT kCameraCommands[] = {ID_CAMERA_RECORD,  ID_CAMERA_STOP,      ID_CAMERA_PLAY,
                                ID_FRAME_FIRST,    ID_FRAME_LAST,       ID_FRAME_PREVIOUS,
                                ID_FRAME_NEXT,     ID_FRAME_REWIND,     ID_FRAME_FAST_FORWARD,
                                ID_CAMERA_TRIGGER, ID_RESET_CAMERA,     ID_SHOW_CAMERA_BAR};

TEST_F(CameraView, WithoutACameraEverythingIsDisabledAndNothingIsShown) {
  const std::string drivers[] = {"[Driver]\r\nCameras=0\r\n", OneCamera("FailOpen=1\r\n"),
                                 OneCamera("FailInitSettings=1\r\n")};
  for (const std::string& ini : drivers) {
    Start(ini);
    EXPECT_FALSE(view_->IsCameraOpen()) << ini;
    EXPECT_TRUE(frame_->Logged("DisableAllControls")) << ini;
    EXPECT_TRUE(frame_->Logged("SetView"));
    EXPECT_FALSE(frame_->zoomSelectorEnabled);
    for (UINT id : kCameraCommands) EXPECT_FALSE(Enabled(id)) << id << " " << ini;
    EXPECT_TRUE(Enabled(ID_END_ACQUISITION));
    Command(ID_CAMERA_RECORD);
    EXPECT_FALSE(view_->IsRecording()) << "a disabled command is not carried out";
    docTemplate_.CloseDocument();
  }
  EXPECT_TRUE(boxes_.Texts().empty()) << "no message without a camera";
}

TEST_F(CameraView, EveryViewHasAStopEventOfItsOwn) {
  // Views made in the same second draw the same first number; the second must not share.
  CCamView first(driver_.Api(), images_.Api());
  CCamView second(driver_.Api(), images_.Api());
  EXPECT_EQ(std::wstring(first.StopEventName()).rfind(L"StopCameraPlay", 0), 0u);
  EXPECT_NE(std::wstring(first.StopEventName()), std::wstring(second.StopEventName()));
}

TEST_F(CameraView, StartUpAppliesAndClampsTheConfiguration) {
  Start(OneCamera(), Line("Exposure", 50000) + Line("ExpMode", 1) + Line("Rate", 100) +
                         Line("Gain", 2) + Line("SyncInCfg", 2) + Line("ROI-X0", 100) +
                         Line("ROI-Width", 0) + Line("ROI-Height", 512) + Line("LiveTimeOut", 0));
  ASSERT_TRUE(view_->IsCameraOpen());
  const CameraSettings& s = view_->Settings();
  EXPECT_EQ(s.Exposure, 9999u) << "cut to the 10 ms period less 1 us";
  EXPECT_EQ(s.ExpMode, 0u);
  EXPECT_EQ(s.SyncInCfg, 0u);
  EXPECT_EQ(s.RoiX0, 0);
  EXPECT_EQ(s.RoiWidth, 1280);
  EXPECT_EQ(s.RoiHeight, 512);
  EXPECT_EQ(s.SensorWidth, 1280u);
  EXPECT_EQ(s.LiveTimeOut, 5000u);
  EXPECT_EQ(s.RecordMemory, 4096ull << 20);
  EXPECT_GE(s.FrameBytes, 1280u * 512);
  EXPECT_EQ(Setting(kSetExposure), 9999u);
  EXPECT_EQ(Setting(kSetExposureMode), 0u);
  EXPECT_EQ(Setting(kSetSyncIn), 0u);
  EXPECT_EQ(Setting(kSetGain), 2u);
  EXPECT_EQ(Setting(kSetRoiWidth), 1280u);
  EXPECT_EQ(Setting(kSetFramePeriod), 10000000u);
  EXPECT_TRUE(frame_->Logged("SetCameraInfo 3 " + std::to_string(kSerial) + " 4"));
  EXPECT_EQ(frame_->LastLogged("ShowFrameIndex"), "ShowFrameIndex 1 1") << "one live image shown";
  EXPECT_EQ(ShownFrameNumber(), 0u);
  EXPECT_EQ(view_->Camera()->FrameBufferSize(), 1280u * 1024 * 6);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(CameraView, FailingApplyFallsBackToTheExtendedApply) {
  Start(OneCamera("FailApply=1\r\n"), Line("Exposure", 2345) + Line("Gain", 1));
  ASSERT_TRUE(view_->IsCameraOpen());
  ASSERT_EQ(view_->Camera()->ReadSettings(), 0);  // what the camera really holds now
  EXPECT_EQ(Setting(kSetExposure), 2345u);
  EXPECT_EQ(Setting(kSetGain), 1u);
}

TEST_F(CameraView, SettingChangesReachTheCamera) {
  Start(OneCamera());
  CameraSettings& s = view_->Settings();
  s.Rate = 0;  // never divided by: the rate becomes the maximum first
  view_->ApplyCameraSetting(3);
  EXPECT_EQ(s.Rate, 1000u);
  EXPECT_EQ(Setting(kSetFramePeriod), 1000000u);
  EXPECT_EQ(s.Exposure, 999u) << "the camera cut the exposure to the new period";
  EXPECT_TRUE(frame_->Logged("ShowExposure 999"));

  view_->SetPeriodValue(0);
  EXPECT_EQ(s.Rate, 1000u) << "a period of 0 changes nothing";
  view_->SetPeriodValue(2000000);  // 0.5 frames per second rounds to 0: the maximum again
  EXPECT_EQ(s.Rate, 1000u);
  view_->SetPeriodValue(20000);
  EXPECT_EQ(s.Rate, 50u);
  EXPECT_TRUE(frame_->Logged("ShowRate 50"));
  view_->SetExposureValue(0);
  EXPECT_EQ(s.Exposure, 19999u);

  // A smaller region never raises the frame count; the memory bounds a larger one.
  s.AcquisitionFrames = 1000000;
  s.RoiWidth = 640;
  s.RoiHeight = 480;
  view_->ApplyCameraSetting(2);
  EXPECT_EQ(Setting(kSetRoiWidth), 640u);
  EXPECT_EQ(s.AcquisitionFrames, s.RecordMemory / s.FrameBytes);
  const std::uint32_t fitted = s.AcquisitionFrames;
  s.RoiWidth = 0;
  view_->ApplyCameraSetting(2);
  EXPECT_LT(s.AcquisitionFrames, fitted) << "the whole sensor fits fewer frames";
  const std::uint32_t whole = s.AcquisitionFrames;
  s.RoiWidth = 320;
  view_->ApplyCameraSetting(2);
  EXPECT_EQ(s.AcquisitionFrames, whole) << "a smaller region does not raise the count";
  EXPECT_TRUE(frame_->Logged("UpdateRoiText"));
}

TEST_F(CameraView, LivePreviewRunsAndStops) {
  Start(OneCamera());
  Command(ID_CAMERA_PLAY);
  EXPECT_TRUE(view_->IsLive());
  EXPECT_EQ(CCamView::LiveWorkerCount(), 1);
  EXPECT_TRUE(frame_->Logged("EnableLive 0"));
  EXPECT_FALSE(Enabled(ID_CAMERA_RECORD));
  EXPECT_TRUE(PumpUntil([&] { return ShownFrameNumber() > 5; }, 5000)) << "frames keep coming";
  Command(ID_CAMERA_STOP);
  EXPECT_FALSE(view_->IsLive());
  EXPECT_EQ(CCamView::LiveWorkerCount(), 0);
  EXPECT_EQ(frame_->LastLogged("EnableLive"), "EnableLive 1");
  EXPECT_TRUE(Enabled(ID_CAMERA_RECORD));
}

TEST_F(CameraView, GrabErrorsEndLivePreviewWithTheirMessage) {
  const struct { int code; const wchar_t* text; } cases[] = {
      {12, L"[ERR001] Acquisition Time-Out"}, {10, L"[ERR004] Hardware Fault Error."},
      {11, L"[ERR003] The Camera is busy."},  {13, L"[ERR002] The Acquisition Buffer is to small."}};
  size_t seen = 0;
  for (const auto& c : cases) {
    Start(OneCamera("GrabError=" + std::to_string(c.code) + "\r\nGrabErrorAfter=3\r\n"));
    Command(ID_CAMERA_PLAY);
    ASSERT_TRUE(PumpUntil([&] { return !view_->IsLive() && boxes_.Texts().size() > seen; }, 5000));
    EXPECT_EQ(boxes_.Texts().back(), c.text);
    EXPECT_EQ(CCamView::LiveWorkerCount(), 0);
    seen = boxes_.Texts().size();
    docTemplate_.CloseDocument();
  }
}

TEST_F(CameraView, NormalRecordingEndsThroughTheCallback) {
  Start(OneCamera(), Line("AcquisitionFrames", 20));
  Command(ID_CAMERA_RECORD);
  EXPECT_TRUE(view_->IsRecording());
  EXPECT_EQ(frame_->LastLogged("ShowStatusMessage"), "ShowStatusMessage 304");
  EXPECT_FALSE(Enabled(ID_CAMERA_TRIGGER)) << "no trigger in normal mode";
  ASSERT_TRUE(PumpUntil([&] { return view_->IsSequenceAvailable(); }, 20000));
  EXPECT_FALSE(view_->IsRecording());
  EXPECT_EQ(view_->FrameCount(), 20u);
  EXPECT_EQ(view_->CurrentFrame(), 0u);
  EXPECT_EQ(frame_->LastLogged("ShowFrameIndex"), "ShowFrameIndex 1 20");
  EXPECT_EQ(ShownFrameNumber(), 0u);
  view_->GoToFrame(19);
  EXPECT_EQ(ShownFrameNumber(), 19u);
  EXPECT_EQ(CCamView::LiveWorkerCount(), 0);
}

TEST_F(CameraView, CircularRecordingPutsThePreTriggerFramesFirst) {
  Start(OneCamera("TriggerAfter=103\r\n"),
        Line("RecordMode", 1) + Line("AcquisitionFrames", 100) +
            Line("AcquisitionPreTriggerFrames", 10));
  Command(ID_CAMERA_RECORD);
  EXPECT_TRUE(Enabled(ID_CAMERA_TRIGGER));
  ASSERT_TRUE(PumpUntil([&] { return view_->IsSequenceAvailable(); }, 20000));
  EXPECT_EQ(view_->RingStart(), 93u) << "trigger slot 3 less 10 pre-trigger frames";
  const struct { std::uint32_t index, frame; } frames[] = {{0, 93}, {6, 99}, {7, 100}, {99, 192}};
  for (const auto& f : frames) {
    view_->GoToFrame(f.index);
    EXPECT_EQ(ShownFrameNumber(), f.frame) << f.index;
  }
  view_->GoToFrame(7);
  EXPECT_EQ(frame_->LastLogged("ShowFrameIndex"), "ShowFrameIndex 8 100");
}

TEST_F(CameraView, SoftwareTriggerEndsACircularRecording) {
  Start(OneCamera(), Line("RecordMode", 1) + Line("AcquisitionFrames", 50) +
                         Line("AcquisitionPreTriggerFrames", 5));
  Command(ID_CAMERA_RECORD);
  PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(view_->IsRecording()) << "a circular recording waits for its trigger";
  Command(ID_CAMERA_TRIGGER);
  ASSERT_TRUE(PumpUntil([&] { return view_->IsSequenceAvailable(); }, 20000));
  view_->GoToFrame(5);
  const std::uint32_t trigger = ShownFrameNumber();
  view_->GoToFrame(4);
  EXPECT_EQ(ShownFrameNumber(), trigger - 1) << "five pre-trigger frames lead up to the trigger";
}

TEST_F(CameraView, StopDuringARecordingAsksWhetherToKeepTheFrames) {
  Start(OneCamera(), Line("RecordMode", 1) + Line("AcquisitionFrames", 50));
  Command(ID_CAMERA_RECORD);
  boxes_.Answer(IDCANCEL);
  Command(ID_CAMERA_STOP);
  EXPECT_TRUE(view_->IsRecording()) << "Cancel: the recording goes on";
  EXPECT_EQ(CCamView::LiveWorkerCount(), 1);
  EXPECT_EQ(frame_->LastLogged("ShowStatusMessage"), "ShowStatusMessage 304");

  boxes_.Answer(IDNO);
  Command(ID_CAMERA_STOP);
  EXPECT_FALSE(view_->IsRecording());
  EXPECT_FALSE(view_->IsSequenceAvailable()) << "No keeps the previous (absent) sequence";
  EXPECT_EQ(view_->FrameCount(), 1u);

  Command(ID_CAMERA_RECORD);
  boxes_.Answer(IDYES);
  Command(ID_CAMERA_STOP);
  EXPECT_TRUE(view_->IsSequenceAvailable());
  int active = 0, recorded = 0, trigger = 0, triggered = 0;
  view_->Camera()->GetRecordingStatus(&active, &recorded, &trigger, &triggered);
  EXPECT_EQ(view_->FrameCount(), static_cast<std::uint32_t>(std::min(recorded, 50)))
      << "Yes keeps what the camera recorded";
  EXPECT_EQ(CCamView::LiveWorkerCount(), 0);
  const auto texts = boxes_.Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], L"Not all the frames have been acquired yet. keep the acquired ones?");
}

TEST_F(CameraView, ARecordingTheCameraRefusesIsReportedAndLeavesNoSequence) {
  // A hundred full frames do not fit 64 MB: the driver refuses the start.
  Start(OneCamera("MemoryMB=64\r\n"), Line("AcquisitionFrames", 100));
  EXPECT_NE(view_->Record(), 0) << "the command's result says it failed";
  EXPECT_FALSE(view_->IsRecording());
  EXPECT_FALSE(view_->IsSequenceAvailable());
  EXPECT_EQ(CCamView::LiveWorkerCount(), 0);
  EXPECT_GT(LastEntry("ShowFrameIndex 1 1"), LastEntry("ShowStatusMessage 304"))
      << "the frame line no longer says Recording...";
  ASSERT_TRUE(PumpUntil([&] { return !boxes_.Texts().empty(); }, 2000));
  EXPECT_EQ(boxes_.Texts().back(),
            L"[ERR005] The Camera refused to start the recording (status 2).");
  EXPECT_TRUE(Enabled(ID_CAMERA_RECORD));
  EXPECT_EQ(view_->SaveImageSequence(), kSaveNoSequence) << "nothing was recorded to save";
}

TEST_F(CameraView, NavigationStepsAndScans) {
  Start(OneCamera(), Line("AcquisitionFrames", 20));
  EXPECT_FALSE(Enabled(ID_FRAME_NEXT)) << "a sequence of one frame cannot be navigated";
  RecordToTheEnd();
  EXPECT_FALSE(Enabled(ID_FRAME_FIRST));
  EXPECT_FALSE(Enabled(ID_FRAME_PREVIOUS));
  EXPECT_FALSE(Enabled(ID_FRAME_REWIND));
  Command(ID_FRAME_NEXT);
  EXPECT_EQ(view_->CurrentFrame(), 1u);
  Command(ID_FRAME_LAST);
  EXPECT_EQ(view_->CurrentFrame(), 19u);
  EXPECT_FALSE(Enabled(ID_FRAME_NEXT));
  EXPECT_FALSE(Enabled(ID_FRAME_FAST_FORWARD));
  Command(ID_FRAME_NEXT);
  EXPECT_EQ(view_->CurrentFrame(), 19u) << "disabled at the end";
  Command(ID_FRAME_PREVIOUS);
  EXPECT_EQ(view_->CurrentFrame(), 18u);
  Command(ID_FRAME_FIRST);
  EXPECT_EQ(view_->CurrentFrame(), 0u);

  view_->GoToFrame(10);
  Command(ID_FRAME_FAST_FORWARD);
  EXPECT_EQ(view_->CurrentFrame(), 19u);
  EXPECT_EQ(ShownFrameNumber(), 19u);
  EXPECT_FALSE(view_->IsScanning());
  Command(ID_FRAME_REWIND);
  EXPECT_EQ(view_->CurrentFrame(), 0u);
  EXPECT_EQ(ShownFrameNumber(), 0u);

  // Stop arrives between two steps of the scan; the frame reached stays.
  PostMessageW(view_->Handle(), WM_COMMAND, MAKEWPARAM(ID_CAMERA_STOP, 0), 0);
  Command(ID_FRAME_FAST_FORWARD);
  EXPECT_EQ(view_->CurrentFrame(), 1u);
  EXPECT_EQ(ShownFrameNumber(), 1u);
  EXPECT_FALSE(view_->IsScanning());
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(CameraView, ClosingDuringARecordingStopsEverything) {
  Start(OneCamera(), Line("RecordMode", 1) + Line("AcquisitionFrames", 50));
  Command(ID_CAMERA_RECORD);
  Command(ID_CAMERA_PLAY);  // disabled while recording
  EXPECT_FALSE(view_->IsLive());
  docTemplate_.CloseDocument();
  EXPECT_EQ(CCamView::LiveWorkerCount(), 0);
  // The configuration was saved under the camera's serial when the view went.
  char folder[MAX_PATH] = "";
  GetSharedDocumentsFolder(folder);
  const std::string path = std::string(folder) + "\\" + std::to_string(kSerial) + ".xml";
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CameraView, ZoomFitsTheWindowAndStepsBetweenPresets) {
  Start(OneCamera());
  const SIZE client = view_->TrueClientSize();  // the client area without scroll bars
  ASSERT_EQ(client.cx, 800);
  ASSERT_EQ(client.cy, 600);
  // Start-up posts the fit: 1280 x 1024 in 800 x 600 fits 63 across and 59 down.
  ASSERT_TRUE(PumpUntil([&] { return view_->ZoomPercent() != 100; }, 2000));
  EXPECT_EQ(view_->ZoomPercent(), 58);
  EXPECT_TRUE(frame_->Logged("SetCustomZoomText 58"));
  EXPECT_EQ(frame_->LastLogged("SelectZoomEntry"), "SelectZoomEntry 13");
  EXPECT_EQ(view_->TotalSize().cx, 742);
  EXPECT_EQ(view_->TotalSize().cy, 594);
  HMENU popup = GetSubMenu(view_->ContextMenu(), 0);
  wchar_t text[32] = L"";
  GetMenuStringW(popup, ID_ZOOM_CUSTOM, text, 32, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"58%");
  EXPECT_EQ(GetMenuState(popup, ID_ZOOM_CUSTOM, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(GetMenuState(popup, 32776, MF_BYCOMMAND) & MF_CHECKED, 0u) << "100% unchecked";

  Command(ID_ZOOM_IN);
  EXPECT_EQ(view_->ZoomPercent(), 60);
  EXPECT_EQ(frame_->LastLogged("SelectZoomEntry"), "SelectZoomEntry 7");
  Command(ID_ZOOM_OUT);
  EXPECT_EQ(view_->ZoomPercent(), 50);
  Command(ID_ZOOM_OUT);
  EXPECT_EQ(view_->ZoomPercent(), 40);
  Command(ID_ZOOM_100);
  EXPECT_EQ(view_->ZoomPercent(), 100);
  EXPECT_EQ(view_->TotalSize().cx, 1280);
  Command(ID_ZOOM_FIRST);  // 400%
  EXPECT_FALSE(Enabled(ID_ZOOM_IN));
  EXPECT_TRUE(Enabled(ID_ZOOM_OUT));
  Command(ID_ZOOM_IN);
  EXPECT_EQ(view_->ZoomPercent(), 400);
  Command(ID_ZOOM_FIRST + 12);  // 10%
  EXPECT_FALSE(Enabled(ID_ZOOM_OUT));
  EXPECT_EQ(view_->TotalSize().cx, 128);

  // A fit to the zoom already shown rewrites the texts and leaves the rest.
  Command(ID_ZOOM_CUSTOM);
  ASSERT_EQ(view_->ZoomPercent(), 58);
  const size_t entries = frame_->log.size();
  Command(ID_ZOOM_FIT);
  EXPECT_EQ(frame_->log.size(), entries + 1);
  EXPECT_EQ(frame_->log.back(), "SetCustomZoomText 58");
  EXPECT_EQ(GetMenuState(popup, ID_ZOOM_CUSTOM, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
}

// A fresh folder under the temporary folder for saved files, removed with what it holds.
class SaveFolder {
 public:
  explicit SaveFolder(const std::string& tag = "") {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "selvar-save-" + std::to_string(GetCurrentProcessId()) + tag;
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~SaveFolder() {
    for (const std::string& file : Files()) DeleteFileA((path_ + "\\" + file).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  const std::string& Path() const { return path_; }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Head(const std::string& file, size_t bytes) const {
    std::string data(bytes, '\0');
    FILE* f = std::fopen((path_ + "\\" + file).c_str(), "rb");
    if (!f) return "";
    data.resize(std::fread(&data[0], 1, bytes, f));
    std::fclose(f);
    return data;
  }

 private:
  std::string path_;
};

void Target(CameraSettings& s, const std::string& folder, std::uint32_t type, std::uint32_t first,
            std::uint32_t last, std::uint32_t step) {
  std::snprintf(s.ImageFolder, sizeof s.ImageFolder, "%s", folder.c_str());
  std::snprintf(s.ImageNamePrefix, sizeof s.ImageNamePrefix, "Img");
  s.FileType = type;
  s.SaveFirst = first;
  s.SaveLast = last;
  s.SaveStep = step;
}

TEST_F(CameraView, SavingWritesOneFilePerFrameNumberedInTheSeries) {
  Start(OneCamera(), Line("AcquisitionFrames", 20));
  RecordToTheEnd();
  SaveFolder folder;
  CameraSettings& s = view_->Settings();
  Target(s, folder.Path() + "\\", 1, 10, 15, 2);  // frames 10, 12 and 14 as TIFF
  EXPECT_EQ(view_->SaveImageSequence(), kSaveDone);
  EXPECT_EQ(std::string(s.ImageFolder), folder.Path()) << "one trailing backslash removed";
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"Img000.tif", "Img001.tif", "Img002.tif"}));
  EXPECT_EQ(folder.Head("Img001.tif", 4), std::string("II*\0", 4));
  EXPECT_EQ(ShownFrameNumber(), 14u) << "the buffer holds the last frame saved";
  EXPECT_EQ(view_->CurrentFrame(), 0u) << "playback's frame is unchanged";
}

// Saved files describe a frame with the settings its recording was made with, not later ones.
TEST_F(CameraView, SavedFramesCarryTheSettingsOfTheirRecording) {
  Start(OneCamera(), Line("AcquisitionFrames", 4));
  const std::uint32_t recorded = view_->Settings().Exposure;
  RecordToTheEnd();
  view_->SetExposureValue(recorded + 500);
  ASSERT_EQ(view_->Settings().Exposure, recorded + 500);
  SaveFolder folder;
  Target(view_->Settings(), folder.Path(), 1, 2, 2, 1);
  EXPECT_EQ(view_->SaveImageSequence(), kSaveDone);
  const std::string head = folder.Head("Img000.tif", 4096);
  EXPECT_NE(head.find("exposure_us=" + std::to_string(recorded) + "\n"), std::string::npos) << head;
  EXPECT_NE(head.find("\nframe=2\ntrigger_frame=2\n"), std::string::npos) << head;
}

TEST_F(CameraView, SavingPutsARangeIntoOneMovie) {
  Start(OneCamera(), Line("AcquisitionFrames", 20));
  RecordToTheEnd();
  SaveFolder folder;
  Target(view_->Settings(), folder.Path(), 17, 0, 9, 3);  // frames 0, 3, 6, 9 as AVI
  EXPECT_EQ(view_->SaveImageSequence(), kSaveDone);
  ASSERT_EQ(folder.Files(), (std::vector<std::string>{"Img.avi"}));
  const std::string head = folder.Head("Img.avi", 64);
  ASSERT_EQ(head.size(), 64u);
  EXPECT_EQ(head.substr(0, 4), "RIFF");
  EXPECT_EQ(head.substr(8, 4), "AVI ");
  std::uint32_t totalFrames = 0;
  std::memcpy(&totalFrames, head.data() + 48, 4);
  EXPECT_EQ(totalFrames, 4u);
  EXPECT_EQ(ShownFrameNumber(), 9u);
}

TEST_F(CameraView, SavingRefusesRangesWithoutFrames) {
  Start(OneCamera(), Line("AcquisitionFrames", 20));
  RecordToTheEnd();
  SaveFolder folder;
  const struct { std::uint32_t first, last, step; } ranges[] = {{0, 9, 0}, {9, 0, 1}};
  for (const auto& r : ranges) {
    Target(view_->Settings(), folder.Path(), 1, r.first, r.last, r.step);
    EXPECT_EQ(view_->SaveImageSequence(), kSaveRefused) << r.first << ".." << r.last;
  }
  EXPECT_TRUE(folder.Files().empty());
  Target(view_->Settings(), std::string(250, 'x'), 1, 0, 0, 1);
  EXPECT_EQ(view_->SaveImageSequence(), kSaveNameTooLong);
}

struct AbortProbe {
  std::wstring message;
  int ticks = 0;
};
AbortProbe g_abort;

BOOL CALLBACK FindProgress(HWND window, LPARAM found) {
  if (GetDlgItem(window, IDC_ABORT_SAVE)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// Runs inside the saving loop's message pump: reads the message line, then presses Abort.
void CALLBACK PressAbort(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND progress = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindProgress, reinterpret_cast<LPARAM>(&progress));
  if (!progress || ++g_abort.ticks < 3) return;
  wchar_t text[128] = L"";
  GetDlgItemTextW(progress, IDC_SAVE_MESSAGE, text, 128);
  g_abort.message = text;
  SendDlgItemMessageW(progress, IDC_ABORT_SAVE, BM_CLICK, 0, 0);
  KillTimer(nullptr, timer);
}

// Frames in a saved AVI as its main header counts them.
std::uint32_t AviFrames(const SaveFolder& folder, const std::string& file) {
  const std::string head = folder.Head(file, 64);
  std::uint32_t frames = 0;
  if (head.size() == 64) std::memcpy(&frames, head.data() + 48, 4);
  return frames;
}

TEST_F(CameraView, AbortKeepsTheFilesWrittenSoFar) {
  Start(OneCamera(), Line("AcquisitionFrames", 100));
  RecordToTheEnd();
  for (std::uint32_t type : {2u, 17u}) {  // 100 bitmaps, or one AVI closed with its frames
    SCOPED_TRACE(type);
    SaveFolder folder;
    Target(view_->Settings(), folder.Path(), type, 0, 99, 1);
    g_abort = AbortProbe{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, PressAbort);
    EXPECT_EQ(view_->SaveImageSequence(), kSaveAborted);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_abort.message, L"Saving acquisition images: 1 to 100. Please wait!");
    const std::uint32_t written = view_->LastSave().framesWritten;
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, 100u);
    if (type == 2) {
      EXPECT_EQ(folder.Files().size(), written);
    } else {
      EXPECT_EQ(folder.Files(), std::vector<std::string>{"Img.avi"});
      EXPECT_EQ(AviFrames(folder, "Img.avi"), written);
    }
    HWND progress = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindProgress, reinterpret_cast<LPARAM>(&progress));
    EXPECT_EQ(progress, nullptr) << "the progress dialog is gone";
  }
}

TEST_F(CameraView, AFrameThatCannotBeReadStopsTheSaveAndIsReported) {
  Start(OneCamera("FailReadSlot=4\r\n"), Line("AcquisitionFrames", 20));
  RecordToTheEnd();
  SaveFolder folder;
  Target(view_->Settings(), folder.Path(), 17, 0, 9, 1);
  EXPECT_EQ(view_->SaveImageSequence(), kSaveReadFailed);
  const SaveOutcome& outcome = view_->LastSave();
  EXPECT_EQ(outcome.status, 3);
  EXPECT_EQ(outcome.failedFrame, 4u);
  EXPECT_EQ(outcome.framesWritten, 4u);
  ASSERT_EQ(folder.Files(), std::vector<std::string>{"Img.avi"});
  EXPECT_EQ(AviFrames(folder, "Img.avi"), 4u) << "closed with the frames before the failed one";
  EXPECT_EQ(ShownFrameNumber(), 3u) << "nothing was written twice";
  const std::wstring text = SaveFailureText(outcome, "");
  const std::wstring file(folder.Path().begin(), folder.Path().end());
  EXPECT_EQ(text, L"Frame 5 could not be read from the camera for " + file +
                      L"\\Img.avi (error 3). Saving stopped; the frames saved before it are kept.");
  SaveOutcome done;
  EXPECT_EQ(SaveFailureText(done, ""), L"") << "no message without a failure";
}

TEST_F(CameraView, RepeatedCyclesLeakNothing) {
  Start(OneCamera(), Line("AcquisitionFrames", 1000));
  auto liveCycle = [&] {
    Command(ID_CAMERA_PLAY);
    // Erase and paint while the worker runs: the background fill makes and drops GDI regions.
    RedrawWindow(view_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    view_->StopActivity(0);
  };
  auto recordCycle = [&] {
    Command(ID_CAMERA_RECORD);
    int active = 0, recorded = 0, trigger = 0, triggered = 0;
    view_->Camera()->GetRecordingStatus(&active, &recorded, &trigger, &triggered);
    EXPECT_EQ(active, 1) << "the camera really records";
    view_->StopActivity(0);
  };
  liveCycle();
  recordCycle();
  const DWORD handles = HandleCount();
  const int threads = ProcessThreadCount();
  const long windows = CWindowBase::LiveWindowCount();
  const long gdiObjects = LiveGdiObjects();
  for (int i = 0; i < 1000; ++i) {
    liveCycle();
    recordCycle();
  }
  EXPECT_EQ(CCamView::LiveWorkerCount(), 0);
  EXPECT_LE(HandleCount(), handles) << "kernel handles";
  EXPECT_LE(ProcessThreadCount(), threads);
  EXPECT_EQ(CWindowBase::LiveWindowCount(), windows);
  EXPECT_EQ(LiveGdiObjects(), gdiObjects) << "GDI objects made through the project's owners";
  EXPECT_FALSE(view_->IsLive());
  EXPECT_FALSE(view_->IsRecording());
  EXPECT_TRUE(boxes_.Texts().empty());
}

// Worst time, in ms, the window took to answer WM_NULL sent from another thread while the window's
// thread kept refreshing every command's state, as the control's timer does.
// The stalls these bounds guard against last the driver's 1500 ms and more; the bound leaves a
// loaded test machine room without letting such a stall through.
constexpr DWORD kAnswerBoundMs = 400;

DWORD WorstAnswerMs(HWND window, const std::function<void()>& refresh, int probes) {
  std::atomic<DWORD> worst{0};
  std::atomic<bool> done{false};
  std::thread prober([&] {
    for (int i = 0; i < probes; ++i) {
      const DWORD start = GetTickCount();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
      worst = std::max<DWORD>(worst, GetTickCount() - start);
      Sleep(20);
    }
    done = true;
  });
  PumpUntil([&] { refresh(); return done.load(); }, 60000);
  prober.join();
  return worst;
}

TEST_F(CameraView, AStalledGrabNeverHoldsUpTheWindow) {
  Start(OneCamera("GrabStall=1\r\n"), Line("LiveTimeOut", 50));
  view_->Settings().LiveTimeOut = 8000;
  view_->ApplyCameraSetting(0);
  Command(ID_CAMERA_PLAY);
  PumpUntil([] { return false; }, 50);  // the worker is inside its grab now
  auto refresh = [&] {
    for (UINT id = ID_CAMERA_RECORD; id <= ID_CAMERA_TRIGGER; ++id) Enabled(id);
  };
  EXPECT_LT(WorstAnswerMs(view_->Handle(), refresh, 20), kAnswerBoundMs);
  const DWORD painted = GetTickCount();
  RedrawWindow(view_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_LT(GetTickCount() - painted, 500u) << "painting does not wait for the grab either";
  Command(ID_CAMERA_STOP);
  EXPECT_FALSE(view_->IsLive());
  // The driver is still usable: a setting goes through at once.
  const DWORD applied = GetTickCount();
  view_->Settings().TriggerInCfg = 2;
  view_->ApplyCameraSetting(10);
  ASSERT_EQ(view_->Camera()->ReadSettings(), 0);
  EXPECT_EQ(Setting(kSetTriggerIn), 2u);
  EXPECT_LT(GetTickCount() - applied, 200u);
  // The single image that Stop while idle asks for is grabbed off the window's thread too.
  const DWORD snapped = GetTickCount();
  Command(ID_CAMERA_STOP);
  EXPECT_LT(GetTickCount() - snapped, kAnswerBoundMs)
      << "Stop while idle does not wait for the image";
  EXPECT_LT(WorstAnswerMs(view_->Handle(), refresh, 20), kAnswerBoundMs);
}

// Stop while the driver holds a grab: the window keeps answering, and the workers left inside
// the driver cost little, however many there are.
TEST_F(CameraView, AStalledStopNeverHoldsUpTheWindowAndCostsLittle) {
  Start(OneCamera("GrabStall=1\r\n"), Line("LiveTimeOut", 50));
  view_->Settings().LiveTimeOut = 30000;
  view_->ApplyCameraSetting(0);
  const long long resident = ResidentBytes();
  int stops = 0;
  DWORD playing = 0;
  auto stalledStops = [&] {
    if (stops == 16) return;
    if (!view_->IsLive()) {
      Command(ID_CAMERA_PLAY);
      playing = GetTickCount();
    } else if (GetTickCount() - playing > 30) {  // the worker is inside its grab by now
      Command(ID_CAMERA_STOP);
      ++stops;
    }
  };
  const DWORD worst = WorstAnswerMs(view_->Handle(), stalledStops, 60);
  ASSERT_EQ(stops, 16);
  EXPECT_LT(worst, kAnswerBoundMs);
  EXPECT_LT(ResidentBytes() - resident, 2 << 20);
}

// A grab still inside the driver when live preview stops never lands on the frame shown after.
TEST_F(CameraView, AStoppedGrabNeverOverwritesTheFrameShownAfter) {
  Start(OneCamera(), Line("AcquisitionFrames", 20));
  RecordToTheEnd();
  view_->SetPeriodValue(1000000);  // a grab waits up to 100 ms, longer than Stop waits for it
  for (int i = 0; i < 3; ++i) {
    Command(ID_CAMERA_PLAY);
    PumpUntil([] { return false; }, 150);
    Command(ID_CAMERA_STOP);
    view_->GoToFrame(7);
    PumpUntil([] { return false; }, 150);
    EXPECT_EQ(ShownFrameNumber(), 7u) << i;
  }
}

// What a stopped worker posted is stale: an image abandoned for a setting says nothing later.
TEST_F(CameraView, AnAbandonedImageReportsNothingLate) {
  Start(OneCamera("GrabError=11\r\n"));
  const size_t shown = boxes_.Texts().size();  // the start-up image's error
  Command(ID_CAMERA_STOP);
  WaitForSnap();
  EXPECT_EQ(boxes_.Texts().size(), shown + 1) << "an image that fails says so";
  Command(ID_CAMERA_STOP);
  view_->ApplyCameraSetting(0);  // ends the image's worker, whose error is posted by then
  PumpUntil([] { return false; }, 50);
  EXPECT_EQ(boxes_.Texts().size(), shown + 1) << "the abandoned image's error is not shown";
}

TEST_F(CameraView, AnErrorFromAStoppedPreviewDoesNotEndTheNextRecording) {
  Start(OneCamera("GrabStall=1\r\n"), Line("LiveTimeOut", 50) + Line("AcquisitionFrames", 20));
  const size_t startUpBoxes = boxes_.Texts().size();  // the stalled start-up snap
  view_->Settings().LiveTimeOut = 1000;
  view_->ApplyCameraSetting(0);
  Command(ID_CAMERA_PLAY);
  PumpUntil([] { return false; }, 50);
  Command(ID_CAMERA_STOP);  // the grab times out meanwhile and its worker posts the error
  Command(ID_CAMERA_RECORD);
  ASSERT_TRUE(PumpUntil([&] { return view_->IsSequenceAvailable(); }, 20000));
  EXPECT_EQ(view_->FrameCount(), 20u);
  EXPECT_EQ(boxes_.Texts().size(), startUpBoxes) << "no time-out shown for a stopped preview";
}

TEST_F(CameraView, PlaybackAndSavingKeepTheSequenceOwnFrameCount) {
  Start(OneCamera("TriggerAfter=103\r\n"),
        Line("RecordMode", 1) + Line("AcquisitionFrames", 100) +
            Line("AcquisitionPreTriggerFrames", 10));
  RecordToTheEnd();
  ASSERT_EQ(view_->RingStart(), 93u);
  view_->Settings().AcquisitionFrames = 200;  // as the camera bar's frames box does
  view_->GoToFrame(7);
  EXPECT_EQ(ShownFrameNumber(), 100u) << "sequence frame 7 wraps to camera slot 0";
  EXPECT_EQ(frame_->LastLogged("ShowFrameIndex"), "ShowFrameIndex 8 100");

  SaveFolder folder;
  Target(view_->Settings(), folder.Path(), 2, 4, 9, 1);
  EXPECT_EQ(view_->SaveImageSequence(), kSaveDone);
  const std::vector<std::string> files = folder.Files();
  ASSERT_EQ(files.size(), 6u);
  for (size_t i = 1; i < files.size(); ++i) {
    EXPECT_NE(folder.Head(files[i], 1 << 20), folder.Head(files[i - 1], 1 << 20)) << files[i];
  }
  EXPECT_EQ(ShownFrameNumber(), 102u);

  // Past the sequence's last frame the series stops instead of repeating the frame before.
  SaveFolder beyond("-beyond");
  Target(view_->Settings(), beyond.Path(), 2, 97, 120, 1);
  EXPECT_EQ(view_->SaveImageSequence(), kSaveReadFailed);
  EXPECT_EQ(beyond.Files().size(), 3u);
}

TEST_F(CameraView, WithoutTheDriverLibraryTheViewRunsWithoutACamera) {
  TessaLibrary missing;
  ASSERT_NE(missing.Load(L"NoSuchTessaDrv.dll"), 0);
  ViewTemplate noDriver(missing.Api(), images_.Api());
  ASSERT_NE(noDriver.OpenNewDocument(nullptr), nullptr);
  auto* view = static_cast<CCamView*>(noDriver.View());
  auto* frame = static_cast<LoggingFrame*>(noDriver.Frame());
  EXPECT_FALSE(view->IsCameraOpen());
  EXPECT_TRUE(frame->Logged("DisableAllControls"));
  noDriver.CloseDocument();
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(CameraView, TheDriverIsShutDownLastAfterAFailedOpen) {
  UseDriverConfiguration(OneCamera("FailInitSettings=1\r\n"));
  ViewTemplate logged(LoggingDriver(driver_.Api()), images_.Api());
  ASSERT_NE(logged.OpenNewDocument(nullptr), nullptr);
  EXPECT_FALSE(static_cast<CCamView*>(logged.View())->IsCameraOpen());
  logged.CloseDocument();
  EXPECT_EQ(LoggedDriverCalls(), (std::vector<std::string>{"CloseCamera 0", "Shutdown 0"}));
}

TEST_F(CameraView, SettingsTheCameraRefusesAreReplacedByItsOwn) {
  Start(OneCamera(), Line("Gain", 7) + Line("TriggerInCfg", 9) + Line("RecordMode", 5) +
                         Line("AcquisitionFrames", 30));
  const CameraSettings& s = view_->Settings();
  EXPECT_EQ(s.Gain, 0u);
  EXPECT_EQ(s.TriggerInCfg, 0u);
  EXPECT_EQ(s.RecordMode, 0u);
  EXPECT_EQ(s.AcquisitionFrames, 30u) << "the view's own counts stay";
  view_->Settings().Gain = 2;
  view_->ApplyCameraSetting(6);
  ASSERT_EQ(view_->Camera()->ReadSettings(), 0);
  EXPECT_EQ(Setting(kSetGain), 2u) << "later changes are no longer refused";
  docTemplate_.CloseDocument();
  const std::string saved = ReadCameraConfiguration(kSerial);
  EXPECT_NE(saved.find("<Gain>2</Gain>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<TriggerInCfg>0</TriggerInCfg>"), std::string::npos);
  EXPECT_NE(saved.find("<RecordMode>0</RecordMode>"), std::string::npos);
}

std::function<void()> g_onTimer;

void CALLBACK RunOnce(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_onTimer) g_onTimer();
}

TEST_F(CameraView, ClosingTheWindowEndsASaveAtTheNextFrame) {
  Start(OneCamera(), Line("AcquisitionFrames", 100));
  RecordToTheEnd();
  SaveFolder folder;
  Target(view_->Settings(), folder.Path(), 2, 0, 99, 1);
  g_onTimer = [&] { DestroyWindow(view_->Handle()); };
  SetTimer(nullptr, 0, 1, RunOnce);
  EXPECT_EQ(view_->SaveImageSequence(), kSaveAborted);
  g_onTimer = nullptr;
  EXPECT_LT(folder.Files().size(), 100u);
}

// The command rules in every state. Each string has one column per state: 0 no camera, 1 idle,
// 2 idle at 400 %, 3 idle at 10 %, 4 live, 5 recording, 6 circular recording, 7 scanning,
// 8 sequence at its first frame, 9 in its middle, 10 at its last frame.
struct CommandRule {
  UINT first, last;
  const char* enabled;
  const char* checked;
};
const CommandRule kRules[] = {
    {ID_CAMERA_RECORD, ID_CAMERA_RECORD, "01110000111", "00000110000"},
    {ID_CAMERA_STOP, ID_CAMERA_STOP, "01111111111", "00000000000"},
    {ID_CAMERA_PLAY, ID_CAMERA_PLAY, "01111000111", "00001000000"},
    {ID_FRAME_FIRST, ID_FRAME_FIRST, "00000000011", "00000000000"},
    {ID_FRAME_LAST, ID_FRAME_LAST, "00000000110", "00000000000"},
    {ID_FRAME_PREVIOUS, ID_FRAME_PREVIOUS, "00000000011", "00000000000"},
    {ID_FRAME_NEXT, ID_FRAME_NEXT, "00000000110", "00000000000"},
    {ID_FRAME_REWIND, ID_FRAME_REWIND, "00000000011", "00000000000"},
    {ID_FRAME_FAST_FORWARD, ID_FRAME_FAST_FORWARD, "00000000110", "00000000000"},
    {ID_CAMERA_TRIGGER, ID_CAMERA_TRIGGER, "00000010000", "00000000000"},
    {ID_END_ACQUISITION, ID_END_ACQUISITION, "11111111111", "00000000000"},
    {ID_RESET_CAMERA, ID_RESET_CAMERA, "01110000111", "00000000000"},
    {ID_EXPOSURE_DOWN, ID_EXPOSURE_UP, "01111000111", "00000000000"},
    {ID_SHOW_CAMERA_BAR, ID_SHOW_CAMERA_BAR, "01111111111", "11111111111"},
    {ID_ZOOM_IN, ID_ZOOM_IN, "01011111111", "00000000000"},
    {ID_ZOOM_OUT, ID_ZOOM_OUT, "01101111111", "00000000000"},
    {ID_ZOOM_FIRST, ID_ZOOM_CUSTOM, "01111111111", "00000000000"},
    {ID_ZOOM_FIT, ID_ZOOM_100, "01111111111", "00000000000"},
};

class CommandRules : public CameraView {
 protected:
  // What any command could change, the camera's own gain included (Reset restores it).
  std::vector<long long> Snapshot() {
    std::uint32_t gain = 0;
    if (view_->IsCameraOpen() && view_->Camera()->ReadSettings() == 0) gain = Setting(kSetGain);
    return {view_->IsLive(), view_->IsRecording(), view_->IsScanning(),
            view_->IsSequenceAvailable(), view_->FrameCount(), view_->CurrentFrame(),
            view_->ZoomPercent(), frame_->barShown, CCamView::LiveWorkerCount(),
            static_cast<long long>(boxes_.Texts().size()), gain};
  }

  void ExpectRules(int state) {
    for (const CommandRule& rule : kRules) {
      for (UINT id = rule.first; id <= rule.last; ++id) {
        CCmdUI ui(id);
        frame_->QueryCommand(ui);
        EXPECT_EQ(ui.IsEnabled(), rule.enabled[state] == '1') << id << " in state " << state;
        EXPECT_EQ(ui.Checked(), rule.checked[state] - '0') << id << " in state " << state;
        if (ui.IsEnabled()) continue;
        const auto before = Snapshot();
        Command(id);
        EXPECT_EQ(Snapshot(), before) << "disabled " << id << " ran in state " << state;
      }
    }
  }
};

TEST_F(CommandRules, EveryCommandInEveryState) {
  Start("[Driver]\r\nCameras=0\r\n");
  ExpectRules(0);
  docTemplate_.CloseDocument();

  Start(OneCamera(), Line("AcquisitionFrames", 200) + Line("Gain", 2));
  ASSERT_TRUE(PumpUntil([&] { return view_->ZoomPercent() != 100; }, 2000));  // the fit
  ExpectRules(1);
  Command(ID_ZOOM_FIRST);
  ExpectRules(2);
  Command(ID_ZOOM_FIRST + 12);
  ExpectRules(3);
  Command(ID_ZOOM_100);
  RecordToTheEnd();
  ExpectRules(8);
  view_->GoToFrame(199);
  ExpectRules(10);
  // Live and both recordings with a sequence shown in its middle, which navigation must not leave.
  view_->GoToFrame(100);
  ExpectRules(9);
  Command(ID_CAMERA_PLAY);
  ExpectRules(4);
  Command(ID_CAMERA_STOP);
  Command(ID_CAMERA_RECORD);
  ExpectRules(5);
  ASSERT_TRUE(PumpUntil([&] { return !view_->IsRecording(); }, 20000));
  view_->GoToFrame(100);
  view_->Settings().RecordMode = 1;
  view_->ApplyCameraSetting(8);
  Command(ID_CAMERA_RECORD);  // waits for its trigger
  ExpectRules(6);
  view_->StopActivity(0);

  view_->GoToFrame(0);
  bool scanned = false;
  g_onTimer = [&] {
    scanned = view_->IsScanning();
    ExpectRules(7);
    Command(ID_CAMERA_STOP);
  };
  SetTimer(nullptr, 0, 1, RunOnce);
  Command(ID_FRAME_FAST_FORWARD);
  g_onTimer = nullptr;
  EXPECT_TRUE(scanned);
  EXPECT_LT(view_->CurrentFrame(), 199u) << "Stop ended the scan";
}

// Behaviour behind commands that the rules enable: Stop while idle grabs, LWR freezes the
// picture of a recording, a depth change keeps the file type one the library accepts, and the
// right-button menu needs a camera.
TEST_F(CommandRules, StopLwrDepthAndMenu) {
  bool menuShown = false;
  g_onTimer = [&] {
    HWND menu = FindWindowW(L"#32768", nullptr);
    DWORD process = 0;
    if (menu) GetWindowThreadProcessId(menu, &process);
    menuShown = process == GetCurrentProcessId() && IsWindowVisible(menu);
    EndMenu();
  };
  Start("[Driver]\r\nCameras=0\r\n");
  SetTimer(nullptr, 0, 50, RunOnce);
  SendMessageW(view_->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
  PumpUntil([] { return false; }, 100);
  EXPECT_FALSE(menuShown) << "no menu without a camera";
  docTemplate_.CloseDocument();
  g_onTimer = nullptr;

  Start(OneCamera(), Line("RecordMode", 1) + Line("AcquisitionFrames", 50));
  const std::uint32_t shown = ShownFrameNumber();
  Command(ID_CAMERA_STOP);
  WaitForSnap();
  EXPECT_EQ(ShownFrameNumber(), shown + 1) << "Stop while idle grabs one new image";

  for (int lwr : {0, 1}) {
    view_->Settings().LWR = static_cast<std::uint32_t>(lwr);
    const std::uint32_t before = ShownFrameNumber();
    Command(ID_CAMERA_RECORD);
    const bool changed = PumpUntil([&] { return ShownFrameNumber() != before; }, 500);
    EXPECT_EQ(changed, lwr == 1) << "LWR " << lwr;
    view_->StopActivity(0);
  }

  const struct { std::uint32_t type, valid; } types[] = {{7, 1}, {99, 11}, {4, 4}};
  for (const auto& t : types) {
    view_->Settings().FileType = t.type;
    view_->Settings().PixelDepth = 10;
    view_->ApplyCameraSetting(1);
    EXPECT_EQ(view_->Settings().FileType, t.valid) << t.type;
  }
}

// The operator's dialogs from the view's commands, confirmed through their controls.
const std::wstring kSaveTitle = L"Save Sequence to file";
const std::wstring kRoiTitle = L"Edit Region of Interest";

TEST_F(CameraView, DialogCommandsFollowTheirRules) {
  Start(OneCamera(), Line("AcquisitionFrames", 5));
  const UINT commands[] = {ID_SAVE_SEQUENCE, ID_EDIT_ROI, ID_EXPOSURE_DOWN, ID_EXPOSURE_UP};
  auto states = [&] {
    std::vector<bool> enabled;
    for (UINT id : commands) enabled.push_back(Enabled(id));
    return enabled;
  };
  EXPECT_EQ(states(), (std::vector<bool>{false, true, true, true})) << "idle, nothing recorded";
  Command(ID_CAMERA_PLAY);
  EXPECT_EQ(states(), (std::vector<bool>{false, false, true, true})) << "live";
  view_->StopActivity(0);
  view_->Settings().AcquisitionFrames = 1000;
  Command(ID_CAMERA_RECORD);
  EXPECT_EQ(states(), (std::vector<bool>{false, false, false, false})) << "recording";
  view_->StopActivity(0);
  view_->Settings().AcquisitionFrames = 5;
  RecordToTheEnd();
  EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true})) << "a sequence to save";
}

TEST_F(CameraView, SaveCommandWritesWhatTheDialogWasGiven) {
  Start(OneCamera(), Line("AcquisitionFrames", 20));
  RecordToTheEnd();
  SaveFolder folder;
  CameraSettings& s = view_->Settings();
  Target(s, folder.Path(), 2, 7, 7, 9);
  std::wstring range;
  RunDialogScript(kSaveTitle, [&](HWND d) {
    range = ItemText(d, IDC_SAVE_FROM) + L"-" + ItemText(d, IDC_SAVE_TO) + L"/" + ItemText(d, IDC_SAVE_STEP);
    Type(d, IDC_SAVE_PREFIX, L"Run");
    SendDlgItemMessageW(d, IDC_SAVE_FILE_TYPE, CB_SETCURSEL, 0, 0);  // TIFF
    Type(d, IDC_SAVE_FROM, L"3");
    Type(d, IDC_SAVE_TO, L"7");
    Type(d, IDC_SAVE_STEP, L"2");
    Press(d, IDOK);
  }, [&] { Command(ID_SAVE_SEQUENCE); });
  EXPECT_EQ(range, L"1-20/1") << "the preset range";
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"Run000.tif", "Run001.tif", "Run002.tif"}));
  EXPECT_EQ(folder.Head("Run000.tif", 4), std::string("II*\0", 4));
  EXPECT_EQ(ShownFrameNumber(), 6u) << "frames 3, 5 and 7 from 1: the last saved is 6 from 0";
  EXPECT_EQ(s.SaveFirst, 2u);
  EXPECT_EQ(s.SaveStep, 2u);
  EXPECT_STREQ(s.ImageNamePrefix, "Run");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(CameraView, AFailedSaveNamesTheFile) {
  Start(OneCamera(), Line("AcquisitionFrames", 4));
  RecordToTheEnd();
  SaveFolder folder;
  const std::string missing = folder.Path() + "\\gone";
  const struct {
    std::uint32_t type;
    std::string file;
  } cases[] = {{1, missing + "\\Img000.tif"}, {17, missing + "\\Img.avi"}};
  for (const auto& c : cases) {
    Target(view_->Settings(), missing, c.type, 0, 0, 1);
    const size_t before = boxes_.Texts().size();
    RunDialogScript(kSaveTitle, [](HWND d) { Press(d, IDOK); }, [&] { Command(ID_SAVE_SEQUENCE); });
    const std::vector<std::wstring> texts = boxes_.Texts();
    ASSERT_EQ(texts.size(), before + 1) << c.type;
    const std::wstring file(c.file.begin(), c.file.end());
    EXPECT_NE(texts.back().find(file), std::wstring::npos) << c.type << ": " << std::string(texts.back().begin(), texts.back().end());
  }
}

TEST_F(CameraView, CancelledSaveChangesOnlyThePresetRangeAndDepth) {
  Start(OneCamera(), Line("AcquisitionFrames", 12));
  RecordToTheEnd();
  CameraSettings& s = view_->Settings();
  Target(s, "C:\\kept", 2, 4, 6, 3);
  s.PixelDepth = 24;
  const CameraSettings before = s;
  RunDialogScript(kSaveTitle, [](HWND d) {
    Type(d, IDC_SAVE_PREFIX, L"Other");
    Type(d, IDC_SAVE_STEP, L"5");
    Press(d, IDCANCEL);
  }, [&] { Command(ID_SAVE_SEQUENCE); });
  CameraSettings expected = before;
  expected.SaveFirst = 0;
  expected.SaveLast = 11;
  expected.SaveStep = 1;
  expected.PixelDepth = Setting(kSetPixelDepth);
  EXPECT_EQ(std::memcmp(&s, &expected, sizeof s), 0);
  EXPECT_EQ(s.PixelDepth, 8u);
}

TEST_F(CameraView, EditRoiAppliesTheRegionOnOkOnly) {
  Start(OneCamera());
  const struct {
    const char* name;
    std::function<void(HWND)> steps;
    std::int32_t x0, y0, width, height;
  } cases[] = {
      {"typed and confirmed",
       [](HWND d) {
         Type(d, IDC_ROI_X0, L"64");
         Type(d, IDC_ROI_Y0, L"32");
         Type(d, IDC_ROI_WIDTH, L"640");
         Type(d, IDC_ROI_HEIGHT, L"480");
         Press(d, IDOK);
       },
       64, 32, 640, 480},
      {"cancelled", [](HWND d) { Press(d, IDC_ROI_RESET); Press(d, IDCANCEL); }, 64, 32, 640, 480},
      {"a width of 0 is the whole sensor", [](HWND d) { Type(d, IDC_ROI_WIDTH, L"0"); Press(d, IDOK); },
       0, 32, 1280, 480},
  };
  for (const auto& c : cases) {
    RunDialogScript(kRoiTitle, c.steps, [&] { Command(ID_EDIT_ROI); });
    const CameraSettings& s = view_->Settings();
    EXPECT_EQ(s.RoiX0, c.x0) << c.name;
    EXPECT_EQ(s.RoiY0, c.y0) << c.name;
    EXPECT_EQ(s.RoiWidth, c.width) << c.name;
    EXPECT_EQ(s.RoiHeight, c.height) << c.name;
    EXPECT_EQ(Setting(kSetRoiWidth), static_cast<std::uint32_t>(c.width)) << c.name << ": the camera has it";
    EXPECT_EQ(s.SensorWidth, 1280u) << c.name;
  }
}

TEST_F(CameraView, ASaveThatCannotReadAFrameSaysSo) {
  Start(OneCamera("FailReadSlot=3\r\n"), Line("AcquisitionFrames", 5));
  RecordToTheEnd();
  SaveFolder folder;
  Target(view_->Settings(), folder.Path(), 2, 0, 0, 1);
  RunDialogScript(kSaveTitle, [](HWND d) { Press(d, IDOK); }, [&] { Command(ID_SAVE_SEQUENCE); });
  EXPECT_EQ(folder.Files().size(), 3u);
  ASSERT_FALSE(boxes_.Texts().empty());
  const std::wstring said = boxes_.Texts().back();
  EXPECT_EQ(said.rfind(L"Frame 4 could not be read", 0), 0u) << std::string(said.begin(), said.end());
  EXPECT_NE(said.find(L"Img003.bmp"), std::wstring::npos);
}

// However a recording ends, the sequence is what the camera wrote: of k frames recorded into a
// ring of M slots (frame j into slot j mod M), the last min(k, M), oldest first. M is the count
// the recording started with. The rows run in order in one view, each after what the one before
// left; the same on a camera that addresses its frames through a frame table, whose first
// recording is a stopped one, so that only the table read for it can serve it.
TEST_F(CameraView, TheSequenceHoldsExactlyTheFramesTheCameraRecorded) {
  constexpr std::uint32_t kFast = 1000;  // the camera's maximum
  const struct Row {
    const char* name;
    std::uint32_t mode, frames, pre, rate;
    std::uint32_t stopAt;                   // 0: runs to its end; else Stop, Yes, after this many
    std::uint32_t framesDuring, preDuring;  // set while it records; 0: left alone
  } rows[] = {
      {"normal, stopped, count changed while recording", 0, 300, 0, 10, 30, 20, 0},
      {"normal", 0, 20, 0, kFast, 0, 0, 0},
      {"circular, triggered at frame 1003", 1, 100, 10, kFast, 0, 0, 0},
      {"normal, stopped, after a circular one", 0, 300, 0, 10, 30, 0, 0},
      {"circular, stopped untriggered after wrapping", 1, 20, 5, 10, 30, 0, 0},
      {"circular, counts changed while recording", 1, 40, 10, kFast, 0, 200, 30},
  };
  for (const char* camera : {"", "Model=19\r\nFamily=1\r\n"}) {
    Start(OneCamera(std::string("TriggerAfter=1003\r\n") + camera));
    for (const Row& r : rows) {
      const std::string name = std::string(r.name) + (*camera ? ", frame table" : "");
      view_->ApplySettingById(IDC_RECORD_MODE, r.mode);
      view_->ApplySettingById(IDC_FRAMES, r.frames);
      view_->ApplySettingById(IDC_PRE_TRIGGER, r.pre);
      view_->Settings().Rate = r.rate;
      view_->ApplyCameraSetting(3);
      Command(ID_CAMERA_RECORD);
      if (r.framesDuring) view_->ApplySettingById(IDC_FRAMES, r.framesDuring);
      if (r.preDuring) view_->ApplySettingById(IDC_PRE_TRIGGER, r.preDuring);
      int active = 0, k = 0, trigger = 0, triggered = 0;
      auto status = [&] { view_->Camera()->GetRecordingStatus(&active, &k, &trigger, &triggered); };
      if (r.stopAt) {
        ASSERT_TRUE(PumpUntil([&] { return status(), k >= static_cast<int>(r.stopAt); }, 20000));
        boxes_.Answer(IDYES);
        Command(ID_CAMERA_STOP);
      }
      ASSERT_TRUE(PumpUntil([&] { return !view_->IsRecording(); }, 20000)) << name;
      status();
      if (r.stopAt) {
        EXPECT_TRUE(k < 1003 && k < static_cast<int>(r.stopAt) + 200) << name << ": stopped at " << k;
      }
      const std::uint32_t count = std::min<std::uint32_t>(k, r.frames);
      EXPECT_EQ(view_->FrameCount(), count) << name;
      EXPECT_EQ(view_->RingStart(), static_cast<std::uint32_t>(k) > r.frames ? k % r.frames : 0) << name;
      EXPECT_EQ(frame_->LastLogged("ShowFrameIndex"), "ShowFrameIndex 1 " + std::to_string(count)) << name;
      for (std::uint32_t i : {0u, count / 2, count - 1}) {
        view_->GoToFrame(i);
        EXPECT_EQ(ShownFrameNumber(), k - count + i) << name << ", frame " << i;
      }
      EXPECT_NE(view_->LoadFrame(count), 0) << name << ": nothing past the sequence";
      std::wstring range;
      RunDialogScript(kSaveTitle, [&](HWND d) {
        range = ItemText(d, IDC_SAVE_INFO) + L" " + ItemText(d, IDC_SAVE_FROM) + L"-" + ItemText(d, IDC_SAVE_TO);
        Press(d, IDCANCEL);
      }, [&] { Command(ID_SAVE_SEQUENCE); });
      const std::wstring frames = std::to_wstring(count);
      EXPECT_EQ(range, frames + L" Frames (8 bit) 1-" + frames) << name;
    }
    docTemplate_.CloseDocument();
  }
  EXPECT_EQ(boxes_.Texts().size(), 6u) << "only the questions of the stops";
}

// GetData's copy by raw slot: the caller's whole target must be writable before anything is
// written; the first frame outside the sequence or failing to read ends the copy with a non-zero
// result, the frames before it in place. The recording area starts above address 0.
TEST_F(CameraView, CopiedFramesComeOnlyFromTheSequenceIntoWhollyWritableMemory) {
  Start(OneCamera("RecordBase=0x100000\r\nFailReadSlot=6\r\n"), Line("AcquisitionFrames", 8));
  const std::size_t frameBytes = static_cast<std::size_t>(view_->Camera()->GetFrameBytes());
  // Room for three frames, then reserved memory; a read-only page; never-mapped low memory.
  auto* block = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, 4 * frameBytes, MEM_RESERVE, PAGE_NOACCESS));
  ASSERT_TRUE(block && VirtualAlloc(block, 3 * frameBytes, MEM_COMMIT, PAGE_READWRITE));
  DWORD old = 0;
  auto* locked = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, frameBytes, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_TRUE(locked && VirtualProtect(locked, frameBytes, PAGE_READONLY, &old));
  constexpr int kUntouched = -1;
  const struct Row {
    const char* name;
    bool recorded;
    int count, first;
    std::uint8_t* target;
    int status;
    std::vector<int> stamps;  // of the frames in the target, kUntouched where nothing was written
  } rows[] = {
      {"before any recording", false, 1, 0, block, kCamOutOfRange, {kUntouched}},
      {"frames 2 to 4", true, 3, 2, block, kDrvOk, {2, 3, 4}},
      {"a failing read", true, 3, 5, block, 3, {5, kUntouched, kUntouched}},
      {"past the last frame", true, 2, 7, block, kCamOutOfRange, {7, kUntouched}},
      {"before the first frame", true, 2, -1, block, kCamOutOfRange, {kUntouched, kUntouched}},
      {"a buffer one frame short", true, 4, 0, block, kCamBadTarget, {kUntouched, kUntouched, kUntouched}},
      {"a read-only buffer", true, 1, 0, locked, kCamBadTarget, {}},
      {"a wild address", true, 1, 0, reinterpret_cast<std::uint8_t*>(0x1000), kCamBadTarget, {}},
  };
  for (const Row& r : rows) {
    if (r.recorded && !view_->IsSequenceAvailable()) RecordToTheEnd();
    std::memset(block, 0xAB, 3 * frameBytes);
    EXPECT_EQ(view_->CopyFrames(r.count, r.first, r.target), r.status) << r.name;
    for (std::size_t i = 0; i < r.stamps.size(); ++i) {
      const std::uint8_t* frame = block + i * frameBytes;
      if (r.stamps[i] == kUntouched) {
        EXPECT_TRUE(frame[0] == 0xAB && frame[frameBytes - 1] == 0xAB) << r.name << ", frame " << i;
      } else {
        EXPECT_EQ(FrameNumberOf(frame), static_cast<std::uint32_t>(r.stamps[i])) << r.name << ", frame " << i;
      }
    }
  }
  // A region changed since the recording: the frames the camera holds no longer fit the size
  // the caller allowed for.
  view_->Settings().RoiWidth = 640;
  view_->ApplyCameraSetting(2);
  EXPECT_EQ(view_->CopyFrames(1, 0, block), kCamOutOfRange);
  VirtualFree(locked, 0, MEM_RELEASE);
  VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace
