// The window's screen pixels copied into a 24-bit frame and written through the image-file library.
#include "host/Screenshot.h"

#include <cwctype>
#include <vector>

#include "export/ImageFileLibrary.h"
#include "platform/win32/GdiObject.h"

namespace {

int FileTypeFor(const std::wstring& path) {
  const std::size_t dot = path.find_last_of(L'.');
  if (dot == std::wstring::npos) return 0;
  std::wstring extension = path.substr(dot + 1);
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  if (extension == L"png") return kTypePng;
  if (extension == L"bmp") return kTypeBmp;
  return 0;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring& path) {
  const int type = FileTypeFor(path);
  if (type == 0 || !IsWindow(window)) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;

  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 24, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  UniqueBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDC memory(CreateCompatibleDC(screen));
  bool copied = false;
  if (bitmap && memory) {
    const SelectedObject selected(memory.get(), bitmap.get());
    copied = BitBlt(memory.get(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
  }
  ReleaseDC(nullptr, screen);
  if (!copied) return false;

  // Rows of the frame are unpadded, blue, green, red, top to bottom.
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::vector<unsigned char> frame(static_cast<std::size_t>(width) * 3 * height);
  for (int y = 0; y < height; ++y) {
    const auto* row = static_cast<const unsigned char*>(bits) + stride * y;
    std::copy(row, row + width * 3, frame.begin() + static_cast<std::ptrdiff_t>(y) * width * 3);
  }

  CImageFileLibrary images;
  if (images.Load() != 0) return false;
  char name[MAX_PATH];
  if (!WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, name, MAX_PATH, nullptr, nullptr)) {
    return false;
  }
  ImageInfo image{};
  image.Size = sizeof image;
  image.Width = static_cast<std::uint32_t>(width);
  image.Height = static_cast<std::uint32_t>(height);
  image.PixelDepth = 24;
  image.ColorKind = 2;
  return images.Api().WriteGFile(name, 0, type, &image, 0, 0, frame.data(), 1) == 0;
}
