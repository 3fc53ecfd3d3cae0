// Floating-point AAN forward DCT with its scale factors folded into the quantisation reciprocals.
// The vector versions use SSE2 (always on x86_64, checked on 32-bit x86) and, for splitting
// three-byte pixels and the zig-zag order, SSSE3 where the processor has it. Neither fuses a
// product into a sum (no target here has fused multiply-add), which keeps them bit for bit equal
// to the plain loops wherever those round each float operation to single precision (not the
// 32-bit build's x87 code, whose wider registers can move a last bit).
#include "platform/pictolib/JpegKernels.h"

#include "platform/pictolib/JpegTables.h"
#include "platform/pictolib/VectorTargets.h"

#include <utility>

namespace {

constexpr float kYr = 0.299f, kYg = 0.587f, kYb = 0.114f;
constexpr float kCbR = -0.168736f, kCbG = 0.331264f, kCbB = 0.5f;
constexpr float kCrR = 0.5f, kCrG = 0.418688f, kCrB = 0.081312f;
constexpr float kRoundBias = 16384.5f;  // keeps the truncated sum positive: rounds half up
constexpr int kRoundOffset = 16384;

void BgrToPlanesFrom(const std::uint8_t* bgr, float* luma, float* cb, float* cr, std::size_t from,
                     std::size_t pixels) {
  for (std::size_t x = from; x < pixels; ++x) {
    const float blue = bgr[3 * x], green = bgr[3 * x + 1], red = bgr[3 * x + 2];
    luma[x] = kYr * red + kYg * green + kYb * blue - 128.0f;
    cb[x] = kCbR * red - kCbG * green + kCbB * blue;
    cr[x] = kCrR * red - kCrG * green - kCrB * blue;
  }
}

void GreyToPlaneFrom(const std::uint8_t* grey, float* luma, std::size_t from, std::size_t pixels) {
  for (std::size_t x = from; x < pixels; ++x) luma[x] = float(grey[x]) - 128.0f;
}

// One AAN pass down all eight columns of a row-major block.
void DctColumns(float* d) {
  for (int c = 0; c < 8; ++c) {
    float* p = d + c;
    const float t0 = p[0] + p[56], t7 = p[0] - p[56];
    const float t1 = p[8] + p[48], t6 = p[8] - p[48];
    const float t2 = p[16] + p[40], t5 = p[16] - p[40];
    const float t3 = p[24] + p[32], t4 = p[24] - p[32];
    const float e10 = t0 + t3, e13 = t0 - t3, e11 = t1 + t2, e12 = t1 - t2;
    p[0] = e10 + e11;
    p[32] = e10 - e11;
    const float z1 = (e12 + e13) * 0.707106781f;
    p[16] = e13 + z1;
    p[48] = e13 - z1;
    const float o10 = t4 + t5, o11 = t5 + t6, o12 = t6 + t7;
    const float z5 = (o10 - o12) * 0.382683433f;
    const float z2 = 0.541196100f * o10 + z5;
    const float z4 = 1.306562965f * o12 + z5;
    const float z3 = o11 * 0.707106781f;
    const float z11 = t7 + z3, z13 = t7 - z3;
    p[40] = z13 + z2;
    p[24] = z13 - z2;
    p[8] = z11 + z4;
    p[56] = z11 - z4;
  }
}

void Transpose(float* d) {
  for (int r = 0; r < 8; ++r)
    for (int c = r + 1; c < 8; ++c) std::swap(d[8 * r + c], d[8 * c + r]);
}

void BgrToPlanesPlain(const std::uint8_t* bgr, float* luma, float* cb, float* cr, std::size_t pixels) {
  BgrToPlanesFrom(bgr, luma, cb, cr, 0, pixels);
}

void GreyToPlanePlain(const std::uint8_t* grey, float* luma, std::size_t pixels) {
  GreyToPlaneFrom(grey, luma, 0, pixels);
}

// The block is gathered transposed: the first pass transforms the rows, the second the columns.
std::uint64_t DctQuantisePlain(const float* plane, std::size_t stride, const float* reciprocals,
                               std::int16_t* zigzag) {
  float block[64];
  for (int r = 0; r < 8; ++r)
    for (int x = 0; x < 8; ++x) block[8 * x + r] = plane[r * stride + x];
  DctColumns(block);
  Transpose(block);
  DctColumns(block);
  std::uint64_t nonZero = 0;
  for (int i = 0; i < 64; ++i) {
    const int n = kJpegZigzag[i];
    zigzag[i] = std::int16_t(int(block[n] * reciprocals[n] + kRoundBias) - kRoundOffset);
    nonZero |= std::uint64_t(zigzag[i] != 0) << i;
  }
  return nonZero;
}

#ifdef SELVAR_VECTORS

// Sixteen bytes as four vectors of four floats.
SELVAR_SSE2_INLINE void BytesToFloats(__m128i bytes, __m128 (&f)[4]) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
  f[0] = _mm_cvtepi32_ps(_mm_unpacklo_epi16(low, zero));
  f[1] = _mm_cvtepi32_ps(_mm_unpackhi_epi16(low, zero));
  f[2] = _mm_cvtepi32_ps(_mm_unpacklo_epi16(high, zero));
  f[3] = _mm_cvtepi32_ps(_mm_unpackhi_epi16(high, zero));
}

