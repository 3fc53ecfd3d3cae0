// The answer a script gives to a dialog: steps written as text, one per ';'-separated part.
//   type ID TEXT    the box gets TEXT (the rest of the part, spaces included)
//   choose ID N     the list's item N (from 0) is chosen
//   click ID        the button is clicked (1 is OK, 2 Cancel)
//   folder PATH     a folder browser selects PATH
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DialogStep {
  enum Kind { kType, kChoose, kClick, kFolder } kind;
  int id;
  std::wstring text;
  int index = 0;  // the list item of a choose step
};

// False, with nothing appended, when a part is not one of the forms above.
bool ParseDialogSteps(const std::wstring& text, std::vector<DialogStep>& steps);

// Carries the steps out on the dialog in turn; false at the first that could not be.
bool ApplyDialogSteps(HWND dialog, const std::vector<DialogStep>& steps);
