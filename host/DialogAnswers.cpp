// Finding a dialog by its caption among this thread's windows and answering it.
#include "host/DialogAnswers.h"

#include <cstdio>

namespace {

constexpr UINT kPollMs = 50;

struct Search {
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t name[16] = L"";
  wchar_t caption[256] = L"";
  GetClassNameW(window, name, 16);
  GetWindowTextW(window, caption, 256);
  if (IsWindowVisible(window) && std::wstring(name) == L"#32770" && *search->title == caption) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

CDialogAnswers::~CDialogAnswers() {
  if (timing_) KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
}

void CDialogAnswers::Add(const std::wstring& title, std::vector<DialogStep> steps) {
  answers_.push_back({title, std::move(steps)});
  // The timer's id is this object, so its callback needs nothing global to find it.
  if (!timing_) timing_ = SetTimer(window_, reinterpret_cast<UINT_PTR>(this), kPollMs, OnTimer) != 0;
}

void CALLBACK CDialogAnswers::OnTimer(HWND, UINT, UINT_PTR self, DWORD) {
  reinterpret_cast<CDialogAnswers*>(self)->Poll();
}

void CDialogAnswers::Poll() {
  if (answers_.empty()) {
    KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
    timing_ = false;
    return;
  }
  Search search{&answers_.front().title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  // Taken off the queue first: a click may open the next dialog, answered inside its loop.
  const Answer answer = answers_.front();
  answers_.pop_front();
  if (!ApplyDialogSteps(search.found, answer.steps)) {
    ++failed_;
    std::printf("SelvarHost: a step for the dialog \"%ls\" could not be carried out; it is cancelled\n",
                answer.title.c_str());
    std::fflush(stdout);
    if (IsWindow(search.found)) {
      SendMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  }
}
