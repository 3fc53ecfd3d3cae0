// Construction, persistence, drawing and the automation member table of the Selvar control.
#include "control/CSelvarCtrl.h"

#include <new>

#include "control/SelvarApp.h"
#include "control/SelvarGuids.h"
#include "resources/CommandIds.h"

namespace {

constexpr DWORD kVersion10 = 0x00010000;  // major 1, minor 0
// A stream that carries the appended values; one without them stays 1.0 byte for byte.
constexpr DWORD kVersion11 = 0x00010001;
constexpr DISPID kFrameLogId = 50;
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
    {L"SetSensorGain", 40}, {L"FrameLog", kFrameLogId}, {L"AboutBox", DISPID_ABOUTBOX},
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
      ControlPropertyRefs{&enumFilter_, &productNumber_, &serialNumber_, &frameLog_}));
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
  frameLog_ = 0;
}

// A property bag keeps the stamp 1.0 and finds the frame log by its name. A stream is 1.0 as long
// as the frame log is off; with it on, stamp 1.1, the three values, one reserved for another
// value (0) and the frame log. Values missing in either medium load as off.
void CSelvarCtrl::ExchangeProperties(CPropertyExchange& exchange) {
  const bool named = exchange.IsNamed();
  DWORD version = !named && frameLog_ != 0 ? kVersion11 : kVersion10;
  exchange.ExchangeVersion(version);
  const bool known = version == kVersion10 || (version == kVersion11 && !named);
  if (exchange.IsLoading() && !known) {
    enumFilter_ = kFilterOfOtherVersion;
    productNumber_ = 0;
    serialNumber_ = 0;
    frameLog_ = 0;
    return;
  }
  exchange.ExchangeLong(L"EnumFilter", enumFilter_, 0);
  exchange.ExchangeLong(L"ProductNumber", productNumber_, 0);
  exchange.ExchangeLong(L"SerialNumber", serialNumber_, 0);
  if (named) {
    exchange.ExchangeLong(L"FrameLog", frameLog_, 0);
  } else if (version == kVersion11) {
    std::int32_t reserved = 0;
    exchange.ExchangeAddedLong(L"", reserved, 0);
    exchange.ExchangeAddedLong(L"FrameLog", frameLog_, 0);
  } else if (exchange.IsLoading()) {
    frameLog_ = 0;
  }
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
  if ((id >= 1 && id <= 3) || id == kFrameLogId) return InvokeProperty(id, flags, args, result);
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
    // Read when the view next starts; nothing else reacts.
    *property = value;
    SetModifiedFlag();
    return S_OK;
  }
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (args.Count() != 0) return DISP_E_BADPARAMCOUNT;
  SetResultLong(result, *property);
  return S_OK;
}
