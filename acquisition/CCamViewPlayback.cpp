// Playback: showing recorded frames from camera memory one by one, and the two scans.
#include "acquisition/CCamView.h"
#include "platform/framework/PumpMessages.h"

void CCamView::GoToFrame(std::uint32_t index) {
  currentFrame_ = index;
  LoadFrame(index);
  UpdateFrameIndexText(static_cast<int>(currentFrame_ + 1), static_cast<int>(frameCount_));
  InvalidateRect(Handle(), nullptr, FALSE);
  if (events_) events_->FrameChanged(index);
}

// Sequence frame i lies i slots after the ring start, wrapping once around the ring. Frame count
// and ring length are the sequence's own, so a later change of the frame count in the settings
// does not move them. An index beyond the sequence reads nothing.
int CCamView::LoadFrame(std::uint32_t index) {
  if (index >= frameCount_) return kCamOutOfRange;
  EndSnap();
  std::uint64_t position = std::uint64_t{ringStart_} + index;
  if (ringLength_ != 0 && position >= ringLength_) position -= ringLength_;
  return Camera()->ReadFrame(static_cast<std::uint32_t>(recordingBase_),
                             static_cast<std::uint32_t>(recordingBase_ >> 32),
                             static_cast<int>(position));
}

void CCamView::OnFirstFrame(UINT) {
  if (currentFrame_ != 0) GoToFrame(0);
}

void CCamView::OnLastFrame(UINT) {
  if (currentFrame_ + 1 < frameCount_) GoToFrame(frameCount_ - 1);
}

void CCamView::OnPreviousFrame(UINT) {
  if (currentFrame_ != 0) GoToFrame(currentFrame_ - 1);
}

void CCamView::OnNextFrame(UINT) {
  if (currentFrame_ + 1 < frameCount_) GoToFrame(currentFrame_ + 1);
}

// The scans step on this thread and let messages run between steps, so the picture updates and
// Stop clears the flag. A window destroyed meanwhile also ends the scan.
void CCamView::OnRewind(UINT) {
  scanning_ = 1;
  if (frameCount_ >= 2) {
    while (currentFrame_ > 0 && scanning_ && Handle()) {
      GoToFrame(currentFrame_ - 1);
      PumpMessages();
    }
  }
  scanning_ = 0;
}

void CCamView::OnFastForward(UINT) {
  scanning_ = 1;
  if (frameCount_ >= 2) {
    while (currentFrame_ + 1 < frameCount_ && scanning_ && Handle()) {
      GoToFrame(currentFrame_ + 1);
      PumpMessages();
    }
  }
  scanning_ = 0;
}
