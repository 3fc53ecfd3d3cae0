// Tests of drawing frames into a memory device context over a DIB section, under Wine.
#include "render/DisplayBitmap.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "render/RawFrame.h"
#include "platform/win32/HighAddressBlock.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kMarker = 0x00123456;

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

// A top-down 32-bit DIB section selected into a memory device context, filled with kMarker.
class Canvas {
 public:
  Canvas(int width, int height) : m_width(width), m_height(height) {
    m_dc.reset(CreateCompatibleDC(nullptr));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.reset(CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_pixels = static_cast<std::uint32_t*>(bits);
    if (m_dc && m_bitmap) m_previous = SelectObject(m_dc.get(), m_bitmap.get());
    if (m_pixels) std::fill(m_pixels, m_pixels + width * height, kMarker);
  }
  ~Canvas() {
    if (m_previous) SelectObject(m_dc.get(), m_previous);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool Ready() const { return m_previous != nullptr && m_pixels != nullptr; }
  HDC Dc() const { return m_dc.get(); }
  // 0x00RRGGBB
  std::uint32_t Pixel(int x, int y) const {
    GdiFlush();
    return m_pixels[y * m_width + x] & 0x00FFFFFF;
  }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  int m_width, m_height;
  UniqueDc m_dc;
  UniqueBitmap m_bitmap;
  HGDIOBJ m_previous = nullptr;
  std::uint32_t* m_pixels = nullptr;
};

// A frame of any depth with varied samples, and the colour each pixel must show.
struct TestFrame {
  Bytes bytes;
  std::vector<std::uint32_t> colours;  // 0x00RRGGBB, row by row
};

TestFrame MakeFrame(std::uint32_t depth, int width, int height) {
  TestFrame frame;
  const bool colour = depth > 16;
  const std::uint32_t components = colour ? 3 : 1;
  const std::uint32_t sampleBits = depth / components;
  const std::uint32_t bytesPerSample = RawFrameBytesPerPixel(depth) / components;
  std::uint32_t seed = 12345;
  for (int i = 0; i < width * height; ++i) {
    std::uint32_t shown[3] = {};
    for (std::uint32_t k = 0; k < components; ++k) {
      seed = seed * 1103515245u + 12345u;
      const std::uint32_t sample = (seed >> 8) & ((1u << sampleBits) - 1);
      frame.bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
      if (bytesPerSample == 2) frame.bytes.push_back(static_cast<std::uint8_t>(sample >> 8));
      shown[k] = sample >> (sampleBits - 8);
    }
    // Grey shows one level in all three channels; colour frames are blue, green, red.
    frame.colours.push_back(colour ? (shown[2] << 16 | shown[1] << 8 | shown[0])
                                   : (shown[0] << 16 | shown[0] << 8 | shown[0]));
  }
  return frame;
}

constexpr std::uint32_t kDepths[] = {8, 9, 10, 24, 27, 30};

bool Untouched(const Canvas& canvas) {
  for (int cy = 0; cy < canvas.Height(); ++cy) {
    for (int cx = 0; cx < canvas.Width(); ++cx) {
      if (canvas.Pixel(cx, cy) != kMarker) return false;
    }
  }
  return true;
}

// The frame is read from above 4 GiB in the 64-bit build, as a frame buffer placed there would be.
TEST(DisplayBitmap, DrawsPixelForPixelAtFullSize) {
  const int x = 2, y = 3, height = 5;
  for (const std::uint32_t depth : kDepths) {
    for (const int width : {7, 8}) {
      SCOPED_TRACE(testing::Message() << depth << " bits, " << width << " wide");
      const TestFrame frame = MakeFrame(depth, width, height);
      CHighAddressBlock raw(frame.bytes.size());
      ASSERT_TRUE(raw.IsPlacedAsRequired());
      std::copy(frame.bytes.begin(), frame.bytes.end(), raw.Data());
      Canvas canvas(16, 12);
      ASSERT_TRUE(canvas.Ready());
      CDisplayBitmap bitmap;
      bitmap.Init(width, height, depth);
      ASSERT_EQ(bitmap.Draw(canvas.Dc(), x, y, 100, raw.Data(), frame.bytes.size(),
                            width, height),
                kConvertOk);
      for (int cy = 0; cy < canvas.Height(); ++cy) {
        for (int cx = 0; cx < canvas.Width(); ++cx) {
          const bool inside = cx >= x && cx < x + width && cy >= y && cy < y + height;
          const std::uint32_t expected =
              inside ? frame.colours[(cy - y) * width + (cx - x)] : kMarker;
          ASSERT_EQ(canvas.Pixel(cx, cy), expected) << "at " << cx << ", " << cy;
        }
      }
    }
  }
}

TEST(DisplayBitmap, EveryPixelBecomesAFourByFourBlockAtZoom400) {
  const int width = 7, height = 3;
  for (const std::uint32_t depth : kDepths) {
    SCOPED_TRACE(testing::Message() << depth << " bits");
    const TestFrame frame = MakeFrame(depth, width, height);
    Canvas canvas(width * 4 + 2, height * 4 + 2);
    ASSERT_TRUE(canvas.Ready());
    CDisplayBitmap bitmap;
    bitmap.Init(width, height, depth);
    ASSERT_EQ(bitmap.Draw(canvas.Dc(), 0, 0, 400, frame.bytes.data(), frame.bytes.size(), width,
                          height),
              kConvertOk);
    for (int cy = 0; cy < canvas.Height(); ++cy) {
      for (int cx = 0; cx < canvas.Width(); ++cx) {
        const bool inside = cx < width * 4 && cy < height * 4;
        const std::uint32_t expected = inside ? frame.colours[(cy / 4) * width + cx / 4] : kMarker;
        ASSERT_EQ(canvas.Pixel(cx, cy), expected) << "at " << cx << ", " << cy;
      }
    }
  }
}

TEST(DisplayBitmap, HalfZoomOfAnOddWidthRoundsTheTargetUp) {
  const TestFrame frame = MakeFrame(8, 641, 480);
  Canvas canvas(330, 250);
  ASSERT_TRUE(canvas.Ready());
  CDisplayBitmap bitmap;
  bitmap.Init(641, 480, 8);
  ASSERT_EQ(bitmap.Draw(canvas.Dc(), 0, 0, 50, frame.bytes.data(), frame.bytes.size(), 641, 480),
            kConvertOk);
  // The last column and row drawn are 320 and 239; nothing lies beyond them.
  for (int cy = 0; cy < 240; ++cy) {
    EXPECT_NE(canvas.Pixel(320, cy), kMarker) << cy;
    EXPECT_EQ(canvas.Pixel(321, cy), kMarker) << cy;
  }
  for (int cx = 0; cx < 321; ++cx) {
    EXPECT_NE(canvas.Pixel(cx, 239), kMarker) << cx;
    EXPECT_EQ(canvas.Pixel(cx, 240), kMarker) << cx;
  }
}

TEST(DisplayBitmap, DrawsInColourOnColourMode) {
  const TestFrame frame = MakeFrame(8, 4, 4);
  Canvas canvas(8, 8);
  ASSERT_TRUE(canvas.Ready());
  ASSERT_NE(GetStretchBltMode(canvas.Dc()), COLORONCOLOR);
  CDisplayBitmap bitmap;
  bitmap.Init(4, 4, 8);
  ASSERT_EQ(bitmap.Draw(canvas.Dc(), 0, 0, 200, frame.bytes.data(), frame.bytes.size(), 4, 4),
            kConvertOk);
  EXPECT_EQ(GetStretchBltMode(canvas.Dc()), COLORONCOLOR);
}

TEST(DisplayBitmap, AnEmptyOrNegativeZoomedSizeDrawsNothing) {
  const TestFrame frame = MakeFrame(8, 4, 4);
  for (const int zoom : {0, 10, -100}) {
    SCOPED_TRACE(testing::Message() << "zoom " << zoom);
    Canvas canvas(8, 8);
    ASSERT_TRUE(canvas.Ready());
    CDisplayBitmap bitmap;
    bitmap.Init(4, 4, 8);
    // At 10 % a 4-pixel side is 0.4 pixels, which rounds to none.
    EXPECT_EQ(bitmap.Draw(canvas.Dc(), 4, 4, zoom, frame.bytes.data(), frame.bytes.size(), 4, 4),
              kDrawNothingDrawn);
    EXPECT_TRUE(Untouched(canvas));
  }
}

TEST(DisplayBitmap, RefusedFramesDrawNothing) {
  struct Case {
    const char* name;
    std::uint32_t depth;
    std::size_t frameBytes;
    int status;
  };
  const int width = 6, height = 4;
  const Case cases[] = {
      {"unknown depth", 16, RawFrameBytes(width, height, 16), kConvertUnknownDepth},
      {"frame one byte short", 10, RawFrameBytes(width, height, 10) - 1, kConvertFrameTooSmall},
      {"region of a larger depth", 30, RawFrameBytes(width, height, 8), kConvertFrameTooSmall},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes frame(c.frameBytes, 0xFF);
    Canvas canvas(8, 8);
    ASSERT_TRUE(canvas.Ready());
    CDisplayBitmap bitmap;
    bitmap.Init(width, height, c.depth);
    EXPECT_EQ(bitmap.Draw(canvas.Dc(), 0, 0, 100, frame.data(), frame.size(), width, height),
              c.status);
    EXPECT_TRUE(Untouched(canvas));
  }
}

}  // namespace
