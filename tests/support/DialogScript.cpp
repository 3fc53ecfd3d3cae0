// Dialog stages run from thread timers, and screenshots of a window from the screen.
#include "tests/support/DialogScript.h"

#include <cstdint>

namespace {

constexpr UINT kPollMs = 20;
constexpr UINT kWatchdogMs = 10000;

struct Script {
  std::vector<DialogStage> stages;
  size_t next = 0;
  UINT_PTR poll = 0;
  UINT_PTR watchdog = 0;
};
Script g_script;

struct Search {
  const std::function<bool(HWND)>* matches;
  HWND found;
};

BOOL CALLBACK FindMatching(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (IsWindowVisible(window) && (*search->matches)(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

bool IsDialogClass(HWND window) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  return std::wstring(name) == L"#32770";
}

// Only this thread's windows: test programs run side by side.
void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  if (g_script.next >= g_script.stages.size()) return;
  Search search{&g_script.stages[g_script.next].matches, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindMatching, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  // Advanced first: the steps may enter a nested loop in which the next stage runs.
  const DialogStage& stage = g_script.stages[g_script.next++];
  stage.steps(search.found);
}

BOOL CALLBACK EndDialogs(HWND window, LPARAM) {
  if (IsDialogClass(window)) EndDialog(window, IDCANCEL);
  return TRUE;
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), EndDialogs, 0);
}

}  // namespace

std::function<bool(HWND)> DialogTitled(const std::wstring& title) {
  return [title](HWND window) {
    wchar_t text[128] = L"";
    GetWindowTextW(window, text, 128);
    return IsDialogClass(window) && title == text;
  };
}

std::function<bool(HWND)> DialogHolding(const std::wstring& controlClass) {
  return [controlClass](HWND window) {
    return IsDialogClass(window) &&
           FindWindowExW(window, nullptr, controlClass.c_str(), nullptr) != nullptr;
  };
}

int RunDialogStages(std::vector<DialogStage> stages, const std::function<void()>& body) {
  g_script = Script{};
  g_script.stages = std::move(stages);
  g_script.poll = SetTimer(nullptr, 0, kPollMs, Poll);
  g_script.watchdog = SetTimer(nullptr, 0, kWatchdogMs, Watchdog);
  body();
  KillTimer(nullptr, g_script.poll);
  KillTimer(nullptr, g_script.watchdog);
  return static_cast<int>(g_script.next);
}

int RunDialogScript(const std::wstring& title, std::function<void(HWND)> steps,
                    const std::function<void()>& body) {
  return RunDialogStages({{DialogTitled(title), std::move(steps)}}, body);
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[512] = L"";
  GetDlgItemTextW(dialog, id, text, 512);
  return text;
}

void Press(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

void PostPress(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Type(HWND dialog, int id, const std::wstring& text) { SetDlgItemTextW(dialog, id, text.c_str()); }

COLORREF Screenshot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

namespace {

Screenshot CaptureOnce(HWND window, const wchar_t* bmpPath) {
  Screenshot shot;
  RECT rect;
  GetWindowRect(window, &rect);
  shot.width = rect.right - rect.left;
  shot.height = rect.bottom - rect.top;
  BITMAPINFOHEADER header{sizeof header, shot.width, -shot.height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(memory, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                 &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const std::uint32_t*>(bits);
  shot.pixels.assign(source, source + static_cast<size_t>(shot.width) * shot.height);
  // The fourth byte is whatever the display left there; a viewer would take it for transparency.
  for (std::uint32_t& pixel : shot.pixels) pixel |= 0xFF000000u;
  if (bmpPath) {
    HANDLE file = CreateFileW(bmpPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      BITMAPFILEHEADER fileHeader{};
      fileHeader.bfType = 0x4D42;
      fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
      const DWORD bytes = static_cast<DWORD>(shot.pixels.size() * 4);
      fileHeader.bfSize = fileHeader.bfOffBits + bytes;
      DWORD written = 0;
      WriteFile(file, &fileHeader, sizeof fileHeader, &written, nullptr);
      WriteFile(file, &header, sizeof header, &written, nullptr);
      WriteFile(file, shot.pixels.data(), bytes, &written, nullptr);
      CloseHandle(file);
    }
  }
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

}  // namespace

Screenshot CaptureWindow(HWND window, const wchar_t* bmpPath,
                         const std::function<bool(const Screenshot&)>& ready) {
  // Painted once, then given time to reach the display before it is read back.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  PumpFor(150);
  Screenshot shot = CaptureOnce(window, bmpPath);
  for (int tries = 0; tries < 30 && !ready(shot); ++tries) {
    PumpFor(100);
    shot = CaptureOnce(window, bmpPath);
  }
  return shot;
}

std::wstring ArtefactPath(const wchar_t* name) {
  CreateDirectoryW(L"..\\test-artefacts", nullptr);
  return std::wstring(L"..\\test-artefacts\\") + name;
}
