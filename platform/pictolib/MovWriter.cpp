// A 'wide' atom sits before the media data header so that the header can grow to a 64-bit size
// in place once the data passes 4 GB; chunk offsets are then written as co64 instead of stco.
// Each frame is one chunk and one sample; the track's time scale is the rate's numerator.
#include "platform/pictolib/MovWriter.h"

#include <algorithm>

namespace {

Bytes Atom(const char type[4], const Bytes& body) {
  Bytes b;
  PutBE32(b, std::uint32_t(8 + body.size()));
  PutTag(b, type);
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes b;
  for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}

void PutMatrix(Bytes& b) {
  const std::uint32_t m[9] = {0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000};
  for (std::uint32_t v : m) PutBE32(b, v);
}

Bytes PascalName(const char* text, std::size_t fieldBytes) {
  Bytes b;
  std::size_t n = 0;
  while (text[n] != 0) ++n;
  PutU8(b, std::uint32_t(n));
  b.insert(b.end(), text, text + n);
  if (fieldBytes > 0) b.resize(fieldBytes, 0);
  return b;
}

Bytes Handler(const char type[4], const char subtype[4], const char* name) {
  Bytes b;
  PutBE32(b, 0);
  PutTag(b, type);
  PutTag(b, subtype);
  PutBE32(b, 0);
  PutBE32(b, 0);
  PutBE32(b, 0);
  const Bytes n = PascalName(name, 0);
  b.insert(b.end(), n.begin(), n.end());
  return Atom("hdlr", b);
}

// A QuickTime text item of the user data: length, language 0 (English, Mac Roman), the text.
Bytes TextItem(const char type[4], const std::string& text) {
  Bytes b;
  PutBE16(b, std::uint32_t(text.size()));
  PutBE16(b, 0);
  b.insert(b.end(), text.begin(), text.end());
  return Atom(type, b);
}

// The recording date and the description as the movie's user data: empty when there are none.
Bytes UserData(const FrameText& text) {
  if (text.Empty()) return {};
  Bytes items;
  if (!text.dateTime.empty()) {
    std::string iso = text.dateTime;
    iso[10] = 'T';
    items = TextItem("\xA9" "day", iso);
  }
  if (!text.description.empty()) {
    const Bytes comment = TextItem("\xA9" "cmt", text.description);
    items.insert(items.end(), comment.begin(), comment.end());
  }
  return Atom("udta", items);
}

}  // namespace

MovWriter::MovWriter(const SequenceParams& params, const RateFraction& rate, MovieCodec codec)
    : params_(params), rate_(rate), coder_(params.layout, codec, params.codec.Quality) {}

int MovWriter::WriteFrame(OutputFile& out, const std::uint8_t* pixels) {
  if (out.Size() == 0) {
    Bytes ftyp;
    PutTag(ftyp, "qt  ");
    PutBE32(ftyp, 0x20050300);
    PutTag(ftyp, "qt  ");
    out.Write(Atom("ftyp", ftyp));
    wideAt_ = out.Size();
    out.Write(Atom("wide", {}));
    out.Write(Atom("mdat", {}));
  }
  offsets_.push_back(out.Size());
  sizes_.push_back(std::uint32_t(coder_.Prepare(pixels)));
  coder_.Write(out, pixels);
  return WriteStatus(out);
}

Bytes MovWriter::SampleTable(bool offsets64) const {
  const FrameLayout& l = params_.layout;
  const bool jpeg = coder_.Codec() == MovieCodec::Jpeg;
  Bytes entry;
  for (int i = 0; i < 6; ++i) PutU8(entry, 0);
  PutBE16(entry, 1);  // data reference index
  PutBE16(entry, 0);
  PutBE16(entry, 0);
  PutTag(entry, "appl");
  PutBE32(entry, jpeg ? 512 : 0);                 // temporal quality
  PutBE32(entry, std::min(1024u, params_.codec.Quality * 1024 / 10000));  // spatial quality
  PutBE16(entry, l.width);
  PutBE16(entry, l.height);
  PutBE32(entry, 72u << 16);
  PutBE32(entry, 72u << 16);
  PutBE32(entry, 0);
  PutBE16(entry, 1);  // frames per sample
  const Bytes name = PascalName(jpeg ? "Photo - JPEG" : "None", 32);
  entry.insert(entry.end(), name.begin(), name.end());
  PutBE16(entry, 24);
  PutBE16(entry, 0xFFFF);  // no colour table
  Bytes stsd;
  PutBE32(stsd, 0);
  PutBE32(stsd, 1);
  const Bytes sampleEntry = Atom(jpeg ? "jpeg" : "raw ", entry);
  stsd.insert(stsd.end(), sampleEntry.begin(), sampleEntry.end());

  const std::uint32_t frames = std::uint32_t(sizes_.size());
  Bytes stts;
  PutBE32(stts, 0);
  PutBE32(stts, 1);
  PutBE32(stts, frames);
  PutBE32(stts, rate_.denominator);
  Bytes stsc;
  PutBE32(stsc, 0);
  PutBE32(stsc, 1);
  PutBE32(stsc, 1);
  PutBE32(stsc, 1);
  PutBE32(stsc, 1);
  Bytes stsz;
  PutBE32(stsz, 0);
  PutBE32(stsz, 0);
  PutBE32(stsz, frames);
  for (std::uint32_t s : sizes_) PutBE32(stsz, s);
  Bytes stco;
  PutBE32(stco, 0);
  PutBE32(stco, frames);
  for (std::uint64_t o : offsets_) {
    if (offsets64) PutBE64(stco, o); else PutBE32(stco, std::uint32_t(o));
  }
  return Atom("stbl", Join({Atom("stsd", stsd), Atom("stts", stts), Atom("stsc", stsc), Atom("stsz", stsz),
                            Atom(offsets64 ? "co64" : "stco", stco)}));
}

