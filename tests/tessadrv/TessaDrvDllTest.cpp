// The conformance suite run under Wine against TessaDrv.dll, loaded by ordinal like the product does.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "camera/TessaLibrary.h"
#include "tests/tessadrv/ConformanceRunner.h"

namespace {

TessaLibrary& Library() {
  static TessaLibrary library;
  if (!library.IsLoaded()) library.Load(L"TessaDrv.dll");
  return library;
}

// The DLL reads its configuration from the file TESSADRV_CONFIG names; one file per process, so
// test processes running side by side do not share it.
class ConfigFile {
 public:
  ConfigFile() : path_("tessadrv-test-" + std::to_string(GetCurrentProcessId()) + ".ini") {}
  ~ConfigFile() { std::remove(path_.c_str()); }
  void Use(const std::string& ini) {
    if (std::FILE* f = std::fopen(path_.c_str(), "wb")) {
      std::fwrite(ini.data(), 1, ini.size(), f);
      std::fclose(f);
    }
    _putenv_s("TESSADRV_CONFIG", path_.c_str());
  }

 private:
  std::string path_;
};

ConfigFile& TestConfig() {
  static ConfigFile file;
  return file;
}

TEST(TessaDrvDll, LoadsEveryOrdinal) {
  ASSERT_TRUE(Library().IsLoaded());
  const TessaDriverApi& api = Library().Api();
  const void* const* entries = reinterpret_cast<const void* const*>(&api);
  for (int i = 0; i < kTessaEntryCount; ++i) EXPECT_NE(entries[i], nullptr) << "ordinal " << kTessaOrdinals[i];
}

DriverUnderTest DllUnderTest() {
  return {Library().Api(), [](const std::string& ini) { TestConfig().Use(ini); }};
}

const bool registered = RegisterConformanceTests("DllConformance", DllUnderTest, __FILE__, __LINE__);

}  // namespace
