// Saved-frame counts and file names.
#include "export/SequenceNaming.h"

#include <cstdio>
#include <cstring>

bool SavedFrameCount(std::uint32_t first, std::uint32_t last, std::uint32_t step,
                     std::uint32_t& count) {
  count = 0;
  if (step == 0 || last < first) return false;
  // Every frame from the first on, step by step, up to and including the last. 64-bit, so a range
  // of the whole 32-bit span does not wrap to 0.
  const std::uint64_t frames = (std::uint64_t{last} - first) / step + 1;
  if (frames > 0xFFFFFFFFu) return false;
  count = static_cast<std::uint32_t>(frames);
  return true;
}

namespace {

bool Fits(int written) {
  return written >= 0 && static_cast<std::size_t>(written) <= kMaxFileNameChars;
}

}  // namespace

bool FrameFileName(const char* folder, const char* prefix, std::uint32_t position,
                   const char* extension, char (&name)[kMaxFileNameChars + 1]) {
  return Fits(std::snprintf(name, sizeof name, "%s\\%s%03u.%s", folder, prefix, position, extension));
}

bool SequenceFileName(const char* folder, const char* prefix, const char* extension,
                      char (&name)[kMaxFileNameChars + 1]) {
  return Fits(std::snprintf(name, sizeof name, "%s\\%s.%s", folder, prefix, extension));
}
