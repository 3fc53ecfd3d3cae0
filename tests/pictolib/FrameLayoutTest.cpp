// Frame geometry checks, row conversions, rate fractions and the JPEG quality scale.
#include "platform/pictolib/FrameLayout.h"
#include "platform/pictolib/RowKernels.h"
#include "platform/pictolib/FrameRate.h"
#include "platform/pictolib/JpegEncoder.h"
#include "tests/pictolib/TestFrames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(FrameLayout, DepthsGiveTheirSampleLayout) {
  struct Case {
    std::uint32_t depth, channels, sampleBytes, sampleBits, pixelBytes;
  };
  const Case cases[] = {{8, 1, 1, 8, 1}, {9, 1, 2, 9, 2}, {10, 1, 2, 10, 2},
                        {24, 3, 1, 8, 3}, {27, 3, 2, 9, 6}, {30, 3, 2, 10, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.depth);
    const ImageInfo info = MakeInfo(5, 3, c.depth);
    FrameLayout l;
    ASSERT_EQ(DescribeFrame(&info, l), kPictoOk);
    EXPECT_EQ(l.channels, c.channels);
    EXPECT_EQ(l.sampleBytes, c.sampleBytes);
    EXPECT_EQ(l.sampleBits, c.sampleBits);
    EXPECT_EQ(l.PixelBytes(), c.pixelBytes);
    EXPECT_EQ(l.FrameBytes(), 15u * c.pixelBytes);
  }
}

TEST(FrameLayout, RefusesBadRecordsAndAbsurdGeometry) {
  struct Case {
    std::uint32_t size, width, height, depth;
    int status;
  };
  const Case cases[] = {
      {48, 0, 10, 8, kPictoBadGeometry},      {48, 10, 0, 8, kPictoBadGeometry},
      {48, 65536, 1, 8, kPictoBadGeometry},   {48, 1, 65536, 8, kPictoBadGeometry},
      {48, 65535, 65535, 8, kPictoBadGeometry},  // 4 GB frame
      {48, 20000, 10000, 30, kPictoBadGeometry},
      {48, 10, 10, 0, kPictoBadGeometry},     {48, 10, 10, 12, kPictoBadGeometry},
      {48, 10, 10, 32, kPictoBadGeometry},    {40, 10, 10, 8, kPictoBadArgument},
      {0, 10, 10, 8, kPictoBadArgument},      {48, 65535, 16, 30, kPictoOk},
      {48, 16384, 16384, 8, kPictoOk},         // exactly 256 MB
  };
  for (const Case& c : cases) {
    ImageInfo info = MakeInfo(c.width, c.height, c.depth);
    info.Size = c.size;
    FrameLayout l;
    EXPECT_EQ(DescribeFrame(&info, l), c.status) << c.width << "x" << c.height << " depth " << c.depth;
  }
  FrameLayout l;
  EXPECT_EQ(DescribeFrame(nullptr, l), kPictoBadArgument);
}

std::vector<std::uint8_t> Words(std::initializer_list<unsigned> values) {
  std::vector<std::uint8_t> b;
  for (unsigned v : values) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
  }
  return b;
}

TEST(FrameLayout, EightBitRowsKeepTheUpperBitsAndSaturate) {
  struct Case {
    std::uint32_t depth;
    std::vector<std::uint8_t> row;
    RowOrder order;
    std::vector<std::uint8_t> expected;
  };
  const Case cases[] = {
      {10, Words({1023, 512, 3}), RowOrder::Bgr, {255, 128, 0}},
      {9, Words({511, 256, 1}), RowOrder::Bgr, {255, 128, 0}},
      {10, Words({0xFFFF, 1024}), RowOrder::Bgr, {255, 255}},  // bits above the depth saturate
      {30, Words({1023, 0, 512}), RowOrder::Bgr, {255, 0, 128}},
      {30, Words({1023, 0, 512}), RowOrder::Rgb, {128, 0, 255}},
      {27, Words({2, 511, 100}), RowOrder::Rgb, {50, 255, 1}},
      {24, {1, 2, 3, 4, 5, 6}, RowOrder::Rgb, {3, 2, 1, 6, 5, 4}},
      {24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, RowOrder::Rgb,
       {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13}},
      {24, {1, 2, 3}, RowOrder::Bgr, {1, 2, 3}},
      {8, {7, 200}, RowOrder::Rgb, {7, 200}},
  };
  for (const Case& c : cases) {
    const ImageInfo info = MakeInfo(std::uint32_t(c.expected.size() / (c.depth > 16 ? 3 : 1)), 1, c.depth);
    const FrameLayout l = LayoutOf(info);
    std::vector<std::uint8_t> out(c.expected.size());
    RowTo8Bit(l, c.row.data(), out.data(), c.order);
    EXPECT_EQ(out, c.expected) << "depth " << c.depth;
  }
}