// Sixteen pixels per step: three loads split into blue, green and red by byte shuffles.
SELVAR_SSSE3 void BgrToPlanesSsse3(const std::uint8_t* bgr, float* luma, float* cb, float* cr,
                                   std::size_t pixels) {
  // The shuffles taking the first, second and third byte of each pixel out of each load.
  const __m128i first0 = _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
  const __m128i first1 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1);
  const __m128i first2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7, 10, 13);
  const __m128i second0 = _mm_setr_epi8(1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
  const __m128i second1 = _mm_setr_epi8(-1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1);
  const __m128i second2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14);
  const __m128i third0 = _mm_setr_epi8(2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
  const __m128i third1 = _mm_setr_epi8(-1, -1, -1, -1, -1, 1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1);
  const __m128i third2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15);
  const __m128 yr = _mm_set1_ps(kYr), yg = _mm_set1_ps(kYg), yb = _mm_set1_ps(kYb);
  const __m128 cbr = _mm_set1_ps(kCbR), cbg = _mm_set1_ps(kCbG), cbb = _mm_set1_ps(kCbB);
  const __m128 crr = _mm_set1_ps(kCrR), crg = _mm_set1_ps(kCrG), crb = _mm_set1_ps(kCrB);
  const __m128 shift = _mm_set1_ps(128.0f);
  std::size_t x = 0;
  for (; x + 16 <= pixels; x += 16) {
    const __m128i* p = reinterpret_cast<const __m128i*>(bgr + 3 * x);
    const __m128i v0 = _mm_loadu_si128(p), v1 = _mm_loadu_si128(p + 1), v2 = _mm_loadu_si128(p + 2);
    __m128 red[4], green[4], blue[4];
    BytesToFloats(_mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v0, first0), _mm_shuffle_epi8(v1, first1)),
                               _mm_shuffle_epi8(v2, first2)), blue);
    BytesToFloats(_mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v0, second0), _mm_shuffle_epi8(v1, second1)),
                               _mm_shuffle_epi8(v2, second2)), green);
    BytesToFloats(_mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v0, third0), _mm_shuffle_epi8(v1, third1)),
                               _mm_shuffle_epi8(v2, third2)), red);
    for (int i = 0; i < 4; ++i) {
      const __m128 y = _mm_add_ps(_mm_add_ps(_mm_mul_ps(yr, red[i]), _mm_mul_ps(yg, green[i])),
                                  _mm_mul_ps(yb, blue[i]));
      _mm_storeu_ps(luma + x + 4 * i, _mm_sub_ps(y, shift));
      _mm_storeu_ps(cb + x + 4 * i,
                    _mm_add_ps(_mm_sub_ps(_mm_mul_ps(cbr, red[i]), _mm_mul_ps(cbg, green[i])),
                               _mm_mul_ps(cbb, blue[i])));
      _mm_storeu_ps(cr + x + 4 * i,
                    _mm_sub_ps(_mm_sub_ps(_mm_mul_ps(crr, red[i]), _mm_mul_ps(crg, green[i])),
                               _mm_mul_ps(crb, blue[i])));
    }
  }
  BgrToPlanesFrom(bgr, luma, cb, cr, x, pixels);
}

SELVAR_SSE2 void GreyToPlaneSse2(const std::uint8_t* grey, float* luma, std::size_t pixels) {
  const __m128 shift = _mm_set1_ps(128.0f);
  std::size_t x = 0;
  for (; x + 16 <= pixels; x += 16) {
    __m128 f[4];
    BytesToFloats(_mm_loadu_si128(reinterpret_cast<const __m128i*>(grey + x)), f);
    for (int i = 0; i < 4; ++i) _mm_storeu_ps(luma + x + 4 * i, _mm_sub_ps(f[i], shift));
  }
  GreyToPlaneFrom(grey, luma, x, pixels);
}

// A block as eight rows of two halves: left[r] holds columns 0 to 3 of row r, right[r] 4 to 7.
struct Rows {
  __m128 left[8], right[8];
};

