// Edit-box numbers and 8-bit texts.
#include "platform/framework/DialogBoxes.h"

#include <cwchar>
#include <vector>

namespace {

constexpr std::uint64_t kHeldAt = std::uint64_t{1} << 40;
constexpr int kNumberChars = 64;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

bool ParseUnsigned(const wchar_t* text, std::uint64_t& value) {
  while (IsBlank(*text)) ++text;
  if (*text < L'0' || *text > L'9') return false;
  std::uint64_t parsed = 0;
  for (; *text >= L'0' && *text <= L'9'; ++text) {
    parsed = parsed * 10 + static_cast<std::uint64_t>(*text - L'0');
    if (parsed > kHeldAt) parsed = kHeldAt;
  }
  while (IsBlank(*text)) ++text;
  if (*text != L'\0') return false;
  value = parsed;
  return true;
}

bool ReadUnsignedBox(HWND dialog, int id, std::uint64_t& value) {
  wchar_t text[kNumberChars] = L"";
  // A longer text is not a number any field could hold; the cut keeps it from parsing as one.
  if (GetDlgItemTextW(dialog, id, text, kNumberChars) >= kNumberChars - 1) return false;
  return ParseUnsigned(text, value);
}

void WriteNumberBox(HWND dialog, int id, long long value) {
  wchar_t text[kNumberChars];
  std::swprintf(text, kNumberChars, L"%lld", value);
  SetDlgItemTextW(dialog, id, text);
}

void ReadAnsiBox(HWND dialog, int id, char* text, std::size_t size) {
  if (size == 0) return;
  text[0] = '\0';
  HWND box = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthW(box);
  std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(box, wide.data(), length + 1);
  const int written = WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text,
                                          static_cast<int>(size), nullptr, nullptr);
  // A text too long for the field is cut, never left unterminated.
  if (written == 0) {
    const int cut = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(size) - 1, text,
                                        static_cast<int>(size) - 1, nullptr, nullptr);
    text[cut] = '\0';
  }
}

void WriteAnsiBox(HWND dialog, int id, const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::vector<wchar_t> wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  SetDlgItemTextW(dialog, id, wide.data());
}
