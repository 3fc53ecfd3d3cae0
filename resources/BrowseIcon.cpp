// Build-time tool: draws the Browse button's 16 x 16 icon (an open yellow folder) into an ICO file
// with 32-bit colour, its alpha channel and the matching 1-bit mask for older readers.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 16;

struct Bgra {
  std::uint8_t b, g, r, a;
};

constexpr Bgra kClear{0, 0, 0, 0};
constexpr Bgra kOutline{0, 70, 120, 255};
constexpr Bgra kBack{40, 170, 230, 255};
constexpr Bgra kFront{90, 210, 255, 255};

// The folder as rows of characters: '#' outline, 'b' back panel, 'f' front flap, '.' clear.
constexpr const char* kRows[kSize] = {
    "................",
    "................",
    ".#####..........",
    "#bbbbb#.........",
    "#bbbbbb#######..",
    "#bbbbbbbbbbbbb#.",
    "#bbb###########.",
    "#bb#fffffffffff#",
    "#bb#ffffffffff#.",
    "#b#fffffffffff#.",
    "#b#ffffffffff#..",
    "##ffffffffff#...",
    "##fffffffffff#..",
    "##############..",
    "................",
    "................",
};

Bgra Colour(char c) {
  switch (c) {
    case '#': return kOutline;
    case 'b': return kBack;
    case 'f': return kFront;
    default: return kClear;
  }
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::vector<std::uint8_t> IconFile() {
  constexpr std::uint32_t kMaskRowBytes = 4;  // 16 bits padded to a 32-bit word
  constexpr std::uint32_t kImageBytes = 40 + kSize * kSize * 4 + kSize * kMaskRowBytes;
  std::vector<std::uint8_t> out;
  Put16(out, 0);  // directory: reserved, type 1 (icon), one image
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(kSize);
  out.push_back(kSize);
  out.push_back(0);  // no palette
  out.push_back(0);
  Put16(out, 1);   // planes
  Put16(out, 32);  // bits per pixel
  Put32(out, kImageBytes);
  Put32(out, 6 + 16);
  Put32(out, 40);  // the image's header: height counts colour and mask rows
  Put32(out, kSize);
  Put32(out, 2 * kSize);
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = kSize - 1; y >= 0; --y) {  // rows bottom-up
    for (int x = 0; x < kSize; ++x) {
      const Bgra c = Colour(kRows[y][x]);
      out.insert(out.end(), {c.b, c.g, c.r, c.a});
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {  // mask: 1 where the background shows through
    std::uint32_t bits = 0;
    for (int x = 0; x < kSize; ++x) {
      if (Colour(kRows[y][x]).a == 0) bits |= 0x8000u >> x;
    }
    out.insert(out.end(), {static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits),
                           0, 0});
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
    return 2;
  }
  const std::vector<std::uint8_t> file = IconFile();
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
