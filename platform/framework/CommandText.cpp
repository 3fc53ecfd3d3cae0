// Loading command texts from the framework module's string table.
#include "platform/framework/CommandText.h"

#include "platform/framework/WindowBase.h"

std::wstring LoadCommandText(UINT id) {
  const wchar_t* text = nullptr;
  // A length of 0 asks for a read-only pointer into the resource, which is not terminated.
  const int length = LoadStringW(FrameworkInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::wstring ShortTipOf(const std::wstring& text) {
  const size_t lineBreak = text.find(L'\n');
  return lineBreak == std::wstring::npos ? text : text.substr(lineBreak + 1);
}
