// Window creation, class registration and message dispatch for framework windows.
#include "platform/framework/WindowBase.h"

#include <atomic>
#include <string>
#include <vector>

#include "platform/framework/DispatchScope.h"

namespace {

std::atomic<long> g_liveWindows{0};
HINSTANCE g_instance = nullptr;

// The classes this module registered, so that they can go when the module unloads.
std::vector<std::wstring>& RegisteredClasses() {
  static std::vector<std::wstring> names;
  return names;
}

}  // namespace

HINSTANCE FrameworkInstance() {
  return g_instance ? g_instance : GetModuleHandleW(nullptr);
}

void SetFrameworkInstance(HINSTANCE instance) { g_instance = instance; }

CWindowBase::~CWindowBase() { Destroy(); }

long CWindowBase::LiveWindowCount() { return g_liveWindows.load(); }

void CWindowBase::RegisterWindowClass() const {
  WNDCLASSEXW existing{sizeof existing};
  if (GetClassInfoExW(FrameworkInstance(), ClassName(), &existing)) {
    if (existing.lpfnWndProc == WindowProc) return;
    // Left behind by an earlier copy of this module loaded at the same address: its procedure
    // is gone with it.
    UnregisterClassW(ClassName(), FrameworkInstance());
  }
  WNDCLASSEXW wc{sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = FrameworkInstance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = BackgroundBrush();
  wc.lpszClassName = ClassName();
  if (RegisterClassExW(&wc)) RegisteredClasses().push_back(ClassName());
}

void UnregisterFrameworkClasses() {
  for (const std::wstring& name : RegisteredClasses()) {
    UnregisterClassW(name.c_str(), FrameworkInstance());
  }
  RegisteredClasses().clear();
}

HWND CWindowBase::Create(DWORD exStyle, const wchar_t* title, DWORD style, const RECT& rect,
                         HWND parent, HMENU idOrMenu) {
  RegisterWindowClass();
  return CreateWindowExW(exStyle, ClassName(), title, style, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent, idOrMenu,
                         FrameworkInstance(), this);
}

void CWindowBase::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CWindowBase::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK CWindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const DispatchScope scope;
  CWindowBase* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<CWindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ++g_liveWindows;
  } else {
    self = reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

  LRESULT result = self->HandleMessage(message, wParam, lParam);
  if (message == WM_CREATE && result != -1) self->OnCreated();
  if (message == WM_NCDESTROY) {
    // The object may outlive its window (embedded members) or not; either way it lets go here.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    --g_liveWindows;
    self->OnDestroyed();
  }
  return result;
}
