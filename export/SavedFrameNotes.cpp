// Single images and multipage TIFF pages each describe their own frame; the other files of many
// frames have one description, given with their first frame: where the range starts and its step.
#include "export/SavedFrameNotes.h"

#include <cstdio>

bool SavedFrameNotes::StartLog() {
  logWanted_ = true;
  return SequenceFileName(job_.folder, job_.prefix, "csv", logName_) && log_.Open(logName_);
}

void SavedFrameNotes::BeforeWrite(const char* path, std::uint32_t frameInFile, std::uint32_t index) {
  if (!setText_) return;
  if (job_.fileType <= kTypeMultipageTiff) {
    setText_(path, DescribeFrame(facts_, index).c_str(), facts_.ended);
  } else if (frameInFile == 0) {
    setText_(path, DescribeFrames(facts_, index, job_.step).c_str(), facts_.ended);
  }
}

void SavedFrameNotes::Written(const char* path, std::uint32_t frameInFile, std::uint32_t index) {
  log_.Add(path, frameInFile, index, facts_);
}

void SavedFrameNotes::Finish(SaveOutcome& outcome) {
  if (!logWanted_) return;
  const bool opened = log_.IsOpen();
  if ((log_.Close() && opened) || outcome.result != kSaveDone) return;
  outcome.result = kSaveWriteFailed;
  outcome.status = opened ? kPictoWriteFailed : kPictoOpenFailed;
  std::snprintf(outcome.file, sizeof outcome.file, "%s", logName_);
}
