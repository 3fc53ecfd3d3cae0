// The owned scratch buffer that converted or re-padded rows are written into.
#include "render/ConversionBuffer.h"

#include <cstring>
#include <new>

// The buffer only grows: frames of one geometry reuse it without touching the allocator. The old
// buffer goes before the new one is asked for, so a large frame needs no room for both at once;
// when the allocation fails the object is left empty and the caller skips the frame.
std::uint8_t* CConversionBuffer::Prepare(std::uint64_t bytes) {
  if (bytes > m_capacity) {
    m_data.reset();
    m_capacity = 0;
    if (bytes > UINT32_MAX) return nullptr;
    m_data.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]);
    if (!m_data) return nullptr;
    m_capacity = static_cast<std::uint32_t>(bytes);
  }
  if (!m_data) return nullptr;
  // Pad bytes must be 0, and clearing the full capacity keeps no stale pixels of a larger frame.
  std::memset(m_data.get(), 0, m_capacity);
  return m_data.get();
}
