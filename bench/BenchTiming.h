// Timing for the benchmarks: medians over repeats, and the one-line report with a ratio to a peer.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

struct PairTiming {
  double seconds;      // median seconds of one call of the measured work
  double peerSeconds;  // the same for its peer
};

// Medians of the work and its peer with their samples interleaved, so that a busy spell of a
// shared machine slows both alike.
template <typename Fn, typename Peer>
PairTiming MedianPair(Fn&& fn, Peer&& peer, int repeats = 31, int inner = 8) {
  std::vector<double> work, other;
  fn();
  peer();
  auto sample = [inner](auto& f) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < inner; ++i) f();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / inner;
  };
  for (int r = 0; r < repeats; ++r) {
    work.push_back(sample(fn));
    other.push_back(sample(peer));
  }
  auto median = [](std::vector<double>& v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
  };
  return {median(work), median(other)};
}

// NAME: VALUE UNIT, ratio R to PEER
inline void PrintFigure(const char* name, double value, const char* unit, double ratio,
                        const char* peer) {
  std::printf("%s: %.3f %s, ratio %.3f to %s\n", name, value, unit, ratio, peer);
  std::fflush(stdout);
}

// Keeps the optimiser from discarding work whose result is otherwise unused.
inline void KeepAlive(const void* p) { asm volatile("" : : "g"(p) : "memory"); }
