// Positioned writes through pwrite, retried until every byte is written or the system refuses.
#include "platform/files/PositionedFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/uio.h>
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

// The rows go from the caller's memory straight into the system's cache: no copy of our own.
bool PositionedFile::WriteRowsAt(std::uint64_t offset, const RowRun& run, std::vector<std::uint8_t>&) {
  iovec pieces[IOV_MAX];
  std::uint32_t row = 0;
  std::size_t done = 0;  // bytes of `row` already written
  while (row < run.rows) {
    int count = 0;
    for (std::uint32_t r = row; r < run.rows && count < IOV_MAX; ++r, ++count) {
      const std::size_t skip = r == row ? done : 0;
      pieces[count].iov_base = const_cast<std::uint8_t*>(run.Row(r)) + skip;
      pieces[count].iov_len = run.rowBytes - skip;
    }
    const ssize_t written = pwritev(int(handle_), pieces, count, off_t(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    offset += std::uint64_t(written);
    const std::uint64_t reached = done + std::uint64_t(written);
    row += std::uint32_t(reached / run.rowBytes);
    done = std::size_t(reached % run.rowBytes);
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
