// Build-time tool: draws the control's toolbox bitmap (16 x 15, 24-bit BMP): a dark camera body
// with a blue lens and a red lamp on the light grey a toolbox shows behind it. The About box uses
// the frame's camera icon.
#include <cstdio>

#include "PixelCanvas.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: control-pictures TOOLBOX.bmp\n");
    return 2;
  }
  PixelCanvas toolbox(16, 15, Rgba{192, 192, 192, 255});
  const Rgba body{48, 48, 56, 255};
  toolbox.Fill(5, 2, 10, 3, body);
  toolbox.Fill(0, 4, 15, 13, body);
  toolbox.Disc(8, 8, 3, Rgba{40, 110, 220, 255});
  toolbox.Set(7, 7, Rgba{230, 240, 255, 255});
  toolbox.Fill(13, 5, 14, 5, Rgba{220, 30, 30, 255});
  if (!toolbox.WriteBmp24(argv[1])) {
    std::fprintf(stderr, "control-pictures: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
