// Throughput of the frame conversion per depth, against memcpy of the same bytes in the same run.
//
// Build without sanitizers, in Release:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSELVAR_SANITIZE=OFF -DSELVAR_TESTS=OFF
//   cmake --build build/bench --target RenderBench && build/bench/bin/RenderBench
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "render/FrameConverter.h"
#include "render/RawFrame.h"

namespace {

constexpr int kRepeats = 31;
constexpr int kRunsPerRepeat = 8;

using Clock = std::chrono::steady_clock;

template <typename Work>
double SecondsPerRun(Work&& work) {
  const auto start = Clock::now();
  for (int i = 0; i < kRunsPerRepeat; ++i) work();
  return std::chrono::duration<double>(Clock::now() - start).count() / kRunsPerRepeat;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Case {
  const char* name;
  std::uint32_t depth;
  std::int32_t width, height;
};

void Run(const Case& c) {
  const std::size_t bytes = RawFrameBytes(c.width, c.height, c.depth);
  std::vector<std::uint8_t> frame(bytes);
  for (std::size_t i = 0; i < bytes; ++i) frame[i] = static_cast<std::uint8_t>(i * 131 + 7);
  std::vector<std::uint8_t> copy(bytes);

  CFrameConverter converter;
  converter.Init(c.width, c.height, c.depth);
  const std::uint8_t* bits = nullptr;
  // Reading one result byte keeps the compiler from dropping the work.
  volatile std::uint8_t sink = 0;
  const auto convert = [&] {
    if (converter.Convert(frame.data(), bytes, c.width, c.height, &bits) != kConvertOk) {
      std::fprintf(stderr, "%s: conversion refused\n", c.name);
      std::exit(1);
    }
    sink = bits[bytes / 3];
  };
  const auto memcopy = [&] {
    std::memcpy(copy.data(), frame.data(), bytes);
    sink = copy[bytes / 3];
  };
  convert();  // first touch of the buffer's pages is not part of the figure
  memcopy();

  std::vector<double> convertTimes, copyTimes;
  for (int r = 0; r < kRepeats; ++r) {
    convertTimes.push_back(SecondsPerRun(convert));
    copyTimes.push_back(SecondsPerRun(memcopy));
  }
  const double convertRate = bytes / Median(convertTimes) / 1e9;
  const double copyRate = bytes / Median(copyTimes) / 1e9;
  std::printf("memcpy_%s: %.2f GB/s\n", c.name, copyRate);
  std::printf("convert_%s: %.2f GB/s, ratio %.2f to memcpy_%s\n", c.name, convertRate,
              convertRate / copyRate, c.name);
  // Frames drawn straight from the frame buffer copy nothing and leave the buffer unallocated.
  const std::size_t written = bits == frame.data() ? 0 : converter.Buffer().Capacity();
  std::printf("buffer_written_%s: %zu bytes, ratio %.2f to memcpy_%s\n", c.name, written,
              static_cast<double>(written) / bytes, c.name);
}

}  // namespace

int main() {
  const Case cases[] = {
      {"8bit_1280x1024", 8, 1280, 1024},   {"9bit_1280x1024", 9, 1280, 1024},
      {"10bit_1280x1024", 10, 1280, 1024}, {"24bit_1280x1024", 24, 1280, 1024},
      {"27bit_1280x1024", 27, 1280, 1024}, {"30bit_1280x1024", 30, 1280, 1024},
      {"8bit_1282x1024", 8, 1282, 1024},   {"24bit_1282x1024", 24, 1282, 1024},
  };
  for (const Case& c : cases) Run(c);
  return 0;
}
