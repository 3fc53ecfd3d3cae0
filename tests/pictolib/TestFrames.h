// Test frames of every depth, the samples a file should hold for them, and scratch folders.
#pragma once

#include "platform/pictolib/FrameLayout.h"
#include "platform/pictolib/PictoTypes.h"

#include <cstdint>
#include <string>
#include <vector>

using Frame = std::vector<std::uint8_t>;

constexpr std::uint32_t kAllDepths[] = {8, 9, 10, 24, 27, 30};

ImageInfo MakeInfo(std::uint32_t width, std::uint32_t height, std::uint32_t depth, float rate = 25.0f);
FrameLayout LayoutOf(const ImageInfo& info);

// A RawFrame with smooth gradients and some texture; seed varies it from frame to frame.
// Every sample uses its full depth, so a dropped low bit shows.
Frame MakeFrame(const FrameLayout& layout, std::uint32_t seed);

// Upper eight bits of each sample, red-green-blue order for colour (what 8-bit formats keep).
std::vector<std::uint8_t> Expected8BitRgb(const FrameLayout& layout, const Frame& frame);
// Every sample whole, red-green-blue order for colour.
std::vector<std::uint16_t> ExpectedSamplesRgb(const FrameLayout& layout, const Frame& frame);

double Psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b);

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string Path(const std::string& name) const;
  // Names of the files in the folder, sorted.
  std::vector<std::string> Files() const;

 private:
  std::string path_;
};

std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Whether file starts (and for JPEG ends) the way files of the library's type do.
bool HasFileSignature(int type, const std::vector<std::uint8_t>& file);
