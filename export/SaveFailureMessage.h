// What the operator is told when a save stops on a failure: which frame, which file, and why.
#pragma once

#include <windows.h>

#include <string>

#include "export/SequenceSaver.h"

// The message for a series that a failed read or write stopped; empty for any other outcome.
std::wstring SaveFailureText(const SaveOutcome& outcome);

// Shows that message in a box owned by owner under the camera's title; nothing otherwise.
void ShowSaveFailure(HWND owner, const SaveOutcome& outcome);
