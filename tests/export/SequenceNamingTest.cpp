// Saved-frame counts and the names of saved files.
#include "export/SequenceNaming.h"

#include <gtest/gtest.h>

#include <string>

TEST(SequenceNaming, CountsTakeEveryStepUpToTheLastFrameAndRefuseEmptyRanges) {
  const struct { std::uint32_t first, last, step, count; bool ok; } cases[] = {
      {0, 99, 1, 100, true},  {0, 9, 4, 3, true},   {0, 9, 3, 4, true},  {5, 5, 1, 1, true},
      {0, 2, 5, 1, true},     {0, 99, 0, 0, false}, {10, 9, 1, 0, false},
      {0, 0xFFFFFFFEu, 1, 0xFFFFFFFFu, true},  // the whole span but one
      {0, 0xFFFFFFFFu, 1, 0, false},           // 2^32 frames cannot be counted
      {0, 0xFFFFFFFFu, 2, 0x80000000u, true}};
  for (const auto& c : cases) {
    std::uint32_t count = 77;
    EXPECT_EQ(SavedFrameCount(c.first, c.last, c.step, count), c.ok)
        << c.first << ".." << c.last << " by " << c.step;
    EXPECT_EQ(count, c.count);
  }
}

TEST(SequenceNaming, FileNamesNumberThePositionInTheSeries) {
  char name[kMaxFileNameChars + 1];
  ASSERT_TRUE(FrameFileName("C:\\Shots", "Img", 0, "tif", name));
  EXPECT_STREQ(name, "C:\\Shots\\Img000.tif");
  ASSERT_TRUE(FrameFileName("C:\\Shots", "Img", 1000, "tif", name));
  EXPECT_STREQ(name, "C:\\Shots\\Img1000.tif") << "the 1001st file has four digits";
  ASSERT_TRUE(SequenceFileName("C:\\Shots", "Run", "avi", name));
  EXPECT_STREQ(name, "C:\\Shots\\Run.avi");

  // 259 characters fit, 260 do not; a refused name is never cut and written.
  const std::string folder(259 - std::string("\\Img000.tif").size(), 'f');
  EXPECT_TRUE(FrameFileName(folder.c_str(), "Img", 0, "tif", name));
  EXPECT_EQ(std::string(name).size(), 259u);
  EXPECT_FALSE(FrameFileName((folder + "f").c_str(), "Img", 0, "tif", name));
  EXPECT_FALSE(SequenceFileName(std::string(300, 'f').c_str(), "Img", "avi", name));
}
