// The camera bar: creation, the silent setters, and the handlers of its controls.
#include "ui/CCamBar.h"

#include <cstdio>
#include <limits>
#include <string>

#include "acquisition/CCamView.h"
#include "acquisition/CameraSettings.h"
#include "camera/CameraNaming.h"
#include "platform/framework/FrameWindow.h"
#include "resources/CommandIds.h"
#include "resources/WorkstationResources.h"
#include "ui/CameraBarRules.h"

namespace {

constexpr std::uint64_t kMaxUnsigned32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kMaxSigned32 = std::numeric_limits<std::int32_t>::max();
constexpr int kInfoFontOutputPrecision = 2;
constexpr COLORREF kStatusColour = RGB(255, 0, 0);

std::string TextOf(HWND control) {
  wchar_t wide[256] = L"";
  GetWindowTextW(control, wide, 256);
  char text[512] = "";
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

std::wstring Widen(const char* text) {
  wchar_t wide[256] = L"";
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256);
  return wide;
}

}  // namespace

CCamBar::CCamBar() : CDialogBar(IDD_CAMERA_BAR) {}

bool CCamBar::Create(CFrameWindow& frame) {
  if (!CDialogBar::Create(frame, IDD_CAMERA_BAR)) return false;
  EnableToolTips();
  return true;
}

BOOL CCamBar::OnInitDialog() {
  exposureModeList_ = Item(IDC_EXPOSURE_MODE);
  gainList_ = Item(IDC_GAIN);
  rateBox_ = Item(IDC_RATE);
  pixelDepthList_ = Item(IDC_PIXEL_DEPTH);
  recordModeList_ = Item(IDC_RECORD_MODE);
  triggerInList_ = Item(IDC_TRIGGER_IN);
  syncInList_ = Item(IDC_SYNC_IN);
  frameLine_ = Item(IDC_FRAME_LINE);
  cameraLine_ = Item(IDC_CAMERA_LINE);
  roiEditButton_ = Item(ID_EDIT_ROI);
  liveTimeOutBox_ = Item(IDC_LIVE_TIMEOUT);
  exposureBox_ = Item(IDC_EXPOSURE);
  upButton_ = Item(ID_EXPOSURE_UP);
  downButton_ = Item(ID_EXPOSURE_DOWN);
  preTriggerBox_ = Item(IDC_PRE_TRIGGER);
  framesBox_ = Item(IDC_FRAMES);
  liveWhileRecordingBox_ = Item(IDC_LIVE_WHILE_RECORDING);
  roiBox_ = Item(IDC_ROI_TEXT);

  infoFont_ = UniqueFont(CreateFontW(8, 0, 0, 0, 600, FALSE, FALSE, FALSE, 0,
                                     kInfoFontOutputPrecision, 0, 0, 0, L"MS Sans Serif"));
  SendMessageW(frameLine_, WM_SETFONT, reinterpret_cast<WPARAM>(infoFont_.get()), TRUE);
  SendMessageW(cameraLine_, WM_SETFONT, reinterpret_cast<WPARAM>(infoFont_.get()), TRUE);
  upIcon_ = UniqueIcon(static_cast<HICON>(
      LoadImageW(FrameworkInstance(), MAKEINTRESOURCEW(IDI_EXPOSURE_UP), IMAGE_ICON, 16, 16, 0)));
  downIcon_ = UniqueIcon(static_cast<HICON>(
      LoadImageW(FrameworkInstance(), MAKEINTRESOURCEW(IDI_EXPOSURE_DOWN), IMAGE_ICON, 16, 16, 0)));
  SendMessageW(upButton_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(upIcon_.get()));
  SendMessageW(downButton_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(downIcon_.get()));

  // What the view said before the bar had a window.
  if (maximumRate_ != 0) FillRateList(maximumRate_);
  if (settings_) FillControls();
  return TRUE;
}

void CCamBar::NotifySettingChanged(int id) {
  if (view_ && notificationsEnabled_) view_->ApplyCameraSetting(id);
}

void CCamBar::SetNumber(HWND box, std::int64_t value) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%lld", static_cast<long long>(value));
  SetWindowTextW(box, text);
}

void CCamBar::SetText(HWND control, const char* text) { SetWindowTextW(control, Widen(text).c_str()); }

int CCamBar::Selection(HWND list) const {
  return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
}

void CCamBar::SetCameraInfo(CameraSettings* settings, std::int32_t modelCode,
                            std::uint32_t variant, int isColor, std::uint32_t serial,
                            std::uint32_t memoryGB) {
  settings_ = settings;
  modelCode_ = modelCode;
  variant_ = variant;
  isColour_ = isColor;
  serial_ = serial;
  memoryGB_ = memoryGB;
  if (Handle() && settings_) FillControls();
}

