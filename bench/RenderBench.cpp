// Throughput of the frame conversion per depth, against memcpy of the same bytes in the same run.
//
// Run with scripts/bench.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"

#include "render/FrameConverter.h"
#include "render/RawFrame.h"

namespace {

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
  const auto convert = [&] {
    if (converter.Convert(frame.data(), bytes, c.width, c.height, &bits) != kConvertOk) {
      std::fprintf(stderr, "%s: conversion refused\n", c.name);
      std::exit(1);
    }
    KeepAlive(bits);
  };
  const auto memcopy = [&] {
    std::memcpy(copy.data(), frame.data(), bytes);
    KeepAlive(copy.data());
  };
  convert();
  const std::string name(c.name);
  if (bits == frame.data()) {
    // Drawn straight from the frame buffer: nothing is copied and no buffer is allocated.
    PrintFigure(("convert_" + name + "_bytes_copied").c_str(),
                static_cast<double>(converter.Buffer().Capacity()), "bytes",
                static_cast<double>(converter.Buffer().Capacity()) / bytes, "frame_bytes");
    return;
  }
  const PairTiming t = MedianPair(convert, memcopy);
  PrintFigure(("convert_" + name).c_str(), bytes / t.seconds / 1e9, "GB/s of input",
              t.peerSeconds / t.seconds, ("memcpy_" + name).c_str());
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
