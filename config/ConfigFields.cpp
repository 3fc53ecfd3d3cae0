// Tag table of the configuration file's numeric values, with their valid ranges.
#include "config/ConfigFields.h"

#include <limits>

#include "platform/pictolib/PictoTypes.h"

namespace {
constexpr std::int32_t kAny = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kAnyLow = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kFullQuality = 10000;

constexpr ConfigNumberField Unsigned(const char* tag, std::uint32_t CameraSettings::*field,
                                     std::int32_t low, std::int32_t high) {
  return {tag, field, nullptr, low, high};
}
constexpr ConfigNumberField Signed(const char* tag, std::int32_t CameraSettings::*field) {
  return {tag, nullptr, field, 0, kAny};
}

// The types the save dialog offers, and the Netpbm stream that automation saves.
bool IsSavedFileType(std::uint32_t type) {
  static const std::uint32_t kTypes[] = {
      kTypeTiff,         kTypeBmp,       kTypeJpeg,  kTypePng,  kTypeMultipageTiff,
      kTypeMultipageRaw, kTypePnmStream, kTypeCompressedSequence, kTypeAvi,  kTypeMov};
  for (const std::uint32_t known : kTypes) {
    if (known == type) return true;
  }
  return false;
}
}  // namespace

const ConfigNumberField kConfigNumbers[kConfigNumberCount] = {
    Unsigned("<Exposure>", &CameraSettings::Exposure, 1, kAny),
    Unsigned("<ExpMode>", &CameraSettings::ExpMode, 0, 1),
    Unsigned("<Rate>", &CameraSettings::Rate, 1, kAny),
    Unsigned("<OutputRate>", &CameraSettings::OutputRate, 1, kAny),
    Unsigned("<Gain>", &CameraSettings::Gain, 0, 3),
    Unsigned("<RecordMode>", &CameraSettings::RecordMode, 0, 1),
    Unsigned("<SyncInCfg>", &CameraSettings::SyncInCfg, 0, 4),
    Unsigned("<TriggerInCfg>", &CameraSettings::TriggerInCfg, 0, 2),
    Signed("<ROI-X0>", &CameraSettings::RoiX0),
    Signed("<ROI-Y0>", &CameraSettings::RoiY0),
    Signed("<ROI-Width>", &CameraSettings::RoiWidth),
    Signed("<ROI-Height>", &CameraSettings::RoiHeight),
    Unsigned("<LiveTimeOut>", &CameraSettings::LiveTimeOut, 1, kAny),
    Unsigned("<AcquisitionFrames>", &CameraSettings::AcquisitionFrames, 1, kAny),
    Unsigned("<AcquisitionPreTriggerFrames>", &CameraSettings::AcquisitionPreTriggerFrames, 0, kAny),
    Unsigned("<FileType>", &CameraSettings::FileType, kAnyLow, kAny),  // one of the saved types
    Unsigned("<LWR>", &CameraSettings::LWR, 0, 1),
    Unsigned("<CodecAVI>", &CameraSettings::CodecAVI, kAnyLow, kAny),  // the library's codec ids
    Unsigned("<CodecAVIQual>", &CameraSettings::CodecAVIQual, 0, kFullQuality),
    Unsigned("<CodecMOV>", &CameraSettings::CodecMOV, kAnyLow, kAny),
    Unsigned("<CodecJPGQual>", &CameraSettings::CodecJPGQual, 0, kFullQuality),
};

std::int32_t GetConfigNumber(const CameraSettings& settings, const ConfigNumberField& field) {
  if (field.signedField) return settings.*field.signedField;
  return static_cast<std::int32_t>(settings.*field.unsignedField);
}

void SetConfigNumber(CameraSettings& settings, const ConfigNumberField& field, std::int32_t value) {
  if (field.signedField) {
    settings.*field.signedField = value;
  } else {
    settings.*field.unsignedField = static_cast<std::uint32_t>(value);
  }
}

void SanitizeConfigNumbers(CameraSettings& settings) {
  CameraSettings defaults;
  SetDefaultSettings(defaults);
  for (const ConfigNumberField& field : kConfigNumbers) {
    const std::int32_t value = GetConfigNumber(settings, field);
    if (value < field.low || value > field.high) {
      SetConfigNumber(settings, field, GetConfigNumber(defaults, field));
    }
  }
  if (!IsSavedFileType(settings.FileType)) settings.FileType = defaults.FileType;
  if (settings.AcquisitionPreTriggerFrames > settings.AcquisitionFrames) {
    settings.AcquisitionPreTriggerFrames = settings.AcquisitionFrames;
  }
}
