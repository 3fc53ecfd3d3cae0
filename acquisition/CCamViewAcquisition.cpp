// Live preview, recording, the worker thread and the end of an acquisition.
#include <atomic>

#include "acquisition/CCamView.h"
#include "resources/CommandIds.h"

namespace {

std::atomic<long> g_liveWorkers{0};
constexpr DWORD kWorkerStopWaitMs = 1500;

}  // namespace

long CCamView::LiveWorkerCount() { return g_liveWorkers.load(); }

void CCamView::StartWorker(bool snapOnly) {
  if (worker_) StopWorker();
  if (!IsCameraOpen()) {
    worker_.reset();
    return;
  }
  snapOnly_ = snapOnly;
  ++g_liveWorkers;
  ++workerTag_;
  worker_.reset(CreateThread(nullptr, 0, WorkerEntry, this, 0, nullptr));
  if (!worker_) --g_liveWorkers;
}

void CCamView::StopWorker() {
  if (!IsCameraOpen() || !worker_) return;
  SetEvent(stopEvent_.get());
  // A worker stuck in a grab the driver does not end is terminated; it holds no lock of ours
  // while it waits for a frame, so the camera stays usable.
  if (WaitForSingleObject(worker_.get(), kWorkerStopWaitMs) == WAIT_TIMEOUT) {
    TerminateThread(worker_.get(), 0);
    --g_liveWorkers;
  }
  ResetEvent(stopEvent_.get());
  worker_.reset();
  // What the stopped worker posted is stale: its tag no longer matches.
  ++workerTag_;
}

DWORD WINAPI CCamView::WorkerEntry(void* view) {
  static_cast<CCamView*>(view)->WorkerLoop();
  --g_liveWorkers;
  return 0;
}

void CCamView::WorkerLoop() {
  // Set before this thread started; it changes only after the thread has ended.
  const std::uint32_t tag = workerTag_;
  if (snapOnly_) {
    PostMessageW(Handle(), WM_SNAP_DONE, static_cast<WPARAM>(GrabFrame(false)), tag);
    return;
  }
  for (;;) {
    if (WaitForSingleObject(stopEvent_.get(), 10) == WAIT_OBJECT_0) return;
    int result = 1;  // nothing to show
    if (live_) {
      result = GrabFrame(false);
    } else if (recording_ && camera_.LiveWhileRecording() && settings_.LWR != 0) {
      result = GrabFrame(true);
    }
    if (result != kDrvOk) {
      if (!live_) continue;
      PostMessageW(Handle(), WM_CAMERA_ERROR, static_cast<WPARAM>(result), tag);
      return;
    }
    RefreshLiveImage(0);
    if (settings_.ExpMode == 1) {
      Sleep(25);
      RefreshLiveImage(1);
      Sleep(25);
    }
  }
}

void CCamView::RefreshLiveImage(int subImage) {
  InvalidateRect(Handle(), nullptr, FALSE);
  if (!live_ && !recording_) UpdateFrameIndexText(subImage + 1, static_cast<int>(frameCount_));
}

int TESSA_CALL CCamView::RecordingDone(TessaContext context, int, int) {
  auto* view = reinterpret_cast<CCamView*>(context);
  return PostMessageW(view->Handle(), WM_COMMAND, MAKEWPARAM(ID_END_ACQUISITION, 0), 0);
}

// The frame wait runs outside the camera lock (the rule at LockedCamera).
int CCamView::GrabFrame(bool duringRecording) {
  PendingGrab grab;
  const int status = Camera()->PrepareGrab(duringRecording, grab);
  return status != kDrvOk ? status : camera_.SendGrab(grab);
}

int CCamView::BeginRecording() {
  NoteRecordingStart();
  StartWorker();
  return Camera()->StartRecording(static_cast<std::uint32_t>(recordingBase_),
                                  static_cast<std::uint32_t>(recordingBase_ >> 32),
                                  settings_.AcquisitionFrames,
                                  settings_.AcquisitionPreTriggerFrames, RecordingDone, 1,
                                  reinterpret_cast<TessaContext>(this));
}

int CCamView::AbortRecording(int ask) {
  int answer = IDNO;
  if (ask) {
    answer = ShowCameraMessage(IDS_KEEP_FRAMES, MB_YESNOCANCEL | MB_ICONEXCLAMATION, 0);
    if (answer == IDCANCEL) return 0;
  }
  StopWorker();
  int ignored = 0;
  Camera()->StopRecording(&ignored);
  if (answer == IDYES) {
    sequenceAvailable_ = 1;
    frameCount_ = settings_.AcquisitionFrames;
    ringLength_ = settings_.AcquisitionFrames;
    TakeOverRecordingFacts();
  }
  GoToFrame(0);
  return 1;
}

void CCamView::StopActivity(int ask) {
  if (live_) {
    StopWorker();
  } else if (scanning_) {
    scanning_ = 0;
  } else if (recording_) {
    if (!AbortRecording(ask)) return;
  } else {
    SnapLiveImage();
  }
  if (CameraBarSink* bar = Bar()) bar->EnableLiveControls(true);
  recording_ = 0;
  live_ = 0;
}

void CCamView::OnCameraError(int code, std::uint32_t workerTag) {
  // Only the live preview's own worker may end it; a stopped worker's last word comes too late.
  if (!live_ || workerTag != workerTag_) return;
  const UINT text = ErrorTextFor(code);
  StopActivity(0);
  ShowCameraMessage(text, MB_ICONERROR, 0);
}

void CCamView::OnPlay(UINT) {
  if (live_) {
    StopActivity(1);
    return;
  }
  if (CameraBarSink* bar = Bar()) bar->EnableLiveControls(false);
  live_ = 1;
  StartWorker();
}

void CCamView::OnRecord(UINT) { Record(); }

// Returns the camera's answer to the start: 0 when the recording runs. A refused start is shown
// and leaves the view idle, with the sequence it had.
int CCamView::Record() {
  recording_ = 1;
  if (CameraBarSink* bar = Bar()) bar->ShowStatusMessage(IDS_RECORDING);
  const int status = BeginRecording();
  if (status != kDrvOk) {
    StopWorker();
    recording_ = 0;
    UpdateFrameIndexText(static_cast<int>(currentFrame_ + 1), static_cast<int>(frameCount_));
    ShowCameraMessage(IDS_RECORD_REFUSED, MB_ICONERROR, status);
  }
  return status;
}

void CCamView::OnStop(UINT) { StopActivity(1); }

void CCamView::OnTrigger(UINT) { Camera()->SoftwareTrigger(); }

void CCamView::OnEndAcquisition(UINT) {
  StopWorker();
  frameCount_ = settings_.AcquisitionFrames;
  ringLength_ = settings_.AcquisitionFrames;
  ringStart_ = 0;
  if (settings_.RecordMode == 1) {
    int active = 0, recorded = 0, trigger = 0, triggered = 0;
    Camera()->GetRecordingStatus(&active, &recorded, &trigger, &triggered);
    const std::uint32_t t = static_cast<std::uint32_t>(trigger);
    const std::uint32_t pre = settings_.AcquisitionPreTriggerFrames;
    ringStart_ = t >= pre ? t - pre : settings_.AcquisitionFrames - pre + t;
  }
  TakeOverRecordingFacts();
  Camera()->ReadFrameTable(0, static_cast<int>(settings_.AcquisitionFrames + 1));
  GoToFrame(0);
  sequenceAvailable_ = 1;
  if (CameraBarSink* bar = Bar()) bar->EnableLiveControls(true);
  recording_ = 0;
  live_ = 0;
}
