// Encodes the frame in memory, then writes it around the comment, whose place is fixed: the JFIF
// header the encoder starts with (start of image and a 16-byte APP0) must come first.
#include "platform/pictolib/JpegWriter.h"

namespace {

constexpr std::size_t kJfifHeaderBytes = 20;

Bytes CommentSegment(const FrameText& text) {
  std::string comment = text.description;
  if (!text.dateTime.empty()) comment += (comment.empty() ? "" : "\n") + ("recorded=" + text.dateTime);
  Bytes b;
  if (comment.empty()) return b;
  PutBE16(b, 0xFFFE);
  PutBE16(b, std::uint32_t(2 + comment.size()));
  b.insert(b.end(), comment.begin(), comment.end());
  return b;
}

}  // namespace

int JpegWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  Bytes jpeg;
  encoder_.Encode(layout_, pixels, jpeg);
  out.Write(jpeg.data(), kJfifHeaderBytes);
  out.Write(CommentSegment(text_));
  out.Write(jpeg.data() + kJfifHeaderBytes, jpeg.size() - kJfifHeaderBytes);
  return WriteStatus(out);
}
