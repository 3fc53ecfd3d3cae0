// A file written at explicit positions, straight to the system without a stream buffer, and cut
// back when needed: what a writer needs to patch headers and to drop a frame that failed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Writes this large cost the system's cache the least per byte; far larger ones gain nothing.
constexpr std::size_t kLargeWriteBytes = 2 << 20;

// Rows of equal length lying pitch bytes apart (a negative pitch walks up a bottom-up frame),
// to be written as one run of bytes.
struct RowRun {
  const std::uint8_t* first;
  std::ptrdiff_t pitch;
  std::size_t rowBytes;
  std::uint32_t rows;

  std::uint64_t Bytes() const { return std::uint64_t(rowBytes) * rows; }
  const std::uint8_t* Row(std::uint32_t i) const { return first + std::ptrdiff_t(i) * pitch; }
};

class PositionedFile {
 public:
  PositionedFile() = default;
  ~PositionedFile() { Close(); }
  PositionedFile(const PositionedFile&) = delete;
  PositionedFile& operator=(const PositionedFile&) = delete;

  // Creates path, or empties the file there; false when it cannot.
  bool Create(const char* path);
  // Writes all size bytes at offset; false on any failure (a full disk among them).
  bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);
  // Writes the rows one after another from offset. POSIX hands them to the system as they lie;
  // Windows has no buffered gathering write, so they are copied through scratch in large blocks.
  bool WriteRowsAt(std::uint64_t offset, const RowRun& run, std::vector<std::uint8_t>& scratch);
  // Makes the file exactly size bytes long.
  bool Truncate(std::uint64_t size);
  // False when the system reports a failure on closing.
  bool Close();
  bool IsOpen() const { return handle_ != kNoHandle; }

 private:
  static constexpr std::intptr_t kNoHandle = -1;
  // A POSIX descriptor or a Windows HANDLE, whichever the platform has.
  std::intptr_t handle_ = kNoHandle;
};
