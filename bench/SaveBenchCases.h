// The end-to-end saving figure shared by the native and the Windows benchmark: the cases, a
// plain write of the same bytes into as many new files, and the report line.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"

constexpr std::uint32_t kSaveBenchFrames = 500, kSaveBenchWidth = 1280, kSaveBenchHeight = 1024;
// Seven runs by turns: with three, one busy spell of a shared machine moved a median by 0.1.
constexpr int kSaveBenchRuns = 7;

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

// Medians of each save and of writing its bytes plainly, all by turns and each into an emptied
// folder, so that none pays for replacing another's files and the system's write-back of earlier
// files weighs on all alike. settle(root), timed with each, can wait for the files to reach the
// disk; without it all are measured into the page cache.
template <typename Settle>
std::vector<SaveBenchFigure> MeasureSaves(const SaveBenchCase& c, const std::string& folder,
                                          const std::string& plainFolder,
                                          const std::vector<std::function<int()>>& saves, Settle settle) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(folder).parent_path();
  std::vector<std::vector<double>> ours(saves.size()), plain(saves.size());
  std::vector<SaveBenchFigure> figures(saves.size());
  const std::vector<char> frame(std::size_t(kSaveBenchWidth) * kSaveBenchHeight, 0x5A);
  for (int run = 0; run < kSaveBenchRuns; ++run) {
    for (std::size_t k = 0; k < saves.size(); ++k) {
      fs::remove_all(root);
      fs::create_directories(folder);
      auto start = std::chrono::steady_clock::now();
      if (saves[k]() != 0) std::fprintf(stderr, "%s: saving failed\n", c.name);
      settle(root);
      ours[k].push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      std::uint64_t bytes = 0, files = 0;
      for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) bytes += e.file_size(), ++files;
      figures[k].bytes = bytes;
      fs::remove_all(root);
      fs::create_directories(plainFolder);
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
      plain[k].push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
  }
  fs::remove_all(root);
  const auto median = [](std::vector<double>& v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  for (std::size_t k = 0; k < saves.size(); ++k) {
    figures[k].seconds = median(ours[k]);
    figures[k].plainSeconds = median(plain[k]);
  }
  return figures;
}

template <typename Save, typename Settle>
SaveBenchFigure MeasureSave(const SaveBenchCase& c, const std::string& folder, const std::string& plainFolder,
                            Save save, Settle settle) {
  return MeasureSaves(c, folder, plainFolder, {save}, settle)[0];
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
