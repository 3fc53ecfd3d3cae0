// The log is written to "<target>.part" and replaces the target only when closed, so a save that
// stops early leaves a log of exactly the frames written, and a crash leaves the older log whole.
#include "export/FrameLog.h"

#include <cinttypes>
#include <cstring>

#include "platform/files/FileReplace.h"

namespace {

// A file name as one CSV field: quoted when it holds a separator or a quote.
std::string CsvField(const char* text) {
  if (std::strpbrk(text, ",\"\r\n") == nullptr) return text;
  std::string field = "\"";
  for (const char* c = text; *c; ++c) field += *c == '"' ? std::string("\"\"") : std::string(1, *c);
  return field + "\"";
}

// The name without its folder: the log lies beside the files.
const char* BaseName(const char* path) {
  const char* base = path;
  for (const char* c = path; *c; ++c)
    if (*c == '\\' || *c == '/') base = c + 1;
  return base;
}

}  // namespace

bool FrameLog::Open(const char* target) {
  Close();
  target_ = target;
  temp_ = target_ + ".part";
  file_.reset(std::fopen(temp_.c_str(), "wb"));
  failed_ = !file_;
  if (!file_) return false;
  if (std::fputs("file,frame_in_file,sequence_index,trigger_index,time_s,exposure_us\r\n", file_.get()) < 0)
    failed_ = true;
  return true;
}

void FrameLog::Add(const char* path, std::uint32_t frameInFile, std::uint32_t index, const RecordingFacts& facts) {
  if (!file_) return;
  const std::string name = CsvField(BaseName(path));
  if (std::fprintf(file_.get(), "%s,%u,%u,%" PRId64 ",%s,%u\r\n", name.c_str(), frameInFile, index,
                   TriggerIndex(facts, index), SecondsFromTrigger(facts, index).c_str(), facts.exposureUs) < 0)
    failed_ = true;
}

bool FrameLog::Close() {
  if (!file_) return !failed_;
  const bool flushed = std::fflush(file_.get()) == 0 && FlushFileToDisk(file_.get()) == 0;
  const bool closed = std::fclose(file_.release()) == 0;
  if (failed_ || !flushed || !closed || ReplaceWithTemporary(temp_.c_str(), target_.c_str()) != 0) {
    RemoveFileQuietly(temp_.c_str());
    failed_ = true;
  }
  return !failed_;
}
