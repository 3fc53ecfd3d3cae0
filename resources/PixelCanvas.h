// Build-time drawing for the project's own pictures: an RGBA canvas with a few shapes, written as
// a 24-bit BMP (toolbar and list bitmaps) or as a 32-bit icon with its transparency mask.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct Rgba {
  std::uint8_t r, g, b, a;
};

class PixelCanvas {
 public:
  PixelCanvas(int width, int height, Rgba background)
      : width_(width), height_(height), pixels_(static_cast<size_t>(width * height), background) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgba At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  void Set(int x, int y, Rgba c) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) pixels_[static_cast<size_t>(y * width_ + x)] = c;
  }
  void Fill(int x0, int y0, int x1, int y1, Rgba c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Set(x, y, c);
  }
  void Frame(int x0, int y0, int x1, int y1, Rgba c) {
    Fill(x0, y0, x1, y0, c);
    Fill(x0, y1, x1, y1, c);
    Fill(x0, y0, x0, y1, c);
    Fill(x1, y0, x1, y1, c);
  }
  void Disc(int cx, int cy, int radius, Rgba c) {
    for (int y = cy - radius; y <= cy + radius; ++y)
      for (int x = cx - radius; x <= cx + radius; ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) Set(x, y, c);
  }
  // A triangle with its tip at (tipX, cy) and its base, 2 × half high, at baseX (either side).
  void Triangle(int tipX, int baseX, int cy, int half, Rgba c) {
    const int step = baseX > tipX ? 1 : -1;
    const int length = (baseX - tipX) * step;
    for (int i = 0; i <= length; ++i) {
      const int h = length ? i * half / length : half;
      Fill(tipX + i * step, cy - h, tipX + i * step, cy + h, c);
    }
  }
  // '#' cells of the rows, from (x0, y0).
  void Pattern(int x0, int y0, const char* const* rows, int count, Rgba c) {
    for (int y = 0; y < count; ++y)
      for (int x = 0; rows[y][x]; ++x)
        if (rows[y][x] == '#') Set(x0 + x, y0 + y, c);
  }

  bool WriteBmp24(const char* path) const {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width_) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height_);
    Bytes file;
    file.push_back('B');
    file.push_back('M');
    file.U32(14 + 40 + imageBytes);
    file.U32(0);
    file.U32(14 + 40);
    InfoHeader(file, height_, 24, imageBytes);
    for (int y = height_ - 1; y >= 0; --y) {
      for (int x = 0; x < width_; ++x) {
        const Rgba c = At(x, y);
        file.push_back(c.b);
        file.push_back(c.g);
        file.push_back(c.r);
      }
      for (std::uint32_t pad = static_cast<std::uint32_t>(width_) * 3; pad < rowBytes; ++pad) file.push_back(0);
    }
    return file.WriteTo(path);
  }

  // One 32-bit image; the AND mask marks the fully transparent pixels.
  bool WriteIcon(const char* path) const {
    const std::uint32_t maskRow = ((static_cast<std::uint32_t>(width_) + 31) / 32) * 4;
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(width_ * height_) * 4;
    const std::uint32_t imageBytes = 40 + colourBytes + maskRow * static_cast<std::uint32_t>(height_);
    Bytes file;
    file.U16(0);
    file.U16(1);  // icon
    file.U16(1);  // one image
    file.push_back(static_cast<std::uint8_t>(width_ & 0xFF));
    file.push_back(static_cast<std::uint8_t>(height_ & 0xFF));
    file.push_back(0);
    file.push_back(0);
    file.U16(1);
    file.U16(32);
    file.U32(imageBytes);
    file.U32(6 + 16);
    InfoHeader(file, 2 * height_, 32, colourBytes);
    for (int y = height_ - 1; y >= 0; --y) {
      for (int x = 0; x < width_; ++x) {
        const Rgba c = At(x, y);
        file.push_back(c.b);
        file.push_back(c.g);
        file.push_back(c.r);
        file.push_back(c.a);
      }
    }
    for (int y = height_ - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(maskRow, 0);
      for (int x = 0; x < width_; ++x)
        if (At(x, y).a == 0) row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      file.insert(file.end(), row.begin(), row.end());
    }
    return file.WriteTo(path);
  }

 private:
  struct Bytes : std::vector<std::uint8_t> {
    void U16(std::uint32_t v) {
      push_back(v & 0xFF);
      push_back((v >> 8) & 0xFF);
    }
    void U32(std::uint32_t v) {
      U16(v & 0xFFFF);
      U16(v >> 16);
    }
    bool WriteTo(const char* path) const {
      std::FILE* out = std::fopen(path, "wb");
      if (!out) return false;
      const bool written = std::fwrite(data(), 1, size(), out) == size();
      return std::fclose(out) == 0 && written;
    }
  };

  void InfoHeader(Bytes& file, int height, int bits, std::uint32_t imageBytes) const {
    file.U32(40);
    file.U32(static_cast<std::uint32_t>(width_));
    file.U32(static_cast<std::uint32_t>(height));
    file.U16(1);
    file.U16(static_cast<std::uint32_t>(bits));
    file.U32(0);  // BI_RGB
    file.U32(imageBytes);
    file.U32(2835);  // 72 dpi
    file.U32(2835);
    file.U32(0);
    file.U32(0);
  }

  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};
