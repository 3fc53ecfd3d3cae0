// The colour-table rules: file and section names, number parsing, 16.16 coefficients.
#pragma once

#include <cstdint>
#include <string>

constexpr int kColorCoefficients = 9;
constexpr int kColorTableWords = 18;  // the caller's buffer; only the first nine are coefficients
constexpr int kProfileValueBytes = 128;

// Where the values come from: the initialisation file in the product, a table in tests.
class ProfileSource {
 public:
  virtual ~ProfileSource() = default;
  // The value of key in section, or "" when either is missing.
  virtual std::string Read(const char* section, const char* key) const = 0;
};

// "_color.xsv" in folder, with one backslash between them.
std::string ColorTableFilePath(const char* folder);

std::string ColorTablesSection(std::uint32_t serial);
std::string ColorTableSection(std::uint32_t serial, std::int32_t index);

// Leading decimal integer of text, cut to the 32-bit range; 0 when text does not start with one.
std::int32_t ParseProfileInteger(const char* text);

// Leading decimal fraction of text as a 32-bit float; 0 when text does not start with one or
// the number lies outside the float range.
float ParseProfileFloat(const char* text);

// value × 65536 truncated toward zero, cut to the 32-bit range; 0 for NaN.
std::int32_t ToFixed16(float value);

// The 18 words cleared, with the identity matrix in the first nine.
void ResetColorTable(std::int32_t* coefficients);

// Reads the selected table of the camera into coefficients; 1 when one was found, else 0.
int ReadColorTable(const ProfileSource& source, std::uint32_t serial,
                   std::int32_t* coefficients);
