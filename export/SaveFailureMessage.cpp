// Texts from the string table, with the frame numbered from 1 as the operator counts frames.
#include "export/SaveFailureMessage.h"

#include <cwchar>

#include "platform/framework/WindowBase.h"
#include "resources/CommandIds.h"

namespace {

UINT TextFor(int result) {
  switch (result) {
    case kSaveWriteFailed: return IDS_SAVE_WRITE_FAILED;
    case kSaveReadFailed: return IDS_SAVE_READ_FAILED;
    case kSaveNameTooLong: return IDS_SAVE_NAME_TOO_LONG;
    case kSaveRefused: return IDS_SAVE_NO_FRAMES;
    default: return 0;
  }
}

}  // namespace

std::wstring SaveFailureText(const SaveOutcome& outcome, const char* folder) {
  const UINT id = TextFor(outcome.result);
  wchar_t format[256] = L"";
  if (id == 0 || LoadStringW(FrameworkInstance(), id, format, 256) == 0) return std::wstring();
  // A name that did not fit is reported by the folder it was to be made in.
  const char* named = outcome.result == kSaveNameTooLong ? folder : outcome.file;
  wchar_t file[MAX_PATH] = L"";
  MultiByteToWideChar(CP_ACP, 0, named ? named : "", -1, file, MAX_PATH);
  file[MAX_PATH - 1] = L'\0';
  wchar_t text[640];
  if (outcome.result == kSaveNameTooLong) {
    std::swprintf(text, 640, format, file);
  } else {
    std::swprintf(text, 640, format, outcome.failedFrame + 1, file, outcome.status);
  }
  return text;
}

void ShowSaveFailure(HWND owner, const SaveOutcome& outcome, const char* folder) {
  const std::wstring text = SaveFailureText(outcome, folder);
  if (text.empty()) return;
  wchar_t title[128] = L"";
  LoadStringW(FrameworkInstance(), IDS_CAMERA_TITLE, title, 128);
  MessageBoxW(owner, text.c_str(), title, MB_ICONERROR | MB_OK);
}
