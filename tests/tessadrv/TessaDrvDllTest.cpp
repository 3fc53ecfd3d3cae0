// The conformance suite run under Wine against TessaDrv.dll, loaded by ordinal like the product does.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/tessadrv/ConformanceRunner.h"
#include "tests/tessadrv/DriverConfigFile.h"

namespace {

TEST(TessaDrvDll, LoadsEveryOrdinal) {
  ASSERT_TRUE(LoadedTessaDrv().IsLoaded());
  const TessaDriverApi& api = LoadedTessaDrv().Api();
  const void* const* entries = reinterpret_cast<const void* const*>(&api);
  for (int i = 0; i < kTessaEntryCount; ++i) EXPECT_NE(entries[i], nullptr) << "ordinal " << kTessaOrdinals[i];
}

DriverUnderTest DllUnderTest() {
  return {LoadedTessaDrv().Api(), [](const std::string& ini) { UseDriverConfiguration(ini); }};
}

const bool registered = RegisterConformanceTests("DllConformance", DllUnderTest, __FILE__, __LINE__);

}  // namespace
