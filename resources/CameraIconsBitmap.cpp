// Build-time tool: draws the Select Camera list's two 16 x 16 icons into one 24-bit BMP file.
// Icon 0 is a camera the driver knows; icon 1, drawn grey with a question mark, one it reports
// without a model. The RGB(192, 192, 192) background is the image list's mask colour.
#include <cstdio>

#include "PixelCanvas.h"

namespace {

constexpr int kIcon = 16;

using Rgb = Rgba;
constexpr Rgb kMask{192, 192, 192, 255};

void DrawCamera(PixelCanvas& canvas, int left, Rgb body, Rgb lens, Rgb outline) {
  canvas.Fill(left + 3, 3, left + 6, 4, body);    // viewfinder
  canvas.Frame(left + 3, 3, left + 6, 4, outline);
  canvas.Fill(left + 1, 5, left + 14, 13, body);  // body
  canvas.Frame(left + 1, 5, left + 14, 13, outline);
  canvas.Disc(left + 8, 9, 3, outline);            // lens ring and glass
  canvas.Disc(left + 8, 9, 2, lens);
  canvas.Set(left + 7, 8, Rgb{255, 255, 255, 255});     // highlight
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
    return 2;
  }
  PixelCanvas canvas(2 * kIcon, kIcon, kMask);
  DrawCamera(canvas, 0, Rgb{64, 64, 72, 255}, Rgb{40, 90, 200, 255}, Rgb{0, 0, 0, 255});
  canvas.Set(12, 7, Rgb{220, 30, 30, 255});  // the ready lamp
  DrawCamera(canvas, kIcon, Rgb{150, 150, 150, 255}, Rgb{170, 170, 180, 255}, Rgb{96, 96, 96, 255});
  // A question mark over the grey camera's lens.
  const int q = kIcon + 6;
  const Rgb mark{200, 0, 0, 255};
  canvas.Fill(q + 1, 6, q + 3, 6, mark);
  canvas.Set(q, 7, mark);
  canvas.Set(q + 4, 7, mark);
  canvas.Set(q + 4, 8, mark);
  canvas.Set(q + 3, 9, mark);
  canvas.Set(q + 2, 10, mark);
  canvas.Set(q + 2, 12, mark);
  if (!canvas.WriteBmp24(argv[1])) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
