// The camera view: owns the open camera and its settings, and runs start-up, settings, live
// preview, recording and playback.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "acquisition/CameraBarSink.h"
#include "acquisition/CameraLock.h"
#include "acquisition/CameraSettings.h"
#include "acquisition/ViewEvents.h"
#include "camera/CameraSelection.h"
#include "camera/CCamera.h"
#include "export/ImageFileLibrary.h"
#include "export/RecordingFacts.h"
#include "export/SequenceSaver.h"
#include "platform/framework/ScrollingView.h"
#include "platform/win32/UniqueHandle.h"
#include "render/DisplayBitmap.h"

// Posted by the worker to the view's window when a live grab fails; wParam is the camera code,
// lParam the tag of the worker that failed, so an error from a worker stopped meanwhile is ignored.
constexpr UINT WM_CAMERA_ERROR = WM_USER + 201;
// A one-shot worker's image is in the frame buffer (wParam the grab's status, lParam its tag).
constexpr UINT WM_SNAP_DONE = WM_USER + 202;

struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static bool IsValid(HMENU m) { return m != nullptr; }
  static void Close(HMENU m) { DestroyMenu(m); }
};
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;

// The threading rule of the view. The worker and the driver's callback never race the window's
// thread on the camera object, and the window's thread never waits on the worker or the driver
// for more than a few milliseconds:
// - Every use of the camera object holds the camera lock for the length of one statement; no
//   such statement waits for a frame. A grab reads its request under the lock (PrepareGrab) and
//   waits for the frame without it (SendGrab), so a setting change, a playback read or a paint
//   never queues behind a frame that is slow to come.
// - Grabs run on the worker only: live preview, images while recording, and the single image
//   after a settings change or Stop (a one-shot worker that posts WM_SNAP_DONE).
// - The driver delivers a worker's images into that worker's own buffer. The worker copies an
//   image into the frame buffer under the lock, and only while its tag is the view's.
// - What the command rules and painting need (open flag, state flags, image size, frame buffer
//   address) is read without the lock; only the window's thread changes it.
// - StopWorker retires the worker's tag under the lock, then gives it a few milliseconds to end.
//   A worker still inside the driver is left there: what the driver brings back stays in the
//   worker's own buffer and what it posts is stale. When back, it takes the job started since
//   (so the driver never holds more than one thread of the view) or leaves. Tear-down
//   terminates a worker still inside the driver before the camera closes.
class LockedCamera {
 public:
  LockedCamera(CCamera& camera, CCameraLock& lock) : guard_(lock), camera_(camera) {}
  CCamera* operator->() const { return &camera_; }

 private:
  CCameraGuard guard_;
  CCamera& camera_;
};

class CCamView : public CScrollingView {
 public:
  CCamView(const TessaDriverApi& driver, const PictoLibApi& images);
  ~CCamView() override;

  void OnInitialUpdate() override;
  void OnDraw(HDC dc) override;

  // Settings.
  void ApplyCameraSetting(int id);
  int CommitSettings();
  void SnapLiveImage();
  void SetExposureValue(std::uint32_t microseconds);
  void SetPeriodValue(std::uint32_t microseconds);
  CameraSettings& Settings() { return settings_; }

  // Acquisition.
  // snapOnly: the worker grabs one image, reports it with WM_SNAP_DONE and ends.
  void StartWorker(bool snapOnly = false);
  void StopWorker();
  int Record();
  int BeginRecording();
  int AbortRecording(int ask);
  void StopActivity(int ask);
  void RefreshLiveImage(int subImage);

  // Playback.
  void GoToFrame(std::uint32_t index);
  // Reads a recorded frame into the frame buffer; 0 or the camera's status.
  int LoadFrame(std::uint32_t index);
  void UpdateFrameIndexText(int number, int count);

  // Saving: the range and files of the settings record. Nothing is shown to the operator; the
  // result (a SaveResult) says how it went, and LastSave() the frame and file of a failure, for
  // ShowSaveFailure on the operator's path. The host hears of progress, the end and a failure.
  int SaveImageSequence();
  const SaveOutcome& LastSave() const { return lastSave_; }
  // What the saved files say about the sequence on show: its recording's settings and end.
  const RecordingFacts& SequenceFacts() const { return sequenceFacts_; }

