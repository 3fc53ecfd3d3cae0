// Display rates of the camera view against the camera's own rates, measured in the same run
// under Wine with the simulated camera at 1280 x 1024, 8 bits, 1000 frames per second:
// live frames painted per second against bare live grabs, frames shown per second by fast
// forward against bare frame reads, and live frames painted inside the whole workstation (toolbar,
// zoom selector and camera bar refreshed at the control's idle pace) against the bare view.
// Run with scripts/bench.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "acquisition/CCamView.h"
#include "bench/BenchTiming.h"
#include "camera/TessaLibrary.h"
#include "control/CameraDocTemplate.h"
#include "resources/CommandIds.h"
#include "tests/tessadrv/DriverConfigFile.h"
#include "ui/CMainFrame.h"

namespace {

class CountingView : public CCamView {
 public:
  using CCamView::CCamView;
  long draws = 0;
  void OnDraw(HDC dc) override {
    ++draws;
    CCamView::OnDraw(dc);
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

  PrintFigure("view_live_frames_painted", liveRate, "frames/s", liveRate / grabRate,
              "bare_live_grabs");
  PrintFigure("bare_live_grabs", grabRate, "frames/s", grabRate / 1000.0, "camera_rate_1000");
  PrintFigure("view_fast_forward_frames_shown", shownRate, "frames/s", shownRate / readRate,
              "bare_frame_reads");
  PrintFigure("bare_frame_reads", readRate, "frames/s", readRate / grabRate, "bare_live_grabs");
  docTemplate.CloseDocument();

  const double workstationRate = WorkstationLiveRate(driver, images);
  PrintFigure("workstation_live_frames_painted", workstationRate, "frames/s",
              workstationRate / liveRate, "view_live_frames_painted");
  return 0;
}
