// Zoom of the view: preset and custom zooms, zooming in and out, fitting the window.
#include "acquisition/CCamView.h"
#include "platform/framework/FrameWindow.h"
#include "render/ZoomSteps.h"
#include "resources/CommandIds.h"

namespace {

// The zoom command that shows a preset zoom, or the custom command for any other zoom.
UINT CommandForZoom(int zoom) {
  for (int i = 0; i < kZoomPresetCount; ++i) {
    if (kZoomPresets[i] == zoom) return ID_ZOOM_FIRST + i;
  }
  return ID_ZOOM_CUSTOM;
}

}  // namespace

void CCamView::ApplyZoom(UINT id) {
  const int zoom = id == ID_ZOOM_CUSTOM ? customZoomPercent_ : kZoomPresets[id - ID_ZOOM_FIRST];
  ApplyZoomPercent(zoom, id);
}

void CCamView::ApplyZoomPercent(int zoom, UINT id) {
  if (zoom == zoomPercent_) return;
  zoomPercent_ = zoom;
  if (HMENU popup = GetSubMenu(contextMenu_.get(), 0)) {
    for (UINT item = ID_ZOOM_FIRST; item <= ID_ZOOM_CUSTOM; ++item) {
      CheckMenuItem(popup, item, MF_BYCOMMAND | (item == id ? MF_CHECKED : MF_UNCHECKED));
    }
  }
  if (auto* host = dynamic_cast<CameraViewHost*>(ParentFrame())) {
    host->SelectZoomEntry(static_cast<int>(id - ID_ZOOM_FIRST));
  }
  UpdateScrollSize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CCamView::OnZoomIn(UINT) {
  const int zoom = ZoomInFrom(zoomPercent_);
  ApplyZoomPercent(zoom, CommandForZoom(zoom));
}

void CCamView::OnZoomOut(UINT) {
  const int zoom = ZoomOutFrom(zoomPercent_);
  ApplyZoomPercent(zoom, CommandForZoom(zoom));
}

void CCamView::OnZoomFit(UINT) {
  const SIZE client = TrueClientSize();
  customZoomPercent_ = FitZoom(client.cx, client.cy, static_cast<std::int32_t>(imageWidth_),
                               static_cast<std::int32_t>(imageHeight_));
  wchar_t text[16];
  wsprintfW(text, L"%d%%", customZoomPercent_);
  if (HMENU popup = GetSubMenu(contextMenu_.get(), 0)) {
    // Only the text changes: the item keeps its id and its check mark.
    MENUITEMINFOW item{sizeof item};
    item.fMask = MIIM_STRING;
    item.dwTypeData = text;
    SetMenuItemInfoW(popup, ID_ZOOM_CUSTOM, FALSE, &item);
  }
  if (auto* host = dynamic_cast<CameraViewHost*>(ParentFrame())) {
    host->SetCustomZoomText(customZoomPercent_);
  }
  ApplyZoom(ID_ZOOM_CUSTOM);
}

void CCamView::OnZoom100(UINT) { ApplyZoom(ID_ZOOM_FIRST + 3); }

void CCamView::UpdateZoomIn(CCmdUI& ui) { ui.Enable(IsCameraOpen() && zoomPercent_ < kZoomMaximum); }

void CCamView::UpdateZoomOut(CCmdUI& ui) { ui.Enable(IsCameraOpen() && zoomPercent_ > kZoomMinimum); }
