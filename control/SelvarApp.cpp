// Loading the driver and the image-file library beside Selvar.ocx.
#include "control/SelvarApp.h"

#include <string>

#include "platform/com/ComModule.h"
#include "platform/com/ComRegistry.h"

CSelvarApp& CSelvarApp::Instance() {
  static CSelvarApp app;
  return app;
}

void CSelvarApp::Load() {
  if (loaded_) return;
  loaded_ = true;
  // A script host's own folder is not the control's: name the libraries by full path.
  wchar_t path[MAX_PATH];
  std::wstring folder;
  if (ModulePath(ComModule::Instance(), path)) {
    folder = path;
    folder.erase(folder.find_last_of(L"\\/") + 1);
  }
  driver_.Load((folder + L"TessaDrv.dll").c_str());
  images_.Load((folder + L"PictoLib.dll").c_str());
}

const TessaDriverApi& CSelvarApp::Driver() {
  Load();
  return driver_.Api();
}

const PictoLibApi& CSelvarApp::Images() {
  Load();
  return images_.Api();
}
