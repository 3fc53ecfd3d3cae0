// The automation methods of the Selvar control: commands sent to the control's own frame as menu
// commands, values read from its view, setting changes, the data transfers and the last error.
#include <cstdint>

#include "acquisition/CCamView.h"
#include "camera/CameraIds.h"
#include "control/CSelvarAboutDlg.h"
#include "control/CSelvarCtrl.h"
#include "resources/CommandIds.h"
#include "resources/WorkstationResources.h"

namespace {

// Command methods: DISPID and the menu command they send.
struct CommandMethod {
  DISPID id;
  UINT command;
};

constexpr CommandMethod kCommandMethods[] = {
    {7, ID_CAMERA_RECORD},   {8, ID_CAMERA_PLAY},      {9, ID_CAMERA_STOP},
    {10, ID_CAMERA_TRIGGER}, {11, ID_FRAME_REWIND},    {12, ID_FRAME_FAST_FORWARD},
    {13, ID_FRAME_PREVIOUS}, {14, ID_FRAME_NEXT},      {15, ID_FRAME_FIRST},
    {16, ID_FRAME_LAST},     {17, ID_RESET_CAMERA},
};

// Setter methods that go through ApplySettingById: DISPID and the camera-bar control id.
struct SettingMethod {
  DISPID id;
  UINT controlId;
};

constexpr SettingMethod kSettingMethods[] = {
    {22, IDC_FRAMES},     {24, IDC_PRE_TRIGGER}, {34, IDC_RECORD_MODE},
    {36, IDC_SYNC_IN},    {38, IDC_TRIGGER_IN},  {40, IDC_GAIN},
};

// Getter methods that read a camera setting.
struct CameraGetter {
  DISPID id;
  int setting;
};

constexpr CameraGetter kCameraGetters[] = {
    {27, kSetExposure}, {33, kSetRecordMode}, {35, kSetSyncIn}, {37, kSetTriggerIn}, {39, kSetGain},
};

constexpr LONG kNoFrame = 1;
constexpr LONG kRefused = 1;

}  // namespace

