// Camera view core: construction, start-up, applying settings, messages, drawing and tear-down.
#include "acquisition/CCamView.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "camera/CameraIds.h"
#include "camera/CameraSelection.h"
#include "camera/SelectCameraDlg.h"
#include "config/Configuration.h"
#include "platform/framework/FrameWindow.h"
#include "platform/win32/GdiObject.h"
#include "render/ColorTableFile.h"
#include "resources/CommandIds.h"

namespace {

constexpr std::uint32_t kNsPerSecond = 1000000000;
constexpr std::uint32_t kUsPerSecond = 1000000;

// Model codes whose own stored values win over the configuration file.
bool KeepsOwnSettings(std::int32_t model) {
  switch (model) {
    case 9: case 10: case 11: case 18: case 19: case 20: case 21: case 22:
      return true;
    default:
      return false;
  }
}

class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }

 private:
  HCURSOR previous_;
};

}  // namespace

CCamView::CCamView(const TessaDriverApi& driver, const PictoLibApi& images)
    : driver_(driver), images_(images), camera_(driver) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  Sleep(1);
  // Views started in the same second draw the same number, in this process or another; an event
  // of that name that already exists belongs to another view, whose worker it would stop.
  for (;;) {
    std::swprintf(stopEventName_, 64, L"StopCameraPlay%d", std::rand());
    stopEvent_.reset(CreateEventW(nullptr, FALSE, FALSE, stopEventName_));
    if (!stopEvent_ || GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  contextMenu_.reset(LoadMenuW(FrameworkInstance(), MAKEINTRESOURCEW(IDR_VIEW_MENU)));
}

CCamView::~CCamView() {
  // The window normally goes first; if not, its destruction runs the tear-down now.
  Destroy();
}

CameraBarSink* CCamView::Bar() const {
  auto* host = dynamic_cast<CameraViewHost*>(ParentFrame());
  return host ? host->CameraBar() : nullptr;
}

void CCamView::OnInitialUpdate() {
  CScrollingView::OnInitialUpdate();
  SIZE scrollSize{100, 100};
  WaitCursor wait;
  cameraBarVisible_ = 1;

  DialogCameraPicker picker(Handle());
  SelectedCamera chosen;
  if (SelectCamera(driver_, properties_, picker, chosen) &&
      Camera()->Open(chosen.cameraId) == kDrvOk) {
    const std::int32_t model = Camera()->GetModelCode();
    LoadConfiguration(settings_, static_cast<std::int32_t>(chosen.serial));
    if (KeepsOwnSettings(model)) Camera()->ReadSettingsInto(settings_);
    ApplyCompressionSettings(images_, settings_);

    settings_.ExpMode = 0;
    settings_.SyncInCfg = 0;
    if (settings_.LiveTimeOut == 0) settings_.LiveTimeOut = kDefaultLiveTimeOutMs;
    Camera()->SetSetting(kSetGain, settings_.Gain);
    Camera()->ClampRate(settings_.Rate);
    Camera()->SetSetting(kSetFramePeriod, kNsPerSecond / settings_.Rate);
    if (CameraBarSink* bar = Bar()) bar->FillRateList(Camera()->GetMaxRate());
    Camera()->ClampExposure(settings_.Exposure);
    Camera()->SetSetting(kSetExposure, settings_.Exposure);
    Camera()->SetSetting(kSetExposureMode, settings_.ExpMode);
    Camera()->SetSetting(kSetPixelFormat, chosen.colour ? 2 : PixelClass(settings_));
    Camera()->FitRoi(settings_);
    Camera()->SetSetting(kSetRoiX0, static_cast<std::uint32_t>(settings_.RoiX0));
    Camera()->SetSetting(kSetRoiY0, static_cast<std::uint32_t>(settings_.RoiY0));
    Camera()->SetSetting(kSetRoiWidth, static_cast<std::uint32_t>(settings_.RoiWidth));
    Camera()->SetSetting(kSetRoiHeight, static_cast<std::uint32_t>(settings_.RoiHeight));
    Camera()->SetSetting(kSetRecordMode, settings_.RecordMode);
    Camera()->SetSetting(kSetSyncIn, settings_.SyncInCfg);
    Camera()->SetSetting(kSetTriggerIn, settings_.TriggerInCfg);
    std::int32_t colorTable[18] = {};
    if (LoadColorTable(colorTable, Camera()->GetCameraSerial())) {
      for (int i = 0; i < 9; ++i) {
        Camera()->SetSetting(kSetColorMatrixFirst + i, static_cast<std::uint32_t>(colorTable[i]));
      }
    }
    if (CommitSettings() != kDrvOk) AdoptCameraSettings();

    Camera()->SetLiveTimeOut(settings_.LiveTimeOut);
    Camera()->AllocFrameBuffer(2);
    recordingBase_ = Camera()->GetRecordBase();
    settings_.RecordMemory = Camera()->GetMemorySize() - recordingBase_;
    settings_.FrameBytes = Camera()->GetMemoryFrameBytes();
    std::uint32_t width = 0, height = 0, depth = 0;
    Camera()->GetRoiFormat(&width, &height, &depth);
    display_.Init(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), depth);
    imageWidth_ = width;
    imageHeight_ = height;

    if (CameraBarSink* bar = Bar()) {
      bar->SetCameraInfo(&settings_, Camera()->GetModelCode(), Camera()->GetModelVariant(),
                         Camera()->IsColor(), Camera()->GetCameraSerial(),
                         static_cast<std::uint32_t>(Camera()->GetMemorySize() >> 30));
    }
    SnapLiveImage();
    if (events_) events_->CameraOpened();
    scrollSize = {MulDiv(static_cast<int>(width), zoomPercent_, 100),
                  MulDiv(static_cast<int>(height), zoomPercent_, 100)};
    PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(ID_ZOOM_FIT, 0), 0);
  }

  if (CameraBarSink* bar = Bar()) bar->SetView(this);
  if (!IsCameraOpen()) {
    if (auto* host = dynamic_cast<CameraViewHost*>(ParentFrame())) host->EnableZoomSelector(false);
    if (CameraBarSink* bar = Bar()) bar->DisableAllControls();
  }
  SetScrollSizes(scrollSize);
}

