// What the operator is told when a save fails: which frame, which file, and why.
#pragma once

#include <windows.h>

#include <string>

#include "export/SequenceSaver.h"

// The message for a series that did not finish for a reason other than the operator's Abort;
// folder is the one the names were made in. Empty after a complete or aborted series.
std::wstring SaveFailureText(const SaveOutcome& outcome, const char* folder);

// Shows that message in a box owned by owner under the camera's title; nothing otherwise.
void ShowSaveFailure(HWND owner, const SaveOutcome& outcome, const char* folder);
