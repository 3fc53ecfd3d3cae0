// The pace of the saving loop's work for the operator.
#include "export/ProgressPace.h"

bool ProgressPace::Due(std::uint64_t nowMs) {
  if (nowMs - doneMs_ < intervalMs_) return false;
  doneMs_ = nowMs;
  return true;
}

bool ProgressPace::Due(std::uint32_t position, std::uint32_t count, std::uint64_t nowMs) {
  if (position < count) return Due(nowMs);
  doneMs_ = nowMs;
  return true;
}
