// A committed, zeroed memory block placed above 4 GiB in a 64-bit process, where Wine never puts
// heap or stack memory by itself, so that an address cut to 32 bits anywhere on its way shows.
#pragma once

#include <cstddef>
#include <cstdint>

class CHighAddressBlock {
 public:
  explicit CHighAddressBlock(std::size_t bytes);
  ~CHighAddressBlock();
  CHighAddressBlock(const CHighAddressBlock&) = delete;
  CHighAddressBlock& operator=(const CHighAddressBlock&) = delete;

  std::uint8_t* Data() const { return static_cast<std::uint8_t*>(m_base); }
  std::size_t Size() const { return m_bytes; }
  // In a 32-bit process any block will do; in a 64-bit one it must lie wholly above 4 GiB.
  bool IsPlacedAsRequired() const;

 private:
  void* m_base = nullptr;
  std::size_t m_bytes = 0;
};
