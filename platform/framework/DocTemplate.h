// Single-document template: creates the document, the frame and the view, then runs the view's
// initial update. It owns all three; the windows may go first, with their parent.
#pragma once

#include <memory>

#include "platform/framework/Document.h"
#include "platform/framework/FrameWindow.h"
#include "platform/framework/View.h"

class CSingleDocTemplate {
 public:
  virtual ~CSingleDocTemplate() = default;

  // Replaces any open document by a new one; returns the frame, or null when a step failed.
  CFrameWindow* OpenNewDocument(HWND parent);
  void CloseDocument();

  CDocument* Document() const { return document_.get(); }
  CFrameWindow* Frame() const { return frame_.get(); }
  CView* View() const { return view_.get(); }

 protected:
  virtual std::unique_ptr<CDocument> CreateDocument() = 0;
  // Creates the frame object and its window as a child of parent; null on failure.
  virtual std::unique_ptr<CFrameWindow> CreateFrame(HWND parent) = 0;
  virtual std::unique_ptr<CView> CreateView() = 0;

 private:
  // Declared so that the frame goes first, taking the view's window with it.
  std::unique_ptr<CDocument> document_;
  std::unique_ptr<CView> view_;
  std::unique_ptr<CFrameWindow> frame_;
};

// The id of a frame's first view pane.
constexpr UINT kFirstPaneId = 0xE900;