HRESULT CSelvarCtrl::InvokeMethod(DISPID id, const CDispatchArguments& args, VARIANT* result) {
  HRESULT hr = S_OK;
  for (const CommandMethod& method : kCommandMethods) {
    if (method.id != id) continue;
    SetResultLong(result, SendCommand(method.command));
    return S_OK;
  }
  for (const SettingMethod& method : kSettingMethods) {
    if (method.id != id) continue;
    LONG value = 0;
    RETURN_IF_FAILED(args.Int32(0, value));
    if (CCamView* view = View()) {
      view->ApplySettingById(method.controlId, static_cast<std::uint32_t>(value));
    }
    return S_OK;
  }
  for (const CameraGetter& getter : kCameraGetters) {
    if (getter.id != id) continue;
    SetResultLong(result, CameraSetting(getter.setting));
    return S_OK;
  }
  CCamView* view = View();
  LONG value = 0;
  switch (id) {
    case 4:
    case 5: {
      SHORT show = 0;
      RETURN_IF_FAILED(args.Int16(0, show));
      SetResultShort(result, ShowBar(id == 4, show));
      return S_OK;
    }
    case 6:
      SendCommand(ID_SAVE_SEQUENCE);
      return S_OK;
    case 18:
      value = SaveImageSequence(args, hr);
      RETURN_IF_FAILED(hr);
      // The type library says short; the method has always returned a long.
      SetResultLong(result, value);
      return S_OK;
    case 19:
      SetResultLong(result, view && view->IsCameraOpen() ? 1 : 0);
      return S_OK;
    case 20:
      SetResultLong(result, view && view->IsRecording() ? 1 : 0);
      return S_OK;
    case 21:
      SetResultLong(result, view ? static_cast<LONG>(view->Settings().AcquisitionFrames) : 0);
      return S_OK;
    case 23:
      SetResultLong(result,
                    view ? static_cast<LONG>(view->Settings().AcquisitionPreTriggerFrames) : 0);
      return S_OK;
    case 25:
      SetResultLong(result, view ? static_cast<LONG>(view->Camera()->GetFrameBytes()) : 0);
      return S_OK;
    case 26:
      value = GetData(args, hr);
      RETURN_IF_FAILED(hr);
      SetResultLong(result, value);
      return S_OK;
    case 28:
      RETURN_IF_FAILED(args.Int32(0, value));
      if (view) view->SetExposureValue(static_cast<std::uint32_t>(value));
      return S_OK;
    case 29:
      // Nanoseconds to microseconds, truncated.
      SetResultLong(result, static_cast<LONG>(
                                static_cast<std::uint32_t>(CameraSetting(kSetFramePeriod)) / 1000));
      return S_OK;
    case 30:
      RETURN_IF_FAILED(args.Int32(0, value));
      if (view) view->SetPeriodValue(static_cast<std::uint32_t>(value));
      return S_OK;
    case 31:
      RETURN_IF_FAILED(args.Int32(0, value));
      SetResultLong(result, RoiParameter(value));
      return S_OK;
    case 32: {
      LONG stored = 0;
      RETURN_IF_FAILED(args.Int32(0, value));
      RETURN_IF_FAILED(args.Int32(1, stored));
      SetRoiParameter(value, stored);
      SetResultLong(result, 1);
      return S_OK;
    }
    case 42:
      SetResultLong(result, hostEvents_.LastErrorCode());
      return S_OK;
    case 43:
      return SetResultText(result, hostEvents_.LastErrorText().c_str());
    case DISPID_ABOUTBOX:
      AboutBox();
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

LONG CSelvarCtrl::SendCommand(UINT command) {
  CFrameWindow* frame = Frame();
  if (!frame || !frame->Handle()) return kNoFrame;
  // A command that meets an error sets it again, now or when its work ends.
  hostEvents_.ClearLastError();
  // The frame routes it as a menu command: the update rule decides, the result does not tell.
  SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return 0;
}

SHORT CSelvarCtrl::ShowBar(bool toolbar, SHORT show) {
  auto* frame = static_cast<CWorkstationFrame*>(Frame());
  if (!frame || !frame->Handle()) return 0;
  hostEvents_.ClearLastError();
  if (toolbar) {
    frame->ShowToolBar(show != 0);
  } else {
    frame->ShowCameraBar(show != 0);
  }
  return 1;
}

LONG CSelvarCtrl::SaveImageSequence(const CDispatchArguments& args, HRESULT& hr) {
  std::uintptr_t folder = 0, prefix = 0;
  bool folderExact = false, prefixExact = false;
  LONG type = 0, first = 0, last = 0, step = 0;
  hr = args.Address(0, folder, folderExact);
  if (SUCCEEDED(hr)) hr = args.Address(1, prefix, prefixExact);
  if (SUCCEEDED(hr)) hr = args.Int32(2, type);
  if (SUCCEEDED(hr)) hr = args.Int32(3, first);
  if (SUCCEEDED(hr)) hr = args.Int32(4, last);
  if (SUCCEEDED(hr)) hr = args.Int32(5, step);
  if (FAILED(hr)) return kRefused;
  CCamView* view = View();
  if (!view) return kNoFrame;
  hostEvents_.ClearLastError();
  if (!folderExact || !prefixExact || folder == 0 || prefix == 0) return kRefused;
  const int status = view->SaveImageSequenceFor(
      reinterpret_cast<const void*>(folder), reinterpret_cast<const void*>(prefix), type,
      static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last),
      static_cast<std::uint32_t>(step));
  return status == kSaveDone ? 0 : 1;
}

LONG CSelvarCtrl::GetData(const CDispatchArguments& args, HRESULT& hr) {
  LONG frames = 0, start = 0;
  std::uintptr_t buffer = 0;
  bool exact = false;
  hr = args.Int32(0, frames);
  if (SUCCEEDED(hr)) hr = args.Int32(1, start);
  if (SUCCEEDED(hr)) hr = args.Address(2, buffer, exact);
  if (FAILED(hr)) return kRefused;
  CCamView* view = View();
  if (!view) return kNoFrame;
  if (frames <= 0) return 0;
  if (!exact || buffer == 0) return kRefused;
  // Frames that were not read are never reported as copied.
  const int status = view->CopyFrames(frames, start, reinterpret_cast<std::uint8_t*>(buffer));
  return status == 0 ? 0 : kRefused;
}

LONG CSelvarCtrl::CameraSetting(int id) {
  CCamView* view = View();
  if (!view) return 0;
  std::uint32_t value = 0;
  view->Camera()->GetSetting(id, &value);
  return static_cast<LONG>(value);
}

LONG CSelvarCtrl::RoiParameter(LONG index) {
  CCamView* view = View();
  if (!view) return 0;
  const CameraSettings& s = view->Settings();
  switch (index) {
    case 1: return s.RoiY0;
    case 2: return s.RoiWidth;
    case 3: return s.RoiHeight;
    case 4: return static_cast<LONG>(s.SensorWidth);
    case 5: return static_cast<LONG>(s.SensorHeight);
    default: return s.RoiX0;
  }
}

void CSelvarCtrl::SetRoiParameter(LONG index, LONG value) {
  CCamView* view = View();
  if (!view) return;
  CameraSettings& s = view->Settings();
  switch (index) {
    case 1: s.RoiY0 = value; break;
    case 2: s.RoiWidth = value; break;
    case 3: s.RoiHeight = value; break;
    case 4: s.SensorWidth = static_cast<std::uint32_t>(value); break;
    case 5: s.SensorHeight = static_cast<std::uint32_t>(value); break;
    default: s.RoiX0 = value; break;
  }
}

void CSelvarCtrl::AboutBox() {
  CSelvarAboutDlg dialog;
  dialog.DoModal();
}