  // Automation: the hosting control's camera-choice properties (read at the initial update), a
  // setting keyed by its camera-bar control id, saving with the given texts and range (the
  // record's save fields are put back afterwards), and frames copied out of camera memory by raw
  // slot index, frameBytes apart (the camera's GetFrameBytes). CopyFrames returns 0 when every
  // frame was copied; otherwise kCamOutOfRange or the camera's status of the first frame that was
  // not, with the frames before it in place. A target that is not count frames of writable
  // memory is refused (kCamBadTarget) before anything is read or written.
  void SetControlProperties(const ControlPropertyRefs& properties);
  // Where acquisition, playback, saving and errors are reported; none by default.
  void SetEvents(ViewEvents* events) { events_ = events; }
  ViewEvents* Events() const { return events_; }
  void ApplySettingById(UINT controlId, std::uint32_t value);
  int SaveImageSequenceFor(const void* folder, const void* prefix, int fileTypeCode,
                           std::uint32_t first, std::uint32_t last, std::uint32_t step);
  int CopyFrames(int count, int firstIndex, std::uint8_t* out);

  // Messages. An error goes to the host and, unless quiet, into a box for the operator.
  int ShowCameraMessage(UINT stringId, UINT style, int number);
  void ReportCameraError(UINT stringId, int number);
  bool Quiet() const { return events_ && events_->Quiet(); }
  static UINT ErrorTextFor(int cameraCode);

  // State, for the command rules, automation and tests.
  bool IsCameraOpen() const { return camera_.IsOpen(); }
  bool IsLive() const { return live_ != 0; }
  bool IsRecording() const { return recording_ != 0; }
  bool IsScanning() const { return scanning_ != 0; }
  bool IsSequenceAvailable() const { return sequenceAvailable_ != 0; }
  std::uint32_t FrameCount() const { return frameCount_; }
  std::uint32_t CurrentFrame() const { return currentFrame_; }
  std::uint32_t RingStart() const { return ringStart_; }
  int ZoomPercent() const { return zoomPercent_; }
  int CustomZoomPercent() const { return customZoomPercent_; }
  HMENU ContextMenu() const { return contextMenu_.get(); }
  LockedCamera Camera() { return LockedCamera(camera_, cameraLock_); }
  const wchar_t* StopEventName() const { return stopEventName_; }

  bool UpdateCommand(CCmdUI& ui) override;
  bool ExecuteCommand(UINT id) override;

  // Live worker threads of all views, for leak checks.
  static long LiveWorkerCount();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnEraseBackground(HDC dc) override;
  const wchar_t* ClassName() const override { return L"SelvarCameraView"; }

 private:
  // The worker thread and what only it uses. It runs the job of its tag while that tag is the
  // view's; stopped inside the driver, it takes the next job when it is back, or leaves.
  struct Worker {
    CCamView* view = nullptr;
    // Set by the window's thread under the camera lock, like the flag below.
    std::uint32_t tag = 0;
    bool snapOnly = false;
    // The thread runs no job again (it left its loop, or was terminated) and touches this
    // record no more.
    bool leaving = false;
    std::unique_ptr<std::uint8_t[]> image;  // where the driver delivers this worker's grabs
    std::uint32_t imageSize = 0;
    UniqueThread thread;
  };
  bool IsCurrent(const Worker& worker) const { return worker.tag == workerTag_; }
  void EndWorkerForGood();

  CameraBarSink* Bar() const;
  void ImageTail();
  void UpdateScrollSize();
  void OnDestroy();
  void OnCameraError(int code, std::uint32_t workerTag);
  void OnSnapDone(int status, std::uint32_t workerTag);
  void EndSnap();
  void AdoptCameraSettings();
  void KeepStoppedRecording(std::uint32_t recorded);
  void TakeOverRecording(std::uint32_t count, std::uint32_t ringStart);
  bool HoldsSequenceFrame(std::uint32_t slot) const;
  int GrabFrame(Worker& worker, std::uint32_t tag, bool duringRecording);
  void OnRightButtonDown(POINT point);
  int RunSave();
  // The settings a recording starts with, and their hand-over to the sequence when it is taken.
  void NoteRecordingStart();
  void TakeOverRecordingFacts();

