// Document, frame and view inside the control's window.
#include "control/CHostedDocTemplate.h"

CFrameWindow* CHostedDocTemplate::CreateFrameInControl(HWND parent) {
  SaveHostedDocument();
  CFrameWindow* frame = OpenNewDocument(parent);
  if (!frame) return nullptr;
  ShowWindow(frame->Handle(), SW_SHOWNORMAL);
  return frame;
}

void CHostedDocTemplate::SaveHostedDocument() {
  if (Document()) Document()->SetModified(false);
}

std::unique_ptr<CView> CHostedDocTemplate::CreateView() {
  std::unique_ptr<CView> view = CCameraDocTemplate::CreateView();
  auto* cameraView = static_cast<CCamView*>(view.get());
  cameraView->SetControlProperties(properties_);
  cameraView->SetEvents(events_);
  return view;
}
