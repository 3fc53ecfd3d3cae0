// Saving a range of recorded frames through the image-file library, with progress and abort.
#include <cstdio>

#include "acquisition/CCamView.h"
#include "camera/CameraNaming.h"
#include "export/CSaveProgressDlg.h"
#include "export/ProgressPace.h"
#include "export/SaveFailureMessage.h"
#include "export/SavedFrameNotes.h"
#include "export/SequenceNaming.h"
#include "export/SequenceSaver.h"
#include "platform/files/FolderText.h"
#include "platform/framework/PumpMessages.h"
#include "resources/CommandIds.h"

namespace {

// Ten bar updates and progress events a second: the bar and the pump around it would otherwise
// cost as much as writing a frame, and a host reads progress only as its latest value.
constexpr std::uint32_t kProgressIntervalMs = 100;
// The queue is looked at most this often: under Wine the look alone costs some 45 us, a tenth
// of a frame written, and Abort is still taken well within a tenth of a second.
constexpr std::uint32_t kMessageLookMs = 10;

// The saving loop's hold on the view: frames from camera memory into the frame buffer, the
// progress dialog's bar, its Abort seen once the queue is looked at after a frame, and the notes
// on each frame written.
class ViewSaveSteps : public SaveSteps {
 public:
  ViewSaveSteps(CCamView& view, CSaveProgressDlg& progress, SavedFrameNotes& notes)
      : view_(view), progress_(progress), notes_(notes),
        pace_(kProgressIntervalMs, GetTickCount64()), look_(kMessageLookMs, GetTickCount64()) {}
  // The bar's repaint lets messages through: the window may close right there.
  bool Progress(std::uint32_t position, std::uint32_t count) override {
    if (pace_.Due(position, count, GetTickCount64())) {
      progress_.SetProgress(position, count);
      if (view_.Events()) view_.Events()->SaveProgress(position - 1, count);
    }
    return view_.Handle() != nullptr;
  }
  int ReadFrame(std::uint32_t index) override { return view_.LoadFrame(index); }
  const void* Pixels() override { return view_.Camera()->FrameBuffer(); }
  // Abort, paint and commands get through after the frame under way, at the look's pace.
  bool StopRequested() override {
    if (look_.Due(GetTickCount64())) PumpWaitingMessages();
    // A window closed meanwhile (its host let the control go) ends the series as an abort does.
    return progress_.IsAborted() || !view_.Handle();
  }
  void BeforeWrite(const char* path, std::uint32_t frameInFile, std::uint32_t index) override {
    notes_.BeforeWrite(path, frameInFile, index);
  }
  void Written(const char* path, std::uint32_t frameInFile, std::uint32_t index) override {
    notes_.Written(path, frameInFile, index);
  }

 private:
  CCamView& view_;
  CSaveProgressDlg& progress_;
  SavedFrameNotes& notes_;
  ProgressPace pace_;
  ProgressPace look_;
};

}  // namespace

// What the camera is told when the recording starts is what its frames were taken with.
void CCamView::NoteRecordingStart() {
  RecordingFacts& f = run_.facts;
  f = RecordingFacts{};
  NameCamera(Camera()->GetModelCode(), static_cast<int>(Camera()->GetModelVariant()), f.camera,
             sizeof f.camera, 0);
  f.serial = Camera()->GetCameraSerial();
  f.exposureUs = settings_.Exposure;
  f.rate = settings_.Rate;
  f.pixelDepth = settings_.PixelDepth;
  f.roiX0 = settings_.RoiX0;
  f.roiY0 = settings_.RoiY0;
  f.roiWidth = settings_.RoiWidth;
  f.roiHeight = settings_.RoiHeight;
  f.recordMode = settings_.RecordMode;
  f.preTriggerFrames = settings_.AcquisitionPreTriggerFrames;
}

void CCamView::TakeOverRecordingFacts() {
  sequenceFacts_ = run_.facts;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::snprintf(sequenceFacts_.ended, sizeof sequenceFacts_.ended,
                "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
}

int CCamView::SaveImageSequence() {
  const int result = RunSave();
  if (events_) {
    if (result != kSaveDone && result != kSaveAborted) {
      events_->Error(kErrorSaveBase + result,
                     SaveFailureText(lastSave_, settings_.ImageFolder).c_str());
    }
    events_->SaveEnded(result, lastSave_.framesWritten);
  }
  return result;
}

int CCamView::RunSave() {
  lastSave_ = SaveOutcome{};
  if (!sequenceAvailable_) return lastSave_.result = kSaveNoSequence;
  CSaveProgressDlg progress(Handle(), IDS_SAVING_FRAMES);
  std::uint32_t width = 0, height = 0, depth = 0;
  Camera()->GetRoiFormat(&width, &height, &depth);
  // A step of 0 or a last frame before the first is refused before anything is divided or written.
  std::uint32_t count = 0;
  if (!SavedFrameCount(settings_.SaveFirst, settings_.SaveLast, settings_.SaveStep, count)) {
    return lastSave_.result = kSaveRefused;
  }
  RemoveTrailingBackslash(settings_.ImageFolder);
  char extension[8] = "";
  if (images_.GetExtFromGFileType) {
    images_.GetExtFromGFileType(static_cast<int>(settings_.FileType), extension);
  }
  extension[7] = '\0';
  if (!progress.Create(true)) return lastSave_.result = kSaveRefused;
  progress.SetProgressText(IDS_SAVING_FRAMES, static_cast<int>(settings_.SaveFirst + 1),
                           static_cast<int>(settings_.SaveLast + 1));
  progress.SetProgress(0, count);

  const SaveJob job{settings_.ImageFolder, settings_.ImageNamePrefix, extension,
                    settings_.FileType, settings_.SaveFirst, settings_.SaveStep, count,
                    static_cast<float>(settings_.OutputRate), width, height, depth};
  SavedFrameNotes notes(sequenceFacts_, job, images_.SetGFileText);
  if (properties_.frameLog && *properties_.frameLog != 0) notes.StartLog();
  ViewSaveSteps steps(*this, progress, notes);
  lastSave_ = SaveSequence(job, images_.WriteGFile, steps);
  notes.Finish(lastSave_);
  return lastSave_.result;
}
