// The host program's document template: a camera document, the host frame and the camera view.
#pragma once

#include "acquisition/CCamView.h"
#include "control/CCamDoc.h"
#include "host/HostFrame.h"
#include "platform/framework/DocTemplate.h"

class CHostTemplate : public CSingleDocTemplate {
 public:
  CHostTemplate(const TessaDriverApi& driver, const PictoLibApi& images)
      : driver_(driver), images_(images) {}

 protected:
  std::unique_ptr<CDocument> CreateDocument() override { return std::make_unique<CCamDoc>(); }
  std::unique_ptr<CFrameWindow> CreateFrame(HWND) override {
    auto frame = std::make_unique<CHostFrame>();
    if (!frame->CreateFrame()) return nullptr;
    return frame;
  }
  std::unique_ptr<CView> CreateView() override { return std::make_unique<CCamView>(driver_, images_); }

 private:
  const TessaDriverApi& driver_;
  const PictoLibApi& images_;
};
