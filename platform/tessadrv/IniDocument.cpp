// A forgiving reader for the simulator's INI configuration: sections, key = value, comments.
#include "platform/tessadrv/IniDocument.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string Trim(const std::string& s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// Names are printable ASCII without brackets or '='; anything else marks a garbled line.
bool IsValidName(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c > 0x7E || c == '[' || c == ']' || c == '=') return false;
  }
  return true;
}

}  // namespace

IniDocument IniDocument::Parse(const std::string& text) {
  IniDocument doc;
  std::string section;
  bool sectionValid = true;
  // Editors that save UTF-8 may put a byte-order mark in front of the first section.
  static const char kByteOrderMark[] = "\xEF\xBB\xBF";
  std::size_t pos = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
  while (pos <= text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      const std::string name = close == std::string::npos ? "" : Trim(line.substr(1, close - 1));
      sectionValid = close != std::string::npos && IsValidName(name) &&
                     Trim(line.substr(close + 1)).empty();
      if (!sectionValid) {
        // Keys under a garbled header must not land in the previous section.
        ++doc.malformedLines_;
        continue;
      }
      section = Lower(name);
      doc.sections_[section];
      continue;
    }
    const std::size_t eq = line.find('=');
    const std::string key = eq == std::string::npos ? "" : Trim(line.substr(0, eq));
    if (!sectionValid || !IsValidName(key)) {
      ++doc.malformedLines_;
      continue;
    }
    doc.sections_[section][Lower(key)] = Trim(line.substr(eq + 1));
  }
  return doc;
}

std::optional<std::string> IniDocument::Get(const std::string& section, const std::string& key) const {
  const auto s = sections_.find(Lower(section));
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.find(Lower(key));
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

bool IniDocument::HasSection(const std::string& section) const {
  return sections_.count(Lower(section)) != 0;
}

bool ParseIniInteger(const std::string& text, std::int64_t& out) {
  const std::string t = Trim(text);
  if (t.empty() || t.find('\0') != std::string::npos) return false;
  std::size_t i = 0;
  const bool negative = t[0] == '-';
  if (t[0] == '-' || t[0] == '+') i = 1;
  int base = 10;
  if (t.size() > i + 1 && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= t.size()) return false;
  std::uint64_t magnitude = 0;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    if (magnitude > (UINT64_C(1) << 62) / static_cast<unsigned>(base)) return false;
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
  }
  if (magnitude > (UINT64_C(1) << 62)) return false;
  out = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  return true;
}

bool ParseIniNumber(const std::string& text, double& out) {
  const std::string t = Trim(text);
  if (t.empty() || t.find('\0') != std::string::npos) return false;
  for (char c : t) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+')) return false;
  }
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(t.c_str(), &end);
  if (errno != 0 || end != t.c_str() + t.size() || !std::isfinite(value)) return false;
  out = value;
  return true;
}
