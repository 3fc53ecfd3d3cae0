// Storage folder form and the configuration file's path.
#include "config/ConfigPath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ConfigPath, OneTrailingBackslashIsRemoved) {
  const struct { const char* folder; const char* result; } cases[] = {
      {"C:\\Data\\", "C:\\Data"}, {"C:\\Data", "C:\\Data"}, {"C:\\Data\\\\", "C:\\Data\\"},
      {"\\", ""},                 {"", ""},                 {"C:\\", "C:"},
  };
  for (const auto& c : cases) {
    char folder[kFolderChars];
    std::strcpy(folder, c.folder);
    RemoveTrailingBackslash(folder);
    EXPECT_STREQ(folder, c.result) << c.folder;
  }
}

TEST(ConfigPath, SerialIsSignedDecimalFileName) {
  const struct { const char* folder; std::uint32_t serial; const char* path; } cases[] = {
      {"C:\\Data", 77, "C:\\Data\\77.xml"},
      {"C:\\Data", 0, "C:\\Data\\0.xml"},
      {"C:\\Data", 100000023, "C:\\Data\\100000023.xml"},
      {"C:\\Data", 2147483647u, "C:\\Data\\2147483647.xml"},
      {"C:\\Data", 2147483648u, "C:\\Data\\-2147483648.xml"},
      {"C:\\Data", 4294967295u, "C:\\Data\\-1.xml"},
      {"C:\\Data", 3000000000u, "C:\\Data\\-1294967296.xml"},
  };
  for (const auto& c : cases) {
    char path[kConfigPathChars];
    EXPECT_EQ(BuildConfigPath(c.folder, static_cast<std::int32_t>(c.serial), path, sizeof path), 0);
    EXPECT_STREQ(path, c.path) << c.serial;
  }
}

TEST(ConfigPath, TrailingBackslashFolderGivesSamePath) {
  char folder[kFolderChars] = "C:\\Users\\Public\\Documents\\";
  RemoveTrailingBackslash(folder);
  char path[kConfigPathChars];
  ASSERT_EQ(BuildConfigPath(folder, 77, path, sizeof path), 0);
  EXPECT_STREQ(path, "C:\\Users\\Public\\Documents\\77.xml");
}

TEST(ConfigPath, LongestFolderAndSerialFit) {
  const std::string folder(kFolderChars - 1, 'd');
  char path[kConfigPathChars];
  ASSERT_EQ(BuildConfigPath(folder.c_str(), INT32_MIN, path, sizeof path), 0);
  EXPECT_EQ(std::string(path), folder + "\\-2147483648.xml");
  char small[16];
  EXPECT_NE(BuildConfigPath(folder.c_str(), 1, small, sizeof small), 0);
  EXPECT_EQ(small[sizeof small - 1], '\0');
}