int CCamView::CommitSettings() {
  const int status = Camera()->ApplySettings();
  return status == kDrvOk ? status : Camera()->ApplySettingsEx(0, 0, 0);
}

// The camera refused the settings of the configuration file and runs on its own. Its state goes
// into the record, so that the file written at exit holds values the camera accepts, and into
// the settings block, so that later single changes are not refused for the old values. The
// acquisition counts and the time-out are the view's own and stay.
void CCamView::AdoptCameraSettings() {
  const std::uint32_t frames = settings_.AcquisitionFrames;
  const std::uint32_t preTrigger = settings_.AcquisitionPreTriggerFrames;
  const std::uint32_t timeOut = settings_.LiveTimeOut;
  if (Camera()->ReadSettingsInto(settings_) != kDrvOk) return;
  settings_.AcquisitionFrames = frames;
  settings_.AcquisitionPreTriggerFrames = preTrigger;
  settings_.LiveTimeOut = timeOut;
}

// The single image is grabbed by a one-shot worker, so that a driver that stalls never holds
// up the window (the rule at LockedCamera); it is shown when WM_SNAP_DONE arrives.
void CCamView::SnapLiveImage() { StartWorker(true); }

void CCamView::OnSnapDone(int status, std::uint32_t workerTag) {
  // A later worker, or live preview or a recording started since, has taken over.
  if (workerTag != workerTag_ || live_ || recording_) return;
  if (status == kDrvOk) {
    RefreshLiveImage(0);
  } else {
    ReportCameraError(ErrorTextFor(status), 0);
  }
}

// A single image still being grabbed ends before the camera's settings or the frame buffer
// change under it.
void CCamView::EndSnap() {
  if (!live_ && !recording_) StopWorker();
}

void CCamView::ImageTail() {
  WaitCursor wait;
  std::uint32_t width = 0, height = 0, depth = 0;
  Camera()->GetRoiFormat(&width, &height, &depth);
  display_.Init(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), depth);
  imageWidth_ = width;
  imageHeight_ = height;
  UpdateScrollSize();
  SnapLiveImage();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CCamView::UpdateScrollSize() {
  SetScrollSizes({MulDiv(static_cast<int>(imageWidth_), zoomPercent_, 100),
                  MulDiv(static_cast<int>(imageHeight_), zoomPercent_, 100)});
}

