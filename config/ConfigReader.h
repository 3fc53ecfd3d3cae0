// Reads a camera's configuration file into the settings record, line by line.
#pragma once

#include <cstddef>
#include <cstdint>

#include "acquisition/CameraSettings.h"

// The longest line the reader takes at once; longer lines are read as several lines.
constexpr std::size_t kConfigLineChars = 511;

enum ConfigReadStatus : int {
  kConfigRead = 0,
  kConfigCannotOpen = 1,
  kConfigForeign = 2,  // no root start tag on the first line: nothing was taken
};

// The value of a line: the text after its first '>', cut at the last '<' of that text.
// value has room for kConfigLineChars + 1 characters; line is at most kConfigLineChars long.
void ExtractConfigValue(const char* line, char* value);

// A signed decimal as strtol reads it with a 32-bit long: leading white space skipped, stops at
// the first character that cannot continue the number, 0 when there is none, saturated beyond
// the 32-bit range.
std::int32_t ParseConfigNumber(const char* text);

// Takes at most one value from one value line into the record.
void ApplyConfigLine(const char* line, CameraSettings& settings);

// Reads the file's content over a record that already holds its defaults. The bytes are taken
// as the platform's text mode delivers them: CR LF becomes LF and a Ctrl-Z ends the file.
ConfigReadStatus ReadConfigText(const char* data, std::size_t size, CameraSettings& settings);
ConfigReadStatus ReadConfigFile(const char* path, CameraSettings& settings);
