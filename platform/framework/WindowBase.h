// Base of every framework window: owns its HWND and dispatches messages to the class's handlers.
#pragma once

#include <windows.h>

class CWindowBase {
 public:
  CWindowBase() = default;
  virtual ~CWindowBase();
  CWindowBase(const CWindowBase&) = delete;
  CWindowBase& operator=(const CWindowBase&) = delete;

  HWND Handle() const { return hwnd_; }
  HWND Create(DWORD exStyle, const wchar_t* title, DWORD style, const RECT& rect, HWND parent,
              HMENU idOrMenu);
  void Destroy();

  // Live framework windows, for leak checks in tests (Wine's GetGuiResources reports nothing).
  static long LiveWindowCount();

 protected:
  // Each class handles its messages in one switch and falls back to its base class.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void OnCreated() {}
  virtual void OnDestroyed() {}

  virtual const wchar_t* ClassName() const { return L"SelvarWindow"; }
  virtual HBRUSH BackgroundBrush() const { return nullptr; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void RegisterWindowClass() const;

  HWND hwnd_ = nullptr;
};

// WM_PAINT and WM_PRINTCLIENT through one painting function, so that a window rendered for a
// screenshot shows the pixels the screen shows. True when the message was one of them.
template <typename Paint>
bool HandlePaintMessage(HWND window, UINT message, WPARAM wParam, Paint paint) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    paint(dc);
    EndPaint(window, &ps);
    return true;
  }
  if (message == WM_PRINTCLIENT) {
    paint(reinterpret_cast<HDC>(wParam));
    return true;
  }
  return false;
}

// The module whose resources and window classes the framework uses (the control's DLL or the exe).
HINSTANCE FrameworkInstance();
void SetFrameworkInstance(HINSTANCE instance);
// Unregisters every window class the framework registered; the module calls it when it unloads,
// so that a module loaded again registers its own procedure instead of finding a stale one.
void UnregisterFrameworkClasses();
