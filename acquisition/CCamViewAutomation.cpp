// What the control's automation asks of the view: the control's camera-choice properties,
// setting changes keyed by camera-bar control id, saving by given texts, and copying frames out.
#include <cstdint>
#include <cstring>

#include "acquisition/CCamView.h"
#include "camera/CameraIds.h"
#include "export/SaveText.h"
#include "platform/pictolib/PictoTypes.h"
#include "resources/WorkstationResources.h"

namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWritable =
    PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// Bytes from address on that are committed with one of these protections, up to wanted: memory
// handed over by address is never touched where it is not there.
std::size_t AccessibleBytes(const void* address, std::size_t wanted, DWORD protections) {
  const auto* start = static_cast<const std::uint8_t*>(address);
  std::size_t accessible = 0;
  while (accessible < wanted) {
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(start + accessible, &region, sizeof region) || region.State != MEM_COMMIT ||
        (region.Protect & PAGE_GUARD) || !(region.Protect & protections)) {
      break;
    }
    accessible = static_cast<const std::uint8_t*>(region.BaseAddress) + region.RegionSize - start;
  }
  return accessible < wanted ? accessible : wanted;
}

std::size_t ReadableBytes(const void* address, std::size_t wanted) {
  return AccessibleBytes(address, wanted, kReadable);
}

}  // namespace

void CCamView::SetControlProperties(const ControlPropertyRefs& properties) {
  properties_ = properties;
}

void CCamView::ApplySettingById(UINT controlId, std::uint32_t value) {
  struct Row {
    UINT controlId;
    std::uint32_t CameraSettings::*field;
    int cameraSetting;  // -1: the record only
  };
  static const Row kRows[] = {
      {IDC_GAIN, &CameraSettings::Gain, kSetGain},
      {IDC_RECORD_MODE, &CameraSettings::RecordMode, kSetRecordMode},
      {IDC_SYNC_IN, &CameraSettings::SyncInCfg, kSetSyncIn},
      {IDC_TRIGGER_IN, &CameraSettings::TriggerInCfg, kSetTriggerIn},
      {IDC_FRAMES, &CameraSettings::AcquisitionFrames, -1},
      {IDC_PRE_TRIGGER, &CameraSettings::AcquisitionPreTriggerFrames, -1},
  };
  for (const Row& row : kRows) {
    if (row.controlId != controlId) continue;
    settings_.*row.field = value;
    if (row.cameraSetting >= 0) {
      Camera()->SetSetting(row.cameraSetting, value);
      CommitSettings();
    }
    if (CameraBarSink* bar = Bar()) {
      bar->SetControlValue(static_cast<int>(controlId), static_cast<int>(value));
    }
    return;
  }
}

int CCamView::SaveImageSequenceFor(const void* folder, const void* prefix, int fileTypeCode,
                                   std::uint32_t first, std::uint32_t last, std::uint32_t step) {
  // Both texts are read whole before anything changes: a text that is not all there, does not
  // fit its field, or an empty folder (which would put the files at the drive's root) is refused.
  // A caller writes both texts of a call alike, and a folder (a path, never one character) shows
  // how: a one-character prefix is read as the folder was, never from behind its own end.
  char folderText[kImageFolderChars + 1];
  char prefixText[kImageNamePrefixChars + 1];
  TextEncoding encoding = TextEncoding::kUnknown;
  if (SaveTextFromAddress(folder, ReadableBytes(folder, 2 * (kImageFolderChars + 1)), folderText,
                          kImageFolderChars, encoding) != kSaveTextRead ||
      SaveTextFromAddress(prefix, ReadableBytes(prefix, 2 * (kImageNamePrefixChars + 1)),
                          prefixText, kImageNamePrefixChars, encoding) != kSaveTextRead ||
      folderText[0] == '\0') {
    lastSave_ = SaveOutcome{};
    return lastSave_.result = kSaveRefused;
  }
  const CameraSettings kept = settings_;
  SetSettingText(settings_.ImageFolder, folderText, std::strlen(folderText));
  SetSettingText(settings_.ImageNamePrefix, prefixText, std::strlen(prefixText));
  switch (fileTypeCode) {
    case 1: settings_.FileType = kTypeBmp; break;
    case 2: settings_.FileType = kTypeJpeg; break;
    case 3: settings_.FileType = kTypePnmStream; break;
    default: settings_.FileType = kTypeTiff; break;
  }
  settings_.SaveFirst = first;
  settings_.SaveLast = last;
  settings_.SaveStep = step;
  const int result = SaveImageSequence();
  std::memcpy(settings_.ImageFolder, kept.ImageFolder, sizeof settings_.ImageFolder);
  std::memcpy(settings_.ImageNamePrefix, kept.ImageNamePrefix, sizeof settings_.ImageNamePrefix);
  settings_.FileType = kept.FileType;
  settings_.SaveFirst = kept.SaveFirst;
  settings_.SaveLast = kept.SaveLast;
  settings_.SaveStep = kept.SaveStep;
  return result;
}

// A raw slot belongs to the sequence when it lies within the sequence's frames counted from the
// ring start; during a recording the ring is being rewritten and holds no sequence.
bool CCamView::HoldsSequenceFrame(std::uint32_t slot) const {
  if (!sequenceAvailable_ || recording_ || slot >= ringLength_) return false;
  const std::uint32_t fromStart =
      slot >= ringStart_ ? slot - ringStart_ : slot + ringLength_ - ringStart_;
  return fromStart < frameCount_;
}

int CCamView::CopyFrames(int count, int firstIndex, std::uint8_t* out) {
  if (count <= 0) return kDrvOk;
  const std::uint64_t frameBytes = Camera()->GetFrameBytes();
  // The camera delivers frames as they were recorded; a region changed since would make them
  // another size than the caller was told and allowed for.
  if (frameBytes == 0 || frameBytes != sequenceFrameBytes_ || !camera_.FrameBuffer()) {
    return kCamOutOfRange;
  }
  const std::uint64_t total = static_cast<std::uint64_t>(count) * frameBytes;
  if (total > SIZE_MAX ||
      AccessibleBytes(out, static_cast<std::size_t>(total), kWritable) != total) {
    return kCamBadTarget;
  }
  // Each frame is read straight into its place in the caller's buffer: one copy fewer per frame
  // than reading through the frame buffer.
  std::uint8_t* last = nullptr;
  int status = kDrvOk;
  for (int i = 0; i < count && status == kDrvOk; ++i) {
    const std::int64_t slot = std::int64_t{firstIndex} + i;
    std::uint8_t* target = out + static_cast<std::uint64_t>(i) * frameBytes;
    if (slot < 0 || !HoldsSequenceFrame(static_cast<std::uint32_t>(slot))) {
      status = kCamOutOfRange;
    } else {
      status = Camera()->ReadFrameInto(static_cast<std::uint32_t>(recordingBase_),
                                       static_cast<std::uint32_t>(recordingBase_ >> 32),
                                       static_cast<int>(slot), target);
      if (status == kDrvOk) last = target;
    }
  }
  // The frame buffer ends holding the last frame read, as if each had passed through it; never
  // more than it holds.
  if (last) {
    const std::uint64_t kept =
        frameBytes < camera_.FrameBufferSize() ? frameBytes : camera_.FrameBufferSize();
    CCameraGuard guard(cameraLock_);
    std::memcpy(camera_.FrameBuffer(), last, static_cast<std::size_t>(kept));
  }
  return status;
}
