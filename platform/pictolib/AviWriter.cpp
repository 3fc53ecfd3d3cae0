// Every segment carries its frames and a standard index (ix00) inside its movi list; the first
// segment also gets the legacy idx1 so that readers without OpenDML find the frames it holds.
// The header reserves the super index (indx) and the OpenDML frame count (dmlh), patched at the end.
// Finishing works from the list of every chunk written, so a file cut back to any frame is
// completed the same way as a whole one.
#include "platform/pictolib/AviWriter.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kAvihHasIndex = 0x10, kAvihIsInterleaved = 0x100, kIdx1KeyFrame = 0x10;
constexpr std::size_t kDmlhBytes = 248;

void PutChunkHeader(Bytes& b, const char id[4], std::uint32_t size) {
  PutTag(b, id);
  PutLE32(b, size);
}

// Closes a chunk or list whose size field lies at sizeAt.
void EndChunk(Bytes& b, std::size_t sizeAt) { SetLE32(b, sizeAt, std::uint32_t(b.size() - sizeAt - 4)); }

// One zero-terminated string of an INFO list, padded to an even size.
void PutInfoString(Bytes& b, const char id[4], const std::string& text) {
  if (text.empty()) return;
  PutChunkHeader(b, id, std::uint32_t(text.size() + 1));
  b.insert(b.end(), text.begin(), text.end());
  PutU8(b, 0);
  if (b.size() % 2) PutU8(b, 0);
}

// The standard places for a file's creation date and a comment.
void PutInfoList(Bytes& b, const FrameText& text) {
  if (text.Empty()) return;
  PutChunkHeader(b, "LIST", 0);
  const std::size_t sizeAt = b.size() - 4;
  PutTag(b, "INFO");
  PutInfoString(b, "ICRD", text.dateTime);
  PutInfoString(b, "ICMT", text.description);
  EndChunk(b, sizeAt);
}

}  // namespace

AviWriter::AviWriter(const SequenceParams& params, const RateFraction& rate, MovieCodec codec)
    : params_(params), rate_(rate), coder_(params.layout, codec, params.codec.Quality) {
  std::copy_n(codec == MovieCodec::Jpeg ? "00dc" : "00db", 4, chunkId_);
}

