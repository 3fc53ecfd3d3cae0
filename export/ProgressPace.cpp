// The pace of the progress display.
#include "export/ProgressPace.h"

// Position (from 1) of count is due once the interval has passed since the last position shown;
// the last one always is, so the bar ends full.
bool ProgressPace::Due(std::uint32_t position, std::uint32_t count, std::uint64_t nowMs) {
  if (position < count && nowMs - shownMs_ < intervalMs_) return false;
  shownMs_ = nowMs;
  return true;
}
