// The view's operator dialogs: Save Sequence with its report of a failed save, and Edit Camera ROI.
#include <cstdio>
#include <cwchar>

#include "acquisition/CCamView.h"
#include "export/CSaveSequenceDlg.h"
#include "export/SequenceNaming.h"
#include "resources/CommandIds.h"
#include "resources/SaveSequenceResources.h"
#include "ui/CRoiDlg.h"

namespace {

constexpr std::uint32_t kFirstMultiFrameType = 11;

bool FileExists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

// The file a failed save names: the one file of a multi-frame type; for one file per frame the
// first of the series that is missing (the one whose write failed), else the series' first.
void FailedFileName(const CameraSettings& s, const char* extension,
                    char (&name)[kMaxFileNameChars + 1]) {
  name[0] = '\0';
  if (s.FileType >= kFirstMultiFrameType) {
    SequenceFileName(s.ImageFolder, s.ImageNamePrefix, extension, name);
    return;
  }
  std::uint32_t count = 0;
  if (!SavedFrameCount(s.SaveFirst, s.SaveLast, s.SaveStep, count)) return;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (FrameFileName(s.ImageFolder, s.ImageNamePrefix, i, extension, name) && !FileExists(name)) {
      return;
    }
  }
  FrameFileName(s.ImageFolder, s.ImageNamePrefix, 0, extension, name);
}

}  // namespace

void CCamView::OnSaveSequence(UINT) {
  std::uint32_t width = 0, height = 0, depth = 0;
  Camera()->GetRoiFormat(&width, &height, &depth);
  settings_.PixelDepth = depth;
  settings_.SaveFirst = 0;
  // A frame count of 0 gives the range of frame 0, not one that wraps to the last number.
  settings_.SaveLast = settings_.AcquisitionFrames ? settings_.AcquisitionFrames - 1 : 0;
  settings_.SaveStep = 1;
  CSaveSequenceDlg dialog(settings_, images_, Handle());
  if (dialog.DoModal() != IDOK) return;
  settings_ = dialog.Settings();
  const int result = SaveImageSequence();
  if (result != kSaveDone && result != kSaveAborted) ReportSaveFailure(result);
}

void CCamView::ReportSaveFailure(int result) {
  wchar_t title[128] = L"", format[256] = L"", text[600] = L"";
  LoadStringW(FrameworkInstance(), IDS_CAMERA_TITLE, title, 128);
  char extension[8] = "";
  if (images_.GetExtFromGFileType) {
    images_.GetExtFromGFileType(static_cast<int>(settings_.FileType), extension);
  }
  extension[7] = '\0';
  char name[kMaxFileNameChars + 1] = "";
  UINT textId = IDS_SAVE_NO_FRAMES;
  if (result == kSaveNameTooLong) {
    textId = IDS_SAVE_NAME_TOO_LONG;
    std::snprintf(name, sizeof name, "%s", settings_.ImageFolder);
  } else if (result != kSaveRefused) {
    textId = IDS_SAVE_WRITE_FAILED;
    FailedFileName(settings_, extension, name);
  }
  LoadStringW(FrameworkInstance(), textId, format, 256);
  wchar_t wideName[kMaxFileNameChars + 1] = L"";
  MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, kMaxFileNameChars + 1);
  wideName[kMaxFileNameChars] = L'\0';
  std::swprintf(text, 600, format, wideName);
  MessageBoxW(Handle(), text, title, MB_ICONERROR | MB_OK);
}

void CCamView::OnEditRoi(UINT) {
  std::uint32_t width = 0, height = 0, depth = 0;
  Camera()->GetRoiFormat(&width, &height, &depth);
  std::int32_t region[kRoiValues] = {settings_.RoiX0, settings_.RoiY0, settings_.RoiWidth,
                                     settings_.RoiHeight,
                                     static_cast<std::int32_t>(settings_.SensorWidth),
                                     static_cast<std::int32_t>(settings_.SensorHeight)};
  CRoiDlg dialog(Handle());
  RoiFrame frame;
  frame.width = width;
  frame.height = height;
  {
    const LockedCamera camera = Camera();
    frame.pixels = camera->FrameBuffer();
    frame.bytes = camera->FrameBufferSize();
    dialog.SetImage(region, depth, frame);
  }
  if (dialog.DoModal() != IDOK) return;
  dialog.GetRegion(region);
  settings_.RoiX0 = region[0];
  settings_.RoiY0 = region[1];
  settings_.RoiWidth = region[2];
  settings_.RoiHeight = region[3];
  settings_.SensorWidth = static_cast<std::uint32_t>(region[4]);
  settings_.SensorHeight = static_cast<std::uint32_t>(region[5]);
  ApplyCameraSetting(2);
}
