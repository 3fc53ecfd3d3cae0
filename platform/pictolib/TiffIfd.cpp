// Serialises a TIFF directory: entries sorted by tag, small values inline, larger ones behind it.
#include "platform/pictolib/TiffIfd.h"

#include <algorithm>

namespace {

std::size_t ValueBytes(TiffFieldType type) {
  switch (type) {
    case kTiffAscii: return 1;
    case kTiffShort: return 2;
    case kTiffLong: return 4;
    case kTiffRational: return 4;
    case kTiffLong8: return 8;
  }
  return 0;
}

void PutValues(Bytes& b, TiffFieldType type, const std::vector<std::uint64_t>& values) {
  for (std::uint64_t v : values) {
    switch (ValueBytes(type)) {
      case 1: PutU8(b, std::uint32_t(v)); break;
      case 2: PutLE16(b, std::uint32_t(v)); break;
      case 4: PutLE32(b, std::uint32_t(v)); break;
      default: PutLE64(b, v); break;
    }
  }
}

}  // namespace

void TiffIfd::Add(std::uint16_t tag, TiffFieldType type, std::vector<std::uint64_t> values) {
  entries_.push_back({tag, type, std::move(values)});
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
}

void TiffIfd::AddText(std::uint16_t tag, const std::string& text) {
  std::vector<std::uint64_t> values(text.begin(), text.end());
  values.push_back(0);
  Add(tag, kTiffAscii, std::move(values));
}

std::size_t TiffIfd::PayloadBytes(const Entry& e) { return ValueBytes(e.type) * e.values.size(); }

std::size_t TiffIfd::HeadSize() const {
  return big_ ? 8 + 20 * entries_.size() + 8 : 2 + 12 * entries_.size() + 4;
}

std::size_t TiffIfd::ValueAt(std::uint16_t tag) const {
  std::size_t i = 0;
  while (i < entries_.size() && entries_[i].tag != tag) ++i;
  return big_ ? 8 + 20 * i + 12 : 2 + 12 * i + 8;
}

std::size_t TiffIfd::Size() const {
  std::size_t size = HeadSize();
  for (const Entry& e : entries_) {
    const std::size_t payload = PayloadBytes(e);
    if (payload > InlineBytes()) size += (payload + 1) & ~std::size_t(1);
  }
  return size;
}

Bytes TiffIfd::Serialize(std::uint64_t offset, std::uint64_t nextIfd) const {
  Bytes head, extra;
  if (big_) PutLE64(head, entries_.size()); else PutLE16(head, std::uint32_t(entries_.size()));
  const std::uint64_t extraStart = offset + HeadSize();
  for (const Entry& e : entries_) {
    PutLE16(head, e.tag);
    PutLE16(head, e.type);
    const std::uint64_t count = e.type == kTiffRational ? e.values.size() / 2 : e.values.size();
    if (big_) PutLE64(head, count); else PutLE32(head, std::uint32_t(count));
    Bytes payload;
    PutValues(payload, e.type, e.values);
    if (payload.size() <= InlineBytes()) {
      payload.resize(InlineBytes(), 0);
      head.insert(head.end(), payload.begin(), payload.end());
      continue;
    }
    const std::uint64_t at = extraStart + extra.size();
    if (big_) PutLE64(head, at); else PutLE32(head, std::uint32_t(at));
    extra.insert(extra.end(), payload.begin(), payload.end());
    if (extra.size() % 2) extra.push_back(0);
  }
  if (big_) PutLE64(head, nextIfd); else PutLE32(head, std::uint32_t(nextIfd));
  head.insert(head.end(), extra.begin(), extra.end());
  return head;
}