// The vector loops stop where whole vectors end; every row length must come out as pixel by pixel
// (exactly sized buffers, so that a write past the row shows under AddressSanitizer).
TEST(RowKernels, EveryRowLengthMatchesThePixelRule) {
  for (std::size_t n = 1; n <= 40; ++n) {
    std::vector<std::uint8_t> bytes(3 * n), words(2 * n);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = std::uint8_t(i * 37 + n);
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned v = unsigned(i * 97 + n * 13) % 1100;  // some above 10 bits, to saturate
      words[2 * i] = std::uint8_t(v);
      words[2 * i + 1] = std::uint8_t(v >> 8);
    }
    std::vector<std::uint8_t> swapped(3 * n), spread(3 * n), narrow(n), narrowSpread(3 * n);
    SwapOuterBytes24(bytes.data(), swapped.data(), n);
    SpreadGreyToRgb24(bytes.data(), spread.data(), n);
    NarrowWords(words.data(), narrow.data(), n, 2);
    NarrowGreyWordsToRgb24(words.data(), narrowSpread.data(), n, 2);
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned word = unsigned(words[2 * i] | words[2 * i + 1] << 8) >> 2;
      const std::uint8_t upper = std::uint8_t(word > 255 ? 255 : word);
      for (std::size_t c = 0; c < 3; ++c) {
        ASSERT_EQ(swapped[3 * i + c], bytes[3 * i + 2 - c]) << n << " pixels, pixel " << i;
        ASSERT_EQ(spread[3 * i + c], bytes[i]) << n << " pixels, pixel " << i;
        ASSERT_EQ(narrowSpread[3 * i + c], upper) << n << " pixels, pixel " << i;
      }
      ASSERT_EQ(narrow[i], upper) << n << " words, word " << i;
    }
  }
}

TEST(FrameLayout, SixteenBitRowsKeepEverySample) {
  const FrameLayout wide = LayoutOf(MakeInfo(1, 1, 30));
  const std::vector<std::uint8_t> bgr = Words({0x301, 0x102, 0x203});
  std::vector<std::uint8_t> out(6);
  RowTo16Bit(wide, bgr.data(), out.data(), RowOrder::Rgb, true);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{0x02, 0x03, 0x01, 0x02, 0x03, 0x01}));
  RowTo16Bit(wide, bgr.data(), out.data(), RowOrder::Bgr, false);
  EXPECT_EQ(out, bgr);
  const FrameLayout narrow = LayoutOf(MakeInfo(2, 1, 8));
  const std::uint8_t grey[2] = {0x80, 0xFF};
  out.assign(4, 0);
  RowTo16Bit(narrow, grey, out.data(), RowOrder::Rgb, false);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{0x80, 0, 0xFF, 0}));
}

TEST(FrameRate, RatesBecomeReducedFractions) {
  struct Case {
    float rate;
    bool ok;
    std::uint32_t numerator, denominator;
  };
  const Case cases[] = {{5.0f, true, 5, 1},     {29.97f, true, 2997, 100}, {0.5f, true, 1, 2},
                        {1000.0f, true, 1000, 1}, {12.5f, true, 25, 2},    {0.0f, false, 0, 0},
                        {-5.0f, false, 0, 0},    {0.0001f, false, 0, 0},  {2e6f, false, 0, 0},
                        {std::nanf(""), false, 0, 0}, {INFINITY, false, 0, 0}};
  for (const Case& c : cases) {
    RateFraction f;
    ASSERT_EQ(ToRateFraction(c.rate, f), c.ok) << c.rate;
    if (!c.ok) continue;
    EXPECT_EQ(f.numerator, c.numerator) << c.rate;
    EXPECT_EQ(f.denominator, c.denominator) << c.rate;
  }
}

TEST(JpegEncoder, QualityMapsToTheUsualPercentScale) {
  const std::pair<std::uint32_t, int> cases[] = {{0, 1},    {49, 1},     {150, 2},     {7500, 75},
                                                 {7549, 75}, {7550, 76}, {10000, 100}, {50000, 100}};
  for (const auto& c : cases) EXPECT_EQ(JpegEncoder::ToPercent(c.first), c.second) << c.first;
}

}  // namespace
