// Live preview, recording, the worker thread and the end of an acquisition.
#include <atomic>
#include <cstring>
#include <new>

#include "acquisition/CCamView.h"
#include "resources/CommandIds.h"

namespace {

std::atomic<long> g_liveWorkers{0};
// Enough for a worker waiting between grabs to see the stop; one inside a grab is left there.
constexpr DWORD kWorkerStopWaitMs = 20;
// A terminated thread, or one past its last job, is gone in moments; the driver is not waited for.
constexpr DWORD kWorkerEndWaitMs = 1000;
// The worker only calls the driver, posts and invalidates.
constexpr SIZE_T kWorkerStackBytes = 256 * 1024;

}  // namespace

long CCamView::LiveWorkerCount() { return g_liveWorkers.load(); }

void CCamView::StartWorker(bool snapOnly) {
  if (worker_ && IsCurrent(*worker_)) StopWorker();
  if (!IsCameraOpen()) return;
  {
    CCameraGuard guard(cameraLock_);
    const std::uint32_t tag = ++workerTag_;
    if (worker_ && !worker_->leaving) {
      worker_->tag = tag;
      worker_->snapOnly = snapOnly;
      return;
    }
  }
  auto worker = std::make_unique<Worker>();
  worker->view = this;
  worker->tag = workerTag_;
  worker->snapOnly = snapOnly;
  ++g_liveWorkers;
  worker->thread.reset(CreateThread(nullptr, kWorkerStackBytes, WorkerEntry, worker.get(),
                                    STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (!worker->thread) {
    --g_liveWorkers;
    worker.reset();
  }
  worker_ = std::move(worker);
}

// Never waits for the driver (the rule at LockedCamera in CCamView.h): a worker that does not
// end at once is inside a grab, and is left there.
void CCamView::StopWorker() {
  if (!IsCameraOpen() || !worker_ || !IsCurrent(*worker_)) return;
  {
    // From here on the worker copies nothing into the frame buffer, and what it posts is stale.
    CCameraGuard guard(cameraLock_);
    ++workerTag_;
  }
  SetEvent(stopEvent_.get());
  if (WaitForSingleObject(worker_->thread.get(), kWorkerStopWaitMs) == WAIT_OBJECT_0) {
    worker_.reset();
  }
  ResetEvent(stopEvent_.get());
}

// Tear-down: the camera, the driver and this view are about to go, so a worker left inside the
// driver must never come back to them.
void CCamView::EndWorkerForGood() {
  StopWorker();
  if (!worker_) return;
  {
    // Under the lock the worker is not copying, and it cannot take a job any more.
    CCameraGuard guard(cameraLock_);
    if (!worker_->leaving) {
      TerminateThread(worker_->thread.get(), 0);
      worker_->leaving = true;
      --g_liveWorkers;
    }
  }
  // A thread not gone yet may still write into its buffer: the buffer is left to it.
  if (WaitForSingleObject(worker_->thread.get(), kWorkerEndWaitMs) != WAIT_OBJECT_0) {
    static_cast<void>(worker_.release());
  }
  worker_.reset();
}

DWORD WINAPI CCamView::WorkerEntry(void* worker) {
  auto* run = static_cast<Worker*>(worker);
  run->view->RunWorker(*run);
  return 0;
}

// Runs each job given to this thread once, the one of the current tag; leaves when there is none.
void CCamView::RunWorker(Worker& worker) {
  std::uint32_t done = 0;
  for (;;) {
    std::uint32_t tag = 0;
    bool snapOnly = false;
    {
      CCameraGuard guard(cameraLock_);
      if (worker.tag == done || !IsCurrent(worker)) {
        // Not when terminated meanwhile; the buffer goes now, the window may keep the record.
        if (!worker.leaving) {
          worker.image.reset();
          worker.leaving = true;
          --g_liveWorkers;
        }
        return;
      }
      tag = done = worker.tag;
      snapOnly = worker.snapOnly;
    }
    if (snapOnly) {
      PostMessageW(Handle(), WM_SNAP_DONE, static_cast<WPARAM>(GrabFrame(worker, tag, false)), tag);
    } else {
      RunLive(worker, tag);
    }
  }
}

void CCamView::RunLive(Worker& worker, std::uint32_t tag) {
  for (;;) {
    if (WaitForSingleObject(stopEvent_.get(), 10) == WAIT_OBJECT_0 || tag != workerTag_) return;
    int result = 1;  // nothing to show
    if (live_) {
      result = GrabFrame(worker, tag, false);
    } else if (recording_ && camera_.LiveWhileRecording() && settings_.LWR != 0) {
      result = GrabFrame(worker, tag, true);
    }
    if (tag != workerTag_) return;  // stopped during the grab
    if (result != kDrvOk) {
      if (!live_) continue;
      PostMessageW(Handle(), WM_CAMERA_ERROR, static_cast<WPARAM>(result), tag);
      return;
    }
    // The window's thread may have stopped this job meanwhile and be showing frame texts: the
    // worker only invalidates.
    InvalidateRect(Handle(), nullptr, FALSE);
    if (settings_.ExpMode == 1) {
      Sleep(25);
      InvalidateRect(Handle(), nullptr, FALSE);
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

// The frame wait runs outside the camera lock, into the worker's own buffer; the image reaches
// the frame buffer under the lock and only for the current job (the rule at LockedCamera). A
// stopped job's image is dropped: no data.
int CCamView::GrabFrame(Worker& worker, std::uint32_t tag, bool duringRecording) {
  PendingGrab grab;
  int status = Camera()->PrepareGrab(duringRecording, grab);
  if (status != kDrvOk) return status;
  const std::uint32_t bytes = grab.request.byteCount;
  if (worker.imageSize < bytes) {
    worker.image.reset(new (std::nothrow) std::uint8_t[bytes]);
    worker.imageSize = worker.image ? bytes : 0;
    if (!worker.image) return kDrvBufferTooSmall;
  }
  grab.request.buffer = worker.image.get();
  status = camera_.SendGrab(grab);
  if (status != kDrvOk) return status;
  LockedCamera camera = Camera();
  if (tag != workerTag_) return kDrvNoData;
  std::memcpy(camera->FrameBuffer(), worker.image.get(), bytes);
  return kDrvOk;
}

int CCamView::BeginRecording() {
  NoteRecordingStart();
  StartWorker();
  run_.frames = settings_.AcquisitionFrames;
  run_.preTrigger = settings_.AcquisitionPreTriggerFrames;
  run_.circular = settings_.RecordMode == 1;
  run_.frameBytes = Camera()->GetFrameBytes();
  return Camera()->StartRecording(static_cast<std::uint32_t>(recordingBase_),
                                  static_cast<std::uint32_t>(recordingBase_ >> 32), run_.frames,
                                  run_.preTrigger, RecordingDone, 1,
                                  reinterpret_cast<TessaContext>(this));
}

int CCamView::AbortRecording(int ask) {
  int answer = IDNO;
  if (ask) {
    // Without a person to ask, nothing acquired is thrown away.
    answer = Quiet() ? IDYES
                     : ShowCameraMessage(IDS_KEEP_FRAMES, MB_YESNOCANCEL | MB_ICONEXCLAMATION, 0);
    if (answer == IDCANCEL) return 0;
  }
  StopWorker();
  int recorded = 0;
  const int stopped = Camera()->StopRecording(&recorded);
  // Only what the camera says it wrote is kept; without its word, or with nothing written, the
  // sequence stays as it was.
  const bool kept = answer == IDYES && stopped == kDrvOk && recorded > 0;
  if (kept) KeepStoppedRecording(static_cast<std::uint32_t>(recorded));
  GoToFrame(0);
  if (events_) events_->RecordingEnded(kept ? frameCount_ : 0);
  return 1;
}

// Frame k of a recording goes into slot k mod M. Of the frames written, the ring holds the last
// M (or all, when fewer), oldest first from the slot after the newest.
void CCamView::KeepStoppedRecording(std::uint32_t recorded) {
  const std::uint32_t ring = run_.frames;
  if (ring == 0) return;
  TakeOverRecording(recorded < ring ? recorded : ring, recorded > ring ? recorded % ring : 0);
}

// The recording becomes the sequence on show: count frames of its ring from ringStart, with the
// sizes and settings it was started with.
void CCamView::TakeOverRecording(std::uint32_t count, std::uint32_t ringStart) {
  frameCount_ = count;
  ringStart_ = ringStart;
  ringLength_ = run_.frames;
  sequenceFrameBytes_ = run_.frameBytes;
  sequenceAvailable_ = 1;
  TakeOverRecordingFacts();
  Camera()->ReadFrameTable(0, static_cast<int>(run_.frames + 1));
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
  ReportCameraError(text, 0);
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
    ReportCameraError(IDS_RECORD_REFUSED, status);
  } else if (events_) {
    events_->RecordingStarted();
  }
  return status;
}

void CCamView::OnStop(UINT) { StopActivity(1); }

void CCamView::OnTrigger(UINT) { Camera()->SoftwareTrigger(); }

void CCamView::OnEndAcquisition(UINT) {
  // A completion that comes after a Stop has taken the recording over changes nothing.
  if (!recording_) return;
  StopWorker();
  std::uint32_t ringStart = 0;
  if (run_.circular) {
    int active = 0, recorded = 0, trigger = 0, triggered = 0;
    Camera()->GetRecordingStatus(&active, &recorded, &trigger, &triggered);
    const std::uint32_t t = static_cast<std::uint32_t>(trigger);
    const std::uint32_t pre = run_.preTrigger;
    ringStart = t >= pre ? t - pre : run_.frames - pre + t;
  }
  TakeOverRecording(run_.frames, ringStart);
  GoToFrame(0);
  if (CameraBarSink* bar = Bar()) bar->EnableLiveControls(true);
  recording_ = 0;
  live_ = 0;
  if (events_) events_->RecordingEnded(frameCount_);
}
