// Each kernel runs its vector loop as far as whole vectors fit, then finishes the row with the
// plain loop, which is also the whole kernel on processors without SSSE3.
#include "platform/pictolib/RowKernels.h"

#include "platform/pictolib/VectorTargets.h"

namespace {

void SwapPlain(const std::uint8_t* src, std::uint8_t* dst, std::size_t from, std::size_t pixels) {
  for (std::size_t i = from; i < pixels; ++i) {
    dst[3 * i] = src[3 * i + 2];
    dst[3 * i + 1] = src[3 * i + 1];
    dst[3 * i + 2] = src[3 * i];
  }
}

void SpreadPlain(const std::uint8_t* src, std::uint8_t* dst, std::size_t from, std::size_t pixels) {
  for (std::size_t i = from; i < pixels; ++i) dst[3 * i] = dst[3 * i + 1] = dst[3 * i + 2] = src[i];
}

std::uint8_t Narrow(const std::uint8_t* word, unsigned shift) {
  const unsigned v = unsigned(word[0] | word[1] << 8) >> shift;
  return std::uint8_t(v < 255 ? v : 255);
}

#ifdef SELVAR_VECTORS

// Four pixels per step through one 16-byte load and store; the store's last four bytes are
// rewritten by the next step or the plain tail, so a step needs six pixels ahead of it.
SELVAR_SSSE3 std::size_t SwapVectors(const std::uint8_t* src, std::uint8_t* dst,
                                     std::size_t pixels) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
  std::size_t i = 0;
  for (; i + 6 <= pixels; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * i), _mm_shuffle_epi8(v, order));
  }
  return i;
}

// Sixteen grey bytes to 48 output bytes.
SELVAR_SSSE3_INLINE void SpreadSixteen(__m128i grey, std::uint8_t* dst) {
  const __m128i first = _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
  const __m128i second = _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10);
  const __m128i third = _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(grey, first));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16), _mm_shuffle_epi8(grey, second));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 32), _mm_shuffle_epi8(grey, third));
}

SELVAR_SSSE3 std::size_t SpreadVectors(const std::uint8_t* src, std::uint8_t* dst,
                                       std::size_t pixels) {
  std::size_t i = 0;
  for (; i + 16 <= pixels; i += 16) {
    SpreadSixteen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)), dst + 3 * i);
  }
  return i;
}

// Sixteen words to sixteen bytes. The words are below 0x8000 after a shift of at least one, so
// the signed saturation of the pack is the saturation wanted.
SELVAR_SSSE3_INLINE __m128i NarrowSixteen(const std::uint8_t* src, unsigned shift) {
  const __m128i count = _mm_cvtsi32_si128(int(shift));
  const __m128i low = _mm_srl_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src)), count);
  const __m128i high = _mm_srl_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16)), count);
  return _mm_packus_epi16(low, high);
}

SELVAR_SSSE3 std::size_t NarrowVectors(const std::uint8_t* src, std::uint8_t* dst,
                                       std::size_t words, unsigned shift) {
  std::size_t i = 0;
  for (; i + 16 <= words; i += 16) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), NarrowSixteen(src + 2 * i, shift));
  }
  return i;
}

SELVAR_SSSE3 std::size_t NarrowSpreadVectors(const std::uint8_t* src, std::uint8_t* dst,
                                             std::size_t words, unsigned shift) {
  std::size_t i = 0;
  for (; i + 16 <= words; i += 16) SpreadSixteen(NarrowSixteen(src + 2 * i, shift), dst + 3 * i);
  return i;
}

#else

std::size_t SwapVectors(const std::uint8_t*, std::uint8_t*, std::size_t) { return 0; }
std::size_t SpreadVectors(const std::uint8_t*, std::uint8_t*, std::size_t) { return 0; }
std::size_t NarrowVectors(const std::uint8_t*, std::uint8_t*, std::size_t, unsigned) { return 0; }
std::size_t NarrowSpreadVectors(const std::uint8_t*, std::uint8_t*, std::size_t, unsigned) { return 0; }

#endif

}  // namespace

void SwapOuterBytes24(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels) {
  SwapPlain(src, dst, HasSsse3() ? SwapVectors(src, dst, pixels) : 0, pixels);
}

void SpreadGreyToRgb24(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels) {
  SpreadPlain(src, dst, HasSsse3() ? SpreadVectors(src, dst, pixels) : 0, pixels);
}

void NarrowWords(const std::uint8_t* src, std::uint8_t* dst, std::size_t words, unsigned shift) {
  for (std::size_t i = HasSsse3() ? NarrowVectors(src, dst, words, shift) : 0; i < words; ++i) {
    dst[i] = Narrow(src + 2 * i, shift);
  }
}

void NarrowGreyWordsToRgb24(const std::uint8_t* src, std::uint8_t* dst, std::size_t words, unsigned shift) {
  for (std::size_t i = HasSsse3() ? NarrowSpreadVectors(src, dst, words, shift) : 0; i < words; ++i) {
    dst[3 * i] = dst[3 * i + 1] = dst[3 * i + 2] = Narrow(src + 2 * i, shift);
  }
}