void CCamView::ApplyCameraSetting(int id) {
  EndSnap();
  switch (id) {
    case 0:
      Camera()->SetLiveTimeOut(settings_.LiveTimeOut);
      break;
    case 1:
      Camera()->SetSetting(kSetPixelFormat, PixelClass(settings_));
      Camera()->SetSetting(kSetPixelDepth, settings_.PixelDepth);
      Camera()->SetSetting(kSetBitWindow, settings_.BitWindow);
      CommitSettings();
      settings_.FileType = static_cast<std::uint32_t>(
          ValidFileType(images_, static_cast<int>(settings_.FileType),
                        static_cast<int>(PixelClass(settings_))));
      ImageTail();
      break;
    case 2: {
      Camera()->FitRoi(settings_);
      Camera()->SetSetting(kSetRoiX0, static_cast<std::uint32_t>(settings_.RoiX0));
      Camera()->SetSetting(kSetRoiY0, static_cast<std::uint32_t>(settings_.RoiY0));
      Camera()->SetSetting(kSetRoiWidth, static_cast<std::uint32_t>(settings_.RoiWidth));
      Camera()->SetSetting(kSetRoiHeight, static_cast<std::uint32_t>(settings_.RoiHeight));
      CommitSettings();
      if (CameraBarSink* bar = Bar()) bar->UpdateRoiText();
      settings_.FrameBytes = Camera()->GetMemoryFrameBytes();
      // A camera reporting no frame size leaves the count alone rather than dividing by zero.
      if (settings_.FrameBytes != 0) {
        const std::uint64_t fit = settings_.RecordMemory / settings_.FrameBytes;
        if (fit < settings_.AcquisitionFrames) {
          settings_.AcquisitionFrames = static_cast<std::uint32_t>(fit);
        }
      }
      ImageTail();
      break;
    }
    case 3: {
      // A rate the camera cannot run is cut to its maximum, which the box and the record then
      // hold, as the exposure is.
      if (Camera()->ClampRate(settings_.Rate)) {
        if (CameraBarSink* bar = Bar()) bar->ShowRate(static_cast<int>(settings_.Rate));
      }
      Camera()->SetSetting(kSetFramePeriod, kNsPerSecond / settings_.Rate);
      CommitSettings();
      std::uint32_t exposure = 0;
      Camera()->GetSetting(kSetExposure, &exposure);
      if (exposure != settings_.Exposure) {
        settings_.Exposure = exposure;
        if (CameraBarSink* bar = Bar()) bar->ShowExposure(static_cast<int>(exposure));
      }
      break;
    }
    case 4:
    case 5: {
      const int changed = Camera()->ClampExposure(settings_.Exposure);
      Camera()->SetSetting(kSetExposure, settings_.Exposure);
      CommitSettings();
      if (changed) {
        if (CameraBarSink* bar = Bar()) bar->ShowExposure(static_cast<int>(settings_.Exposure));
      }
      break;
    }
    case 6:
      Camera()->SetSetting(kSetGain, settings_.Gain);
      CommitSettings();
      ImageTail();
      break;
    case 8:
      Camera()->SetSetting(kSetRecordMode, settings_.RecordMode);
      CommitSettings();
      break;
    case 9:
      Camera()->SetSetting(kSetSyncIn, settings_.SyncInCfg);
      CommitSettings();
      break;
    case 10:
      Camera()->SetSetting(kSetTriggerIn, settings_.TriggerInCfg);
      CommitSettings();
      break;
    default:
      break;
  }
}

void CCamView::SetExposureValue(std::uint32_t microseconds) {
  Camera()->ClampExposure(microseconds);
  Camera()->SetSetting(kSetExposure, microseconds);
  CommitSettings();
  settings_.Exposure = microseconds;
  if (CameraBarSink* bar = Bar()) bar->ShowExposure(static_cast<int>(microseconds));
}

void CCamView::SetPeriodValue(std::uint32_t microseconds) {
  if (microseconds == 0) return;
  settings_.Rate = kUsPerSecond / microseconds;
  Camera()->ClampRate(settings_.Rate);
  Camera()->SetSetting(kSetFramePeriod, kNsPerSecond / settings_.Rate);
  CommitSettings();
  if (CameraBarSink* bar = Bar()) bar->ShowRate(static_cast<int>(settings_.Rate));
}

UINT CCamView::ErrorTextFor(int cameraCode) {
  switch (cameraCode) {
    case kDrvHardwareFault: return IDS_ERR_HARDWARE;
    case kDrvBusy: return IDS_ERR_BUSY;
    case kDrvBufferTooSmall: return IDS_ERR_BUFFER;
    default: return IDS_ERR_TIMEOUT;
  }
}

