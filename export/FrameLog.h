// The frame log of a save: one CSV row per frame written, in a file beside the saved files.
#pragma once

#include <cstdint>
#include <string>

#include "config/UniqueCFile.h"
#include "export/RecordingFacts.h"

class FrameLog {
 public:
  FrameLog() = default;
  // A log not closed is put in place with the rows it has.
  ~FrameLog() { Close(); }
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  // Starts the log that takes target's place when it is closed; false when it cannot be created.
  bool Open(const char* target);
  bool IsOpen() const { return file_ != nullptr; }
  // The frame of recorded index that is now frame frameInFile of the file at path.
  void Add(const char* path, std::uint32_t frameInFile, std::uint32_t index, const RecordingFacts& facts);
  // Puts the log in place of its target; false, and the target as it was, when any row or the
  // replacement failed.
  bool Close();

 private:
  UniqueCFile file_;
  std::string target_, temp_;
  bool failed_ = false;
};
