// A forgiving reader for the simulator's INI configuration: sections, key = value, comments.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

class IniDocument {
 public:
  // Never fails: lines that are neither a section, a key nor a comment are counted and skipped.
  static IniDocument Parse(const std::string& text);

  // Section and key names compare without regard to ASCII case; the last assignment wins.
  std::optional<std::string> Get(const std::string& section, const std::string& key) const;
  bool HasSection(const std::string& section) const;
  int MalformedLines() const { return malformedLines_; }

 private:
  std::map<std::string, std::map<std::string, std::string>> sections_;
  int malformedLines_ = 0;
};

// Decimal or 0x-prefixed hexadecimal, optional sign, surrounding blanks allowed; false on anything
// else or on overflow, leaving `out` alone.
bool ParseIniInteger(const std::string& text, std::int64_t& out);
// A plain decimal number such as 1000 or 0.5; false on anything else.
bool ParseIniNumber(const std::string& text, double& out);
