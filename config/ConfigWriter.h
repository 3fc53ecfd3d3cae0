// Writes a camera's configuration file from the settings record, replacing the old one only when complete.
#pragma once

#include <cstddef>
#include <cstdio>

#include "acquisition/CameraSettings.h"

// Big enough for the root lines and 23 value lines with full-length texts, and for that text
// with every line end widened to CR LF.
constexpr std::size_t kConfigTextChars = 4096;
constexpr std::size_t kConfigFileBytes = 2 * kConfigTextChars;

enum ConfigWriteStatus : int {
  kConfigWritten = 0,
  kConfigCannotCreate = 1,  // the temporary could not be created; nothing changed
  kConfigWriteFailed = 2,   // writing or flushing failed; the temporary is gone, the old file kept
  kConfigReplaceFailed = 3, // the finished file could not take the old one's place; old file kept
};

// The file's text as the program formats it, with '\n' line ends; returns its length.
std::size_t FormatConfigText(const CameraSettings& settings, char (&text)[kConfigTextChars]);

// The file's bytes: the text with every '\n' written as CR LF, as the platform's text mode
// always wrote it; returns their count.
std::size_t FormatConfigBytes(const CameraSettings& settings, char (&bytes)[kConfigFileBytes]);

// Writes the file's bytes and forces them to the disk; non-zero on any error.
int WriteConfigStream(std::FILE* file, const CameraSettings& settings);

// Writes path + ".tmp", forces it to the disk and puts it in place of path. A file at path that
// is no configuration at all is kept as path + ".bad" first.
ConfigWriteStatus WriteConfigFile(const char* path, const CameraSettings& settings);
