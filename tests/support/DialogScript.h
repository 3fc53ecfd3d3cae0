// Drives modal dialogs under Wine from a timer inside their own modal loops: each stage waits for
// its dialog to be shown, then acts on it through its controls.
#pragma once

#include <windows.h>

#include <functional>
#include <cstdint>
#include <string>
#include <vector>

struct DialogStage {
  std::function<bool(HWND)> matches;  // which of the thread's top-level windows is the dialog
  std::function<void(HWND)> steps;
};

// A dialog window (class #32770) with this caption.
std::function<bool(HWND)> DialogTitled(const std::wstring& title);
// A dialog window holding a control of this window class.
std::function<bool(HWND)> DialogHolding(const std::wstring& controlClass);

// Runs body, which enters a modal loop, while the stages act in turn, each on its dialog once the
// dialog is visible. A stage may post a click that opens the next stage's dialog, or send one and
// let the next stage run inside the nested loop. After 10 s every dialog left is ended.
// Returns the number of stages that ran.
int RunDialogStages(std::vector<DialogStage> stages, const std::function<void()>& body);

// The common case of one dialog.
int RunDialogScript(const std::wstring& title, std::function<void(HWND)> steps,
                    const std::function<void()>& body);

// Runs this thread's messages for a while.
void PumpFor(DWORD ms);
// A control's text.
std::wstring ItemText(HWND dialog, int id);
// Clicks a button and returns once its handler has run (a nested modal loop runs inside).
void Press(HWND dialog, int id);
// Posts the click, for a button whose handler opens a dialog the next stage acts on.
void PostPress(HWND dialog, int id);
// Replaces a box's text as typing would: the dialog sees the change notification.
void Type(HWND dialog, int id, const std::wstring& text);

// A window's pixels as the screen shows them, top-down 32-bit BGRX, saved as a BMP file when
// path is given.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  COLORREF At(int x, int y) const;
};
// The display shows a new window a moment after it is painted: the capture is repeated, with
// messages running between, until ready accepts it or 3 s have passed.
Screenshot CaptureWindow(HWND window, const wchar_t* bmpPath,
                         const std::function<bool(const Screenshot&)>& ready);
// A file in the build tree's folder of test artefacts, which is made when missing.
std::wstring ArtefactPath(const wchar_t* name);
