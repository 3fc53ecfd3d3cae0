// One file being written: its encoder, its temporary file, and the frame index it expects next.
#pragma once

#include "platform/pictolib/FrameWriter.h"

#include <memory>
#include <string>

class WriteSession {
 public:
  WriteSession(std::string target, int type, const SequenceParams& params);
  // Removes the temporary file unless the session completed.
  ~WriteSession();
  WriteSession(const WriteSession&) = delete;
  WriteSession& operator=(const WriteSession&) = delete;

  int Open();
  // Writes the next frame; after the last one the file is completed and moved to its name.
  int AddFrame(const std::uint8_t* pixels);
  bool Complete() const { return complete_; }
  // Whether a later call with these values continues this session.
  bool Continues(int type, const FrameLayout& layout, std::uint32_t index, std::uint32_t count) const;

 private:
  std::string target_, temp_;
  int type_;
  SequenceParams params_;
  OutputFile out_;
  std::unique_ptr<FrameWriter> writer_;
  std::uint32_t next_ = 0;
  bool complete_ = false;
};
