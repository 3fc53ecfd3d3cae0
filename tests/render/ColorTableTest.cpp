// Tests of the colour-table rules: names, number parsing, fixed point, table selection and sum.
#include "render/ColorTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t kOne = 65536;

class TableSource : public ProfileSource {
 public:
  explicit TableSource(std::map<std::pair<std::string, std::string>, std::string> values)
      : m_values(std::move(values)) {}

  std::string Read(const char* section, const char* key) const override {
    m_sections.insert(section);
    const auto found = m_values.find({section, key});
    return found == m_values.end() ? std::string() : found->second;
  }

  const std::set<std::string>& SectionsRead() const { return m_sections; }

 private:
  std::map<std::pair<std::string, std::string>, std::string> m_values;
  mutable std::set<std::string> m_sections;
};

std::vector<std::int32_t> Identity() {
  std::vector<std::int32_t> words(kColorTableWords, 0);
  words[0] = words[4] = words[8] = kOne;
  return words;
}

TEST(ColorTable, NamesFileAndSectionsAfterTheSerialNumber) {
  EXPECT_EQ(ColorTablesSection(12345), "0000012345_Tables");
  EXPECT_EQ(ColorTableSection(12345, 0), "0000012345_Table_0");
  EXPECT_EQ(ColorTableSection(12345, -1), "0000012345_Table_-1");
  EXPECT_EQ(ColorTablesSection(4294967295u), "4294967295_Tables");
  EXPECT_EQ(ColorTableSection(0, 12), "0000000000_Table_12");
  EXPECT_EQ(ColorTableFilePath("C:\\Docs"), "C:\\Docs\\_color.xsv");
  EXPECT_EQ(ColorTableFilePath("C:\\Docs\\"), "C:\\Docs\\_color.xsv");
  EXPECT_EQ(ColorTableFilePath("C:\\"), "C:\\_color.xsv");
}

