// Codec table and current choices; the defaults match the settings record's defaults for MOV
// (Photo JPEG) and AVI (uncompressed).
#include "platform/pictolib/CodecSettings.h"

#include "platform/pictolib/ByteWriter.h"
#include "platform/pictolib/FileTypes.h"

#include <cstring>

namespace {

struct CodecEntry {
  int type;
  std::uint32_t id;
  const char* fourcc;
  const char* name;
};

const CodecEntry kCodecs[] = {
    {kTypeJpeg, kCodecJpeg, "JPEG", "Baseline JPEG"},
    {kTypeAvi, kCodecUncompressed, "DIB ", "Uncompressed (full frames)"},
    {kTypeAvi, kCodecJpeg, "MJPG", "Motion JPEG"},
    {kTypeMov, kCodecUncompressed, "raw ", "Uncompressed RGB"},
    {kTypeMov, kCodecJpeg, "jpeg", "Photo JPEG"},
};

CodecInfo Record(const CodecEntry& e, std::uint32_t quality) {
  CodecInfo c{};
  c.FileType = std::uint32_t(e.type);
  c.Signature = kCodecSignature;
  c.CodecId = e.id;
  c.FourCC = FourCC(e.fourcc);
  c.Quality = quality;  // kept for codecs without quality too, so settings survive a round trip
  std::strncpy(c.Name, e.name, sizeof c.Name - 1);
  return c;
}

const CodecEntry* Find(int type, std::uint32_t id) {
  for (const CodecEntry& e : kCodecs)
    if (e.type == type && e.id == id) return &e;
  return nullptr;
}

}  // namespace

CodecSettings::CodecSettings()
    : jpeg_(Record(*Find(kTypeJpeg, kCodecJpeg), kDefaultQuality)),
      avi_(Record(*Find(kTypeAvi, kCodecUncompressed), kDefaultQuality)),
      mov_(Record(*Find(kTypeMov, kCodecJpeg), kDefaultQuality)) {}

CodecInfo* CodecSettings::Slot(int type) {
  switch (type) {
    case kTypeJpeg: return &jpeg_;
    case kTypeAvi: return &avi_;
    case kTypeMov: return &mov_;
    default: return nullptr;
  }
}

CodecInfo CodecSettings::Current(int type) const {
  CodecInfo* slot = const_cast<CodecSettings*>(this)->Slot(type);
  return slot != nullptr ? *slot : CodecInfo{};
}

int CodecSettings::Enumerate(int type, CodecInfo* entries, int* count) const {
  if (count == nullptr || *count < 0 || (entries == nullptr && *count > 0)) return kPictoBadArgument;
  if (FindFileType(type) == nullptr) return kPictoUnknownType;
  const CodecInfo current = Current(type);
  int filled = 0;
  for (const CodecEntry& e : kCodecs) {
    if (e.type != type) continue;
    if (filled == *count) return kPictoBadArgument;
    entries[filled++] = Record(e, e.id == current.CodecId ? current.Quality : kDefaultQuality);
  }
  *count = filled;
  return kPictoOk;
}

int CodecSettings::Get(int type, CodecInfo* out) const {
  if (out == nullptr) return kPictoBadArgument;
  if (FindFileType(type) == nullptr) return kPictoUnknownType;
  *out = Current(type);
  return kPictoOk;
}

int CodecSettings::Set(int type, const CodecInfo* in) {
  if (in == nullptr) return kPictoBadArgument;
  if (FindFileType(type) == nullptr) return kPictoUnknownType;
  CodecInfo* slot = Slot(type);
  const CodecEntry* entry = Find(type, in->CodecId);
  if (slot == nullptr || entry == nullptr || in->Quality > kMaxQuality) return kPictoUnknownCodec;
  *slot = Record(*entry, in->Quality);
  return kPictoOk;
}
