// Command texts from the string table: "prompt\nshort tip", or a prompt alone.
#pragma once

#include <windows.h>

#include <string>

// The whole string-table entry for the id; empty when there is none.
std::wstring LoadCommandText(UINT id);
// The part after the line break, or the whole text when it has none.
std::wstring ShortTipOf(const std::wstring& text);
