// Build-time tool: draws the workstation's pictures into OUTPUT_DIR. The toolbar's three strips
// (220 x 20, 24-bit, eleven 20 x 20 buttons on the light grey that the frame turns into the button
// face) in pale, strong and grey colours; the camera bar's two exposure-step icons (black on
// transparent: a plus or minus sign, one half and an f); and the frame's camera icon.
#include <cstdio>
#include <string>

#include "PixelCanvas.h"

namespace {

constexpr int kButton = 20;
constexpr int kButtons = 11;
constexpr Rgba kBackground{192, 192, 192, 255};
constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kBlack{0, 0, 0, 255};

enum class Shade { Pale, Strong, Grey };

// The colour of a picture part in one of the three sets. Nothing may come out as the background.
Rgba Tone(Rgba strong, Shade shade) {
  Rgba c = strong;
  if (shade == Shade::Pale) {
    c = {static_cast<std::uint8_t>((strong.r + 2 * 255) / 3),
         static_cast<std::uint8_t>((strong.g + 2 * 255) / 3),
         static_cast<std::uint8_t>((strong.b + 2 * 255) / 3), 255};
  } else if (shade == Shade::Grey) {
    const int luma = (strong.r * 30 + strong.g * 59 + strong.b * 11) / 100;
    const auto grey = static_cast<std::uint8_t>(96 + luma / 4);
    c = {grey, grey, grey, 255};
  }
  if (c.r == kBackground.r && c.g == kBackground.g && c.b == kBackground.b) c.b = 200;
  return c;
}

constexpr Rgba kRed{220, 20, 20, 255};
constexpr Rgba kBlue{20, 60, 210, 255};
constexpr Rgba kOrange{240, 130, 0, 255};
constexpr Rgba kNavigation{0, 100, 150, 255};
constexpr Rgba kPurple{120, 30, 160, 255};
constexpr Rgba kMetal{90, 90, 100, 255};
constexpr Rgba kLabel{250, 250, 250, 255};

void DrawButton(PixelCanvas& c, int index, Shade shade) {
  const int x = index * kButton;
  const int cy = 10;
  const Rgba nav = Tone(kNavigation, shade);
  switch (index) {
    case 0:  // record: a red ball with a highlight
      c.Disc(x + 10, cy, 7, Tone(kRed, shade));
      c.Fill(x + 7, 6, x + 8, 7, Tone(kLabel, shade));
      break;
    case 1:  // stop: a blue square
      c.Fill(x + 4, 4, x + 15, 15, Tone(kBlue, shade));
      break;
    case 2:  // preview: a blue triangle pointing right
      c.Triangle(x + 16, x + 5, cy, 7, Tone(kBlue, shade));
      break;
    case 3: {  // software trigger: an orange check mark
      const Rgba o = Tone(kOrange, shade);
      for (int i = 0; i <= 4; ++i) c.Fill(x + 3 + i, 9 + i, x + 4 + i, 11 + i, o);
      for (int i = 0; i <= 9; ++i) c.Fill(x + 7 + i, 13 - i, x + 8 + i, 15 - i, o);
      break;
    }
    case 4:  // first frame: bar and double triangle pointing left
      c.Fill(x + 2, 4, x + 3, 16, nav);
      c.Triangle(x + 4, x + 10, cy, 6, nav);
      c.Triangle(x + 10, x + 16, cy, 6, nav);
      break;
    case 5:  // previous frame: bar and triangle pointing left
      c.Fill(x + 4, 4, x + 5, 16, nav);
      c.Triangle(x + 7, x + 15, cy, 6, nav);
      break;
    case 6:  // rewind: triangle pointing left
      c.Triangle(x + 5, x + 14, cy, 6, nav);
      break;
    case 7:  // fast forward: triangle pointing right
      c.Triangle(x + 14, x + 5, cy, 6, nav);
      break;
    case 8:  // next frame: triangle pointing right and bar
      c.Triangle(x + 12, x + 4, cy, 6, nav);
      c.Fill(x + 14, 4, x + 15, 16, nav);
      break;
    case 9:  // last frame: double triangle pointing right and bar
      c.Triangle(x + 9, x + 3, cy, 6, nav);
      c.Triangle(x + 15, x + 9, cy, 6, nav);
      c.Fill(x + 16, 4, x + 17, 16, nav);
      break;
    case 10:  // save: a purple floppy disk with its shutter and label
      c.Fill(x + 3, 3, x + 16, 16, Tone(kPurple, shade));
      c.Fill(x + 6, 3, x + 13, 7, Tone(kMetal, shade));
      c.Fill(x + 10, 4, x + 11, 6, Tone(kPurple, shade));
      c.Fill(x + 5, 10, x + 14, 16, Tone(kLabel, shade));
      break;
  }
}

bool WriteStrip(const std::string& path, Shade shade) {
  PixelCanvas strip(kButton * kButtons, kButton, kBackground);
  for (int i = 0; i < kButtons; ++i) DrawButton(strip, i, shade);
  return strip.WriteBmp24(path.c_str());
}

// One half and an f, with a plus sign (up) or a minus sign (down) in front.
bool WriteStepIcon(const std::string& path, bool up) {
  static const char* const kHalfStop[] = {
      "................", "............##..", ".......#...#....", "......##...#....",
      ".......#..####..", ".......#...#....", "......###..#....", "...........#....",
      "......####.#....", "...........#....", "......###..#....", ".........#.#....",
      "........#..#....", ".......#...#....", "......####.#....", "................"};
  PixelCanvas icon(16, 16, kClear);
  icon.Pattern(0, 0, kHalfStop, 16, kBlack);
  icon.Fill(0, 8, 4, 8, kBlack);
  if (up) icon.Fill(2, 6, 2, 10, kBlack);
  return icon.WriteIcon(path.c_str());
}

bool WriteFrameIcon(const std::string& path) {
  PixelCanvas icon(32, 32, kClear);
  icon.Fill(6, 6, 13, 9, Rgba{64, 64, 72, 255});
  icon.Fill(2, 9, 29, 26, Rgba{64, 64, 72, 255});
  icon.Frame(2, 9, 29, 26, kBlack);
  icon.Disc(16, 17, 7, kBlack);
  icon.Disc(16, 17, 5, Rgba{40, 90, 200, 255});
  icon.Fill(13, 14, 14, 15, Rgba{255, 255, 255, 255});
  icon.Disc(25, 12, 1, kRed);
  return icon.WriteIcon(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  const bool written = WriteStrip(dir + "toolbar-normal.bmp", Shade::Pale) &&
                       WriteStrip(dir + "toolbar-hot.bmp", Shade::Strong) &&
                       WriteStrip(dir + "toolbar-disabled.bmp", Shade::Grey) &&
                       WriteStepIcon(dir + "exposure-up.ico", true) &&
                       WriteStepIcon(dir + "exposure-down.ico", false) &&
                       WriteFrameIcon(dir + "selvar.ico");
  if (!written) {
    std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
