// The Selvar control: the camera workstation inside the control, its three persistent
// properties that choose the camera, quiet mode and the frame log, the automation methods that
// drive the workstation, and the events and last error that tell the host what happened. Every
// control drives only its own frame and view.
#pragma once

#include <cstdint>

#include "control/CActiveXDocControl.h"
#include "control/ControlEvents.h"

class CSelvarCtrl : public CActiveXDocControl {
 public:
  CSelvarCtrl();

  // OLEMISC: recompose on resize, cannot link inside, inside-out, activate when visible, set
  // client site first.
  static constexpr DWORD kMiscStatus = 0x20191;
  static constexpr DISPID kQuietModeId = 41;
  static constexpr DISPID kFrameLogId = 50;

  // The class factory's creation function.
  static HRESULT CreateInstance(REFIID iid, void** object);

 protected:
  void ExchangeProperties(CPropertyExchange& exchange) override;
  void ResetProperties() override;
  const DispatchMember* Members(UINT& count) const override;
  HRESULT InvokeMember(DISPID id, WORD flags, const CDispatchArguments& args,
                       VARIANT* result) override;
  void DrawControl(HDC dc, const RECT& bounds) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HRESULT InvokeProperty(DISPID id, WORD flags, const CDispatchArguments& args, VARIANT* result);
  HRESULT InvokeMethod(DISPID id, const CDispatchArguments& args, VARIANT* result);

  // Automation methods, by their table rows.
  LONG SendCommand(UINT command);
  SHORT ShowBar(bool toolbar, SHORT show);
  LONG SaveImageSequence(const CDispatchArguments& args, HRESULT& hr);
  LONG GetData(const CDispatchArguments& args, HRESULT& hr);
  LONG CameraSetting(int id);
  LONG RoiParameter(LONG index);
  void SetRoiParameter(LONG index, LONG value);
  void AboutBox();

  std::int32_t enumFilter_ = 0;
  std::int32_t productNumber_ = 0;
  std::int32_t serialNumber_ = 0;
  // Non-zero: every save also writes "<prefix>.csv", one row per frame written.
  std::int32_t frameLog_ = 0;
  CControlEvents hostEvents_{*this};
};
