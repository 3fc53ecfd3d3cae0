// The numeric fields of the configuration file: their tags, where they live in the settings record
// and the values the system can run with.
#pragma once

#include <cstdint>

#include "acquisition/CameraSettings.h"

constexpr const char kConfigRootStart[] = "<Kinetra-ActiveX-Control-Configuration>";
constexpr const char kConfigRootEnd[] = "</Kinetra-ActiveX-Control-Configuration>";
constexpr const char kImageNamePrefixTag[] = "<ImageNamePrefix>";
constexpr const char kImageFolderTag[] = "<ImageFolder>";

// One numeric value line. Exactly one of the two members is set; the region fields are signed.
struct ConfigNumberField {
  const char* tag;  // the opening tag; the closing tag is "</" followed by tag + 1
  std::uint32_t CameraSettings::*unsignedField;
  std::int32_t CameraSettings::*signedField;
  std::int32_t low, high;  // as the file writes the value; the camera narrows exposure and rate
};

constexpr int kConfigNumberCount = 21;

// In the order in which the reader tests them, which decides a line that carries several tags.
extern const ConfigNumberField kConfigNumbers[kConfigNumberCount];

// The value as it is written: unsigned fields as their signed 32-bit reinterpretation.
std::int32_t GetConfigNumber(const CameraSettings& settings, const ConfigNumberField& field);
void SetConfigNumber(CameraSettings& settings, const ConfigNumberField& field, std::int32_t value);

// Every numeric field the file carries, brought to a value the system can run with: one outside
// its field's range, or a file type the library does not have, becomes the field's default; a
// pre-trigger count above the frame count becomes that count.
void SanitizeConfigNumbers(CameraSettings& settings);
