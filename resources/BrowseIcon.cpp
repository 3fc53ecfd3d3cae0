// Build-time tool: draws the Browse button's 16 x 16 icon (an open yellow folder) into an ICO file
// with 32-bit colour, its alpha channel and the matching mask.
#include <cstdio>

#include "PixelCanvas.h"

namespace {

constexpr int kSize = 16;

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

Rgba Colour(char c) {
  switch (c) {
    case '#': return {120, 70, 0, 255};
    case 'b': return {230, 170, 40, 255};
    case 'f': return {255, 210, 90, 255};
    default: return {0, 0, 0, 0};
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
    return 2;
  }
  PixelCanvas icon(kSize, kSize, Colour('.'));
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) icon.Set(x, y, Colour(kRows[y][x]));
  }
  if (!icon.WriteIcon(argv[1])) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
