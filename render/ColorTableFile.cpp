// Loading a camera's selected colour table from the shared "_color.xsv" file.
#include "render/ColorTableFile.h"

#include <windows.h>

#include <string>
#include <utility>

#include "config/SharedFolder.h"
#include "render/ColorTable.h"

namespace {

class CPrivateProfileFile : public ProfileSource {
 public:
  explicit CPrivateProfileFile(std::string path) : m_path(std::move(path)) {}

  std::string Read(const char* section, const char* key) const override {
    char value[kProfileValueBytes] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, m_path.c_str());
    return value;
  }

 private:
  std::string m_path;
};

}  // namespace

// Unlike the configuration files, the colour table has no fallback to the current directory.
int LoadColorTable(std::int32_t* coefficients, std::uint32_t serial) {
  char folder[kFolderChars] = {};
  // An unreadable registry value leaves the folder empty, which is all that matters here.
  GetSharedDocumentsFolder(folder);
  if (folder[0] == '\0') {
    ResetColorTable(coefficients);
    return 0;
  }
  return ReadColorTable(CPrivateProfileFile(ColorTableFilePath(folder)), serial, coefficients);
}