SELVAR_SSE2_INLINE void Transpose4(__m128& a, __m128& b, __m128& c, __m128& d) {
  const __m128 ab0 = _mm_unpacklo_ps(a, b), ab1 = _mm_unpackhi_ps(a, b);
  const __m128 cd0 = _mm_unpacklo_ps(c, d), cd1 = _mm_unpackhi_ps(c, d);
  a = _mm_movelh_ps(ab0, cd0);
  b = _mm_movehl_ps(cd0, ab0);
  c = _mm_movelh_ps(ab1, cd1);
  d = _mm_movehl_ps(cd1, ab1);
}

SELVAR_SSE2_INLINE void Transpose8(Rows& m) {
  Transpose4(m.left[0], m.left[1], m.left[2], m.left[3]);
  Transpose4(m.right[0], m.right[1], m.right[2], m.right[3]);
  Transpose4(m.left[4], m.left[5], m.left[6], m.left[7]);
  Transpose4(m.right[4], m.right[5], m.right[6], m.right[7]);
  for (int i = 0; i < 4; ++i) std::swap(m.right[i], m.left[4 + i]);
}

// DctColumns on four columns at once, the same operations in the same order.
SELVAR_SSE2_INLINE void Dct4Columns(__m128 (&p)[8]) {
  const __m128 c0707 = _mm_set1_ps(0.707106781f), c0382 = _mm_set1_ps(0.382683433f);
  const __m128 c0541 = _mm_set1_ps(0.541196100f), c1306 = _mm_set1_ps(1.306562965f);
  const __m128 t0 = _mm_add_ps(p[0], p[7]), t7 = _mm_sub_ps(p[0], p[7]);
  const __m128 t1 = _mm_add_ps(p[1], p[6]), t6 = _mm_sub_ps(p[1], p[6]);
  const __m128 t2 = _mm_add_ps(p[2], p[5]), t5 = _mm_sub_ps(p[2], p[5]);
  const __m128 t3 = _mm_add_ps(p[3], p[4]), t4 = _mm_sub_ps(p[3], p[4]);
  const __m128 e10 = _mm_add_ps(t0, t3), e13 = _mm_sub_ps(t0, t3);
  const __m128 e11 = _mm_add_ps(t1, t2), e12 = _mm_sub_ps(t1, t2);
  p[0] = _mm_add_ps(e10, e11);
  p[4] = _mm_sub_ps(e10, e11);
  const __m128 z1 = _mm_mul_ps(_mm_add_ps(e12, e13), c0707);
  p[2] = _mm_add_ps(e13, z1);
  p[6] = _mm_sub_ps(e13, z1);
  const __m128 o10 = _mm_add_ps(t4, t5), o11 = _mm_add_ps(t5, t6), o12 = _mm_add_ps(t6, t7);
  const __m128 z5 = _mm_mul_ps(_mm_sub_ps(o10, o12), c0382);
  const __m128 z2 = _mm_add_ps(_mm_mul_ps(c0541, o10), z5);
  const __m128 z4 = _mm_add_ps(_mm_mul_ps(c1306, o12), z5);
  const __m128 z3 = _mm_mul_ps(o11, c0707);
  const __m128 z11 = _mm_add_ps(t7, z3), z13 = _mm_sub_ps(t7, z3);
  p[5] = _mm_add_ps(z13, z2);
  p[3] = _mm_sub_ps(z13, z2);
  p[1] = _mm_add_ps(z11, z4);
  p[7] = _mm_sub_ps(z11, z4);
}

SELVAR_SSE2_INLINE __m128i Quantise4(__m128 v, const float* reciprocals) {
  const __m128 rounded = _mm_add_ps(_mm_mul_ps(v, _mm_loadu_ps(reciprocals)), _mm_set1_ps(kRoundBias));
  return _mm_sub_epi32(_mm_cvttps_epi32(rounded), _mm_set1_epi32(kRoundOffset));
}

// The block's quantised coefficients as eight rows of eight words, natural order.
SELVAR_SSE2_INLINE void TransformAndQuantise(const float* plane, std::size_t stride, const float* reciprocals,
                                             __m128i (&rows)[8]) {
  Rows m;
  for (int r = 0; r < 8; ++r) {
    m.left[r] = _mm_loadu_ps(plane + r * stride);
    m.right[r] = _mm_loadu_ps(plane + r * stride + 4);
  }
  Transpose8(m);
  Dct4Columns(m.left);
  Dct4Columns(m.right);
  Transpose8(m);
  Dct4Columns(m.left);
  Dct4Columns(m.right);
  for (int r = 0; r < 8; ++r) {
    rows[r] = _mm_packs_epi32(Quantise4(m.left[r], reciprocals + 8 * r),
                              Quantise4(m.right[r], reciprocals + 8 * r + 4));
  }
}

