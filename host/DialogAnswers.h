// Answers queued for the next modal dialogs with given captions. The call that opens a dialog
// stays blocked in the dialog's modal loop, which still dispatches this thread's timers: a timer
// on the host window finds the dialog once it is shown and carries its steps out.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "host/DialogSteps.h"

class CDialogAnswers {
 public:
  explicit CDialogAnswers(HWND window) : window_(window) {}
  ~CDialogAnswers();
  CDialogAnswers(const CDialogAnswers&) = delete;
  CDialogAnswers& operator=(const CDialogAnswers&) = delete;

  void Add(const std::wstring& title, std::vector<DialogStep> steps);
  // Answers not yet given, and those whose steps could not all be carried out.
  int Unanswered() const { return static_cast<int>(answers_.size()) + failed_; }

 private:
  struct Answer {
    std::wstring title;
    std::vector<DialogStep> steps;
  };
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR self, DWORD);
  void Poll();

  HWND window_;
  std::deque<Answer> answers_;
  bool timing_ = false;
  int failed_ = 0;
};
