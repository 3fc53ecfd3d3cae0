// Writes one bitmap file; deeper samples keep their upper eight bits.
#include "platform/pictolib/BmpWriter.h"

#include "platform/pictolib/ByteWriter.h"
#include "platform/pictolib/RowWriter.h"

int BmpWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  const FrameLayout& l = layout_;
  const std::uint32_t bits = 8 * l.channels;
  const std::size_t stride = (std::size_t(l.width) * l.channels + 3) & ~std::size_t(3);
  const std::uint32_t paletteBytes = l.channels == 1 ? 1024 : 0;
  const std::uint32_t dataOffset = 14 + 40 + paletteBytes;
  const std::uint64_t imageBytes = std::uint64_t(stride) * l.height;
  Bytes h;
  PutU8(h, 'B');
  PutU8(h, 'M');
  PutLE32(h, std::uint32_t(dataOffset + imageBytes));
  PutLE32(h, 0);
  PutLE32(h, dataOffset);
  PutLE32(h, 40);
  PutLE32(h, l.width);
  PutLE32(h, l.height);  // positive: bottom-up rows
  PutLE16(h, 1);
  PutLE16(h, bits);
  PutLE32(h, 0);  // uncompressed
  PutLE32(h, std::uint32_t(imageBytes));
  PutLE32(h, 2835);  // 72 dpi
  PutLE32(h, 2835);
  PutLE32(h, paletteBytes / 4);
  PutLE32(h, 0);
  for (std::uint32_t i = 0; i < paletteBytes / 4; ++i) PutLE32(h, i * 0x010101u);
  out.Write(h);
  WriteDibRows(out, l, pixels, stride);
  return WriteStatus(out);
}
