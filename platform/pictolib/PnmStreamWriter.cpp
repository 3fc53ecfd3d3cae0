// Maxval is 2^bits - 1, so 9- and 10-bit samples are kept whole as big-endian words.
#include "platform/pictolib/PnmStreamWriter.h"

#include "platform/pictolib/RowWriter.h"

#include <string>

int PnmStreamWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  const FrameLayout& l = layout_;
  const std::string header = std::string(l.channels == 3 ? "P6\n" : "P5\n") + std::to_string(l.width) + " " +
                             std::to_string(l.height) + "\n" + std::to_string((1u << l.sampleBits) - 1) + "\n";
  out.Write(header.data(), header.size());
  if (l.channels == 1 && !l.IsWide()) {
    out.Write(pixels, l.FrameBytes());  // 8-bit grey is already what a PGM holds
    return WriteStatus(out);
  }
  WriteConvertedRows(out, l, pixels, l.RowBytes(), false, [&l](const std::uint8_t* src, std::uint8_t* dst) {
    RowToRgbNative(l, src, dst, true);
  });
  return WriteStatus(out);
}
