// The arithmetic and names of saving a sequence: how many frames a range gives, and the files.
#pragma once

#include <cstddef>
#include <cstdint>

// The longest file name the system writes, in characters.
constexpr std::size_t kMaxFileNameChars = 259;

// Frames saved from first to last by step: first, first + step, ... up to and including last.
// Returns false, and saves nothing, when the step is 0 or last is below first.
bool SavedFrameCount(std::uint32_t first, std::uint32_t last, std::uint32_t step,
                     std::uint32_t& count);

// "%s\%s%03d.%s" for one file per frame; false when the name would not fit.
bool FrameFileName(const char* folder, const char* prefix, std::uint32_t position,
                   const char* extension, char (&name)[kMaxFileNameChars + 1]);
// "%s\%s.%s" for one file holding the whole range; false when the name would not fit.
bool SequenceFileName(const char* folder, const char* prefix, const char* extension,
                      char (&name)[kMaxFileNameChars + 1]);

