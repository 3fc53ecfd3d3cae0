// Display names for every model code and the variants that change them.
#include "camera/CameraNaming.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Name(int code, int variant, int modelOnly = 0) {
  char text[128];
  NameCamera(code, variant, text, sizeof text, modelOnly);
  return text;
}
}  // namespace

TEST(CameraNaming, EveryModelCode) {
  const struct { int code, variant; const char* name; } cases[] = {
      {0, 0, "Kinetra KW/E0"},   {1, 0, "Kinetra KW/E1"},   {2, 0, "Kinetra KW/E4"},
      {3, 0, "Kinetra KW/E3"},   {4, 0, "Kinetra KW/E5"},   {5, 7, "Kinetra KW/E2"},
      {6, 0, "Veltran D3"},      {7, 0, " "},               {8, 2, "Veltran D5"},
      {9, 0, "Kinetra P3-K"},    {9, 1, "Kinetra P3-R1"},   {9, 2, "Kinetra P3-R2"},
      {9, 3, "Kinetra P3-QF"},   {9, 4, "Kinetra P3-K"},    {9, -1, "Kinetra P3-K"},
      {10, 0, "Kinetra P4"},     {10, 2, "Kinetra P4-R2"},  {10, -3, "Kinetra P4"},
      {11, 0, "Kinetra P5"},     {11, 1, "Kinetra P5-QF"},  {11, 2, "Kinetra P5"},
      {12, 0, "Orbitel LB-300Q"}, {13, 5, "Orbitel LB-WE"}, {14, 0, "Orbitel LB-RA/GA"},
      {15, 0, "Orbitel LB-4000"}, {16, 0, "Orbitel FV-4000"}, {17, 0, "Orbitel LB-UV"},
      {18, 0, "Orbitel T3"},     {18, 2, "Orbitel T3-R2"},  {19, 0, "Orbitel T4"},
      {19, 1, "Orbitel T4-R1"},  {20, 0, "Orbitel T5"},     {20, 1, "Orbitel T5-R1"},
      {20, 3, "Orbitel T5-QF"},  {19, 3, "Orbitel T4-R3"},  {20, -2, "Orbitel T5"},
      {21, 0, "Kinetra P6"},     {21, 4, "Kinetra P6"},     {22, 0, "Kinetra P7"},
      {22, 3, "Kinetra P7-R3"},  {23, 0, " "},              {-1, 0, " "},
      {1000, 1, " "},
  };
  for (const auto& c : cases) EXPECT_EQ(Name(c.code, c.variant), c.name) << c.code << "/" << c.variant;
}

TEST(CameraNaming, ModelOnlyForm) {
  const struct { int code, variant; const char* model; } cases[] = {
      {9, 2, "P3-R2"}, {20, 3, "T5-QF"}, {6, 0, "D3"}, {14, 0, "LB-RA/GA"}, {7, 0, ""}, {0, 0, "KW/E0"}};
  for (const auto& c : cases) EXPECT_EQ(Name(c.code, c.variant, 1), c.model) << c.code;
}

TEST(CameraNaming, CutToTheCallersBuffer) {
  char text[6];
  NameCamera(0, 0, text, sizeof text, 0);
  EXPECT_STREQ(text, "Kinet");
  char untouched[1] = {'x'};
  NameCamera(0, 0, untouched, 0, 0);
  EXPECT_EQ(untouched[0], 'x');
}
