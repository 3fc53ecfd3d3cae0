// Each vector kernel set against the plain loops, bit for bit.
#include "platform/pictolib/JpegKernels.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <vector>

namespace {

struct Noise {
  std::uint32_t state = 12345;
  std::uint32_t Next() { return (state = state * 1103515245u + 12345u) >> 8; }
  float Unit() { return float(Next() % 20001) / 10000.0f - 1.0f; }  // -1 to 1
};

std::vector<const JpegKernels*> VectorSets() {
  std::vector<const JpegKernels*> sets = RunnableJpegKernels();
#if defined(__i386__) || defined(__x86_64__)
  EXPECT_GE(sets.size(), 2u);  // SSE2 at least, which every processor running this has
#endif
  sets.erase(sets.begin());
  return sets;
}

TEST(JpegKernels, ColourConversionMatchesThePlainLoops) {
  if (FLT_EVAL_METHOD != 0) GTEST_SKIP() << "plain float arithmetic runs wider than the vectors here";
  const JpegKernels& plain = *RunnableJpegKernels()[0];
  Noise noise;
  // Widths on both sides of the sixteen-pixel vector steps.
  for (std::size_t width : {1, 15, 16, 17, 31, 32, 33, 100}) {
    std::vector<std::uint8_t> bgr(3 * width);
    for (std::uint8_t& b : bgr) b = std::uint8_t(noise.Next());
    std::vector<float> want(3 * width), got(3 * width);
    plain.bgrToPlanes(bgr.data(), want.data(), want.data() + width, want.data() + 2 * width, width);
    std::vector<float> wantGrey(width), gotGrey(width);
    plain.greyToPlane(bgr.data(), wantGrey.data(), width);
    for (const JpegKernels* set : VectorSets()) {
      SCOPED_TRACE(width);
      set->bgrToPlanes(bgr.data(), got.data(), got.data() + width, got.data() + 2 * width, width);
      EXPECT_EQ(std::memcmp(got.data(), want.data(), got.size() * sizeof(float)), 0);
      set->greyToPlane(bgr.data(), gotGrey.data(), width);
      EXPECT_EQ(std::memcmp(gotGrey.data(), wantGrey.data(), width * sizeof(float)), 0);
    }
  }
}

// The kernels multiply by the divisors' reciprocals: large ones (300 still keeps every result
// within 16 bits) bring the low bits of the transform into the integers, so an operation done in
// another order shows; small ones leave mostly zeros for the mask.
TEST(JpegKernels, TransformAndQuantisationMatchThePlainLoops) {
  if (FLT_EVAL_METHOD != 0) GTEST_SKIP() << "plain float arithmetic runs wider than the vectors here";
  const JpegKernels& plain = *RunnableJpegKernels()[0];
  const std::vector<const JpegKernels*> sets = VectorSets();
  constexpr std::size_t kStride = 13;
  Noise noise;
  std::vector<float> plane(8 * kStride);
  for (const float scale : {300.0f, 1.0f, 0.02f}) {
    for (int block = 0; block < 200; ++block) {
      float reciprocals[64];
      for (float& d : reciprocals) d = scale * (1.0f + 0.5f * noise.Unit());
      for (float& v : plane) v = noise.Unit();
      std::int16_t want[64], got[64];
      const std::uint64_t wantMask = plain.dctQuantise(plane.data(), kStride, reciprocals, want);
      for (const JpegKernels* set : sets) {
        SCOPED_TRACE(testing::Message() << "scale " << scale << " block " << block);
        ASSERT_EQ(set->dctQuantise(plane.data(), kStride, reciprocals, got), wantMask);
        ASSERT_EQ(std::memcmp(got, want, sizeof got), 0);
      }
    }
  }
}

}  // namespace
