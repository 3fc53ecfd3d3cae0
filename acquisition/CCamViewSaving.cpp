// Saving a range of recorded frames through the image-file library, with progress and abort.
#include "acquisition/CCamView.h"
#include "export/CSaveProgressDlg.h"
#include "export/SequenceNaming.h"
#include "platform/files/FolderText.h"
#include "platform/framework/PumpMessages.h"
#include "resources/CommandIds.h"

namespace {

constexpr std::uint32_t kFirstMultiFrameType = 11;

}  // namespace

int CCamView::WriteImage(const char* fileName, std::uint32_t width, std::uint32_t height,
                         std::uint32_t depth, int frameIndex, std::uint32_t fileType, float rate,
                         int frameCount, const void* pixels) {
  if (!images_.WriteGFile) return 1;
  ImageInfo info{};
  info.Size = sizeof info;
  info.Width = width;
  info.Height = height;
  info.PixelDepth = depth;
  info.ColorKind = depth < 24 ? 0 : 2;
  info.FrameRate = rate;
  return images_.WriteGFile(fileName, frameIndex, static_cast<int>(fileType), &info, 0, 0, pixels,
                            frameCount);
}

int CCamView::SaveImageSequence() {
  CSaveProgressDlg progress(Handle(), IDS_SAVING_FRAMES);
  std::uint32_t width = 0, height = 0, depth = 0;
  Camera()->GetRoiFormat(&width, &height, &depth);
  // A step of 0 or a last frame before the first is refused before anything is divided or written.
  std::uint32_t count = 0;
  if (!SavedFrameCount(settings_.SaveFirst, settings_.SaveLast, settings_.SaveStep, count)) {
    return kSaveRefused;
  }
  RemoveTrailingBackslash(settings_.ImageFolder);
  char extension[8] = "";
  if (images_.GetExtFromGFileType) {
    images_.GetExtFromGFileType(static_cast<int>(settings_.FileType), extension);
  }
  extension[7] = '\0';
  if (!progress.Create(true)) return kSaveRefused;
  progress.SetProgressText(IDS_SAVING_FRAMES, static_cast<int>(settings_.SaveFirst + 1),
                           static_cast<int>(settings_.SaveLast + 1));
  progress.SetProgress(0, count);

  const bool oneFilePerFrame = settings_.FileType < kFirstMultiFrameType;
  const float rate = static_cast<float>(settings_.OutputRate);
  char name[kMaxFileNameChars + 1];
  if (!oneFilePerFrame &&
      !SequenceFileName(settings_.ImageFolder, settings_.ImageNamePrefix, extension, name)) {
    return kSaveNameTooLong;
  }
  int failures = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    progress.SetProgress(i + 1, count);
    if (oneFilePerFrame &&
        !FrameFileName(settings_.ImageFolder, settings_.ImageNamePrefix, i, extension, name)) {
      return kSaveNameTooLong;
    }
    LoadFrame(settings_.SaveStep * i + settings_.SaveFirst);
    const int status = oneFilePerFrame
        ? WriteImage(name, width, height, depth, 0, settings_.FileType, rate, 1,
                     camera_.FrameBuffer())
        : WriteImage(name, width, height, depth, static_cast<int>(i), settings_.FileType, rate,
                     static_cast<int>(count), camera_.FrameBuffer());
    if (status != 0) ++failures;
    PumpMessages();
    // A window closed meanwhile (its host let the control go) ends the loop as an abort does.
    if (progress.IsAborted() || !Handle()) return kSaveAborted;
  }
  return failures ? kSaveWriteFailed : kSaveDone;
}
