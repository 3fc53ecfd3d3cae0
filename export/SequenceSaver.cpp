// One file per frame below type 11, one file for the whole range from 11 on. A failed read never
// lets the previous frame be written again, and a series cut short tells the library how many
// frames its multi-frame file holds (index = count = frames, no pixels), which closes it.
#include "export/SequenceSaver.h"

#include <cstring>

int WriteImage(WriteGFileCall write, const char* fileName, std::uint32_t width, std::uint32_t height,
               std::uint32_t depth, int frameIndex, std::uint32_t fileType, float rate, int frameCount,
               const void* pixels) {
  if (!write) return 1;
  ImageInfo info{};
  info.Size = sizeof info;
  info.Width = width;
  info.Height = height;
  info.PixelDepth = depth;
  info.ColorKind = depth < 24 ? 0 : 2;
  info.FrameRate = rate;
  return write(fileName, frameIndex, static_cast<int>(fileType), &info, 0, 0, pixels, frameCount);
}

SaveOutcome SaveSequence(const SaveJob& job, WriteGFileCall write, SaveSteps& steps) {
  SaveOutcome outcome;
  const bool oneFilePerFrame = job.fileType < kTypeMultipageTiff;
  char* name = outcome.file;
  if (!oneFilePerFrame && !SequenceFileName(job.folder, job.prefix, job.extension, outcome.file)) {
    outcome.result = kSaveNameTooLong;
    return outcome;
  }
  const auto writeFrame = [&](int index, int count, const void* pixels) {
    return WriteImage(write, name, job.width, job.height, job.depth, index, job.fileType, job.rate, count,
                      pixels);
  };
  // Closes a multi-frame file cut short with the frames it holds; a complete one is closed already.
  const auto endEarly = [&]() {
    const int n = static_cast<int>(outcome.framesWritten);
    return oneFilePerFrame || n == 0 || outcome.framesWritten == job.count ? 0 : writeFrame(n, n, nullptr);
  };
  const auto stop = [&]() {
    const int ended = endEarly();
    outcome.result = ended == 0 ? kSaveAborted : kSaveWriteFailed;
    outcome.status = ended;
    return outcome;
  };
  for (std::uint32_t i = 0; i < job.count; ++i) {
    if (!steps.Progress(i + 1, job.count)) return stop();
    if (oneFilePerFrame && !FrameFileName(job.folder, job.prefix, i, job.extension, outcome.file)) {
      outcome.result = kSaveNameTooLong;
      return outcome;
    }
    const std::uint32_t frame = job.step * i + job.first;
    const int read = steps.ReadFrame(frame);
    // The read is what the operator hears about; closing the file early is the library's best effort.
    if (read != 0) {
      outcome.result = kSaveReadFailed;
      outcome.status = read;
      outcome.failedFrame = frame;
      endEarly();
      return outcome;
    }
    const std::uint32_t frameInFile = oneFilePerFrame ? 0 : i;
    steps.BeforeWrite(name, frameInFile, frame);
    const int written = oneFilePerFrame ? writeFrame(0, 1, steps.Pixels())
                                        : writeFrame(static_cast<int>(i), static_cast<int>(job.count), steps.Pixels());
    // A refused frame has been closed off by the library: its file holds the frames before it.
    if (written != 0) {
      outcome.result = kSaveWriteFailed;
      outcome.status = written;
      outcome.failedFrame = frame;
      return outcome;
    }
    ++outcome.framesWritten;
    steps.Written(name, frameInFile, frame);
    if (steps.StopRequested()) return stop();
  }
  return outcome;
}
