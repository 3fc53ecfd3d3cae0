// The control's single-document template: a CCamDoc, the workstation frame as a child of the
// control's window, and a camera view that chooses its camera by the control's own properties
// and tells the control what happens.
#pragma once

#include "acquisition/ViewEvents.h"
#include "camera/CameraSelection.h"
#include "control/CameraDocTemplate.h"
#include "control/WorkstationFrame.h"

class CHostedDocTemplate : public CCameraDocTemplate<CWorkstationFrame> {
 public:
  CHostedDocTemplate(const TessaDriverApi& driver, const PictoLibApi& images,
                     const ControlPropertyRefs& properties, ViewEvents* events = nullptr)
      : CCameraDocTemplate(driver, images), properties_(properties), events_(events) {}

  // Opens a new document with its frame and view inside parent and shows the frame; null when a
  // step failed.
  CFrameWindow* CreateFrameInControl(HWND parent);
  // The document stores nothing: saving it only clears its modified flag.
  void SaveHostedDocument();
  CCamView* CameraView() const { return static_cast<CCamView*>(View()); }

 protected:
  std::unique_ptr<CView> CreateView() override;

 private:
  ControlPropertyRefs properties_;
  ViewEvents* events_;
};
