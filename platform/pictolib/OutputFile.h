// A file written front to back with occasional patches of earlier bytes; every failure is sticky
// until the file is cut back to a point before it.
#pragma once

#include "platform/files/PositionedFile.h"

#include <cstdint>
#include <string>
#include <vector>

class OutputFile {
 public:
  // capacity: bytes the file may grow to before writes fail as on a full disk.
  explicit OutputFile(std::uint64_t capacity = UINT64_MAX) : capacity_(capacity) {}
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool Open(const std::string& path);
  void Write(const void* data, std::size_t size);
  void Write(const std::vector<std::uint8_t>& bytes) { Write(bytes.data(), bytes.size()); }
  // Writes the rows as one run of bytes, with no copy of ours where the system gathers them.
  void WriteRows(const RowRun& run);
  // Overwrites bytes already written at offset; the write position stays at the end.
  void Patch(std::uint64_t offset, const void* data, std::size_t size);
  void Patch(std::uint64_t offset, const std::vector<std::uint8_t>& bytes) {
    Patch(offset, bytes.data(), bytes.size());
  }
  // Cuts the file back to size bytes (at most its size) and forgets earlier failures, so the
  // part before can still be completed; false when the system refuses.
  bool Truncate(std::uint64_t size);
  // Writes what is pending and closes; false when anything since Open failed, and then the
  // file stays open so that it can be cut back and completed.
  bool Close();
  // Closes without writing what is pending, for a file about to be removed.
  void Discard();

  // A zeroed block of at least bytes, kept from frame to frame, for rows converted on their way out.
  std::uint8_t* ConversionBlock(std::size_t bytes);

  std::uint64_t Size() const { return size_; }
  bool Failed() const { return failed_; }

 private:
  void Flush();
  bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);
  bool Fits(std::uint64_t size);

  PositionedFile file_;
  // Small writes gather here; bufferStart_ is where the first of them belongs.
  std::vector<std::uint8_t> buffer_;
  std::uint64_t bufferStart_ = 0;
  // Conversion block, and the rows' copy where the system cannot gather them.
  std::vector<std::uint8_t> block_;
  std::uint64_t size_ = 0;
  // End of the furthest write given to the system, failed ones included: what may lie on disk.
  std::uint64_t handedOut_ = 0;
  std::uint64_t capacity_;
  bool failed_ = false;
};
