// A picture of a window as it stands on the screen, written as PNG or BMP by the path's extension.
#pragma once

#include <windows.h>

#include <string>

bool SaveWindowPicture(HWND window, const std::wstring& path);
