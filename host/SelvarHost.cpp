// SelvarHost: runs the camera workstation in a window of its own. With --demo FILE it runs the
// unattended demo and saves a screenshot to FILE.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <memory>

#include "camera/TessaLibrary.h"
#include "control/CameraDocTemplate.h"
#include "export/ImageFileLibrary.h"
#include "host/DemoScript.h"
#include "platform/framework/MessageFilter.h"
#include "ui/CMainFrame.h"

namespace {

CFrameWindow* g_frame = nullptr;
// The refresh of the bars' enabled and checked states, at the pace the control's timer keeps.
constexpr UINT kIdleUpdateMs = 300;

void CALLBACK UpdateBars(HWND, UINT, UINT_PTR, DWORD) {
  if (g_frame && g_frame->Handle()) g_frame->UpdateAllBars();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  TessaLibrary driver;
  if (driver.Load() != 0) std::printf("SelvarHost: TessaDrv.dll not found; running without camera\n");

  CImageFileLibrary images;
  if (images.Load() != 0) std::printf("SelvarHost: PictoLib.dll not found; saving is unavailable\n");

  int result = 0;
  {
    CCameraDocTemplate<CMainFrame> docTemplate(driver.Api(), images.Api());
    g_frame = docTemplate.OpenNewDocument(nullptr);
    if (!g_frame) {
      std::printf("SelvarHost: the workstation window could not be created\n");
      return 1;
    }
    ShowWindow(g_frame->Handle(), SW_SHOWNORMAL);
    const UINT_PTR timer = SetTimer(nullptr, 0, kIdleUpdateMs, UpdateBars);

    std::unique_ptr<CDemoScript> demo;
    if (argc >= 3 && std::wcscmp(argv[1], L"--demo") == 0) {
      demo = std::make_unique<CDemoScript>(*static_cast<CMainFrame*>(g_frame),
                                           *static_cast<CCamView*>(docTemplate.View()), argv[2]);
      demo->Start();
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (PreTranslateFrameworkMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    KillTimer(nullptr, timer);
    g_frame = nullptr;
    result = static_cast<int>(msg.wParam);
  }
  UnregisterFrameworkClasses();
  return result;
}
