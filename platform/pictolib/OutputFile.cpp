// Buffered file output with 64-bit positions and a capacity that stands in for the disk's free space.
#include "platform/pictolib/OutputFile.h"

namespace {
constexpr std::size_t kBufferBytes = 1 << 20;
}

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

bool OutputFile::Open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    failed_ = true;
    return false;
  }
  std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
  return true;
}

void OutputFile::Write(const void* data, std::size_t size) {
  if (failed_ || size == 0) return;
  if (file_ == nullptr || size > capacity_ - size_) {
    failed_ = true;
    return;
  }
  if (std::fwrite(data, 1, size, file_) != size) {
    failed_ = true;
    return;
  }
  size_ += size;
}

void OutputFile::Patch(std::uint64_t offset, const void* data, std::size_t size) {
  if (failed_) return;
  if (file_ == nullptr || offset > size_ || size > size_ - offset ||
      fseeko64(file_, std::int64_t(offset), SEEK_SET) != 0 ||
      std::fwrite(data, 1, size, file_) != size || fseeko64(file_, 0, SEEK_END) != 0)
    failed_ = true;
}

bool OutputFile::Close() {
  if (file_ != nullptr) {
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
  }
  return !failed_;
}
