// Creation order of document, frame and view.
#include "platform/framework/DocTemplate.h"

#include "platform/framework/DispatchScope.h"

void CSingleDocTemplate::CloseDocument() {
  // The windows go now, the frame first taking the view's window with it. A handler of theirs
  // that runs a nested loop may be what closed them; the objects wait until it has returned.
  if (frame_) frame_->Destroy();
  if (view_) view_->Destroy();
  DeleteWhenNoHandlerRuns(std::move(frame_));
  DeleteWhenNoHandlerRuns(std::move(view_));
  DeleteWhenNoHandlerRuns(std::move(document_));
}

CFrameWindow* CSingleDocTemplate::OpenNewDocument(HWND parent) {
  CloseDocument();
  document_ = CreateDocument();
  if (!document_ || !document_->OnNewDocument()) {
    CloseDocument();
    return nullptr;
  }
  frame_ = CreateFrame(parent);
  view_ = CreateView();
  if (!frame_ || !frame_->Handle() || !view_) {
    CloseDocument();
    return nullptr;
  }
  view_->Attach(document_.get(), frame_.get());
  const RECT none{0, 0, 0, 0};
  if (!view_->Create(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, none, frame_->Handle(),
                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kFirstPaneId)))) {
    CloseDocument();
    return nullptr;
  }
  frame_->SetActiveView(view_.get());
  frame_->RecalcLayout();
  view_->OnInitialUpdate();
  return frame_.get();
}
