// Acting on a dialog's or bar's control as a person would: the text typed, an item chosen, a
// button clicked, each with the notification the owner gets from real input. A control that is
// missing, disabled or has no such item is refused with false.
#pragma once

#include <windows.h>

#include <string>

bool TypeInto(HWND parent, int id, const std::wstring& text);
bool ChooseItem(HWND parent, int id, int index);
// Returns once the click's handler has run, including any modal loop it enters.
bool ClickButton(HWND parent, int id);

// The workstation's camera bar among the host window's descendants, or null.
HWND FindCameraBar(HWND host);
