// Display rates of the camera view against the camera's own rates, measured in the same run
// under Wine with the simulated camera at 1280 x 1024, 8 bits, 1000 frames per second:
// live frames painted per second against bare live grabs, frames shown per second by fast
// forward against bare frame reads, live frames painted inside the whole workstation (toolbar,
// zoom selector and camera bar refreshed at the control's idle pace) against the bare view,
// the window's worst answer time to WM_NULL during live preview at 1000 and at 5 frames per
// second against the same with no preview, and saving end to end through PictoLib.dll (the view's
// SaveImageSequence of 500 frames, and the bare loop) against a plain write of the same bytes,
// and the time the view's save takes to take an Abort clicked in its progress dialog and to return.
// Run with scripts/bench.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "acquisition/CCamView.h"
#include "bench/BenchTiming.h"
#include "bench/SaveBenchCases.h"
#include "camera/TessaLibrary.h"
#include "control/CameraDocTemplate.h"
#include "resources/CommandIds.h"
#include "tests/tessadrv/DriverConfigFile.h"
#include "ui/CMainFrame.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

class CountingView : public CCamView {
 public:
  using CCamView::CCamView;
  long draws = 0;
  double worstDrawMs = 0;  // one paint holds the window's thread as long as it takes
  void OnDraw(HDC dc) override {
    ++draws;
    const LARGE_INTEGER start = Now();
    CCamView::OnDraw(dc);
    worstDrawMs = std::max(worstDrawMs, Seconds(start, Now()) * 1000.0);
  }
};

class BenchFrame : public CFrameWindow {
 public:
  bool CreateFrame(HWND parent) {
    const RECT rect{0, 0, 1300, 1100};
    return Create(0, L"ViewBench", WS_POPUP | WS_VISIBLE, rect, parent, nullptr) != nullptr;
  }
};

using BenchTemplate = CCameraDocTemplate<BenchFrame, CountingView>;
using WorkstationTemplate = CCameraDocTemplate<CMainFrame, CountingView>;

constexpr SIZE kViewArea{1300, 1100};
constexpr double kIdleUpdateSeconds = 0.3;

// Frames from the view's camera memory, with no progress shown and no messages let through.
class BareSteps : public SaveSteps {
 public:
  explicit BareSteps(CCamView& view) : view_(view) {}
  bool Progress(std::uint32_t, std::uint32_t) override { return true; }
  int ReadFrame(std::uint32_t index) override { return view_.LoadFrame(index); }
  const void* Pixels() override { return view_.Camera()->FrameBuffer(); }
  bool StopRequested() override { return false; }

 private:
  CCamView& view_;
};

BOOL CALLBACK FindProgress(HWND window, LPARAM found) {
  if (GetDlgItem(window, IDC_ABORT_SAVE)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

struct AbortTimes {
  double answeredMs;  // until the window took the click: the loop stops after the frame under way
  double returnedMs;  // until the save returned, the library having closed the file cut short
};

// Worst times, in ms, from Abort clicked (sent from another thread, while the save is under way).
// Each try saves into an emptied folder: replacing the last try's file would add the system's
// removal of it (some 60 ms per 130 MB under Wine), a cost of the name, not of the abort.
AbortTimes WorstAbortTimes(CCamView& view, const std::filesystem::path& folder) {
  constexpr int kTries = 3;
  const DWORD windowThread = GetCurrentThreadId();
  AbortTimes worst{0, 0};
  for (int t = 0; t < kTries; ++t) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::atomic<bool> saving{true};
    LARGE_INTEGER clicked{}, answered{};
    std::thread clicker([&] {
      HWND progress = nullptr;
      while (saving && !progress) {
        EnumThreadWindows(windowThread, FindProgress, reinterpret_cast<LPARAM>(&progress));
        Sleep(1);
      }
      Sleep(150);  // well into the series
      clicked = Now();
      if (saving) {
        SendMessageW(progress, WM_COMMAND, MAKEWPARAM(IDC_ABORT_SAVE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(progress, IDC_ABORT_SAVE)));
      }
      answered = Now();
    });
    const int result = view.SaveImageSequence();
    const LARGE_INTEGER returned = Now();
    saving = false;
    clicker.join();
    if (result != kSaveAborted) return {-1, -1};  // the series ended before the click: no figure
    worst.answeredMs = std::max(worst.answeredMs, Seconds(clicked, answered) * 1000.0);
    worst.returnedMs = std::max(worst.returnedMs, Seconds(clicked, returned) * 1000.0);
  }
  return worst;
}

// Runs the messages for a while; with a frame, its bars get the idle refresh as the control's
// timer gives it.
void PumpFor(double seconds, CFrameWindow* refreshed = nullptr) {
  const LARGE_INTEGER start = Now();
  LARGE_INTEGER refreshedAt = start;
  while (Seconds(start, Now()) < seconds) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (refreshed && Seconds(refreshedAt, Now()) >= kIdleUpdateSeconds) {
      refreshed->UpdateAllBars();
      refreshedAt = Now();
    }
    Sleep(1);
  }
}

