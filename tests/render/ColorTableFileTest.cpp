// Tests of loading colour tables from real "_color.xsv" files in the shared documents folder.
#include "render/ColorTableFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/SharedFolder.h"
#include "tests/support/SharedDocumentsValue.h"

namespace {

constexpr std::int32_t kOne = 65536;

std::vector<std::int32_t> Identity() {
  std::vector<std::int32_t> words(18, 0);
  words[0] = words[4] = words[8] = kOne;
  return words;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  // Drop whatever the profile reader may still hold of an earlier version of the file.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
  return written && closed;
}

class ColorTableFile : public testing::Test {
 protected:
  void SetUp() override {
    char folder[kFolderChars] = {};
    ASSERT_EQ(GetSharedDocumentsFolder(folder), 0) << "the prefix registers no shared documents";
    m_folder = folder;
    m_path = m_folder + "\\_color.xsv";
  }
  void TearDown() override { DeleteFileA(m_path.c_str()); }

  // Writes the file and loads the table of serial number 12345 from it.
  int Load(const std::string& text, std::vector<std::int32_t>& words) {
    EXPECT_TRUE(WriteTextFile(m_path, text)) << m_path;
    words.assign(18, -3);
    return LoadColorTable(words.data(), 12345);
  }

  std::string m_folder;
  std::string m_path;
};

const char kTableFile[] =
    "[0000012346_Tables]\r\n"
    "TablesCount=1\r\n"
    "[0000012346_Table_0]\r\n"
    "Value_0=7\r\n"
    "[0000012345_Tables]\r\n"
    "TablesCount=1\r\n"
    "SelectedTable=0\r\n"
    "[0000012345_Table_0]\r\n"
    "Value_0=1.5\r\n"
    "Value_1=-0.25\r\n"
    "Value_4=1.00001\r\n"
    "Value_8=1\r\n";

std::vector<std::int32_t> TableFileWords() {
  std::vector<std::int32_t> words(18, 0);
  words[0] = 98304;
  words[1] = -16384;
  words[4] = 65536;
  words[8] = kOne;
  return words;
}

TEST_F(ColorTableFile, ReadsTheSelectedTableOfTheSerialNumber) {
  std::vector<std::int32_t> words;
  EXPECT_EQ(Load(kTableFile, words), 1);
  EXPECT_EQ(words, TableFileWords());
}

TEST_F(ColorTableFile, SelectionAndSumRules) {
  struct Case {
    const char* name;
    const char* text;
    int found;
    std::vector<std::int32_t> words;
  };
  std::vector<std::int32_t> minusOne(18, 0);
  minusOne[2] = 32768;
  std::vector<std::int32_t> cancelled(18, 0);
  cancelled[0] = kOne;
  cancelled[1] = -kOne;
  const Case cases[] = {
      {"selected index equal to the count",
       "[0000012345_Tables]\r\nTablesCount=2\r\nSelectedTable=2\r\n"
       "[0000012345_Table_2]\r\nValue_0=3\r\n",
       0, Identity()},
      {"selected -1 of 2",
       "[0000012345_Tables]\r\nTablesCount=2\r\nSelectedTable=-1\r\n"
       "[0000012345_Table_-1]\r\nValue_2=0.5\r\n",
       1, minusOne},
      {"no count",
       "[0000012345_Tables]\r\nSelectedTable=0\r\n[0000012345_Table_0]\r\nValue_0=3\r\n", 0,
       Identity()},
      {"values summing to zero",
       "[0000012345_Tables]\r\nTablesCount=1\r\n"
       "[0000012345_Table_0]\r\nValue_0=1\r\nValue_1=-1\r\nValue_2=0\r\nValue_3=0\r\n"
       "Value_4=0\r\nValue_5=0\r\nValue_6=0\r\nValue_7=0\r\nValue_8=0\r\n",
       0, cancelled},
      {"missing table section", "[0000012345_Tables]\r\nTablesCount=1\r\n", 0,
       std::vector<std::int32_t>(18, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::int32_t> words;
    EXPECT_EQ(Load(c.text, words), c.found);
    EXPECT_EQ(words, c.words);
  }
}

TEST_F(ColorTableFile, NoFileMeansNoTable) {
  DeleteFileA(m_path.c_str());
  std::vector<std::int32_t> words(18, -3);
  EXPECT_EQ(LoadColorTable(words.data(), 12345), 0);
  EXPECT_EQ(words, Identity());
}

TEST_F(ColorTableFile, AFolderRegisteredWithATrailingBackslashGetsNoSecondOne) {
  SharedDocumentsValue registered;
  ASSERT_TRUE(registered.Set(m_folder + "\\"));
  std::vector<std::int32_t> words;
  EXPECT_EQ(Load(kTableFile, words), 1);
  EXPECT_EQ(words, TableFileWords());
}

TEST_F(ColorTableFile, WithoutARegisteredFolderTheCurrentDirectoryIsNotTried) {
  char current[MAX_PATH] = {};
  ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, current), 0u);
  const std::string local = std::string(current) + "\\_color.xsv";
  ASSERT_TRUE(WriteTextFile(local, kTableFile));
  ASSERT_TRUE(WriteTextFile(m_path, kTableFile));
  {
    SharedDocumentsValue unregistered;
    ASSERT_TRUE(unregistered.Remove());
    std::vector<std::int32_t> words(18, -3);
    EXPECT_EQ(LoadColorTable(words.data(), 12345), 0);
    EXPECT_EQ(words, Identity());
  }
  DeleteFileA(local.c_str());
  // The registered folder is back, and with it the table.
  std::vector<std::int32_t> words(18, -3);
  EXPECT_EQ(LoadColorTable(words.data(), 12345), 1);
}

}  // namespace
