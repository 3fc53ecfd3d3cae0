// SelvarHost: a container for the Selvar control. It sites "Selvar.SelvarCtrl.1" in a window,
// loads the properties given as --prop Name=Value, and either runs the script given with
// --script FILE (.vbs or .js; the exit status is the script's Quit code, 1 on a script error)
// or stays open for the operator.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "host/ArgumentPropertyBag.h"
#include "host/HostObject.h"
#include "host/HostWindow.h"
#include "host/ScriptRunner.h"

namespace {

struct Arguments {
  CArgumentPropertyBag* properties = nullptr;
  std::wstring script;
  bool valid = true;
};

Arguments ParseArguments(int argc, wchar_t** argv, CArgumentPropertyBag* bag) {
  Arguments arguments;
  arguments.properties = bag;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--prop") == 0 && i + 1 < argc && bag->Add(argv[i + 1])) {
      ++i;
    } else if (std::wcscmp(argv[i], L"--script") == 0 && i + 1 < argc) {
      arguments.script = argv[++i];
    } else {
      arguments.valid = false;
    }
  }
  return arguments;
}

ComPtr<IOleObject> CreateControl(const wchar_t* progId) {
  ComPtr<IOleObject> control;
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(progId, &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              control.put_void()))) {
    std::printf("SelvarHost: %ls cannot be created; is Selvar.ocx registered (regsvr32)?\n", progId);
  }
  return control;
}

bool Quitting(void* host) { return static_cast<CHostObject*>(host)->QuitRequested(); }

int RunHost(const Arguments& arguments) {
  CHostWindow window;
  if (!window.CreateHostWindow(L"Selvar")) {
    std::printf("SelvarHost: the host window could not be created\n");
    return 1;
  }
  ComPtr<IOleObject> control = CreateControl(L"Selvar.SelvarCtrl.1");
  if (!control) return 1;
  ComPtr<IDispatch> selvar = window.SiteControl(
      control, arguments.properties->Empty() ? nullptr : arguments.properties);
  control.reset();
  if (!selvar) return 1;

  int status = 0;
  if (!arguments.script.empty()) {
    auto* host = new CHostObject(window.Handle());
    auto* runner = new CScriptRunner(window.Handle(), selvar.get(), host);
    runner->SetQuitCheck(Quitting, host);
    const bool ran = runner->Run(arguments.script);
    status = host->QuitRequested() ? host->ExitCode() : ran ? 0 : 1;
    runner->Release();
    selvar.reset();
    window.RemoveControl();
    // Buffers handed to the script live until here.
    host->Release();
  } else {
    selvar.reset();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (window.TranslateControlKey(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  window.RemoveControl();
  window.Destroy();
  return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  auto* bag = new CArgumentPropertyBag;
  const Arguments arguments = ParseArguments(argc, argv, bag);
  if (!arguments.valid) {
    std::printf("usage: SelvarHost [--prop Name=Value]... [--script FILE.vbs|FILE.js]\n");
    bag->Release();
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const int status = RunHost(arguments);
  bag->Release();
  OleUninitialize();
  return status;
}
