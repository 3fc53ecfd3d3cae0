// Creation, sizing, focus, the command-update timer and tear-down of the hosted frame.
#include "control/CActiveXDocControl.h"

void CActiveXDocControl::SetDocTemplate(std::unique_ptr<CHostedDocTemplate> docTemplate) {
  docTemplate_ = std::move(docTemplate);
}

CCamView* CActiveXDocControl::View() const {
  if (!frame_ || !frame_->Handle() || !docTemplate_) return nullptr;
  CCamView* view = docTemplate_->CameraView();
  return view && view->Handle() ? view : nullptr;
}

LRESULT CActiveXDocControl::OnCreate() {
  // The stock border style 1: a single-line border around the control.
  SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | WS_BORDER);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  frame_ = docTemplate_ ? docTemplate_->CreateFrameInControl(Handle()) : nullptr;
  SetTimer(Handle(), kIdleUpdateTimerId, kIdleUpdatePeriodMs, nullptr);
  return 0;
}

void CActiveXDocControl::OnSize() {
  if (!frame_ || !frame_->Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  MoveWindow(frame_->Handle(), client.left, client.top, client.right, client.bottom, TRUE);
}

void CActiveXDocControl::OnTimer() {
  if (!frame_ || !frame_->Handle() || !IsWindowVisible(frame_->Handle())) return;
  frame_->UpdateAllBars();
}

void CActiveXDocControl::OnSetFocus() {
  if (frame_ && frame_->Handle()) SetFocus(frame_->Handle());
}

void CActiveXDocControl::OnDestroy() {
  KillTimer(Handle(), kIdleUpdateTimerId);
  if (docTemplate_) docTemplate_->SaveHostedDocument();
  // The frame's and view's windows go with this one; their objects stay with the template until
  // the next document or the control's end, so a handler still running finds them.
  frame_ = nullptr;
}

LRESULT CActiveXDocControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_TIMER:
      if (wParam == kIdleUpdateTimerId) {
        OnTimer();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      break;
  }
  return COleControl::HandleMessage(message, wParam, lParam);
}
