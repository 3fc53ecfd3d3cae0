// Build-time tool: draws the Select Camera list's two 16 x 16 icons into one 24-bit BMP file.
// Icon 0 is a camera the driver knows; icon 1, drawn grey with a question mark, one it reports
// without a model. The RGB(192, 192, 192) background is the image list's mask colour.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kIcon = 16;
constexpr int kWidth = 2 * kIcon;
constexpr int kHeight = kIcon;

struct Rgb {
  std::uint8_t r, g, b;
};

constexpr Rgb kMask{192, 192, 192};

class Canvas {
 public:
  Canvas() : pixels_(kWidth * kHeight, kMask) {}

  void Set(int x, int y, Rgb c) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) pixels_[y * kWidth + x] = c;
  }
  void Fill(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Set(x, y, c);
  }
  void Frame(int x0, int y0, int x1, int y1, Rgb c) {
    Fill(x0, y0, x1, y0, c);
    Fill(x0, y1, x1, y1, c);
    Fill(x0, y0, x0, y1, c);
    Fill(x1, y0, x1, y1, c);
  }
  void Disc(int cx, int cy, int radius, Rgb c) {
    for (int y = cy - radius; y <= cy + radius; ++y)
      for (int x = cx - radius; x <= cx + radius; ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) Set(x, y, c);
  }

  // Rows bottom-up, each padded to four bytes (already so at this width), blue-green-red.
  bool WriteBmp(const char* path) const {
    const std::uint32_t rowBytes = (kWidth * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * kHeight;
    const std::uint32_t offset = 14 + 40;
    std::vector<std::uint8_t> file;
    auto u16 = [&](std::uint32_t v) { file.push_back(v & 0xFF); file.push_back((v >> 8) & 0xFF); };
    auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    file.push_back('B');
    file.push_back('M');
    u32(offset + imageBytes);
    u32(0);
    u32(offset);
    u32(40);
    u32(kWidth);
    u32(kHeight);
    u16(1);
    u16(24);
    u32(0);  // BI_RGB
    u32(imageBytes);
    u32(2835);  // 72 dpi
    u32(2835);
    u32(0);
    u32(0);
    for (int y = kHeight - 1; y >= 0; --y) {
      for (int x = 0; x < kWidth; ++x) {
        const Rgb& c = pixels_[y * kWidth + x];
        file.push_back(c.b);
        file.push_back(c.g);
        file.push_back(c.r);
      }
      for (std::uint32_t pad = kWidth * 3; pad < rowBytes; ++pad) file.push_back(0);
    }
    std::FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
  }

 private:
  std::vector<Rgb> pixels_;
};

void DrawCamera(Canvas& canvas, int left, Rgb body, Rgb lens, Rgb outline) {
  canvas.Fill(left + 3, 3, left + 6, 4, body);    // viewfinder
  canvas.Frame(left + 3, 3, left + 6, 4, outline);
  canvas.Fill(left + 1, 5, left + 14, 13, body);  // body
  canvas.Frame(left + 1, 5, left + 14, 13, outline);
  canvas.Disc(left + 8, 9, 3, outline);            // lens ring and glass
  canvas.Disc(left + 8, 9, 2, lens);
  canvas.Set(left + 7, 8, Rgb{255, 255, 255});     // highlight
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
    return 2;
  }
  Canvas canvas;
  DrawCamera(canvas, 0, Rgb{64, 64, 72}, Rgb{40, 90, 200}, Rgb{0, 0, 0});
  canvas.Set(12, 7, Rgb{220, 30, 30});  // the ready lamp
  DrawCamera(canvas, kIcon, Rgb{150, 150, 150}, Rgb{170, 170, 180}, Rgb{96, 96, 96});
  // A question mark over the grey camera's lens.
  const int q = kIcon + 6;
  const Rgb mark{200, 0, 0};
  canvas.Fill(q + 1, 6, q + 3, 6, mark);
  canvas.Set(q, 7, mark);
  canvas.Set(q + 4, 7, mark);
  canvas.Set(q + 4, 8, mark);
  canvas.Set(q + 3, 9, mark);
  canvas.Set(q + 2, 10, mark);
  canvas.Set(q + 2, 12, mark);
  if (!canvas.WriteBmp(argv[1])) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
