// Texts from the string table, with the frame numbered from 1 as the operator counts frames.
#include "export/SaveFailureMessage.h"

#include <cwchar>

#include "platform/framework/WindowBase.h"
#include "resources/CommandIds.h"

std::wstring SaveFailureText(const SaveOutcome& outcome) {
  const UINT id = outcome.result == kSaveWriteFailed ? IDS_SAVE_WRITE_FAILED
                  : outcome.result == kSaveReadFailed ? IDS_SAVE_READ_FAILED
                                                      : 0;
  wchar_t format[256] = L"";
  if (id == 0 || LoadStringW(FrameworkInstance(), id, format, 256) == 0) return std::wstring();
  wchar_t file[MAX_PATH] = L"";
  MultiByteToWideChar(CP_ACP, 0, outcome.file, -1, file, MAX_PATH);
  wchar_t text[640];
  std::swprintf(text, 640, format, outcome.failedFrame + 1, file, outcome.status);
  return text;
}

void ShowSaveFailure(HWND owner, const SaveOutcome& outcome) {
  const std::wstring text = SaveFailureText(outcome);
  if (text.empty()) return;
  wchar_t title[128] = L"";
  LoadStringW(FrameworkInstance(), IDS_CAMERA_TITLE, title, 128);
  MessageBoxW(owner, text.c_str(), title, MB_ICONERROR);
}
