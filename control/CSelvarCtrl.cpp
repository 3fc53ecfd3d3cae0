// Construction, persistence, drawing, event delivery and the automation member table of the
// Selvar control.
#include "control/CSelvarCtrl.h"

#include <new>

#include "control/SelvarApp.h"
#include "control/SelvarGuids.h"
#include "resources/CommandIds.h"

namespace {

constexpr DWORD kVersion10 = 0x00010000;  // major 1, minor 0
// A stream of a control with quiet mode or the frame log on: the 1.0 layout, then quiet mode and
// the frame log. A control with both off stores exactly 1.0, so every host that knows 1.0 keeps
// loading it; the property bag names its values and stays 1.0.
constexpr DWORD kVersion10Added = 0x00010001;
constexpr LONG kFilterOfOtherVersion = 187;

const OleControlClass kSelvarClass = {&CLSID_Selvar,       &LIBID_SelvarLib,
                                      1,                   0,
                                      &DIID__DSelvar,      &DIID__DSelvarEvents,
                                      &CLSID_SelvarPropPage, CSelvarCtrl::kMiscStatus};

const DispatchMember kMembers[] = {
    {L"EnumFilter", 1}, {L"ProductNumber", 2}, {L"SerialNumber", 3},
    {L"CmdShowMainToolbar", 4}, {L"CmdShowCameraBar", 5},
    {L"CmdShowSaveSequenceDialogBox", 6}, {L"CmdRecord", 7}, {L"CmdPlay", 8}, {L"CmdStop", 9},
    {L"CmdTrigger", 10}, {L"CmdRewind", 11}, {L"CmdFastForward", 12},
    {L"CmdPreviousFrame", 13}, {L"CmdNextFrame", 14}, {L"CmdFirstFrame", 15},
    {L"CmdLastFrame", 16}, {L"CmdResetCamera", 17}, {L"CmdSaveImageSequence", 18},
    {L"IsCameraOK", 19}, {L"IsCameraRecording", 20}, {L"GetFramesNumber", 21},
    {L"SetFramesNumber", 22}, {L"GetPreTriggerFramesNumber", 23},
    {L"SetPreTriggerFramesNumber", 24}, {L"GetFrameBufferSize", 25}, {L"GetData", 26},
    {L"GetExposure", 27}, {L"SetExposure", 28}, {L"GetPeriod", 29}, {L"SetPeriod", 30},
    {L"GetROIParameter", 31}, {L"SetROIParameter", 32}, {L"GetRecordMode", 33},
    {L"SetRecordMode", 34}, {L"GetSyncInConfig", 35}, {L"SetSyncInConfig", 36},
    {L"GetTriggerInConfig", 37}, {L"SetTriggerInConfig", 38}, {L"GetSensorGain", 39},
    {L"SetSensorGain", 40}, {L"QuietMode", CSelvarCtrl::kQuietModeId}, {L"GetLastErrorCode", 42},
    {L"GetLastErrorText", 43}, {L"FrameLog", CSelvarCtrl::kFrameLogId},
    {L"AboutBox", DISPID_ABOUTBOX},
};

void FillRect(HDC dc, int left, int top, int right, int bottom, int colorIndex) {
  const RECT rect{left, top, right, bottom};
  ::FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

}  // namespace

CSelvarCtrl::CSelvarCtrl() : CActiveXDocControl(kSelvarClass) {
  CSelvarApp& app = CSelvarApp::Instance();
  SetDocTemplate(std::make_unique<CHostedDocTemplate>(
      app.Driver(), app.Images(),
      ControlPropertyRefs{&enumFilter_, &productNumber_, &serialNumber_, &frameLog_},
      &hostEvents_));
}

HRESULT CSelvarCtrl::CreateInstance(REFIID iid, void** object) {
  auto* control = new (std::nothrow) CSelvarCtrl;
  if (!control) return E_OUTOFMEMORY;
  const HRESULT hr = control->QueryInterface(iid, object);
  control->Release();
  return hr;
}

void CSelvarCtrl::ResetProperties() {
  enumFilter_ = 0;
  productNumber_ = 0;
  serialNumber_ = 0;
  hostEvents_.SetQuiet(false);
  frameLog_ = 0;
}

void CSelvarCtrl::ExchangeProperties(CPropertyExchange& exchange) {
  const bool loading = exchange.IsLoading();
  std::int32_t quiet = !loading && hostEvents_.Quiet() ? 1 : 0;
  DWORD version = !exchange.IsNamed() && (quiet || frameLog_) ? kVersion10Added : kVersion10;
  exchange.ExchangeVersion(version);
  const bool added = !exchange.IsNamed() && version == kVersion10Added;
  if (loading) {
    hostEvents_.SetQuiet(false);
    frameLog_ = 0;
  }
  if (loading && version != kVersion10 && !added) {
    enumFilter_ = kFilterOfOtherVersion;
    productNumber_ = 0;
    serialNumber_ = 0;
    return;
  }
  exchange.ExchangeLong(L"EnumFilter", enumFilter_, 0);
  exchange.ExchangeLong(L"ProductNumber", productNumber_, 0);
  exchange.ExchangeLong(L"SerialNumber", serialNumber_, 0);
  if (exchange.IsNamed() || added) {
    exchange.ExchangeAddedLong(L"QuietMode", quiet, 0);
    exchange.ExchangeAddedLong(L"FrameLog", frameLog_, 0);
  }
  if (loading) hostEvents_.SetQuiet(quiet != 0);
}

LRESULT CSelvarCtrl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_FIRE_EVENTS) {
    hostEvents_.Deliver();
    return 0;
  }
  return CActiveXDocControl::HandleMessage(message, wParam, lParam);
}

