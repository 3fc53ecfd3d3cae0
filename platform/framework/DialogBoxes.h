// Numbers and 8-bit texts in a dialog's edit boxes, read and written the way the dialogs keep them.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Decimal digits with optional surrounding blanks; values beyond 2^40 are held there, so no
// 32-bit field reads a wrapped number. False for anything else, including an empty text.
bool ParseUnsigned(const wchar_t* text, std::uint64_t& value);
bool ReadUnsignedBox(HWND dialog, int id, std::uint64_t& value);
void WriteNumberBox(HWND dialog, int id, long long value);

// The box's text in the system's 8-bit code page, cut to size - 1 characters and terminated.
void ReadAnsiBox(HWND dialog, int id, char* text, std::size_t size);
void WriteAnsiBox(HWND dialog, int id, const char* text);
