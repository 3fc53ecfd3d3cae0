// The per-process driver configuration file and the process's one loaded driver.
#include "tests/tessadrv/DriverConfigFile.h"

#include <windows.h>

#include <cstdio>

namespace {

// Removed when the process ends.
class ConfigFile {
 public:
  ConfigFile() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + "selvar-tessadrv-" + std::to_string(GetCurrentProcessId()) + ".ini";
  }
  ~ConfigFile() { DeleteFileA(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

void UseDriverConfiguration(const std::string& iniText) {
  static ConfigFile file;
  if (std::FILE* out = std::fopen(file.Path().c_str(), "wb")) {
    std::fwrite(iniText.data(), 1, iniText.size(), out);
    std::fclose(out);
  }
  SetEnvironmentVariableA("TESSADRV_CONFIG", file.Path().c_str());
}

TessaLibrary& LoadedTessaDrv() {
  static TessaLibrary library;
  if (!library.IsLoaded()) library.Load();
  return library;
}
