// Encodes the frame in memory, then writes it in one piece.
#include "platform/pictolib/JpegWriter.h"

int JpegWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  Bytes jpeg;
  encoder_.Encode(layout_, pixels, jpeg);
  out.Write(jpeg);
  return WriteStatus(out);
}
