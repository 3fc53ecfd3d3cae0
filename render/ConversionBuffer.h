// The owned scratch buffer that converted or re-padded rows are written into.
#pragma once

#include <cstdint>
#include <memory>

class CConversionBuffer {
 public:
  // Makes room for bytes and zeroes the whole capacity; nullptr when the room cannot be had.
  std::uint8_t* Prepare(std::uint64_t bytes);

  const std::uint8_t* Data() const { return m_data.get(); }
  std::uint32_t Capacity() const { return m_capacity; }

 private:
  std::unique_ptr<std::uint8_t[]> m_data;
  std::uint32_t m_capacity = 0;
};
