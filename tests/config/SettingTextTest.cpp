// Texts stored into the settings record's fixed fields.
#include "acquisition/CameraSettings.h"

#include <gtest/gtest.h>

#include <string>

TEST(SettingText, CutToFieldTerminatedAndCleared) {
  const std::string longText(500, 'x');
  const struct { std::string text; std::size_t stored; } cases[] = {
      {"", 0}, {"abc", 3}, {std::string(66, 'y'), 66}, {std::string(67, 'z'), 66}, {longText, 66}};
  for (const auto& c : cases) {
    CameraSettings s;
    std::memset(&s, 0x7F, sizeof s);
    SetSettingText(s.ImageNamePrefix, c.text.data(), c.text.size());
    EXPECT_EQ(std::string(s.ImageNamePrefix), c.text.substr(0, c.stored));
    for (std::size_t i = c.stored; i < sizeof s.ImageNamePrefix; ++i) ASSERT_EQ(s.ImageNamePrefix[i], 0);
    EXPECT_EQ(s.OutputRate, 0x7F7F7F7Fu);  // the next field is untouched
  }
  CameraSettings s;
  SetSettingText(s.ImageFolder, longText.data(), longText.size());
  EXPECT_EQ(std::string(s.ImageFolder), longText.substr(0, 260));
}