TEST(ColorTable, ParsesTheLeadingDecimalFraction) {
  struct Case {
    const char* text;
    float value;
  };
  const Case cases[] = {
      {"1.5", 1.5f},       {"-0.25", -0.25f},   {"1.00001", 1.00001f}, {"  2", 2.0f},
      {"\t+3", 3.0f},      {".5", 0.5f},        {"-.5", -0.5f},        {"5.", 5.0f},
      {"1e3", 1000.0f},    {"2.5E-1", 0.25f},   {"1.5xyz", 1.5f},      {"1,5", 1.0f},
      {"7 ; note", 7.0f},  {"", 0.0f},          {"abc", 0.0f},         {"-", 0.0f},
      {".", 0.0f},         {"+-1", 0.0f},       {"- 1", 0.0f},         {"nan", 0.0f},
      {"inf", 0.0f},       {"-infinity", 0.0f}, {"0x10", 0.0f},        {"1e39", 0.0f},
      {"-1e39", 0.0f},     {"3.4e38", 3.4e38f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseProfileFloat(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(ColorTable, ParsesTheLeadingDecimalInteger) {
  struct Case {
    const char* text;
    std::int32_t value;
  };
  const Case cases[] = {
      {"2", 2},
      {"-1", -1},
      {" +7", 7},
      {"12abc", 12},
      {"007", 7},
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {"1.9", 1},
      {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MIN},
      {"99999999999999999999999", INT32_MAX},
      {"-99999999999999999999999", INT32_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseProfileInteger(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(ColorTable, ConvertsFloatsToSixteenDotSixteen) {
  struct Case {
    float value;
    std::int32_t fixed;
  };
  const Case cases[] = {
      {1.5f, 98304},
      {-0.25f, -16384},
      {1.00001f, 65536},  // 65536.66 truncated
      {-1.00001f, -65536},  // toward zero, not down
      {0.0f, 0},
      {1.0f / 65536, 1},
      {-1.0f / 131072, 0},
      {32767.0f, 32767 * 65536},
      {-32768.0f, INT32_MIN},
      {40000.0f, INT32_MAX},
      {-40000.0f, INT32_MIN},
      {std::numeric_limits<float>::infinity(), INT32_MAX},
      {-std::numeric_limits<float>::infinity(), INT32_MIN},
      {std::numeric_limits<float>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToFixed16(c.value), c.fixed) << c.value;
  }
}

TEST(ColorTable, ReadsTheSelectedTable) {
  using Values = std::map<std::pair<std::string, std::string>, std::string>;
  const Values base = {
      {{"0000012345_Tables", "TablesCount"}, "2"},
      {{"0000012345_Tables", "SelectedTable"}, "1"},
      {{"0000012345_Table_1", "Value_0"}, "1.5"},
      {{"0000012345_Table_1", "Value_1"}, "-0.25"},
      {{"0000012345_Table_1", "Value_4"}, "1.00001"},
      {{"0000012345_Table_1", "Value_8"}, "1"},
      {{"0000012345_Table_0", "Value_0"}, "9"},
  };
  const TableSource source(base);
  std::vector<std::int32_t> words(kColorTableWords, -7);
  ASSERT_EQ(ReadColorTable(source, 12345, words.data()), 1);
  std::vector<std::int32_t> expected(kColorTableWords, 0);
  expected[0] = 98304;
  expected[1] = -16384;
  expected[4] = 65536;
  expected[8] = kOne;
  EXPECT_EQ(words, expected);
}

TEST(ColorTable, SelectionAndSumRules) {
  using Values = std::map<std::pair<std::string, std::string>, std::string>;
  struct Case {
    const char* name;
    Values values;
    int found;
    std::vector<std::int32_t> first9;  // empty: the identity stays
    const char* tableSection;          // the section that must have been read, or nullptr
  };
  const Case cases[] = {
      {"no sections", {}, 0, {}, nullptr},
      {"count 2, selected 2",
       {{{"0000012345_Tables", "TablesCount"}, "2"},
        {{"0000012345_Tables", "SelectedTable"}, "2"},
        {{"0000012345_Table_2", "Value_0"}, "1"}},
       0, {}, nullptr},
      {"another camera's tables",
       {{{"0000012346_Tables", "TablesCount"}, "1"}, {{"0000012346_Table_0", "Value_0"}, "1"}},
       0, {}, nullptr},
      {"selected -1 of 2",
       {{{"0000012345_Tables", "TablesCount"}, "2"},
        {{"0000012345_Tables", "SelectedTable"}, "-1"},
        {{"0000012345_Table_-1", "Value_2"}, "0.5"}},
       1, {0, 0, 32768, 0, 0, 0, 0, 0, 0}, "0000012345_Table_-1"},
      {"values summing to zero",
       {{{"0000012345_Tables", "TablesCount"}, "1"},
        {{"0000012345_Table_0", "Value_0"}, "1"},
        {{"0000012345_Table_0", "Value_1"}, "-1"}},
       0, {kOne, -kOne, 0, 0, 0, 0, 0, 0, 0}, "0000012345_Table_0"},
      {"missing table section",
       {{{"0000012345_Tables", "TablesCount"}, "1"}},
       0, {0, 0, 0, 0, 0, 0, 0, 0, 0}, "0000012345_Table_0"},
      // In float arithmetic 1e8 + 1 is 1e8, so the running sum ends at 0.
      {"sum cancelling in single precision",
       {{{"0000012345_Tables", "TablesCount"}, "1"},
        {{"0000012345_Table_0", "Value_0"}, "100000000"},
        {{"0000012345_Table_0", "Value_1"}, "1"},
        {{"0000012345_Table_0", "Value_2"}, "-100000000"}},
       0, {INT32_MAX, kOne, INT32_MIN, 0, 0, 0, 0, 0, 0}, "0000012345_Table_0"},
      {"unreadable values count as 0",
       {{{"0000012345_Tables", "TablesCount"}, "1"},
        {{"0000012345_Table_0", "Value_0"}, "one"},
        {{"0000012345_Table_0", "Value_3"}, "0.25"}},
       1, {0, 0, 0, 16384, 0, 0, 0, 0, 0}, "0000012345_Table_0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TableSource source(c.values);
    std::vector<std::int32_t> words(kColorTableWords, 99);
    EXPECT_EQ(ReadColorTable(source, 12345, words.data()), c.found);
    std::vector<std::int32_t> expected = Identity();
    if (!c.first9.empty()) std::copy(c.first9.begin(), c.first9.end(), expected.begin());
    EXPECT_EQ(words, expected);
    if (c.tableSection) {
      EXPECT_EQ(source.SectionsRead().count(c.tableSection), 1u);
    } else {
      EXPECT_EQ(source.SectionsRead(), std::set<std::string>{"0000012345_Tables"});
    }
  }
}

TEST(ColorTable, ResetLeavesTheIdentityInTheFirstNineWords) {
  std::vector<std::int32_t> words(kColorTableWords, 3);
  ResetColorTable(words.data());
  EXPECT_EQ(words, Identity());
}

}  // namespace
