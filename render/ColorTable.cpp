// The colour-table rules: file and section names, number parsing, 16.16 coefficients.
#include "render/ColorTable.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::int32_t kFixedOne = 65536;
constexpr const char* kFileName = "_color.xsv";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The white space that the C library's number scanners skip.
const char* SkipSpace(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  return text;
}

std::string CameraKey(std::uint32_t serial) {
  char key[16];
  std::snprintf(key, sizeof key, "%010u", static_cast<unsigned>(serial));
  return key;
}

}  // namespace

std::string ColorTableFilePath(const char* folder) {
  std::string path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + kFileName;
}

std::string ColorTablesSection(std::uint32_t serial) { return CameraKey(serial) + "_Tables"; }

std::string ColorTableSection(std::uint32_t serial, std::int32_t index) {
  return CameraKey(serial) + "_Table_" + std::to_string(index);
}

std::int32_t ParseProfileInteger(const char* text) {
  const char* p = SkipSpace(text);
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (!IsDigit(*p)) return 0;
  // Saturates at 2^31, which is just enough for both ends of the 32-bit range.
  constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
  std::int64_t magnitude = 0;
  for (; IsDigit(*p); ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(magnitude == kLimit ? INT32_MAX : magnitude);
}

// The digits are read by from_chars, which unlike the C library ignores the locale: a host
// that switched to a decimal comma must not change what the file means.
float ParseProfileFloat(const char* text) {
  const char* start = SkipSpace(text);
  // from_chars accepts only a minus sign, so a plus sign is skipped here.
  const bool plus = *start == '+';
  const char* number = plus ? start + 1 : start;
  const char* digits = !plus && *number == '-' ? number + 1 : number;
  const bool startsWithNumber = IsDigit(digits[0]) || (digits[0] == '.' && IsDigit(digits[1]));
  if (!startsWithNumber) return 0.0f;
  float value = 0.0f;
  const auto result =
      std::from_chars(number, number + std::strlen(number), value, std::chars_format::general);
  return result.ec == std::errc() ? value : 0.0f;
}

std::int32_t ToFixed16(float value) {
  // Scaling by a power of two is exact; only the range needs checking.
  const float scaled = value * kFixedOne;
  if (scaled != scaled) return 0;
  if (scaled >= 2147483648.0f) return INT32_MAX;
  if (scaled <= -2147483648.0f) return INT32_MIN;
  return static_cast<std::int32_t>(scaled);
}

void ResetColorTable(std::int32_t* coefficients) {
  std::memset(coefficients, 0, kColorTableWords * sizeof *coefficients);
  coefficients[0] = coefficients[4] = coefficients[8] = kFixedOne;
}

int ReadColorTable(const ProfileSource& source, std::uint32_t serial,
                   std::int32_t* coefficients) {
  ResetColorTable(coefficients);
  const std::string tables = ColorTablesSection(serial);
  const std::int32_t count = ParseProfileInteger(source.Read(tables.c_str(), "TablesCount").c_str());
  const std::int32_t selected =
      ParseProfileInteger(source.Read(tables.c_str(), "SelectedTable").c_str());
  if (!(selected < count)) return 0;

  // A negative selection is not refused: it names a section like any other index.
  const std::string table = ColorTableSection(serial, selected);
  float sum = 0.0f;
  for (int i = 0; i < kColorCoefficients; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "Value_%d", i);
    const float value = ParseProfileFloat(source.Read(table.c_str(), key).c_str());
    coefficients[i] = ToFixed16(value);
    sum += value;
  }
  // Values that cancel out, or a missing section, mean no table.
  return sum != 0.0f ? 1 : 0;
}
