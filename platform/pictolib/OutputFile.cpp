// Headers and chunk heads are gathered into one buffer; pixel blocks go to the system directly
// from the caller's memory, so a frame costs one copy at most and no stream flushes.
#include "platform/pictolib/OutputFile.h"

#include <algorithm>
#include <cstring>

namespace {

// Writes at least this large skip the buffer.
constexpr std::size_t kDirectBytes = 64 << 10;

}  // namespace

bool OutputFile::Open(const std::string& path) {
  buffer_.reserve(kDirectBytes);
  if (!file_.Create(path.c_str())) failed_ = true;
  return !failed_;
}

// A buffer that could not be written stays, so cutting the file back keeps what lies before the cut.
void OutputFile::Flush() {
  if (buffer_.empty() || failed_) return;
  if (!WriteAt(bufferStart_, buffer_.data(), buffer_.size())) {
    failed_ = true;
    return;
  }
  bufferStart_ += buffer_.size();
  buffer_.clear();
}

// Whether size more bytes may be written; failure otherwise.
bool OutputFile::Fits(std::uint64_t size) {
  if (failed_) return false;
  failed_ = !file_.IsOpen() || size > capacity_ - size_;
  return !failed_;
}

void OutputFile::Write(const void* data, std::size_t size) {
  if (size == 0 || !Fits(size)) return;
  if (buffer_.size() + size > kDirectBytes) {
    Flush();
    if (failed_) return;
  }
  if (size >= kDirectBytes) {
    if (!WriteAt(size_, data, size)) {
      failed_ = true;
      return;
    }
    bufferStart_ = size_ + size;
  } else {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
  }
  size_ += size;
}

void OutputFile::WriteRows(const RowRun& run) {
  const std::uint64_t bytes = run.Bytes();
  if (bytes == 0 || !Fits(bytes)) return;
  Flush();
  if (failed_) return;
  handedOut_ = std::max(handedOut_, size_ + bytes);
  if (!file_.WriteRowsAt(size_, run, block_)) {
    failed_ = true;
    return;
  }
  size_ += bytes;
  bufferStart_ = size_;
}

void OutputFile::Patch(std::uint64_t offset, const void* data, std::size_t size) {
  if (failed_) return;
  if (!file_.IsOpen() || offset > size_ || size > size_ - offset) {
    failed_ = true;
    return;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  // The part before the buffer is on disk already; the rest is still in the buffer.
  const std::size_t onDisk = offset >= bufferStart_ ? 0
                             : std::size_t(bufferStart_ - offset < size ? bufferStart_ - offset : size);
  if (onDisk > 0 && !WriteAt(offset, bytes, onDisk)) failed_ = true;
  if (onDisk < size) std::memcpy(buffer_.data() + (offset + onDisk - bufferStart_), bytes + onDisk, size - onDisk);
}

bool OutputFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (offset + size > handedOut_) handedOut_ = offset + size;
  return file_.WriteAt(offset, data, size);
}

std::uint8_t* OutputFile::ConversionBlock(std::size_t bytes) {
  if (block_.size() < bytes) block_.assign(bytes, 0);
  return block_.data();
}

bool OutputFile::Truncate(std::uint64_t size) {
  if (!file_.IsOpen() || size > size_) return false;
  if (size >= bufferStart_) {
    buffer_.resize(std::size_t(size - bufferStart_));
  } else {
    buffer_.clear();
    bufferStart_ = size;
  }
  size_ = size;
  // Every file is cut to its frames when it closes; when nothing lies beyond them the system is
  // not asked, as a truncation to the same length still costs a journalled update on ext4.
  failed_ = handedOut_ > bufferStart_ && !file_.Truncate(bufferStart_);
  if (!failed_) handedOut_ = std::min(handedOut_, bufferStart_);
  return !failed_;
}

bool OutputFile::Close() {
  Flush();
  if (failed_) return false;
  failed_ = !file_.Close();
  return !failed_;
}

void OutputFile::Discard() {
  buffer_.clear();
  file_.Close();
}
