// Tag table of the configuration file's numeric values.
#include "config/ConfigFields.h"

namespace {
constexpr ConfigNumberField Unsigned(const char* tag, std::uint32_t CameraSettings::*field) {
  return {tag, field, nullptr};
}
constexpr ConfigNumberField Signed(const char* tag, std::int32_t CameraSettings::*field) {
  return {tag, nullptr, field};
}
}  // namespace

const ConfigNumberField kConfigNumbers[kConfigNumberCount] = {
    Unsigned("<Exposure>", &CameraSettings::Exposure),
    Unsigned("<ExpMode>", &CameraSettings::ExpMode),
    Unsigned("<Rate>", &CameraSettings::Rate),
    Unsigned("<OutputRate>", &CameraSettings::OutputRate),
    Unsigned("<Gain>", &CameraSettings::Gain),
    Unsigned("<RecordMode>", &CameraSettings::RecordMode),
    Unsigned("<SyncInCfg>", &CameraSettings::SyncInCfg),
    Unsigned("<TriggerInCfg>", &CameraSettings::TriggerInCfg),
    Signed("<ROI-X0>", &CameraSettings::RoiX0),
    Signed("<ROI-Y0>", &CameraSettings::RoiY0),
    Signed("<ROI-Width>", &CameraSettings::RoiWidth),
    Signed("<ROI-Height>", &CameraSettings::RoiHeight),
    Unsigned("<LiveTimeOut>", &CameraSettings::LiveTimeOut),
    Unsigned("<AcquisitionFrames>", &CameraSettings::AcquisitionFrames),
    Unsigned("<AcquisitionPreTriggerFrames>", &CameraSettings::AcquisitionPreTriggerFrames),
    Unsigned("<FileType>", &CameraSettings::FileType),
    Unsigned("<LWR>", &CameraSettings::LWR),
    Unsigned("<CodecAVI>", &CameraSettings::CodecAVI),
    Unsigned("<CodecAVIQual>", &CameraSettings::CodecAVIQual),
    Unsigned("<CodecMOV>", &CameraSettings::CodecMOV),
    Unsigned("<CodecJPGQual>", &CameraSettings::CodecJPGQual),
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
