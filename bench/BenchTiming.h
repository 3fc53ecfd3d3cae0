// Timing for the benchmarks: medians over repeats, and the one-line report with a ratio to a peer.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

// Seconds one call of fn takes: the median of `repeats` samples, each averaging `inner` calls.
template <typename Fn>
double MedianSeconds(Fn&& fn, int repeats = 15, int inner = 10) {
  std::vector<double> samples;
  samples.reserve(repeats);
  fn();  // warm caches and lazy allocations
  for (int r = 0; r < repeats; ++r) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < inner; ++i) fn();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    samples.push_back(elapsed.count() / inner);
  }
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

// NAME: VALUE UNIT, ratio R to PEER
inline void PrintFigure(const char* name, double value, const char* unit, double ratio,
                        const char* peer) {
  std::printf("%s: %.3f %s, ratio %.3f to %s\n", name, value, unit, ratio, peer);
  std::fflush(stdout);
}

// Keeps the optimiser from discarding work whose result is otherwise unused.
inline void KeepAlive(const void* p) { asm volatile("" : : "g"(p) : "memory"); }
