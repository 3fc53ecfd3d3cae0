// Per-test folders and whole-file helpers.
#include "tests/config/TempFolder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  std::error_code error;
  for (;;) {
    path_ = std::filesystem::temp_directory_path(error) /
            ("selvar-" + std::to_string(random()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(path_, error)) return;
  }
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
