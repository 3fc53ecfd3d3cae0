// The JPEG encoder's per-pixel and per-block arithmetic: colour conversion into level-shifted
// float planes, and the forward DCT with quantisation into zig-zag ordered coefficients. Vector
// and plain versions compute the same float operations in the same order, so they give the same
// bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct JpegKernels {
  // Blue, green, red bytes (a frame's own order) to Y, Cb and Cr planes, luma shifted down by 128.
  void (*bgrToPlanes)(const std::uint8_t* bgr, float* luma, float* cb, float* cr, std::size_t pixels);
  // Grey bytes shifted down by 128.
  void (*greyToPlane)(const std::uint8_t* grey, float* luma, std::size_t pixels);
  // The 8 x 8 block at plane (rows stride floats apart) transformed and multiplied by the
  // reciprocals of the quantisation divisors (natural order, carrying the DCT's scale factors),
  // each product rounded half up; fills zigzag and returns the mask of its non-zero entries
  // (bit i for entry i).
  std::uint64_t (*dctQuantise)(const float* plane, std::size_t stride, const float* reciprocals,
                               std::int16_t* zigzag);
};

// Every set this processor runs: the plain loops first, the fastest last.
std::vector<const JpegKernels*> RunnableJpegKernels();
const JpegKernels& BestJpegKernels();
