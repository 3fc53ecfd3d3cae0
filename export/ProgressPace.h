// How often the saving loop does what an operator needs only a few times a second (showing its
// progress, looking at the message queue), while a frame is read and written in milliseconds.
#pragma once

#include <cstdint>

class ProgressPace {
 public:
  // The series does it first itself, at startMs.
  ProgressPace(std::uint32_t intervalMs, std::uint64_t startMs)
      : intervalMs_(intervalMs), doneMs_(startMs) {}
  // Due once the interval has passed since it last was.
  bool Due(std::uint64_t nowMs);
  // Position (from 1) of count: the same, except that the last position always is, so the bar
  // ends full.
  bool Due(std::uint32_t position, std::uint32_t count, std::uint64_t nowMs);

 private:
  std::uint32_t intervalMs_;
  std::uint64_t doneMs_;
};