  // Worker.
  static DWORD WINAPI WorkerEntry(void* worker);
  void RunWorker(Worker& worker);
  void RunLive(Worker& worker, std::uint32_t tag);
  static int TESSA_CALL RecordingDone(TessaContext context, int, int);

  // Commands and their enable rules.
  void OnRecord(UINT);
  void OnStop(UINT);
  void OnPlay(UINT);
  void OnTrigger(UINT);
  void OnEndAcquisition(UINT);
  void OnFirstFrame(UINT);
  void OnLastFrame(UINT);
  void OnPreviousFrame(UINT);
  void OnNextFrame(UINT);
  void OnRewind(UINT);
  void OnFastForward(UINT);
  void OnResetCamera(UINT);
  void OnShowCameraBar(UINT);
  void OnSaveSequence(UINT);
  void OnEditRoi(UINT);
  void ApplyZoom(UINT id);
  void OnZoomIn(UINT);
  void OnZoomOut(UINT);
  void OnZoomFit(UINT);
  void OnZoom100(UINT);
  void UpdateZoomIn(CCmdUI& ui);
  void UpdateZoomOut(CCmdUI& ui);
  void UpdateOpen(CCmdUI& ui);
  void ApplyZoomPercent(int zoom, UINT id);
  void UpdateRecord(CCmdUI& ui);
  void UpdatePlay(CCmdUI& ui);
  void UpdateTrigger(CCmdUI& ui);
  void UpdateBackward(CCmdUI& ui);
  void UpdateForward(CCmdUI& ui);
  void UpdateIdleCamera(CCmdUI& ui);
  void UpdateSaveSequence(CCmdUI& ui);
  void UpdateExposureStep(CCmdUI& ui);
  void UpdateShowCameraBar(CCmdUI& ui);
  bool Idle() const { return !live_ && !recording_ && !scanning_; }
  static const CommandEntry<CCamView> kCommands[];

  const TessaDriverApi& driver_;
  const PictoLibApi& images_;
  ControlPropertyRefs properties_;
  ViewEvents* events_ = nullptr;
  CCamera camera_;
  CCameraLock cameraLock_;
  std::uint64_t recordingBase_ = 0;
  CameraSettings settings_{};
  int cameraBarVisible_ = 1;
  std::uint32_t frameCount_ = 1;
  std::uint32_t currentFrame_ = 0;
  std::uint32_t ringStart_ = 0;
  // Length of the camera's recording ring for the sequence on show, fixed when it was taken over.
  std::uint32_t ringLength_ = 0;
  // Bytes of one frame of the sequence on show, as it was recorded.
  std::uint64_t sequenceFrameBytes_ = 0;
  // What the running (or last) recording was started with: the settings may change meanwhile,
  // the camera's recording does not.
  struct RecordingRun {
    std::uint32_t frames = 0;
    std::uint32_t preTrigger = 0;
    bool circular = false;
    std::uint64_t frameBytes = 0;
    RecordingFacts facts;  // for the saved files
  } run_;
  int sequenceAvailable_ = 0;
  // Read by the worker; set before it starts and cleared after it stopped.
  std::atomic<int> recording_{0};
  std::atomic<int> live_{0};
  int scanning_ = 0;
  // The one worker thread: running the current job, or left inside the driver by a stop.
  std::unique_ptr<Worker> worker_;
  std::atomic<std::uint32_t> workerTag_{0};  // changes with every job started and stopped
  UniqueEvent stopEvent_;
  wchar_t stopEventName_[64] = L"";
  int zoomPercent_ = 100;
  int customZoomPercent_ = 100;
  CDisplayBitmap display_;
  // Size of the image being shown, as last read from the camera; painting needs no camera call.
  std::uint32_t imageWidth_ = 0;
  std::uint32_t imageHeight_ = 0;
  UniqueMenu contextMenu_;
  SaveOutcome lastSave_;
  RecordingFacts sequenceFacts_;
};
