// A file written at explicit positions, straight to the system without a stream buffer, and cut
// back when needed: what a writer needs to patch headers and to drop a frame that failed.
#pragma once

#include <cstddef>
#include <cstdint>

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