// Frames the view paints per second of live preview at 100 %.
double LiveRate(CountingView& view, CFrameWindow* refreshed) {
  SendMessageW(view.Handle(), WM_COMMAND, ID_ZOOM_100, 0);
  PumpFor(0.2, refreshed);
  view.draws = 0;
  SendMessageW(view.Handle(), WM_COMMAND, ID_CAMERA_PLAY, 0);
  const LARGE_INTEGER start = Now();
  PumpFor(3.0, refreshed);
  const double rate = view.draws / Seconds(start, Now());
  view.StopActivity(0);
  return rate;
}

// Worst time, in ms, the window took over `seconds` to answer WM_NULL sent from another thread,
// while its own thread pumps messages and refreshes every command's state as the control's timer
// does, only more often.
double WorstNullAnswerMs(CCamView* view, double seconds) {
  std::atomic<bool> stop{false};
  std::atomic<bool> done{false};
  double worst = 0;
  std::thread prober([&] {
    while (!stop) {
      const LARGE_INTEGER sent = Now();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(view->Handle(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
      worst = std::max(worst, Seconds(sent, Now()) * 1000.0);
      Sleep(5);
    }
    done = true;
  });
  const LARGE_INTEGER start = Now();
  // The pump goes on until the prober has finished, so that its last probe is answered too.
  while (!done) {
    if (Seconds(start, Now()) >= seconds) stop = true;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    for (UINT id = ID_ZOOM_IN; id <= ID_CAMERA_TRIGGER; ++id) {
      CCmdUI ui(id);
      view->UpdateCommand(ui);
    }
    Sleep(1);
  }
  prober.join();
  return worst;
}

double LiveNullAnswerMs(CCamView* view, std::uint32_t rate) {
  view->Settings().Rate = rate;
  view->ApplyCameraSetting(3);
  SendMessageW(view->Handle(), WM_COMMAND, ID_CAMERA_PLAY, 0);
  const double worst = WorstNullAnswerMs(view, 3.0);
  view->StopActivity(0);
  return worst;
}

// The live rate inside the whole workstation, its view as large as the bare view's.
double WorkstationLiveRate(const TessaLibrary& driver, const CImageFileLibrary& images) {
  WorkstationTemplate docTemplate(driver.Api(), images.Api());
  CFrameWindow* frame = docTemplate.OpenNewDocument(nullptr);
  if (!frame) return 0;
  auto* view = static_cast<CountingView*>(docTemplate.View());
  if (!view->IsCameraOpen()) return 0;
  ShowWindow(frame->Handle(), SW_SHOWNORMAL);
  RECT outer, inner;
  GetWindowRect(frame->Handle(), &outer);
  GetClientRect(view->Handle(), &inner);
  SetWindowPos(frame->Handle(), nullptr, 0, 0,
               outer.right - outer.left + kViewArea.cx - inner.right,
               outer.bottom - outer.top + kViewArea.cy - inner.bottom, SWP_NOZORDER | SWP_NOMOVE);
  view->Settings().Rate = 1000;
  view->ApplyCameraSetting(3);
  PumpFor(0.2, frame);
  const double rate = LiveRate(*view, frame);
  docTemplate.CloseDocument();
  return rate;
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  UseDriverConfiguration("[Driver]\r\nCameras=1\r\n[Camera0]\r\nSerial=1900000001\r\n");

  TessaLibrary driver;
  CImageFileLibrary images;
  if (driver.Load() != 0) return 1;
  images.Load();
  BenchTemplate docTemplate(driver.Api(), images.Api());
  if (!docTemplate.OpenNewDocument(nullptr)) return 1;
  auto* view = static_cast<CountingView*>(docTemplate.View());
  if (!view->IsCameraOpen()) return 1;
  view->Settings().Rate = 1000;
  view->ApplyCameraSetting(3);
  view->Settings().AcquisitionFrames = 300;
  PumpFor(0.2);

  // Bare live grabs: the camera's own pace.
  constexpr int kGrabs = 300;
  LARGE_INTEGER start = Now();
  for (int i = 0; i < kGrabs; ++i) view->Camera()->GrabLive();
  const double grabRate = kGrabs / Seconds(start, Now());

  // Live preview: frames the view paints per second while the worker grabs.
  const double liveRate = LiveRate(*view, nullptr);

  // A recording to play back, then bare reads and fast forward over it.
  SendMessageW(view->Handle(), WM_COMMAND, ID_CAMERA_RECORD, 0);
  while (view->IsRecording()) PumpFor(0.01);
  const int frames = static_cast<int>(view->FrameCount());
  start = Now();
  for (int i = 0; i < frames; ++i) view->Camera()->ReadFrame(0, 0, i);
  const double readRate = frames / Seconds(start, Now());

  view->GoToFrame(0);
  PumpFor(0.1);
  view->draws = 0;
  start = Now();
  SendMessageW(view->Handle(), WM_COMMAND, ID_FRAME_FAST_FORWARD, 0);
  const double scanSeconds = Seconds(start, Now());
  // Each step of the scan paints once, so the frames painted are the frames shown.
  const double shownRate = view->draws / scanSeconds;

  const double idleAnswer = WorstNullAnswerMs(view, 3.0);
  view->worstDrawMs = 0;
  const double fastAnswer = LiveNullAnswerMs(view, 1000);
  const double slowAnswer = LiveNullAnswerMs(view, 5);

  PrintFigure("view_live_frames_painted", liveRate, "frames/s", liveRate / grabRate,
              "bare_live_grabs");
  PrintFigure("bare_live_grabs", grabRate, "frames/s", grabRate / 1000.0, "camera_rate_1000");
  PrintFigure("view_fast_forward_frames_shown", shownRate, "frames/s", shownRate / readRate,
              "bare_frame_reads");
  PrintFigure("bare_frame_reads", readRate, "frames/s", readRate / grabRate, "bare_live_grabs");
  PrintFigure("view_wm_null_worst_live_1000fps", fastAnswer, "ms", fastAnswer / idleAnswer,
              "view_wm_null_worst_idle");
  PrintFigure("view_wm_null_worst_live_5fps", slowAnswer, "ms", slowAnswer / idleAnswer,
              "view_wm_null_worst_idle");
  PrintFigure("view_wm_null_worst_idle", idleAnswer, "ms", idleAnswer / 20.0, "target_20ms");
  PrintFigure("view_paint_worst_live", view->worstDrawMs, "ms", view->worstDrawMs / fastAnswer,
              "view_wm_null_worst_live_1000fps");

  CodecInfo uncompressed{};
  images.Api().SetGCompressionCodec(17, &uncompressed);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "selvar-save-bench";
  const std::string folder = (dir / "ours").string(), plain = (dir / "plain").string();
  CameraSettings& s = view->Settings();
  s.AcquisitionFrames = kSaveBenchFrames;
  for (const SaveBenchCase& c : kSaveBenchCases) {
    if (s.PixelDepth != c.depth) {
      s.PixelDepth = c.depth;
      view->ApplyCameraSetting(1);
    }
    SendMessageW(view->Handle(), WM_COMMAND, ID_CAMERA_RECORD, 0);
    while (view->IsRecording()) PumpFor(0.01);
    std::snprintf(s.ImageFolder, sizeof s.ImageFolder, "%s", folder.c_str());
    std::snprintf(s.ImageNamePrefix, sizeof s.ImageNamePrefix, "Img");
    s.FileType = c.fileType;
    s.SaveFirst = 0;
    s.SaveLast = kSaveBenchFrames - 1;
    s.SaveStep = 1;
    // The same loop without the progress dialog and message pump, by turns with the view's: what
    // the window's part costs.
    const std::vector<SaveBenchFigure> figures = MeasureSaves(c, folder, plain, {
        [&] { return view->SaveImageSequence(); },
        [&] {
          const SaveJob job{s.ImageFolder, "Img", c.extension, c.fileType, 0, 1, kSaveBenchFrames, 25.0f,
                            kSaveBenchWidth, kSaveBenchHeight, c.depth};
          BareSteps steps(*view);
          return SaveSequence(job, images.Api().WriteGFile, steps).result;
        }}, [](const std::filesystem::path&) {});
    const SaveBenchFigure& viewed = figures[0];
    const SaveBenchFigure& bare = figures[1];
    ReportSave(c, viewed, "_view_pictolib_dll");
    ReportSave(c, bare, "_loop_pictolib_dll");
    const std::string name = std::string("save_sequence_") + c.name;
    PrintFigure((name + "_view_against_loop").c_str(), double(viewed.bytes) / viewed.seconds / 1e6, "MB/s",
                bare.seconds / viewed.seconds, (name + "_loop_pictolib_dll").c_str());
    const AbortTimes abort = WorstAbortTimes(*view, folder);
    std::filesystem::remove_all(dir);
    PrintFigure((name + "_abort_answered").c_str(), abort.answeredMs, "ms", abort.answeredMs / 100.0,
                "target_100ms");
    PrintFigure((name + "_abort_returned").c_str(), abort.returnedMs, "ms", abort.returnedMs / 100.0,
                "target_100ms");
  }
  docTemplate.CloseDocument();

  const double workstationRate = WorkstationLiveRate(driver, images);
  PrintFigure("workstation_live_frames_painted", workstationRate, "frames/s",
              workstationRate / liveRate, "view_live_frames_painted");
  return 0;
}
