// What a save records about its frames: the texts the image-file library puts into the files,
// and, when asked for, the frame log beside them.
#pragma once

#include <cstdint>

#include "export/FrameLog.h"
#include "export/RecordingFacts.h"
#include "export/SequenceSaver.h"

// PictoLib's SetGFileText: texts for the next frame written under a file name.
using SetGFileTextCall = int(PICTO_CALL*)(const char* fileName, const char* description, const char* dateTime);

class SavedFrameNotes {
 public:
  // Without setText (an older library) the files carry nothing; the log does not depend on it.
  SavedFrameNotes(const RecordingFacts& facts, const SaveJob& job, SetGFileTextCall setText)
      : facts_(facts), job_(job), setText_(setText) {}

  // Starts the frame log "<folder>\<prefix>.csv"; false when it cannot be created.
  bool StartLog();
  void BeforeWrite(const char* path, std::uint32_t frameInFile, std::uint32_t index);
  void Written(const char* path, std::uint32_t frameInFile, std::uint32_t index);
  // Puts the log in place. A log that failed turns a finished save into a failed one naming it:
  // the operator must not believe in a log that is not there.
  void Finish(SaveOutcome& outcome);

 private:
  const RecordingFacts& facts_;
  const SaveJob& job_;
  SetGFileTextCall setText_;
  FrameLog log_;
  bool logWanted_ = false;
  char logName_[kMaxFileNameChars + 1] = "";
};
