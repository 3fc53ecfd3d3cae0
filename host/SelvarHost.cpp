// SelvarHost: runs the camera workstation in a window of its own. With --demo FILE it runs the
// unattended demo and saves a screenshot to FILE.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <memory>

#include "camera/TessaLibrary.h"
#include "export/ImageFileLibrary.h"
#include "host/DemoScript.h"
#include "control/CameraDocTemplate.h"
#include "host/HostFrame.h"

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  TessaLibrary driver;
  if (driver.Load() != 0) std::printf("SelvarHost: TessaDrv.dll not found; running without camera\n");

  CImageFileLibrary images;
  if (images.Load() != 0) std::printf("SelvarHost: PictoLib.dll not found; saving is unavailable\n");

  CCameraDocTemplate<CHostFrame> docTemplate(driver.Api(), images.Api());
  CFrameWindow* frame = docTemplate.OpenNewDocument(nullptr);
  if (!frame) {
    std::printf("SelvarHost: the workstation window could not be created\n");
    return 1;
  }
  ShowWindow(frame->Handle(), SW_SHOWNORMAL);

  std::unique_ptr<CDemoScript> demo;
  if (argc >= 3 && std::wcscmp(argv[1], L"--demo") == 0) {
    demo = std::make_unique<CDemoScript>(*static_cast<CHostFrame*>(frame),
                                         *static_cast<CCamView*>(docTemplate.View()), argv[2]);
    demo->Start();
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
