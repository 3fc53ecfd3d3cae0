// The configuration file reader: root tag check, substring tag search and the value rule.
#include "config/ConfigReader.h"

#include <cstdio>
#include <cstring>

#include "config/ConfigFields.h"
#include "config/UniqueCFile.h"

namespace {

constexpr int kEnd = -1;
constexpr int kCtrlZ = 0x1A;

struct BufferBytes {
  const unsigned char* data;
  std::size_t size;
  std::size_t position = 0;
  int Get() { return position < size ? data[position++] : kEnd; }
  int Peek() const { return position < size ? data[position] : kEnd; }
};

struct FileBytes {
  std::FILE* file;
  int Get() { return std::getc(file); }
  int Peek() {
    const int c = std::getc(file);
    if (c != EOF) std::ungetc(c, file);
    return c;
  }
};

// The platform's text-mode view of a byte stream, so that every build reads a file the same way
// as the Windows program always has.
template <class Bytes>
class TextModeReader {
 public:
  explicit TextModeReader(Bytes bytes) : bytes_(bytes) {}

  // As fgets with a buffer of kConfigLineChars + 1: up to and including a line end, or
  // kConfigLineChars characters. Returns false at the end of the file.
  bool NextLine(char (&line)[kConfigLineChars + 1]) {
    std::size_t length = 0;
    while (length < kConfigLineChars) {
      const int c = Get();
      if (c == kEnd) break;
      line[length++] = static_cast<char>(c);
      if (c == '\n') break;
    }
    line[length] = '\0';
    return length > 0;
  }

 private:
  int Get() {
    if (ended_) return kEnd;
    int c = bytes_.Get();
    if (c == EOF || c == kCtrlZ) {
      ended_ = true;
      return kEnd;
    }
    if (c == '\r' && bytes_.Peek() == '\n') c = bytes_.Get();
    return c;
  }

  Bytes bytes_;
  bool ended_ = false;
};

template <class Bytes>
ConfigReadStatus ReadLines(TextModeReader<Bytes>& reader, CameraSettings& settings) {
  char line[kConfigLineChars + 1];
  if (!reader.NextLine(line) || !std::strstr(line, kConfigRootStart)) return kConfigForeign;
  while (reader.NextLine(line) && !std::strstr(line, kConfigRootEnd)) {
    ApplyConfigLine(line, settings);
  }
  return kConfigRead;
}

}  // namespace

void ExtractConfigValue(const char* line, char* value) {
  value[0] = '\0';
  const char* open = std::strchr(line, '>');
  if (!open) return;
  const char* start = open + 1;
  const char* cut = std::strrchr(start, '<');
  const std::size_t length = cut ? static_cast<std::size_t>(cut - start) : std::strlen(start);
  const std::size_t kept = length < kConfigLineChars ? length : kConfigLineChars;
  std::memcpy(value, start, kept);
  value[kept] = '\0';
}

std::int32_t ParseConfigNumber(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

void ApplyConfigLine(const char* line, CameraSettings& settings) {
  char value[kConfigLineChars + 1];
  ExtractConfigValue(line, value);
  const std::size_t length = std::strlen(value);
  // Texts longer than their field are cut to the field; an empty text keeps what is there.
  if (std::strstr(line, kImageNamePrefixTag) && length > 0) {
    SetSettingText(settings.ImageNamePrefix, value, length);
    return;
  }
  if (std::strstr(line, kImageFolderTag) && length > 0) {
    SetSettingText(settings.ImageFolder, value, length);
    return;
  }
  const std::int32_t number = ParseConfigNumber(value);
  for (const ConfigNumberField& field : kConfigNumbers) {
    if (std::strstr(line, field.tag)) {
      SetConfigNumber(settings, field, number);
      return;
    }
  }
}

ConfigReadStatus ReadConfigText(const char* data, std::size_t size, CameraSettings& settings) {
  TextModeReader<BufferBytes> reader(BufferBytes{reinterpret_cast<const unsigned char*>(data), size});
  return ReadLines(reader, settings);
}

ConfigReadStatus ReadConfigFile(const char* path, CameraSettings& settings) {
  const UniqueCFile file(std::fopen(path, "rb"));
  if (!file) return kConfigCannotOpen;
  TextModeReader<FileBytes> reader(FileBytes{file.get()});
  return ReadLines(reader, settings);
}