namespace {

void CameraMessageText(UINT stringId, int number, wchar_t (&text)[600]) {
  wchar_t format[512] = L"";
  LoadStringW(FrameworkInstance(), stringId, format, 512);
  if (number != 0) {
    std::swprintf(text, 600, format, number);
  } else {
    std::swprintf(text, 600, L"%ls", format);
  }
}

// The number a host sees for each camera message: the one its text carries.
int ErrorCodeFor(UINT stringId) {
  switch (stringId) {
    case IDS_ERR_BUFFER: return kErrorBufferTooSmall;
    case IDS_ERR_BUSY: return kErrorCameraBusy;
    case IDS_ERR_HARDWARE: return kErrorHardwareFault;
    case IDS_RECORD_REFUSED: return kErrorRecordingRefused;
    default: return kErrorAcquisitionTimeOut;
  }
}

int ShowCameraText(const wchar_t* text, UINT style) {
  wchar_t title[128] = L"";
  LoadStringW(FrameworkInstance(), IDS_CAMERA_TITLE, title, 128);
  return MessageBoxW(nullptr, text, title, style);
}

}  // namespace

int CCamView::ShowCameraMessage(UINT stringId, UINT style, int number) {
  wchar_t text[600];
  CameraMessageText(stringId, number, text);
  return ShowCameraText(text, style);
}

void CCamView::ReportCameraError(UINT stringId, int number) {
  wchar_t text[600];
  CameraMessageText(stringId, number, text);
  if (events_) events_->Error(ErrorCodeFor(stringId), text);
  if (!Quiet()) ShowCameraText(text, MB_ICONERROR);
}

void CCamView::UpdateFrameIndexText(int number, int count) {
  if (CameraBarSink* bar = Bar()) bar->ShowFrameIndex(number, count);
}

void CCamView::OnDraw(HDC dc) {
  if (!IsCameraOpen()) return;
  // The buffer is only replaced on this thread (start-up and tear-down), so reading its address
  // needs no lock; its pixels may be half new while the worker grabs, which only shows.
  display_.Draw(dc, 0, 0, zoomPercent_, camera_.FrameBuffer(), camera_.FrameBufferSize(),
                static_cast<std::int32_t>(imageWidth_), static_cast<std::int32_t>(imageHeight_));
}

LRESULT CCamView::OnEraseBackground(HDC dc) {
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  if (IsCameraOpen()) {
    FillOutsideRect(dc, black);
  } else {
    RECT box;
    GetClipBox(dc, &box);
    const SelectedObject selected(dc, black);
    PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATCOPY);
  }
  return 1;
}

void CCamView::OnDestroy() {
  // A scan running inside the message pump ends at its next step; the worker and any recording
  // stop before the camera closes, so no grab or callback ever meets a closed camera.
  scanning_ = 0;
  if (IsCameraOpen()) {
    EndWorkerForGood();
    if (recording_) {
      int ignored = 0;
      Camera()->StopRecording(&ignored);
      recording_ = 0;
    }
    live_ = 0;
  }
  stopEvent_.reset();
  const bool wasOpen = IsCameraOpen();
  if (wasOpen) {
    SaveConfiguration(settings_, static_cast<std::int32_t>(Camera()->GetCameraSerial()));
    Camera()->FreeFrameBuffer();
  }
  // A camera whose settings could not be initialised still has its driver handle; it is closed
  // too, before the driver goes.
  Camera()->Close();
  CCameraHandle::Shutdown(driver_);
  if (wasOpen && events_) events_->CameraClosed();
}

void CCamView::OnRightButtonDown(POINT point) {
  if (!IsCameraOpen() || !contextMenu_) return;
  ClientToScreen(Handle(), &point);
  HWND owner = ParentFrame() ? ParentFrame()->Handle() : Handle();
  TrackPopupMenu(GetSubMenu(contextMenu_.get(), 0), TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x,
                 point.y, 0, owner, nullptr);
}

LRESULT CCamView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      OnDestroy();
      break;
    case WM_COMMAND:
      // A command sent to the view (by the automation interface, the camera's callback) takes
      // the frame's whole route, so that commands the frame's bars carry out are found too.
      if (ParentFrame() ? ParentFrame()->RouteCommand(LOWORD(wParam))
                        : ExecuteCommand(LOWORD(wParam))) {
        return 0;
      }
      break;
    case WM_CAMERA_ERROR:
      OnCameraError(static_cast<int>(wParam), static_cast<std::uint32_t>(lParam));
      return 0;
    case WM_SNAP_DONE:
      OnSnapDone(static_cast<int>(wParam), static_cast<std::uint32_t>(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      OnRightButtonDown({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      break;
  }
  return CScrollingView::HandleMessage(message, wParam, lParam);
}