void CCamBar::FillControls() {
  const Silence silence(*this);
  char name[128] = "";
  NameCamera(modelCode_, static_cast<int>(variant_), name, sizeof name, 1);
  char line[192];
  FormatCameraLine(line, sizeof line, name, serial_, memoryGB_);
  SetText(cameraLine_, line);

  SendMessageW(gainList_, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < GainChoiceCount(modelCode_); ++i) {
    const std::wstring item = std::to_wstring(i);
    SendMessageW(gainList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageW(gainList_, CB_SETCURSEL, settings_->Gain, 0);

  ShowRate(static_cast<int>(settings_->Rate));
  ShowExposure(static_cast<int>(settings_->Exposure));
  SendMessageW(exposureModeList_, CB_SETCURSEL, settings_->ExpMode, 0);
  FillPixelDepthList();
  wchar_t seconds[32];
  std::swprintf(seconds, 32, L"%.03f", static_cast<double>(settings_->LiveTimeOut * 0.001f));
  SetWindowTextW(liveTimeOutBox_, seconds);
  UpdateRoiText();

  SendMessageW(recordModeList_, CB_SETCURSEL, settings_->RecordMode, 0);
  SetNumber(framesBox_, static_cast<std::int32_t>(settings_->AcquisitionFrames));
  SetNumber(preTriggerBox_, static_cast<std::int32_t>(settings_->AcquisitionPreTriggerFrames));
  EnableWindow(preTriggerBox_, settings_->RecordMode != 0);
  SendMessageW(syncInList_, CB_SETCURSEL, settings_->SyncInCfg, 0);
  SendMessageW(triggerInList_, CB_SETCURSEL, settings_->TriggerInCfg, 0);
  SendMessageW(liveWhileRecordingBox_, BM_SETCHECK, settings_->LWR ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CCamBar::FillRateList(std::uint32_t maximumRate) {
  maximumRate_ = maximumRate;
  if (!Handle()) return;
  SendMessageW(rateBox_, CB_RESETCONTENT, 0, 0);
  for (std::uint32_t rate : RateListFor(maximumRate)) {
    const std::wstring item = std::to_wstring(rate);
    SendMessageW(rateBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

void CCamBar::FillPixelDepthList() {
  if (!Handle() || !settings_) return;
  SendMessageW(pixelDepthList_, CB_RESETCONTENT, 0, 0);
  const auto items = PixelDepthItemsFor(isColour_ != 0, modelCode_);
  for (const PixelDepthItem& item : items) {
    const LRESULT index = SendMessageW(pixelDepthList_, CB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(Widen(item.text).c_str()));
    SendMessageW(pixelDepthList_, CB_SETITEMDATA, static_cast<WPARAM>(index), item.number);
  }
  SendMessageW(pixelDepthList_, CB_SETCURSEL, PixelDepthSelection(items, *settings_), 0);
}

void CCamBar::UpdateRoiText() {
  if (!Handle() || !settings_) return;
  char text[64];
  std::snprintf(text, sizeof text, "(%d,%d) %dx%d", settings_->RoiX0, settings_->RoiY0,
                settings_->RoiWidth, settings_->RoiHeight);
  SetText(roiBox_, text);
}

void CCamBar::ShowExposure(int value) {
  const Silence silence(*this);
  SetNumber(exposureBox_, value);
}

void CCamBar::ShowRate(int value) {
  const Silence silence(*this);
  SetNumber(rateBox_, value);
}

void CCamBar::SetControlValue(int controlId, int value) {
  const Silence silence(*this);
  switch (controlId) {
    case IDC_GAIN:
    case IDC_SYNC_IN:
    case IDC_TRIGGER_IN:
      SendDlgItemMessageW(Handle(), controlId, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
      break;
    case IDC_RECORD_MODE:
      SendMessageW(recordModeList_, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
      EnableWindow(preTriggerBox_, value != 0);
      break;
    case IDC_FRAMES:
    case IDC_PRE_TRIGGER:
      SetNumber(Item(controlId), value);
      break;
    default:
      break;
  }
}

void CCamBar::ShowFrameIndex(int current, int total) {
  frameLineColour_ = RGB(0, 0, 0);
  wchar_t format[64] = L"Frame %d of %d";
  LoadStringW(FrameworkInstance(), IDS_FRAME_OF, format, 64);
  wchar_t text[96];
  std::swprintf(text, 96, format, current, total);
  SetWindowTextW(frameLine_, text);
}

void CCamBar::ShowStatusMessage(UINT stringId) {
  frameLineColour_ = kStatusColour;
  wchar_t text[256] = L"";
  LoadStringW(FrameworkInstance(), stringId, text, 256);
  SetWindowTextW(frameLine_, text);
}

void CCamBar::EnableLiveControls(bool enable) {
  EnableWindow(gainList_, enable);
  EnableWindow(pixelDepthList_, enable);
  EnableWindow(roiEditButton_, enable);
}

void CCamBar::DisableAllControls() {
  for (HWND control : {gainList_, rateBox_, liveTimeOutBox_, syncInList_, triggerInList_,
                       exposureBox_, exposureModeList_, pixelDepthList_, roiEditButton_,
                       recordModeList_, preTriggerBox_, framesBox_, frameLine_, cameraLine_,
                       liveWhileRecordingBox_}) {
    EnableWindow(control, FALSE);
  }
}

bool CCamBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == WM_PAINT) {
    // The bar's border on its left side, against the view.
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client;
    GetClientRect(Handle(), &client);
    DrawEdge(dc, &client, EDGE_ETCHED, BF_LEFT);
    EndPaint(Handle(), &paint);
    result = TRUE;
    return true;
  }
  if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == frameLine_) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, frameLineColour_);
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  return CDialogBar::OnMessage(message, wParam, lParam, result);
}

bool CCamBar::OnBarCommand(int id, int code, HWND) {
  struct Handler {
    int id;
    int code;
    void (CCamBar::*run)();
  };
  static const Handler kHandlers[] = {
      {IDC_GAIN, CBN_SELCHANGE, &CCamBar::OnGain},
      {IDC_RATE, CBN_SELCHANGE, &CCamBar::OnRateChosen},
      {IDC_RATE, CBN_EDITCHANGE, &CCamBar::OnRateTyped},
      {IDC_EXPOSURE, EN_CHANGE, &CCamBar::OnExposureTyped},
      {IDC_EXPOSURE_MODE, CBN_SELCHANGE, &CCamBar::OnExposureMode},
      {IDC_PIXEL_DEPTH, CBN_SELCHANGE, &CCamBar::OnPixelDepth},
      {IDC_LIVE_TIMEOUT, EN_CHANGE, &CCamBar::OnLiveTimeOut},
      {IDC_RECORD_MODE, CBN_SELCHANGE, &CCamBar::OnRecordMode},
      {IDC_FRAMES, EN_CHANGE, &CCamBar::OnFrames},
      {IDC_PRE_TRIGGER, EN_CHANGE, &CCamBar::OnPreTrigger},
      {IDC_SYNC_IN, CBN_SELCHANGE, &CCamBar::OnSyncIn},
      {IDC_TRIGGER_IN, CBN_SELCHANGE, &CCamBar::OnTriggerIn},
      {IDC_LIVE_WHILE_RECORDING, BN_CLICKED, &CCamBar::OnLiveWhileRecording},
  };
  for (const Handler& handler : kHandlers) {
    if (handler.id != id || handler.code != code) continue;
    // Without a camera there is no record to write into.
    if (settings_) (this->*handler.run)();
    return true;
  }
  // The check box's other notifications are the bar's too; never a command.
  return id == IDC_LIVE_WHILE_RECORDING;
}

void CCamBar::OnGain() {
  const int selection = Selection(gainList_);
  if (selection == CB_ERR || static_cast<std::uint32_t>(selection) == settings_->Gain) return;
  settings_->Gain = static_cast<std::uint32_t>(selection);
  NotifySettingChanged(6);
}

void CCamBar::OnRateChosen() {
  const int selection = Selection(rateBox_);
  if (selection == CB_ERR) return;
  wchar_t wide[64] = L"";
  if (SendMessageW(rateBox_, CB_GETLBTEXTLEN, static_cast<WPARAM>(selection), 0) >= 64) return;
  SendMessageW(rateBox_, CB_GETLBTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(wide));
  char text[128] = "";
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  const BoxNumber rate = ReadLeadingInteger(text, kMaxSigned32);
  if (!rate.read || rate.value < 1) return;
  settings_->Rate = static_cast<std::uint32_t>(rate.value);
  NotifySettingChanged(3);
}

void CCamBar::OnRateTyped() {
  if (!notificationsEnabled_) return;
  const BoxNumber rate = ReadLeadingInteger(TextOf(rateBox_).c_str(), kMaxSigned32);
  if (!rate.read || rate.value < 1) return;
  // Typing raises no change notice of the box's own, so the correction stores as well.
  if (rate.saturated) ShowRate(static_cast<int>(rate.value));
  settings_->Rate = static_cast<std::uint32_t>(rate.value);
  NotifySettingChanged(3);
}

void CCamBar::OnExposureTyped() {
  if (!notificationsEnabled_) return;
  const BoxNumber exposure = ReadUnsignedBox(TextOf(exposureBox_).c_str(), kMaxUnsigned32);
  if (!exposure.read) return;
  if (exposure.saturated) {
    SetNumber(exposureBox_, static_cast<std::int64_t>(exposure.value));  // stores through here
    return;
  }
  settings_->Exposure = static_cast<std::uint32_t>(exposure.value);
  NotifySettingChanged(4);
}

void CCamBar::OnExposureDown() {
  if (!settings_) return;
  const std::uint32_t exposure = ExposureHalfStopDown(settings_->Exposure);
  if (exposure != 0) SetNumber(exposureBox_, exposure);
}

void CCamBar::OnExposureUp() {
  if (!settings_) return;
  SetNumber(exposureBox_, ExposureHalfStopUp(settings_->Exposure));
}

void CCamBar::OnExposureMode() {
  const int selection = Selection(exposureModeList_);
  if (selection == CB_ERR || static_cast<std::uint32_t>(selection) == settings_->ExpMode) return;
  settings_->ExpMode = static_cast<std::uint32_t>(selection);
  NotifySettingChanged(5);
}

void CCamBar::OnPixelDepth() {
  const int selection = Selection(pixelDepthList_);
  if (selection == CB_ERR) return;
  const auto number = static_cast<std::uint32_t>(
      SendMessageW(pixelDepthList_, CB_GETITEMDATA, static_cast<WPARAM>(selection), 0));
  ApplyPixelDepthNumber(*settings_, number);
  NotifySettingChanged(1);
}

void CCamBar::OnLiveTimeOut() {
  std::uint32_t milliseconds = 0;
  bool saturated = false;
  if (!ReadLiveTimeOut(TextOf(liveTimeOutBox_).c_str(), milliseconds, saturated)) return;
  settings_->LiveTimeOut = milliseconds;
  if (saturated) {
    const Silence silence(*this);
    wchar_t seconds[32];
    std::swprintf(seconds, 32, L"%.03f", milliseconds * 0.001);
    SetWindowTextW(liveTimeOutBox_, seconds);
  }
  NotifySettingChanged(0);
}

void CCamBar::OnRecordMode() {
  const int selection = Selection(recordModeList_);
  if (selection == CB_ERR) return;
  settings_->RecordMode = static_cast<std::uint32_t>(selection);
  EnableWindow(preTriggerBox_, selection != 0);
  NotifySettingChanged(8);
}

void CCamBar::OnFrames() {
  if (!notificationsEnabled_) return;
  const BoxNumber frames = ReadUnsignedBox(TextOf(framesBox_).c_str(), kMaxUnsigned32);
  if (!frames.read || frames.value == 0) return;
  const std::uint64_t maximum = FrameCapacity(settings_->RecordMemory, settings_->FrameBytes);
  // The corrected text comes back through this handler, which then stores it.
  if (frames.value > maximum || frames.saturated) {
    SetNumber(framesBox_, static_cast<std::int64_t>(frames.value > maximum ? maximum : frames.value));
    return;
  }
  settings_->AcquisitionFrames = static_cast<std::uint32_t>(frames.value);
  if (settings_->AcquisitionPreTriggerFrames > settings_->AcquisitionFrames) {
    SetNumber(preTriggerBox_, settings_->AcquisitionFrames);
  }
}

void CCamBar::OnPreTrigger() {
  if (!notificationsEnabled_) return;
  const BoxNumber frames = ReadUnsignedBox(TextOf(preTriggerBox_).c_str(), kMaxUnsigned32);
  if (!frames.read) return;
  if (frames.value > settings_->AcquisitionFrames || frames.saturated) {
    SetNumber(preTriggerBox_, frames.value > settings_->AcquisitionFrames
                                  ? settings_->AcquisitionFrames
                                  : static_cast<std::int64_t>(frames.value));
    return;
  }
  settings_->AcquisitionPreTriggerFrames = static_cast<std::uint32_t>(frames.value);
}

void CCamBar::OnSyncIn() {
  const int selection = Selection(syncInList_);
  if (selection == CB_ERR) return;
  settings_->SyncInCfg = static_cast<std::uint32_t>(selection);
  NotifySettingChanged(9);
}

void CCamBar::OnTriggerIn() {
  const int selection = Selection(triggerInList_);
  if (selection == CB_ERR) return;
  settings_->TriggerInCfg = static_cast<std::uint32_t>(selection);
  NotifySettingChanged(10);
}

void CCamBar::OnLiveWhileRecording() {
  if (!notificationsEnabled_) return;
  settings_->LWR =
      SendMessageW(liveWhileRecordingBox_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}
