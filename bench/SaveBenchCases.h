// The end-to-end saving figure shared by the native and the Windows benchmark: the cases, a
// plain write of the same bytes into as many new files, and the report line.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"

constexpr std::uint32_t kSaveBenchFrames = 500, kSaveBenchWidth = 1280, kSaveBenchHeight = 1024;
constexpr int kSaveBenchRuns = 3;

struct SaveBenchCase {
  const char* name;
  std::uint32_t fileType;
  const char* extension;
  std::uint32_t depth;
};

const SaveBenchCase kSaveBenchCases[] = {
    {"tiff_files_8bit", 1, "tif", 8},
    {"multipage_tiff_8bit", 11, "mpt", 8},
    {"avi_uncompressed_8bit", 17, "avi", 8},
    {"avi_uncompressed_10bit", 17, "avi", 10},
};

struct SaveBenchFigure {
  double seconds, plainSeconds;
  std::uint64_t bytes;
};

// Medians of saving and of writing the saved bytes plainly, each into an emptied folder, so that
// neither pays for replacing the other's files. settle(root), timed with each, can wait for the
// files to reach the disk; without it both are measured into the page cache.
template <typename Save, typename Settle>
SaveBenchFigure MeasureSave(const SaveBenchCase& c, const std::string& folder, const std::string& plainFolder,
                            Save save, Settle settle) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(folder).parent_path();
  std::vector<double> ours, plain;
  std::uint64_t bytes = 0;
  for (int run = 0; run < kSaveBenchRuns; ++run) {
    fs::remove_all(root);
    fs::create_directories(folder);
    auto start = std::chrono::steady_clock::now();
    if (save() != 0) std::fprintf(stderr, "%s: saving failed\n", c.name);
    settle(root);
    ours.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    bytes = 0;
    std::uint64_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(root))
      if (e.is_regular_file()) bytes += e.file_size(), ++files;
    fs::remove_all(root);
    fs::create_directories(plainFolder);
    const std::vector<char> frame(std::size_t(kSaveBenchWidth) * kSaveBenchHeight, 0x5A);
    start = std::chrono::steady_clock::now();
    for (std::uint64_t i = 0, left = bytes; i < files; ++i) {
      std::uint64_t part = i + 1 == files ? left : bytes / files;
      left -= part;
      std::FILE* f = std::fopen((fs::path(plainFolder) / std::to_string(i)).string().c_str(), "wb");
      for (; part > 0 && f; part -= std::min<std::uint64_t>(part, frame.size()))
        std::fwrite(frame.data(), 1, std::size_t(std::min<std::uint64_t>(part, frame.size())), f);
      if (f) std::fclose(f);
    }
    settle(root);
    plain.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  fs::remove_all(root);
  std::sort(ours.begin(), ours.end());
  std::sort(plain.begin(), plain.end());
  return {ours[ours.size() / 2], plain[plain.size() / 2], bytes};
}

template <typename Save>
SaveBenchFigure MeasureSave(const SaveBenchCase& c, const std::string& folder, const std::string& plainFolder,
                            Save save) {
  return MeasureSave(c, folder, plainFolder, save, [](const std::filesystem::path&) {});
}

// save_NAME: MB/s of saved file bytes, ratio to the plain write of them.
inline void ReportSave(const SaveBenchCase& c, const SaveBenchFigure& f, const char* through) {
  const std::string name = std::string("save_sequence_") + c.name + through;
  PrintFigure(name.c_str(), double(f.bytes) / f.seconds / 1e6, "MB/s", f.plainSeconds / f.seconds, "plain_write");
}
