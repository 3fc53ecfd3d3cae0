// The view's operator dialogs: Save Sequence with its report of a failed save, and Edit Camera ROI.
#include "acquisition/CCamView.h"
#include "export/CSaveSequenceDlg.h"
#include "export/SaveFailureMessage.h"
#include "resources/CommandIds.h"
#include "resources/SaveSequenceResources.h"
#include "ui/CRoiDlg.h"

void CCamView::OnSaveSequence(UINT) {
  std::uint32_t width = 0, height = 0, depth = 0;
  Camera()->GetRoiFormat(&width, &height, &depth);
  settings_.PixelDepth = depth;
  // The whole recorded sequence, whatever the frame count has been set to since.
  settings_.SaveFirst = 0;
  settings_.SaveLast = frameCount_ ? frameCount_ - 1 : 0;
  settings_.SaveStep = 1;
  CSaveSequenceDlg dialog(settings_, frameCount_, images_, Handle());
  if (dialog.DoModal() != IDOK) return;
  settings_ = dialog.Settings();
  const int result = SaveImageSequence();
  if (result != kSaveDone && result != kSaveAborted && !Quiet()) {
    ShowSaveFailure(Handle(), lastSave_, settings_.ImageFolder);
  }
}

void CCamView::OnEditRoi(UINT) {
  std::uint32_t width = 0, height = 0, depth = 0;
  Camera()->GetRoiFormat(&width, &height, &depth);
  std::int32_t region[kRoiValues] = {settings_.RoiX0, settings_.RoiY0, settings_.RoiWidth,
                                     settings_.RoiHeight,
                                     static_cast<std::int32_t>(settings_.SensorWidth),
                                     static_cast<std::int32_t>(settings_.SensorHeight)};
  CRoiDlg dialog(Handle());
  RoiFrame frame;
  frame.width = width;
  frame.height = height;
  {
    const LockedCamera camera = Camera();
    frame.pixels = camera->FrameBuffer();
    frame.bytes = camera->FrameBufferSize();
    dialog.SetImage(region, depth, frame);
  }
  if (dialog.DoModal() != IDOK) return;
  dialog.GetRegion(region);
  settings_.RoiX0 = region[0];
  settings_.RoiY0 = region[1];
  settings_.RoiWidth = region[2];
  settings_.RoiHeight = region[3];
  settings_.SensorWidth = static_cast<std::uint32_t>(region[4]);
  settings_.SensorHeight = static_cast<std::uint32_t>(region[5]);
  ApplyCameraSetting(2);
}
