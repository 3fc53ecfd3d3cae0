// Reserves the block at the first free 64 KiB-aligned address from 4 GiB up.
#include "platform/win32/HighAddressBlock.h"

#include <windows.h>

CHighAddressBlock::CHighAddressBlock(std::size_t bytes) : m_bytes(bytes) {
  if (sizeof(void*) == 4) {
    m_base = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    return;
  }
  // 64 candidate places between 4 GiB and 68 GiB, 1 GiB apart; one of them is free in any process.
  for (std::uint64_t gib = 4; gib < 68 && m_base == nullptr; ++gib) {
    void* wanted = reinterpret_cast<void*>(static_cast<std::uintptr_t>(gib << 30));
    m_base = VirtualAlloc(wanted, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  }
}

CHighAddressBlock::~CHighAddressBlock() {
  if (m_base != nullptr) VirtualFree(m_base, 0, MEM_RELEASE);
}

bool CHighAddressBlock::IsPlacedAsRequired() const {
  if (m_base == nullptr) return false;
  if (sizeof(void*) == 4) return true;
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(m_base)) >> 32 != 0;
}