Bytes MovWriter::MovieAtom(bool offsets64) const {
  const FrameLayout& l = params_.layout;
  const std::uint32_t timescale = rate_.numerator;
  const std::uint32_t duration = std::uint32_t(sizes_.size()) * rate_.denominator;
  Bytes mvhd;
  PutBE32(mvhd, 0);
  PutBE32(mvhd, 0);
  PutBE32(mvhd, 0);
  PutBE32(mvhd, timescale);
  PutBE32(mvhd, duration);
  PutBE32(mvhd, 0x10000);  // rate 1.0
  PutBE16(mvhd, 0x100);    // volume 1.0
  for (int i = 0; i < 10; ++i) PutU8(mvhd, 0);
  PutMatrix(mvhd);
  for (int i = 0; i < 6; ++i) PutBE32(mvhd, 0);
  PutBE32(mvhd, 2);  // next track id

  Bytes tkhd;
  PutBE32(tkhd, 0x0000000F);  // enabled, in movie, in preview, in poster
  PutBE32(tkhd, 0);
  PutBE32(tkhd, 0);
  PutBE32(tkhd, 1);
  PutBE32(tkhd, 0);
  PutBE32(tkhd, duration);
  PutBE32(tkhd, 0);
  PutBE32(tkhd, 0);
  PutBE16(tkhd, 0);
  PutBE16(tkhd, 0);
  PutBE16(tkhd, 0);
  PutBE16(tkhd, 0);
  PutMatrix(tkhd);
  PutBE32(tkhd, l.width << 16);
  PutBE32(tkhd, l.height << 16);

  Bytes mdhd;
  PutBE32(mdhd, 0);
  PutBE32(mdhd, 0);
  PutBE32(mdhd, 0);
  PutBE32(mdhd, timescale);
  PutBE32(mdhd, duration);
  PutBE16(mdhd, 0);
  PutBE16(mdhd, 0);

  Bytes vmhd;
  PutBE32(vmhd, 1);
  PutBE16(vmhd, 0x40);  // dither copy
  PutBE16(vmhd, 0x8000);
  PutBE16(vmhd, 0x8000);
  PutBE16(vmhd, 0x8000);
  Bytes dref;
  PutBE32(dref, 0);
  PutBE32(dref, 1);
  Bytes alias;
  PutBE32(alias, 1);  // self-contained: the data is in this file
  const Bytes aliasAtom = Atom("alis", alias);
  dref.insert(dref.end(), aliasAtom.begin(), aliasAtom.end());

  const Bytes minf = Atom("minf", Join({Atom("vmhd", vmhd), Handler("dhlr", "alis", "Alias Data Handler"),
                                        Atom("dinf", Atom("dref", dref)), SampleTable(offsets64)}));
  const Bytes mdia = Atom("mdia", Join({Atom("mdhd", mdhd), Handler("mhlr", "vide", "Video Media Handler"), minf}));
  return Atom("moov", Join({Atom("mvhd", mvhd), Atom("trak", Join({Atom("tkhd", tkhd), mdia})), UserData(text_)}));
}

int MovWriter::Finish(OutputFile& out, std::uint32_t frames) {
  offsets_.resize(frames);
  sizes_.resize(frames);
  const std::uint64_t end = out.Size();
  const bool large = end > params_.limits.mov64Above;
  Bytes head;
  if (large) {
    PutBE32(head, 1);
    PutTag(head, "mdat");
    PutBE64(head, end - wideAt_);
    out.Patch(wideAt_, head);
  } else {
    PutBE32(head, std::uint32_t(end - wideAt_ - 8));
    out.Patch(wideAt_ + 8, head);
  }
  out.Write(MovieAtom(large));
  return WriteStatus(out);
}
