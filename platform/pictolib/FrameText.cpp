// Checks on the texts that go into files: what every format's text field can hold unchanged
// (TIFF ASCII, PNG tEXt in Latin-1, a JPEG comment, RIFF INFO strings, QuickTime text atoms).
#include "platform/pictolib/FrameText.h"

#include <cstring>

namespace {

bool IsDescriptionChar(char c) { return c == '\n' || (c >= 0x20 && c <= 0x7E); }

bool IsDateTime(const char* t) {
  static const char kForm[] = "0000-00-00 00:00:00";
  if (std::strlen(t) != sizeof kForm - 1) return false;
  for (std::size_t i = 0; kForm[i] != 0; ++i) {
    const bool digit = t[i] >= '0' && t[i] <= '9';
    if (kForm[i] == '0' ? !digit : t[i] != kForm[i]) return false;
  }
  return true;
}

}  // namespace

bool ReadFrameText(const char* description, const char* dateTime, FrameText& text) {
  const char* d = description ? description : "";
  const char* t = dateTime ? dateTime : "";
  const std::size_t length = std::strlen(d);
  if (length > kMaxDescriptionBytes) return false;
  for (std::size_t i = 0; i < length; ++i)
    if (!IsDescriptionChar(d[i])) return false;
  if (t[0] != 0 && !IsDateTime(t)) return false;
  text.description.assign(d, length);
  text.dateTime = t;
  return true;
}

std::string TiffDateTime(const std::string& dateTime) {
  std::string t = dateTime;
  if (t.size() >= 10) t[4] = t[7] = ':';
  return t;
}
