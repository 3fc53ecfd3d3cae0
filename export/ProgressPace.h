// How often the saving loop shows its progress: a few times a second is all an operator reads,
// while a frame is read and written in a few milliseconds.
#pragma once

#include <cstdint>

class ProgressPace {
 public:
  // The series shows its first position itself, at startMs.
  ProgressPace(std::uint32_t intervalMs, std::uint64_t startMs)
      : intervalMs_(intervalMs), shownMs_(startMs) {}
  bool Due(std::uint32_t position, std::uint32_t count, std::uint64_t nowMs);

 private:
  std::uint32_t intervalMs_;
  std::uint64_t shownMs_;
};
