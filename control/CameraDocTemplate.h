// The single-document template of the camera workstation: a CCamDoc, a frame of the host's kind
// and a camera view over the given driver and image-file library.
#pragma once

#include <memory>

#include "acquisition/CCamView.h"
#include "control/CCamDoc.h"
#include "platform/framework/DocTemplate.h"

// FrameType needs `bool CreateFrame(HWND parent)`, which creates its window.
template <typename FrameType, typename ViewType = CCamView>
class CCameraDocTemplate : public CSingleDocTemplate {
 public:
  CCameraDocTemplate(const TessaDriverApi& driver, const PictoLibApi& images)
      : driver_(driver), images_(images) {}

 protected:
  std::unique_ptr<CDocument> CreateDocument() override { return std::make_unique<CCamDoc>(); }
  std::unique_ptr<CFrameWindow> CreateFrame(HWND parent) override {
    auto frame = std::make_unique<FrameType>();
    if (!frame->CreateFrame(parent)) return nullptr;
    return frame;
  }
  std::unique_ptr<CView> CreateView() override { return std::make_unique<ViewType>(driver_, images_); }

 private:
  const TessaDriverApi& driver_;
  const PictoLibApi& images_;
};
