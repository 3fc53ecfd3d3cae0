// The shell's folder browser as the save dialog uses it.
#pragma once

#include <windows.h>

// Opens the browser owned by owner, rooted at the desktop, offering file-system folders, with
// initial preselected. True, with the path as the shell gives it, when the operator chose a
// folder that has a file-system path; false when the browser was cancelled or the folder has none.
bool BrowseForFolder(HWND owner, const wchar_t* title, const wchar_t* initial,
                     wchar_t (&path)[MAX_PATH]);