const DispatchMember* CSelvarCtrl::Members(UINT& count) const {
  count = sizeof kMembers / sizeof kMembers[0];
  return kMembers;
}

void CSelvarCtrl::DrawControl(HDC dc, const RECT& r) {
  // The window colour inside a two-pixel sunken border.
  FillRect(dc, r.left, r.top, r.right, r.bottom, COLOR_WINDOW);
  FillRect(dc, r.left, r.top, r.right, r.top + 1, COLOR_BTNSHADOW);
  FillRect(dc, r.left, r.top, r.left + 1, r.bottom, COLOR_BTNSHADOW);
  FillRect(dc, r.left, r.bottom - 1, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
  FillRect(dc, r.right - 1, r.top, r.right, r.bottom, COLOR_BTNHIGHLIGHT);
  FillRect(dc, r.left + 1, r.top + 1, r.right - 1, r.top + 2, COLOR_BTNTEXT);
  FillRect(dc, r.left + 1, r.top + 1, r.left + 2, r.bottom - 1, COLOR_BTNTEXT);
  FillRect(dc, r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1, COLOR_BTNFACE);
  FillRect(dc, r.right - 2, r.top + 1, r.right - 1, r.bottom - 1, COLOR_BTNFACE);
}

HRESULT CSelvarCtrl::InvokeMember(DISPID id, WORD flags, const CDispatchArguments& args,
                                  VARIANT* result) {
  if ((id >= 1 && id <= 3) || id == kQuietModeId || id == kFrameLogId) {
    return InvokeProperty(id, flags, args, result);
  }
  if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
  return InvokeMethod(id, args, result);
}

HRESULT CSelvarCtrl::InvokeProperty(DISPID id, WORD flags, const CDispatchArguments& args,
                                    VARIANT* result) {
  std::int32_t* property = id == 1   ? &enumFilter_
                           : id == 2 ? &productNumber_
                           : id == 3 ? &serialNumber_
                                     : &frameLog_;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    LONG value = 0;
    RETURN_IF_FAILED(args.Int32(0, value));
    // The camera choice is read when the view next starts, the frame log at the next save;
    // quiet mode holds from the next message on.
    if (id == kQuietModeId) {
      hostEvents_.SetQuiet(value != 0);
    } else {
      *property = value;
    }
    SetModifiedFlag();
    return S_OK;
  }
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (args.Count() != 0) return DISP_E_BADPARAMCOUNT;
  if (id == kQuietModeId) {
    SetResultBool(result, hostEvents_.Quiet());
  } else {
    SetResultLong(result, *property);
  }
  return S_OK;
}
