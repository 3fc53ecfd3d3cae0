// Queueing, coalescing and firing the control's events, and the last error.
#include "control/ControlEvents.h"

#include "platform/com/OleControl.h"

void CControlEvents::ClearLastError() {
  lastErrorCode_ = 0;
  lastErrorText_.clear();
}

void CControlEvents::Queue(PendingEvent event) {
  // A scan shows frames faster than a host handles them, and progress is only ever read as the
  // latest value: an unfired event of the same kind at the end of the queue is overwritten.
  const bool latestOnly = event.id == kEventFrameChanged || event.id == kEventSaveProgress;
  if (latestOnly && !pending_.empty() && pending_.back().id == event.id) {
    pending_.back() = std::move(event);
  } else {
    pending_.push_back(std::move(event));
  }
  if (posted_ || !control_.Handle()) return;
  posted_ = PostMessageW(control_.Handle(), WM_FIRE_EVENTS, 0, 0) != FALSE;
}

// Each event leaves the queue before it is fired: a handler that pumps messages fires the ones
// after it from its own loop, and none twice.
void CControlEvents::Deliver() {
  posted_ = false;
  while (!pending_.empty()) {
    const PendingEvent event = std::move(pending_.front());
    pending_.pop_front();
    Fire(event);
  }
}

void CControlEvents::Fire(const PendingEvent& event) {
  // DISPPARAMS holds the arguments last first.
  VARIANTARG args[3];
  UINT count = 0;
  if (event.withText) {
    VariantInit(&args[count]);
    V_VT(&args[count]) = VT_BSTR;
    V_BSTR(&args[count]) = SysAllocString(event.text.c_str());
    ++count;
  }
  for (int i = event.numbers - 1; i >= 0; --i) {
    VariantInit(&args[count]);
    V_VT(&args[count]) = VT_I4;
    V_I4(&args[count]) = event.number[i];
    ++count;
  }
  control_.FireEvent(event.id, args, count);
  for (UINT i = 0; i < count; ++i) VariantClear(&args[i]);
}

void CControlEvents::CameraOpened() { Queue({kEventCameraOpened, 0, {}, false, {}}); }

// The window goes with the camera, so nothing posted to it would arrive: what waits is fired
// now, this last event with it.
void CControlEvents::CameraClosed() {
  Queue({kEventCameraClosed, 0, {}, false, {}});
  Deliver();
}

void CControlEvents::RecordingStarted() { Queue({kEventRecordingStarted, 0, {}, false, {}}); }

void CControlEvents::RecordingEnded(std::uint32_t framesKept) {
  Queue({kEventRecordingEnded, 1, {static_cast<LONG>(framesKept)}, false, {}});
}

void CControlEvents::Error(int code, const wchar_t* text) {
  lastErrorCode_ = code;
  lastErrorText_ = text ? text : L"";
  Queue({kEventCameraError, 1, {code}, true, lastErrorText_});
}

void CControlEvents::SaveProgress(std::uint32_t framesWritten, std::uint32_t framesTotal) {
  Queue({kEventSaveProgress, 2,
         {static_cast<LONG>(framesWritten), static_cast<LONG>(framesTotal)}, false, {}});
}

void CControlEvents::SaveEnded(int result, std::uint32_t framesWritten) {
  Queue({kEventSaveEnded, 2, {result, static_cast<LONG>(framesWritten)}, false, {}});
}

void CControlEvents::FrameChanged(std::uint32_t index) {
  Queue({kEventFrameChanged, 1, {static_cast<LONG>(index)}, false, {}});
}
