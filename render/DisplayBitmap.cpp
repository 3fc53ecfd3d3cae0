// Draws RawFrames onto a device context, stretched to the zoom percent.
#include "render/DisplayBitmap.h"

#include <cstddef>

// The portable block is passed to the platform as its own BITMAPINFO.
static_assert(sizeof(DibHeader) == sizeof(BITMAPINFOHEADER), "header size");
static_assert(offsetof(DibHeader, Width) == offsetof(BITMAPINFOHEADER, biWidth), "biWidth");
static_assert(offsetof(DibHeader, Height) == offsetof(BITMAPINFOHEADER, biHeight), "biHeight");
static_assert(offsetof(DibHeader, Planes) == offsetof(BITMAPINFOHEADER, biPlanes), "biPlanes");
static_assert(offsetof(DibHeader, BitCount) == offsetof(BITMAPINFOHEADER, biBitCount), "biBitCount");
static_assert(offsetof(DibHeader, Compression) == offsetof(BITMAPINFOHEADER, biCompression),
              "biCompression");
static_assert(offsetof(DibHeader, SizeImage) == offsetof(BITMAPINFOHEADER, biSizeImage),
              "biSizeImage");
static_assert(offsetof(DibHeader, XPelsPerMeter) == offsetof(BITMAPINFOHEADER, biXPelsPerMeter),
              "biXPelsPerMeter");
static_assert(offsetof(DibHeader, YPelsPerMeter) == offsetof(BITMAPINFOHEADER, biYPelsPerMeter),
              "biYPelsPerMeter");
static_assert(offsetof(DibHeader, ClrUsed) == offsetof(BITMAPINFOHEADER, biClrUsed), "biClrUsed");
static_assert(offsetof(DibHeader, ClrImportant) == offsetof(BITMAPINFOHEADER, biClrImportant),
              "biClrImportant");
static_assert(offsetof(DibInfo, Palette) == offsetof(BITMAPINFO, bmiColors), "bmiColors");
static_assert(sizeof(DibColor) == sizeof(RGBQUAD), "RGBQUAD");
static_assert(offsetof(DibColor, Red) == offsetof(RGBQUAD, rgbRed), "rgbRed");
static_assert(offsetof(DibColor, Blue) == offsetof(RGBQUAD, rgbBlue), "rgbBlue");
static_assert(kDibCompressionNone == BI_RGB, "BI_RGB");

int CDisplayBitmap::Draw(HDC dc, int x, int y, std::int32_t zoomPercent,
                         const std::uint8_t* frame, std::size_t frameBytes, std::int32_t width,
                         std::int32_t height) {
  const std::uint8_t* bits = nullptr;
  const int status = m_converter.Convert(frame, frameBytes, width, height, &bits);
  if (status != kConvertOk) return status;
  const ZoomedSize target = ZoomFrameSize(width, height, zoomPercent);
  if (target.Width < 1 || target.Height < 1) return kDrawNothingDrawn;
  // Dropping eliminated rows and columns is the fastest mode and keeps sample values unblended.
  SetStretchBltMode(dc, COLORONCOLOR);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(&m_converter.Info());
  const int lines = StretchDIBits(dc, x, y, target.Width, target.Height, 0, 0, width, height,
                                  bits, info, DIB_RGB_COLORS, SRCCOPY);
  // 0 when nothing was drawn; some failures report GDI_ERROR, which is -1 as an int.
  return lines > 0 ? kConvertOk : kDrawNothingDrawn;
}
