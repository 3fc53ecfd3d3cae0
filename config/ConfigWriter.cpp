// The configuration file writer: 23 value lines in a fixed order, no escaping, CR LF line ends.
#include "config/ConfigWriter.h"

#include <cstring>

#include "config/ConfigFields.h"
#include "config/ConfigPath.h"
#include "config/ConfigReader.h"
#include "platform/files/FileReplace.h"
#include "config/UniqueCFile.h"

namespace {

constexpr int kPrefixLine = -1;
constexpr int kFolderLine = -2;

// The written order differs from the reader's in LWR before FileType and in the two texts.
constexpr int kWriteOrder[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                               12, 13, 14, 16, 15, kPrefixLine, kFolderLine, 17, 18, 19, 20};
static_assert(sizeof kWriteOrder / sizeof kWriteOrder[0] == kConfigNumberCount + 2);

class TextBuilder {
 public:
  explicit TextBuilder(char (&text)[kConfigTextChars]) : text_(text) {}

  template <class... Args>
  void Add(const char* format, Args... args) {
    const int written = std::snprintf(text_ + length_, kConfigTextChars - length_, format, args...);
    if (written > 0) length_ += static_cast<std::size_t>(written);
    if (length_ >= kConfigTextChars) length_ = kConfigTextChars - 1;
  }

  void AddTextLine(const char* tag, const char* value, std::size_t fieldSize) {
    // A record whose text lost its terminator still writes no more than the field's capacity.
    const std::size_t capacity = fieldSize - 1;
    const void* end = std::memchr(value, '\0', capacity);
    const std::size_t length = end ? static_cast<const char*>(end) - value : capacity;
    Add("  %s%.*s</%s\n", tag, static_cast<int>(length), value, tag + 1);
  }

  std::size_t Length() const { return length_; }

 private:
  char* text_;
  std::size_t length_ = 0;
};

// A file in the way that is no configuration at all (garbage, an empty file) is something someone
// wrote: it is kept as path + ".bad" rather than vanishing under the new file. False when there
// is no such file. The name is as long as the temporary's, which was found to fit.
bool ForeignFileBackup(const char* path, char (&backup)[kConfigPathChars + 4]) {
  CameraSettings scratch{};
  if (ReadConfigFile(path, scratch) != kConfigForeign) return false;
  std::snprintf(backup, sizeof backup, "%s.bad", path);
  return true;
}

}  // namespace

std::size_t FormatConfigText(const CameraSettings& settings, char (&text)[kConfigTextChars]) {
  TextBuilder builder(text);
  builder.Add("%s\n", kConfigRootStart);
  for (const int line : kWriteOrder) {
    if (line == kPrefixLine) {
      builder.AddTextLine(kImageNamePrefixTag, settings.ImageNamePrefix, sizeof settings.ImageNamePrefix);
    } else if (line == kFolderLine) {
      builder.AddTextLine(kImageFolderTag, settings.ImageFolder, sizeof settings.ImageFolder);
    } else {
      const ConfigNumberField& field = kConfigNumbers[line];
      builder.Add("  %s%d</%s\n", field.tag, static_cast<int>(GetConfigNumber(settings, field)),
                  field.tag + 1);
    }
  }
  builder.Add("%s\n", kConfigRootEnd);
  return builder.Length();
}

std::size_t FormatConfigBytes(const CameraSettings& settings, char (&bytes)[kConfigFileBytes]) {
  char text[kConfigTextChars];
  const std::size_t length = FormatConfigText(settings, text);
  std::size_t count = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == '\n') bytes[count++] = '\r';
    bytes[count++] = text[i];
  }
  return count;
}

int WriteConfigStream(std::FILE* file, const CameraSettings& settings) {
  char bytes[kConfigFileBytes];
  const std::size_t count = FormatConfigBytes(settings, bytes);
  if (std::fwrite(bytes, 1, count, file) != count || std::fflush(file) != 0) return 1;
  return FlushFileToDisk(file);
}

ConfigWriteStatus WriteConfigFile(const char* path, const CameraSettings& settings) {
  char temporary[kConfigPathChars + 4];
  const int written = std::snprintf(temporary, sizeof temporary, "%s.tmp", path);
  if (written < 0 || static_cast<std::size_t>(written) >= sizeof temporary) return kConfigCannotCreate;

  UniqueCFile file(std::fopen(temporary, "wb"));
  if (!file) return kConfigCannotCreate;
  const int streamStatus = WriteConfigStream(file.get(), settings);
  const int closeStatus = std::fclose(file.release());
  if (streamStatus != 0 || closeStatus != 0) {
    std::remove(temporary);
    return kConfigWriteFailed;
  }
  char backup[kConfigPathChars + 4];
  const bool foreign = ForeignFileBackup(path, backup);
  if (ReplaceWithTemporary(temporary, path, foreign ? backup : nullptr) != 0) {
    std::remove(temporary);
    return kConfigReplaceFailed;
  }
  return kConfigWritten;
}
