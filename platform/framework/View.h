// A view: the window inside the frame that shows the document and is first in command routing.
#pragma once

#include "platform/framework/CommandTarget.h"
#include "platform/framework/WindowBase.h"

class CDocument;
class CFrameWindow;

class CView : public CWindowBase, public CCommandTarget {
 public:
  void Attach(CDocument* document, CFrameWindow* frame) {
    document_ = document;
    frame_ = frame;
  }
  CDocument* Document() const { return document_; }
  CFrameWindow* ParentFrame() const { return frame_; }

  // Called once by the document template after the view's window exists.
  virtual void OnInitialUpdate() {}
  virtual void OnDraw(HDC dc) = 0;

  bool UpdateCommand(CCmdUI&) override { return false; }
  bool ExecuteCommand(UINT) override { return false; }

 protected:
  const wchar_t* ClassName() const override { return L"SelvarView"; }

 private:
  CDocument* document_ = nullptr;
  CFrameWindow* frame_ = nullptr;
};
