// A file written front to back with occasional patches of earlier bytes; every failure is sticky.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class OutputFile {
 public:
  // capacity: bytes the file may grow to before writes fail as on a full disk.
  explicit OutputFile(std::uint64_t capacity = UINT64_MAX) : capacity_(capacity) {}
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool Open(const std::string& path);
  void Write(const void* data, std::size_t size);
  void Write(const std::vector<std::uint8_t>& bytes) { Write(bytes.data(), bytes.size()); }
  // Overwrites bytes already written at offset; the write position stays at the end.
  void Patch(std::uint64_t offset, const void* data, std::size_t size);
  void Patch(std::uint64_t offset, const std::vector<std::uint8_t>& bytes) {
    Patch(offset, bytes.data(), bytes.size());
  }
  // Flushes and closes; false when anything since Open failed.
  bool Close();

  std::uint64_t Size() const { return size_; }
  bool Failed() const { return failed_; }

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
  std::uint64_t capacity_;
  bool failed_ = false;
};