Bytes AviWriter::Headers() {
  const FrameLayout& l = params_.layout;
  const bool jpeg = coder_.Codec() == MovieCodec::Jpeg;
  const bool palette = coder_.BitCount() == 8;
  Bytes b;
  PutChunkHeader(b, "RIFF", 0);
  PutTag(b, "AVI ");
  PutChunkHeader(b, "LIST", 0);
  const std::size_t hdrlSize = b.size() - 4;
  PutTag(b, "hdrl");
  PutChunkHeader(b, "avih", 56);
  avihAt_ = b.size();
  PutLE32(b, std::uint32_t(1000000.0 * rate_.denominator / rate_.numerator + 0.5));
  PutLE32(b, 0);  // max bytes per second, patched
  PutLE32(b, 0);
  PutLE32(b, kAvihHasIndex | kAvihIsInterleaved);
  PutLE32(b, 0);  // frames in the first segment, patched
  PutLE32(b, 0);
  PutLE32(b, 1);
  PutLE32(b, 0);  // suggested buffer size, patched
  PutLE32(b, l.width);
  PutLE32(b, l.height);
  for (int i = 0; i < 4; ++i) PutLE32(b, 0);

  PutChunkHeader(b, "LIST", 0);
  const std::size_t strlSize = b.size() - 4;
  PutTag(b, "strl");
  PutChunkHeader(b, "strh", 56);
  strhAt_ = b.size();
  PutTag(b, "vids");
  PutLE32(b, jpeg ? FourCC("MJPG") : 0);
  PutLE32(b, 0);
  PutLE32(b, 0);  // priority, language
  PutLE32(b, 0);
  PutLE32(b, rate_.denominator);
  PutLE32(b, rate_.numerator);
  PutLE32(b, 0);
  PutLE32(b, 0);  // length in frames, patched
  PutLE32(b, 0);  // suggested buffer size, patched
  PutLE32(b, 0xFFFFFFFFu);
  PutLE32(b, 0);
  PutLE16(b, 0);
  PutLE16(b, 0);
  PutLE16(b, l.width);
  PutLE16(b, l.height);

  PutChunkHeader(b, "strf", 0);
  const std::size_t strfSize = b.size() - 4;
  PutLE32(b, 40);
  PutLE32(b, l.width);
  PutLE32(b, l.height);
  PutLE16(b, 1);
  PutLE16(b, coder_.BitCount());
  PutLE32(b, jpeg ? FourCC("MJPG") : 0);
  const std::size_t stride = (std::size_t(l.width) * (palette ? 1 : 3) + 3) & ~std::size_t(3);
  PutLE32(b, std::uint32_t(stride * l.height));
  PutLE32(b, 0);
  PutLE32(b, 0);
  PutLE32(b, palette ? 256 : 0);
  PutLE32(b, 0);
  if (palette)
    for (std::uint32_t i = 0; i < 256; ++i) PutLE32(b, i * 0x010101u);
  EndChunk(b, strfSize);

  PutChunkHeader(b, "indx", 24 + 16 * kAviMaxSegments);
  indxAt_ = b.size();
  b.resize(b.size() + 24 + 16 * kAviMaxSegments, 0);
  EndChunk(b, strlSize);

  PutChunkHeader(b, "LIST", 0);
  const std::size_t odmlSize = b.size() - 4;
  PutTag(b, "odml");
  PutChunkHeader(b, "dmlh", kDmlhBytes);
  dmlhAt_ = b.size();
  b.resize(b.size() + kDmlhBytes, 0);
  EndChunk(b, odmlSize);
  EndChunk(b, hdrlSize);
  PutInfoList(b, text_);

  segments_.push_back({0, b.size(), 0});
  PutChunkHeader(b, "LIST", 0);
  PutTag(b, "movi");
  return b;
}

void AviWriter::OpenExtensionSegment(OutputFile& out) {
  const std::uint64_t riffStart = out.Size();
  segments_.push_back({riffStart, riffStart + 12, std::uint32_t(chunks_.size())});
  Bytes b;
  PutChunkHeader(b, "RIFF", 0);
  PutTag(b, "AVIX");
  PutChunkHeader(b, "LIST", 0);
  PutTag(b, "movi");
  out.Write(b);
}

void AviWriter::CloseSegment(OutputFile& out, std::uint32_t frames) {
  Segment& s = segments_.back();
  const std::uint32_t count = frames - s.firstFrame;
  const Chunk* chunks = chunks_.data() + s.firstFrame;
  s.indexOffset = out.Size();
  Bytes ix;
  PutU8(ix, 'i');
  PutU8(ix, 'x');
  PutU8(ix, chunkId_[0]);
  PutU8(ix, chunkId_[1]);
  PutLE32(ix, 24 + 8 * count);
  PutLE16(ix, 2);
  PutU8(ix, 0);
  PutU8(ix, 1);  // index of chunks
  PutLE32(ix, count);
  PutTag(ix, chunkId_);
  PutLE64(ix, s.riffStart);
  PutLE32(ix, 0);
  for (std::uint32_t i = 0; i < count; ++i) {
    PutLE32(ix, std::uint32_t(chunks[i].dataOffset - s.riffStart));
    PutLE32(ix, chunks[i].size);  // top bit clear: every frame is a key frame
  }
  out.Write(ix);
  s.indexSize = std::uint32_t(ix.size());

  Bytes size;
  PutLE32(size, std::uint32_t(out.Size() - s.moviListStart - 8));
  out.Patch(s.moviListStart + 4, size);
  if (segments_.size() == 1) {
    Bytes idx1;
    PutChunkHeader(idx1, "idx1", 16 * count);
    for (std::uint32_t i = 0; i < count; ++i) {
      PutTag(idx1, chunkId_);
      PutLE32(idx1, kIdx1KeyFrame);
      PutLE32(idx1, std::uint32_t(chunks[i].dataOffset - 8 - (s.moviListStart + 8)));
      PutLE32(idx1, chunks[i].size);
    }
    out.Write(idx1);
  }
  size.clear();
  PutLE32(size, std::uint32_t(out.Size() - s.riffStart - 8));
  out.Patch(s.riffStart + 4, size);
}

int AviWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  if (out.Size() == 0) out.Write(Headers());
  const std::size_t sampleBytes = coder_.Prepare(pixels);
  const std::uint64_t chunkBytes = 8 + ((sampleBytes + 1) & ~std::size_t(1));
  // Room for this segment's ix00 and, in the first segment, idx1 after this frame.
  const Segment& open = segments_.back();
  const std::uint64_t inSegment = chunks_.size() - open.firstFrame + 1;
  const std::uint64_t indexes = 32 + 8 * inSegment + (segments_.size() == 1 ? 8 + 16 * inSegment : 0);
  if (inSegment > 1 && out.Size() - open.riffStart + chunkBytes + indexes > params_.limits.riffSegmentBytes) {
    if (segments_.size() + 1 > kAviMaxSegments) return kPictoTooLarge;
    CloseSegment(out, std::uint32_t(chunks_.size()));
    OpenExtensionSegment(out);
  }
  Bytes head;
  PutChunkHeader(head, chunkId_, std::uint32_t(sampleBytes));
  out.Write(head);
  const std::uint64_t dataOffset = out.Size();
  coder_.Write(out, pixels);
  if (sampleBytes % 2) out.Write("", 1);
  if (out.Failed()) return kPictoWriteFailed;
  chunks_.push_back({dataOffset, std::uint32_t(sampleBytes)});
  return kPictoOk;
}

int AviWriter::Finish(OutputFile& out, std::uint32_t frames) {
  chunks_.resize(frames);
  while (segments_.back().firstFrame >= frames) segments_.pop_back();
  CloseSegment(out, frames);
  std::uint32_t largest = 0;
  for (const Chunk& c : chunks_) largest = std::max(largest, c.size);
  const std::uint32_t firstSegmentFrames = segments_.size() > 1 ? segments_[1].firstFrame : frames;
  Bytes v;
  const std::uint32_t buffer = largest + 8;
  PutLE32(v, std::uint32_t(std::min<double>(0xFFFFFFFFu, double(buffer) * rate_.numerator / rate_.denominator)));
  out.Patch(avihAt_ + 4, v);
  v.clear();
  PutLE32(v, firstSegmentFrames);
  out.Patch(avihAt_ + 16, v);
  v.clear();
  PutLE32(v, buffer);
  out.Patch(avihAt_ + 28, v);
  out.Patch(strhAt_ + 36, v);
  v.clear();
  PutLE32(v, frames);
  out.Patch(strhAt_ + 32, v);
  out.Patch(dmlhAt_, v);

  Bytes indx;
  PutLE16(indx, 4);
  PutU8(indx, 0);
  PutU8(indx, 0);  // index of indexes
  PutLE32(indx, std::uint32_t(segments_.size()));
  PutTag(indx, chunkId_);
  for (int i = 0; i < 3; ++i) PutLE32(indx, 0);
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const Segment& s = segments_[i];
    PutLE64(indx, s.indexOffset);
    PutLE32(indx, s.indexSize);
    PutLE32(indx, (i + 1 < segments_.size() ? segments_[i + 1].firstFrame : frames) - s.firstFrame);
  }
  // Entries of segments dropped by an earlier, failed finish are cleared.
  indx.resize(24 + 16 * kAviMaxSegments, 0);
  out.Patch(indxAt_, indx);
  return WriteStatus(out);
}
