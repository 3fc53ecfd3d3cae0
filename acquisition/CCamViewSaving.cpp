// Saving a range of recorded frames through the image-file library, with progress and abort.
#include "acquisition/CCamView.h"
#include "export/CSaveProgressDlg.h"
#include "export/ProgressPace.h"
#include "export/SequenceNaming.h"
#include "export/SequenceSaver.h"
#include "platform/files/FolderText.h"
#include "platform/framework/PumpMessages.h"
#include "resources/CommandIds.h"

namespace {

// Ten bar updates a second: the bar and the pump around it would otherwise cost as much as
// writing a frame.
constexpr std::uint32_t kProgressIntervalMs = 100;

// The saving loop's hold on the view: frames from camera memory into the frame buffer, the
// progress dialog's bar, and its Abort seen after the messages of each frame.
class ViewSaveSteps : public SaveSteps {
 public:
  ViewSaveSteps(CCamView& view, CSaveProgressDlg& progress)
      : view_(view), progress_(progress), pace_(kProgressIntervalMs, GetTickCount64()) {}
  // The bar's repaint lets messages through: the window may close right there.
  bool Progress(std::uint32_t position, std::uint32_t count) override {
    if (pace_.Due(position, count, GetTickCount64())) progress_.SetProgress(position, count);
    return view_.Handle() != nullptr;
  }
  int ReadFrame(std::uint32_t index) override { return view_.LoadFrame(index); }
  const void* Pixels() override { return view_.Camera()->FrameBuffer(); }
  // Abort, paint and commands get through after every frame in which any arrived.
  bool StopRequested() override {
    PumpWaitingMessages();
    // A window closed meanwhile (its host let the control go) ends the series as an abort does.
    return progress_.IsAborted() || !view_.Handle();
  }

 private:
  CCamView& view_;
  CSaveProgressDlg& progress_;
  ProgressPace pace_;
};

}  // namespace

int CCamView::SaveImageSequence() {
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

  const SaveJob job{settings_.ImageFolder, settings_.ImageNamePrefix, extension, settings_.FileType,
                    settings_.SaveFirst, settings_.SaveStep, count, static_cast<float>(settings_.OutputRate),
                    width, height, depth};
  ViewSaveSteps steps(*this, progress);
  lastSave_ = SaveSequence(job, images_.WriteGFile, steps);
  return lastSave_.result;
}
