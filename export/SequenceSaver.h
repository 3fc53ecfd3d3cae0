// The saving loop: each chosen frame is read and handed to the image-file library. The first
// failure, or a stop request, ends the series; a multi-frame file is then closed holding the
// frames it got, so nothing already written is lost.
#pragma once

#include <cstdint>

#include "export/SequenceNaming.h"
#include "platform/pictolib/PictoTypes.h"

enum SaveResult : int {
  kSaveDone = 0,
  kSaveRefused = 1,       // a step of 0, a last frame before the first, or no progress dialog
  kSaveAborted = 2,       // stopped on request; every frame written so far is in its file
  kSaveWriteFailed = 3,   // the library refused a frame (or closing the file); the series stopped there
  kSaveNameTooLong = 4,   // a file name would not fit
  kSaveReadFailed = 5,    // a frame could not be read from the camera; the series stopped before it
  kSaveNoSequence = 6,    // nothing has been recorded to save
};

using WriteGFileCall = int(PICTO_CALL*)(const char* fileName, int frameIndex, int type, const ImageInfo* info,
                                        int, int, const void* pixels, int frameCount);

// One series: the files, the frames and the geometry every frame is written with.
struct SaveJob {
  const char* folder;
  const char* prefix;
  const char* extension;
  std::uint32_t fileType;
  std::uint32_t first, step, count;
  float rate;
  std::uint32_t width, height, depth;
};

// What the loop asks of its owner.
class SaveSteps {
 public:
  virtual ~SaveSteps() = default;
  // Before the frame at position (from 1) of count; false when the owner is gone meanwhile (its
  // window closed while progress was shown), which ends the series as a stop request does.
  virtual bool Progress(std::uint32_t position, std::uint32_t count) = 0;
  // Reads recorded frame index into the buffer Pixels() gives; 0 or the camera's status.
  virtual int ReadFrame(std::uint32_t index) = 0;
  virtual const void* Pixels() = 0;
  // After each frame, with pending messages let through: true ends the series.
  virtual bool StopRequested() = 0;
  // Around the write of recorded frame index as frame frameInFile of the file at path: before it
  // (what the owner wants the library to know about it), and once it is there.
  virtual void BeforeWrite(const char* /*path*/, std::uint32_t /*frameInFile*/, std::uint32_t /*index*/) {}
  virtual void Written(const char* /*path*/, std::uint32_t /*frameInFile*/, std::uint32_t /*index*/) {}
};

// How a series ended, with what the operator needs to be told about a failure.
struct SaveOutcome {
  int result = kSaveDone;
  int status = 0;                     // the library's or the camera's status at the failure
  std::uint32_t framesWritten = 0;    // frames of the series now in files
  std::uint32_t failedFrame = 0;      // recorded frame index that failed
  char file[kMaxFileNameChars + 1] = "";  // the file that failed, or the last one written
};

SaveOutcome SaveSequence(const SaveJob& job, WriteGFileCall write, SaveSteps& steps);

// Fills the library's image record and writes one frame; the library's status, 1 without it.
int WriteImage(WriteGFileCall write, const char* fileName, std::uint32_t width, std::uint32_t height,
               std::uint32_t depth, int frameIndex, std::uint32_t fileType, float rate, int frameCount,
               const void* pixels);
