// Windows side of the configuration under Wine: storage folder on the real registry, load and save, guarded replace.
#include "config/StorageFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/Configuration.h"
#include "tests/config/TempFolder.h"
#include "tests/support/SharedDocumentsValue.h"

namespace {

std::string StorageFolder() {
  char folder[kFolderChars];
  std::memset(folder, 'q', sizeof folder);
  GetStorageFolder(folder);
  return folder;
}

std::string CurrentDirectory() {
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  return current;
}

}  // namespace

TEST(StorageFolder, RegistryValueElseCurrentDirectory) {
  SharedDocumentsValue value;
  TempFolder work;
  const std::string dir = work.Path().string();
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
  const std::string current = CurrentDirectory();

  const struct { const char* name; bool present; std::string registered; std::string folder; } cases[] = {
      {"value present", true, "C:\\Shared\\Docs", "C:\\Shared\\Docs"},
      {"trailing backslash", true, "C:\\Shared\\Docs\\", "C:\\Shared\\Docs"},
      {"two trailing backslashes", true, "C:\\Shared\\Docs\\\\", "C:\\Shared\\Docs\\"},
      {"empty value", true, "", current},
      {"value absent", false, "", current},
      {"value too long for the folder", true, "C:\\" + std::string(300, 'x'), current},
      {"longest value that fits", true, "C:\\" + std::string(256, 'y'), "C:\\" + std::string(256, 'y')},
  };
  for (const auto& c : cases) {
    if (c.present) value.Set(c.registered); else value.Remove();
    EXPECT_EQ(StorageFolder(), c.folder) << c.name;
  }
  // The current directory loses its backslash too: a drive root gives "C:".
  value.Remove();
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  EXPECT_EQ(StorageFolder(), "C:");
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));

  // Save and load go through the registered folder, with the serial as a signed file name.
  value.Set(dir + "\\");
  CameraSettings saved;
  SetDefaultSettings(saved);
  saved.Rate = 250;
  saved.ImageFolder[0] = '\0';
  const std::int32_t serial = static_cast<std::int32_t>(2147483653u);
  EXPECT_EQ(SaveConfiguration(saved, serial), kConfigWritten);
  const std::string file = dir + "\\-2147483643.xml";
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.Path()), {}), 1);

  CameraSettings loaded;
  std::memset(&loaded, 0x55, sizeof loaded);
  EXPECT_EQ(LoadConfiguration(loaded, serial), kConfigRead);
  EXPECT_EQ(loaded.Rate, 250u);
  EXPECT_EQ(loaded.PixelDepth, 8u);
  EXPECT_EQ(std::string(loaded.ImageFolder), dir);  // the empty stored folder gives the storage folder

  // A camera without a file gets the defaults and the storage folder.
  std::memset(&loaded, 0x55, sizeof loaded);
  EXPECT_EQ(LoadConfiguration(loaded, 78), kConfigCannotOpen);
  EXPECT_EQ(loaded.Rate, 100u);
  EXPECT_EQ(std::string(loaded.ImageFolder), dir);

  // Values out of range are used and saved as their defaults, whichever way they came.
  WriteWholeFile(dir + "\\79.xml",
                 "<Kinetra-ActiveX-Control-Configuration>\r\n  <LiveTimeOut>-1</LiveTimeOut>\r\n"
                 "  <FileType>99</FileType>\r\n");
  EXPECT_EQ(LoadConfiguration(loaded, 79), kConfigRead);
  EXPECT_EQ(loaded.LiveTimeOut, 5000u);
  EXPECT_EQ(loaded.FileType, 1u);
  loaded.OutputRate = 0;
  EXPECT_EQ(SaveConfiguration(loaded, 79), kConfigWritten);
  EXPECT_NE(ReadWholeFile(dir + "\\79.xml").find("<OutputRate>5</OutputRate>"), std::string::npos);

  // A registered folder that does not exist: nothing is saved, nothing is created.
  value.Set(dir + "\\absent");
  EXPECT_EQ(SaveConfiguration(saved, 77), kConfigCannotCreate);
  EXPECT_FALSE(std::filesystem::exists(dir + "\\absent"));
  SetCurrentDirectoryA("C:\\");
}

TEST(ConfigWriterWin32, TargetHeldOpenByAnotherProgramIsKept) {
  TempFolder work;
  const std::string path = work.File("77.xml");
  WriteWholeFile(path, "previous\r\n");
  // Opened without sharing, as an editor may hold it: ReplaceFileW must fail and change nothing.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  CameraSettings s;
  SetDefaultSettings(s);
  EXPECT_EQ(WriteConfigFile(path.c_str(), s), kConfigReplaceFailed);
  CloseHandle(held);
  EXPECT_EQ(ReadWholeFile(path), "previous\r\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  // Once released, the same write goes through.
  EXPECT_EQ(WriteConfigFile(path.c_str(), s), kConfigWritten);
  CameraSettings back;
  SetDefaultSettings(back);
  EXPECT_EQ(ReadConfigFile(path.c_str(), back), kConfigRead);
  EXPECT_EQ(std::memcmp(&back, &s, sizeof s), 0);
}

TEST(ConfigWriterWin32, ReadOnlyFileIsLeftAsItWas) {
  TempFolder work;
  const std::string path = work.File("77.xml");
  WriteWholeFile(path, "previous\r\n");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  CameraSettings s;
  SetDefaultSettings(s);
  EXPECT_EQ(WriteConfigFile(path.c_str(), s), kConfigReplaceFailed);
  EXPECT_EQ(ReadWholeFile(path), "previous\r\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
