// Positioned writes through pwrite, retried until every byte is written or the system refuses.
#include "platform/files/PositionedFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

bool PositionedFile::Create(const char* path) {
  Close();
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  handle_ = fd;
  return true;
}

bool PositionedFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t done = pwrite(int(handle_), bytes, size, off_t(offset));
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    bytes += done;
    offset += std::uint64_t(done);
    size -= std::size_t(done);
  }
  return true;
}

bool PositionedFile::Truncate(std::uint64_t size) { return ftruncate(int(handle_), off_t(size)) == 0; }

bool PositionedFile::Close() {
  if (handle_ == kNoHandle) return true;
  const bool closed = close(int(handle_)) == 0;
  handle_ = kNoHandle;
  return closed;
}
