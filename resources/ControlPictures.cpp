// Build-time tool: draws the control's toolbox bitmap (16 x 15, 24-bit BMP) and its About box
// icon (32 x 32, 32-bit ICO): a dark camera body with a blue lens on a light ground.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Rgba {
  std::uint8_t r, g, b, a;
};

constexpr Rgba kGround{192, 192, 192, 0};
constexpr Rgba kBody{48, 48, 56, 255};
constexpr Rgba kLens{40, 110, 220, 255};
constexpr Rgba kShine{230, 240, 255, 255};
constexpr Rgba kRed{220, 30, 30, 255};

// The camera at any size: body, viewfinder hump, lens disc with a highlight, record lamp.
std::vector<Rgba> DrawCamera(int width, int height) {
  std::vector<Rgba> pixels(static_cast<std::size_t>(width * height), kGround);
  auto fill = [&](int x0, int y0, int x1, int y1, Rgba c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (x >= 0 && x < width && y >= 0 && y < height) pixels[y * width + x] = c;
  };
  const int top = height / 4;
  fill(width / 3, top - height / 8, 2 * width / 3, top, kBody);
  fill(0, top, width - 1, height - 2, kBody);
  const int cx = width / 2, cy = (top + height - 2) / 2, radius = height / 4;
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) fill(x, y, x, y, kLens);
  fill(cx - radius / 2, cy - radius / 2, cx - radius / 2 + width / 16, cy - radius / 2, kShine);
  fill(width - 1 - width / 8, top + 1, width - 2, top + 1 + height / 16, kRed);
  return pixels;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPINFOHEADER with the given height (an icon's counts both of its masks).
void PutInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits, unsigned bytes) {
  Put32(out, 40);
  Put32(out, static_cast<unsigned>(width));
  Put32(out, static_cast<unsigned>(height));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, 0);
  Put32(out, bytes);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
}

std::vector<std::uint8_t> Bitmap(int width, int height) {
  const std::vector<Rgba> pixels = DrawCamera(width, height);
  const unsigned stride = (static_cast<unsigned>(width) * 3 + 3) & ~3u;
  const unsigned bytes = stride * static_cast<unsigned>(height);
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + bytes);
  Put32(out, 0);
  Put32(out, 54);
  PutInfoHeader(out, width, height, 24, bytes);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgba c = pixels[y * width + x];
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (unsigned pad = static_cast<unsigned>(width) * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> Icon(int size) {
  const std::vector<Rgba> pixels = DrawCamera(size, size);
  const unsigned maskStride = ((static_cast<unsigned>(size) + 31) / 32) * 4;
  const unsigned imageBytes = 40 + static_cast<unsigned>(size * size) * 4 + maskStride * size;
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(static_cast<std::uint8_t>(size));
  out.push_back(static_cast<std::uint8_t>(size));
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, imageBytes);
  Put32(out, 22);
  PutInfoHeader(out, size, 2 * size, 32, 0);
  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) {
      const Rgba c = pixels[y * size + x];
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
      out.push_back(c.a);
    }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < size; ++x)
      if (pixels[y * size + x].a == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

bool Write(const char* path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: control-pictures TOOLBOX.bmp ABOUT.ico\n");
    return 2;
  }
  if (!Write(argv[1], Bitmap(16, 15)) || !Write(argv[2], Icon(32))) {
    std::fprintf(stderr, "control-pictures: cannot write the pictures\n");
    return 1;
  }
  return 0;
}
