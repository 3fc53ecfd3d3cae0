// Baseline JPEG (JFIF) encoder: grey or YCbCr 4:4:4, standard tables scaled by quality.
#pragma once

#include "platform/pictolib/ByteWriter.h"
#include "platform/pictolib/FrameLayout.h"

#include <cstddef>
#include <cstdint>

struct JpegKernels;

class JpegEncoder {
 public:
  // quality on the 0 to 10000 scale of the codec records.
  explicit JpegEncoder(std::uint32_t quality);
  // Appends one complete JPEG image of the frame (deeper samples keep their upper eight bits).
  void Encode(const FrameLayout& layout, const std::uint8_t* pixels, Bytes& out) const;

  // The 1 to 100 scale of the usual JPEG tools that quality maps to.
  static int ToPercent(std::uint32_t quality);

 private:
  struct HuffmanCodes {
    std::uint16_t code[256];
    std::uint8_t size[256];
  };
  struct Component {
    const float* divisors;
    const HuffmanCodes* dc;
    const HuffmanCodes* ac;
    int lastDc;
  };
  class BitSink;
  void WriteHeaders(const FrameLayout& layout, Bytes& out) const;
  void EncodeBlock(const float* plane, std::size_t stride, Component& c, BitSink& bits) const;

  const JpegKernels* kernels_;  // the fastest this processor runs
  std::uint8_t quant_[2][64];   // natural order
  float divisors_[2][64];
  HuffmanCodes dcCodes_[2], acCodes_[2];
};
