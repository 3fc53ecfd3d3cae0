// One file being written: its encoder, its temporary file, and the frame index it expects next.
#pragma once

#include "platform/pictolib/FrameWriter.h"

#include <memory>
#include <string>
#include <vector>

class WriteSession {
 public:
  WriteSession(std::string target, int type, const SequenceParams& params);
  // A session cut short is closed with the frames it holds; one without frames leaves nothing.
  ~WriteSession();
  WriteSession(const WriteSession&) = delete;
  WriteSession& operator=(const WriteSession&) = delete;

  int Open();
  // Writes the next frame; after the last one the file is completed and moved to its name.
  // A frame that fails is cut off and the file closed with the frames before it.
  int AddFrame(const std::uint8_t* pixels, const FrameText& text);
  // Closes the file as one of the frames written so far.
  int End();
  bool Complete() const { return complete_; }
  std::uint32_t FramesWritten() const { return std::uint32_t(frameEnds_.size()); }
  // Whether a request to end the file after frames frames fits this session.
  bool EndsAt(int type, std::uint32_t frames) const { return !closed_ && type == type_ && frames == FramesWritten(); }
  // Whether a later call with these values continues this session.
  bool Continues(int type, const FrameLayout& layout, std::uint32_t index, std::uint32_t count) const;

 private:
  int Close(std::uint32_t frames);
  // Completes the file with as many of its frames as the disk leaves room for; returns failure.
  int Salvage(int failure);

  std::string target_, temp_;
  int type_;
  SequenceParams params_;
  OutputFile out_;
  std::unique_ptr<FrameWriter> writer_;
  // File size after each complete frame: where the file is cut back to when closing it early.
  std::vector<std::uint64_t> frameEnds_;
  bool complete_ = false;
  bool closed_ = false;
};
