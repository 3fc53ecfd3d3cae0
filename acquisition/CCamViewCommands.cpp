// The view's command table: which commands it carries out and when each is enabled or checked.
#include "acquisition/CCamView.h"
#include "platform/framework/FrameWindow.h"
#include "resources/CommandIds.h"

const CommandEntry<CCamView> CCamView::kCommands[] = {
    {ID_CAMERA_RECORD, ID_CAMERA_RECORD, &CCamView::OnRecord, &CCamView::UpdateRecord},
    {ID_CAMERA_STOP, ID_CAMERA_STOP, &CCamView::OnStop, &CCamView::UpdateOpen},
    {ID_CAMERA_PLAY, ID_CAMERA_PLAY, &CCamView::OnPlay, &CCamView::UpdatePlay},
    {ID_FRAME_FIRST, ID_FRAME_FIRST, &CCamView::OnFirstFrame, &CCamView::UpdateBackward},
    {ID_FRAME_LAST, ID_FRAME_LAST, &CCamView::OnLastFrame, &CCamView::UpdateForward},
    {ID_FRAME_PREVIOUS, ID_FRAME_PREVIOUS, &CCamView::OnPreviousFrame, &CCamView::UpdateBackward},
    {ID_FRAME_NEXT, ID_FRAME_NEXT, &CCamView::OnNextFrame, &CCamView::UpdateForward},
    {ID_FRAME_REWIND, ID_FRAME_REWIND, &CCamView::OnRewind, &CCamView::UpdateBackward},
    {ID_FRAME_FAST_FORWARD, ID_FRAME_FAST_FORWARD, &CCamView::OnFastForward,
     &CCamView::UpdateForward},
    {ID_CAMERA_TRIGGER, ID_CAMERA_TRIGGER, &CCamView::OnTrigger, &CCamView::UpdateTrigger},
    {ID_END_ACQUISITION, ID_END_ACQUISITION, &CCamView::OnEndAcquisition, nullptr},
    {ID_RESET_CAMERA, ID_RESET_CAMERA, &CCamView::OnResetCamera, &CCamView::UpdateIdleCamera},
    {ID_SAVE_SEQUENCE, ID_SAVE_SEQUENCE, &CCamView::OnSaveSequence, &CCamView::UpdateSaveSequence},
    {ID_EDIT_ROI, ID_EDIT_ROI, &CCamView::OnEditRoi, &CCamView::UpdateIdleCamera},
    {ID_SHOW_CAMERA_BAR, ID_SHOW_CAMERA_BAR, &CCamView::OnShowCameraBar,
     &CCamView::UpdateShowCameraBar},
    // The camera bar carries the exposure steps out; the view only rules when they may run.
    {ID_EXPOSURE_DOWN, ID_EXPOSURE_UP, nullptr, &CCamView::UpdateExposureStep},
    {ID_ZOOM_FIRST, ID_ZOOM_CUSTOM, &CCamView::ApplyZoom, &CCamView::UpdateOpen},
    {ID_ZOOM_IN, ID_ZOOM_IN, &CCamView::OnZoomIn, &CCamView::UpdateZoomIn},
    {ID_ZOOM_OUT, ID_ZOOM_OUT, &CCamView::OnZoomOut, &CCamView::UpdateZoomOut},
    {ID_ZOOM_FIT, ID_ZOOM_FIT, &CCamView::OnZoomFit, &CCamView::UpdateOpen},
    {ID_ZOOM_100, ID_ZOOM_100, &CCamView::OnZoom100, &CCamView::UpdateOpen},
};

bool CCamView::UpdateCommand(CCmdUI& ui) { return UpdateFromTable(*this, kCommands, ui); }

bool CCamView::ExecuteCommand(UINT id) { return ExecuteFromTable(*this, kCommands, id); }

void CCamView::UpdateRecord(CCmdUI& ui) {
  ui.Enable(IsCameraOpen() && Idle());
  ui.SetCheck(recording_ ? 1 : 0);
}

void CCamView::UpdateOpen(CCmdUI& ui) { ui.Enable(IsCameraOpen()); }

void CCamView::UpdatePlay(CCmdUI& ui) {
  ui.Enable(IsCameraOpen() && !recording_ && !scanning_);
  ui.SetCheck(live_ ? 1 : 0);
}

void CCamView::UpdateTrigger(CCmdUI& ui) {
  ui.Enable(IsCameraOpen() && settings_.RecordMode != 0 && recording_);
}

void CCamView::UpdateBackward(CCmdUI& ui) {
  ui.Enable(IsCameraOpen() && Idle() && frameCount_ > 1 && currentFrame_ != 0);
}

void CCamView::UpdateForward(CCmdUI& ui) {
  ui.Enable(IsCameraOpen() && Idle() && frameCount_ > 1 && currentFrame_ + 1 < frameCount_);
}

void CCamView::UpdateIdleCamera(CCmdUI& ui) { ui.Enable(IsCameraOpen() && Idle()); }

void CCamView::UpdateSaveSequence(CCmdUI& ui) { ui.Enable(IsCameraOpen() && sequenceAvailable_); }

void CCamView::UpdateExposureStep(CCmdUI& ui) {
  ui.Enable(IsCameraOpen() && !recording_ && !scanning_);
}

void CCamView::UpdateShowCameraBar(CCmdUI& ui) {
  ui.Enable(IsCameraOpen());
  ui.SetCheck(cameraBarVisible_);
}

void CCamView::OnResetCamera(UINT) { Camera()->Reset(); }

void CCamView::OnShowCameraBar(UINT) {
  cameraBarVisible_ = !cameraBarVisible_;
  if (auto* host = dynamic_cast<CameraViewHost*>(ParentFrame())) {
    host->ShowCameraBar(cameraBarVisible_ != 0);
  }
}