// Bit 8 * v + k set for each non-zero word k of vector v.
SELVAR_SSE2_INLINE std::uint64_t NonZeroMask(const __m128i (&v)[8]) {
  const __m128i zero = _mm_setzero_si128();
  std::uint64_t nonZero = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i zeros =
        _mm_packs_epi16(_mm_cmpeq_epi16(v[2 * i], zero), _mm_cmpeq_epi16(v[2 * i + 1], zero));
    nonZero |= std::uint64_t(~_mm_movemask_epi8(zeros) & 0xFFFF) << (16 * i);
  }
  return nonZero;
}

// Without byte shuffles the zig-zag order is gathered word by word through memory.
SELVAR_SSE2 std::uint64_t DctQuantiseSse2(const float* plane, std::size_t stride, const float* reciprocals,
                                          std::int16_t* zigzag) {
  __m128i rows[8];
  TransformAndQuantise(plane, stride, reciprocals, rows);
  alignas(16) std::int16_t natural[64];
  for (int r = 0; r < 8; ++r) _mm_store_si128(reinterpret_cast<__m128i*>(natural + 8 * r), rows[r]);
  std::uint64_t nonZero = 0;
  for (int i = 0; i < 64; ++i) {
    zigzag[i] = natural[kJpegZigzag[i]];
    nonZero |= std::uint64_t(zigzag[i] != 0) << i;
  }
  return nonZero;
}

// Byte shuffles that move the words of natural row `from` to their places in zig-zag row `to`.
struct ZigzagShuffles {
  std::int8_t bytes[8][8][16];  // [to][from]
};

constexpr ZigzagShuffles MakeZigzagShuffles() {
  ZigzagShuffles s{};
  for (int to = 0; to < 8; ++to) {
    for (int from = 0; from < 8; ++from) {
      for (int k = 0; k < 8; ++k) {
        const int n = kJpegZigzag[8 * to + k];
        const bool here = n / 8 == from;
        s.bytes[to][from][2 * k] = std::int8_t(here ? 2 * (n % 8) : -1);
        s.bytes[to][from][2 * k + 1] = std::int8_t(here ? 2 * (n % 8) + 1 : -1);
      }
    }
  }
  return s;
}

constexpr ZigzagShuffles kZigzagShuffles = MakeZigzagShuffles();

// Zig-zag row `to` from the natural rows first to last, the only ones that hold its words.
inline __attribute__((target("ssse3"), always_inline)) __m128i ZigzagRow(const __m128i (&rows)[8], int to,
                                                                          int first, int last) {
  __m128i v = _mm_setzero_si128();
  for (int from = first; from <= last; ++from) {
    const __m128i* shuffle = reinterpret_cast<const __m128i*>(kZigzagShuffles.bytes[to][from]);
    v = _mm_or_si128(v, _mm_shuffle_epi8(rows[from], _mm_loadu_si128(shuffle)));
  }
  return v;
}

// The zig-zag order gathered in registers, which the mask then reads without a trip through memory.
SELVAR_SSSE3 std::uint64_t DctQuantiseSsse3(const float* plane, std::size_t stride, const float* reciprocals,
                                            std::int16_t* zigzag) {
  __m128i rows[8];
  TransformAndQuantise(plane, stride, reciprocals, rows);
  const __m128i ordered[8] = {ZigzagRow(rows, 0, 0, 2), ZigzagRow(rows, 1, 0, 4), ZigzagRow(rows, 2, 1, 6),
                              ZigzagRow(rows, 3, 0, 3), ZigzagRow(rows, 4, 4, 7), ZigzagRow(rows, 5, 1, 6),
                              ZigzagRow(rows, 6, 3, 7), ZigzagRow(rows, 7, 5, 7)};
  for (int i = 0; i < 8; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(zigzag + 8 * i), ordered[i]);
  return NonZeroMask(ordered);
}

const JpegKernels kSsse3Kernels = {BgrToPlanesSsse3, GreyToPlaneSse2, DctQuantiseSsse3};
const JpegKernels kSse2Kernels = {BgrToPlanesPlain, GreyToPlaneSse2, DctQuantiseSse2};

#endif

const JpegKernels kPlainKernels = {BgrToPlanesPlain, GreyToPlanePlain, DctQuantisePlain};

}  // namespace

std::vector<const JpegKernels*> RunnableJpegKernels() {
  std::vector<const JpegKernels*> sets = {&kPlainKernels};
#ifdef SELVAR_VECTORS
  if (HasSse2()) sets.push_back(&kSse2Kernels);
  if (HasSsse3()) sets.push_back(&kSsse3Kernels);
#endif
  return sets;
}

const JpegKernels& BestJpegKernels() { return *RunnableJpegKernels().back(); }
