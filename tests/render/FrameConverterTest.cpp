// Tests of the frame conversion: every depth, row padding, buffer reuse, refusals, zoomed size.
#include "render/FrameConverter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/RawFrame.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Words(const std::vector<std::uint16_t>& words) {
  Bytes bytes;
  for (std::uint16_t w : words) {
    bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(w >> 8));
  }
  return bytes;
}

// Distinct non-zero bytes, so that a misplaced or missing byte shows.
Bytes Pattern(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(1 + i % 251);
  return bytes;
}

struct Converted {
  int status;
  const std::uint8_t* bits;
};

Converted Convert(CFrameConverter& converter, const Bytes& frame, std::int32_t width,
                  std::int32_t height) {
  Converted result{};
  result.status = converter.Convert(frame.data(), frame.size(), width, height, &result.bits);
  return result;
}

TEST(FrameConverter, ConvertsSmallFramesOfEveryDepth) {
  struct Case {
    const char* name;
    std::uint32_t depth;
    std::int32_t width, height;
    Bytes frame;
    Bytes expected;  // the bitmap rows, pad bytes included
  };
  const Case cases[] = {
      {"10 bits keep their upper eight", 10, 3, 2, Words({1023, 512, 3, 4, 1020, 0}),
       {255, 128, 0, 0, 1, 255, 0, 0}},
      {"9 bits keep their upper eight", 9, 2, 1, Words({511, 256}), {255, 128, 0, 0}},
      {"bits above the sample do not show", 10, 1, 1, Words({0xFC00 | 4}), {1, 0, 0, 0}},
      {"30 bits keep blue, green, red", 30, 1, 2, Words({1023, 0, 512, 4, 8, 12}),
       {255, 0, 128, 0, 1, 2, 3, 0}},
      {"27 bits keep blue, green, red", 27, 2, 1, Words({511, 0, 256, 2, 4, 6}),
       {255, 0, 128, 1, 2, 3, 0, 0}},
      {"24 bits five wide pad to 16", 24, 5, 1, Pattern(15),
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}},
      {"8 bits three wide pad to 4", 8, 3, 2, {9, 8, 7, 6, 5, 4}, {9, 8, 7, 0, 6, 5, 4, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFrameConverter converter;
    converter.Init(c.width, c.height, c.depth);
    const Converted result = Convert(converter, c.frame, c.width, c.height);
    ASSERT_EQ(result.status, kConvertOk);
    ASSERT_EQ(result.bits, converter.Buffer().Data());
    ASSERT_EQ(converter.Buffer().Capacity(), c.expected.size());
    EXPECT_EQ(Bytes(result.bits, result.bits + c.expected.size()), c.expected);
  }
}

TEST(FrameConverter, AlignedEightAndTwentyFourBitFramesAreDrawnInPlace) {
  struct Case {
    std::uint32_t depth;
    std::int32_t width, height;
  };
  for (const Case c : {Case{8, 640, 480}, Case{24, 640, 480}, Case{24, 4, 3}, Case{8, 4, 1}}) {
    SCOPED_TRACE(testing::Message() << c.depth << " bits, " << c.width << " wide");
    CFrameConverter converter;
    converter.Init(c.width, c.height, c.depth);
    const Bytes frame = Pattern(RawFrameBytes(c.width, c.height, c.depth));
    const Converted result = Convert(converter, frame, c.width, c.height);
    ASSERT_EQ(result.status, kConvertOk);
    EXPECT_EQ(result.bits, frame.data());
    EXPECT_EQ(converter.Buffer().Capacity(), 0u);
    EXPECT_EQ(converter.Buffer().Data(), nullptr);
  }
}

TEST(FrameConverter, UnalignedRowsArePaddedWithZeros) {
  struct Case {
    std::uint32_t depth;
    std::int32_t width;
    std::size_t targetRow;
  };
  const std::int32_t height = 3;
  for (const Case c : {Case{8, 642, 644}, Case{8, 641, 644}, Case{24, 5, 16}, Case{24, 643, 1932}}) {
    SCOPED_TRACE(testing::Message() << c.depth << " bits, " << c.width << " wide");
    CFrameConverter converter;
    converter.Init(c.width, height, c.depth);
    const std::size_t sourceRow = RawFrameRowBytes(c.width, c.depth);
    const Bytes frame = Pattern(sourceRow * height);
    const Converted result = Convert(converter, frame, c.width, height);
    ASSERT_EQ(result.status, kConvertOk);
    ASSERT_NE(result.bits, frame.data());
    ASSERT_EQ(converter.Buffer().Capacity(), c.targetRow * height);
    for (std::int32_t y = 0; y < height; ++y) {
      const std::uint8_t* row = result.bits + y * c.targetRow;
      EXPECT_EQ(Bytes(row, row + sourceRow),
                Bytes(frame.begin() + y * sourceRow, frame.begin() + (y + 1) * sourceRow));
      EXPECT_EQ(Bytes(row + sourceRow, row + c.targetRow), Bytes(c.targetRow - sourceRow, 0));
    }
  }
}

TEST(FrameConverter, WideTenAndThirtyBitRowsAreShiftedThroughout) {
  // Wide enough for the vectorised part of the loops and an odd remainder.
  const std::int32_t width = 1283, height = 2;
  for (const std::uint32_t depth : {9u, 10u, 27u, 30u}) {
    SCOPED_TRACE(testing::Message() << depth << " bits");
    const std::uint32_t components = depth > 24 ? 3 : 1;
    const unsigned shift = depth / components - 8;
    std::vector<std::uint16_t> words(width * height * components);
    for (std::size_t i = 0; i < words.size(); ++i) {
      words[i] = static_cast<std::uint16_t>((i * 37 + 11) & ((1u << (depth / components)) - 1));
    }
    CFrameConverter converter;
    converter.Init(width, height, depth);
    const Converted result = Convert(converter, Words(words), width, height);
    ASSERT_EQ(result.status, kConvertOk);
    const std::size_t targetRow = (width * components + 3) / 4 * 4;
    for (std::int32_t y = 0; y < height; ++y) {
      for (std::size_t i = 0; i < width * components; ++i) {
        ASSERT_EQ(result.bits[y * targetRow + i], words[y * width * components + i] >> shift)
            << "row " << y << ", byte " << i;
      }
    }
  }
}

TEST(FrameConverter, InitSetsHeaderAndGreyPaletteByDepth) {
  struct Case {
    std::uint32_t depth;
    std::uint16_t bitCount;
    std::uint32_t colours;
  };
  for (const Case c : {Case{8, 8, 256}, Case{9, 8, 256}, Case{10, 8, 256}, Case{24, 24, 0},
                       Case{27, 24, 0}, Case{30, 24, 0}}) {
    SCOPED_TRACE(testing::Message() << c.depth << " bits");
    CFrameConverter converter;
    converter.Init(641, 480, c.depth);
    const DibHeader& header = converter.Info().Header;
    EXPECT_EQ(converter.Depth(), c.depth);
    EXPECT_EQ(header.Size, 40u);
    EXPECT_EQ(header.Width, 641);
    EXPECT_EQ(header.Height, 480);
    EXPECT_EQ(header.Planes, 1);
    EXPECT_EQ(header.BitCount, c.bitCount);
    EXPECT_EQ(header.Compression, 0u);
    EXPECT_EQ(header.SizeImage, 0u);
    EXPECT_EQ(header.XPelsPerMeter, 0);
    EXPECT_EQ(header.YPelsPerMeter, 0);
    EXPECT_EQ(header.ClrUsed, c.colours);
    EXPECT_EQ(header.ClrImportant, c.colours);
    for (int i = 0; i < kDibPaletteEntries; ++i) {
      const DibColor& entry = converter.Info().Palette[i];
      ASSERT_EQ(entry.Blue, i);
      ASSERT_EQ(entry.Green, i);
      ASSERT_EQ(entry.Red, i);
      ASSERT_EQ(entry.Reserved, 0);
    }
  }
}

TEST(FrameConverter, ConstructionDescribesAnEmptyEightBitBitmap) {
  const CFrameConverter converter;
  EXPECT_EQ(converter.Depth(), 8u);
  EXPECT_EQ(converter.Info().Header.Width, 0);
  EXPECT_EQ(converter.Info().Header.Height, 0);
  EXPECT_EQ(converter.Info().Header.BitCount, 8);
  EXPECT_EQ(converter.Info().Palette[200].Green, 200);
}

TEST(FrameConverter, ConvertMakesTheHeaderTopDown) {
  CFrameConverter converter;
  converter.Init(10, 20, 8);
  const Bytes frame = Pattern(6 * 7);
  ASSERT_EQ(Convert(converter, frame, 6, 7).status, kConvertOk);
  EXPECT_EQ(converter.Info().Header.Width, 6);
  EXPECT_EQ(converter.Info().Header.Height, -7);
}

TEST(FrameConverter, SwitchingFromEightToTenBitsKeepsGreyButShiftsWords) {
  CFrameConverter converter;
  converter.Init(4, 1, 8);
  const Bytes frame = Words({1023, 512, 3, 4});
  const Converted asBytes = Convert(converter, frame, 4, 1);
  ASSERT_EQ(asBytes.status, kConvertOk);
  EXPECT_EQ(asBytes.bits, frame.data());

  converter.Init(4, 1, 10);
  EXPECT_EQ(converter.Info().Header.BitCount, 8);
  const Converted asWords = Convert(converter, frame, 4, 1);
  ASSERT_EQ(asWords.status, kConvertOk);
  EXPECT_EQ(Bytes(asWords.bits, asWords.bits + 4), (Bytes{255, 128, 0, 1}));
}

TEST(FrameConverter, BufferIsReusedWhenLargeEnoughAndZeroedToItsFullCapacity) {
  CFrameConverter converter;
  converter.Init(642, 4, 8);
  const Converted large = Convert(converter, Pattern(642 * 4), 642, 4);
  ASSERT_EQ(large.status, kConvertOk);
  const std::uint8_t* first = converter.Buffer().Data();
  ASSERT_EQ(converter.Buffer().Capacity(), 644u * 4);

  // A smaller frame keeps the buffer, and the rows the larger frame left behind are cleared.
  const Converted small = Convert(converter, Pattern(642 * 2), 642, 2);
  ASSERT_EQ(small.status, kConvertOk);
  EXPECT_EQ(small.bits, first);
  EXPECT_EQ(converter.Buffer().Capacity(), 644u * 4);
  EXPECT_EQ(Bytes(small.bits + 644 * 2, small.bits + 644 * 4), Bytes(644 * 2, 0));

  // The same size again also reuses it.
  ASSERT_EQ(Convert(converter, Pattern(642 * 4), 642, 4).status, kConvertOk);
  EXPECT_EQ(converter.Buffer().Data(), first);

  // A larger frame replaces it by one of exactly the size needed.
  const Converted larger = Convert(converter, Pattern(1001 * 4), 1001, 4);
  ASSERT_EQ(larger.status, kConvertOk);
  EXPECT_EQ(converter.Buffer().Capacity(), 1004u * 4);
  EXPECT_EQ(larger.bits, converter.Buffer().Data());
}

TEST(FrameConverter, RefusesWhatCannotBeDrawnSafely) {
  struct Case {
    const char* name;
    std::uint32_t depth;
    std::int32_t width, height;
    std::size_t frameBytes;
    bool nullFrame;
    int status;
  };
  const Case cases[] = {
      {"no frame", 8, 4, 4, 16, true, kConvertBadGeometry},
      {"zero width", 8, 0, 4, 16, false, kConvertBadGeometry},
      {"zero height", 8, 4, 0, 16, false, kConvertBadGeometry},
      {"negative width", 8, -4, 4, 16, false, kConvertBadGeometry},
      {"negative height", 8, 4, -4, 16, false, kConvertBadGeometry},
      {"16 bits", 16, 4, 4, 64, false, kConvertUnknownDepth},
      {"12 bits", 12, 4, 4, 64, false, kConvertUnknownDepth},
      {"7 bits", 7, 4, 4, 64, false, kConvertUnknownDepth},
      {"32 bits", 32, 4, 4, 256, false, kConvertUnknownDepth},
      {"8 bits one byte short", 8, 4, 4, 15, false, kConvertFrameTooSmall},
      {"8 bits unaligned one byte short", 8, 5, 4, 19, false, kConvertFrameTooSmall},
      {"10 bits one byte short", 10, 4, 4, 31, false, kConvertFrameTooSmall},
      {"24 bits one byte short", 24, 4, 4, 47, false, kConvertFrameTooSmall},
      {"30 bits one byte short", 30, 3, 4, 71, false, kConvertFrameTooSmall},
      {"region past 4 GiB", 30, 70000, 70000, 256, false, kConvertFrameTooSmall},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFrameConverter converter;
    converter.Init(c.width, c.height, c.depth);
    const Bytes frame(c.frameBytes, 0x5A);
    const std::uint8_t* bits = &frame[0];
    const int status =
        converter.Convert(c.nullFrame ? nullptr : frame.data(), c.frameBytes, c.width, c.height, &bits);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(converter.Buffer().Capacity(), 0u);
  }
}

TEST(FrameConverter, AFrameExactlyAsLargeAsTheRegionIsAccepted) {
  for (const std::uint32_t depth : {8u, 9u, 10u, 24u, 27u, 30u}) {
    SCOPED_TRACE(testing::Message() << depth << " bits");
    CFrameConverter converter;
    converter.Init(5, 3, depth);
    const Bytes frame = Pattern(RawFrameBytes(5, 3, depth));
    EXPECT_EQ(Convert(converter, frame, 5, 3).status, kConvertOk);
  }
}

TEST(FrameConverter, ZoomedSizeIsRoundedToTheNearestPixel) {
  struct Case {
    std::int32_t width, height, zoom, zoomedWidth, zoomedHeight;
  };
  const Case cases[] = {
      {641, 480, 50, 321, 240},  // 320.5 rounds up
      {1280, 1024, 100, 1280, 1024},
      {3, 5, 400, 12, 20},
      {1, 1, 50, 1, 1},
      {1, 1, 49, 0, 0},
      {640, 480, 33, 211, 158},  // 211.2 and 158.4 round down
      {1280, 1024, 58, 742, 594},  // 742.4 and 593.92
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << c.zoom);
    const ZoomedSize size = ZoomFrameSize(c.width, c.height, c.zoom);
    EXPECT_EQ(size.Width, c.zoomedWidth);
    EXPECT_EQ(size.Height, c.zoomedHeight);
  }
}

}  // namespace
