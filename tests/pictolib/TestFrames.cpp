// Deterministic frames and expectations shared by the library's tests.
#include "tests/pictolib/TestFrames.h"

#include <algorithm>
#include <cstring>
#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

ImageInfo MakeInfo(std::uint32_t width, std::uint32_t height, std::uint32_t depth, float rate) {
  ImageInfo info{};
  info.Size = sizeof(ImageInfo);
  info.Width = width;
  info.Height = height;
  info.PixelDepth = depth;
  info.ColorKind = depth < 24 ? 0 : 2;
  info.FrameRate = rate;
  return info;
}

FrameLayout LayoutOf(const ImageInfo& info) {
  FrameLayout layout;
  DescribeFrame(&info, layout);
  return layout;
}

Frame MakeFrame(const FrameLayout& l, std::uint32_t seed) {
  Frame f(l.FrameBytes());
  const std::uint32_t maxValue = (1u << l.sampleBits) - 1;
  std::uint32_t noise = seed * 2654435761u + 12345u;
  for (std::uint32_t y = 0; y < l.height; ++y) {
    for (std::uint32_t x = 0; x < l.width; ++x) {
      for (std::uint32_t c = 0; c < l.channels; ++c) {
        noise = noise * 1103515245u + 12345u;
        const double wave = 0.5 + 0.45 * std::sin(0.05 * (x + 3 * c + seed) + 0.07 * y * (c + 1));
        std::uint32_t v = std::uint32_t(wave * maxValue) ^ ((noise >> 16) & 3);
        v = std::min(v, maxValue);
        const std::size_t i = (std::size_t(y) * l.width + x) * l.channels + c;
        if (l.IsWide()) {
          f[2 * i] = std::uint8_t(v);
          f[2 * i + 1] = std::uint8_t(v >> 8);
        } else {
          f[i] = std::uint8_t(v);
        }
      }
    }
  }
  return f;
}

std::vector<std::uint16_t> ExpectedSamplesRgb(const FrameLayout& l, const Frame& frame) {
  const std::size_t samples = std::size_t(l.width) * l.height * l.channels;
  std::vector<std::uint16_t> out(samples);
  for (std::size_t i = 0; i < samples; ++i) {
    std::size_t from = i;
    if (l.channels == 3) from = i - i % 3 + (2 - i % 3);  // stored blue, green, red
    out[i] = l.IsWide() ? std::uint16_t(frame[2 * from] | frame[2 * from + 1] << 8) : frame[from];
  }
  return out;
}

std::vector<std::uint8_t> Expected8BitRgb(const FrameLayout& l, const Frame& frame) {
  const std::vector<std::uint16_t> whole = ExpectedSamplesRgb(l, frame);
  std::vector<std::uint8_t> out(whole.size());
  for (std::size_t i = 0; i < whole.size(); ++i) out[i] = std::uint8_t(whole[i] >> (l.sampleBits - 8));
  return out;
}

double Psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 0;
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const double d = double(a[i]) - double(b[i]);
    sum += d * d;
  }
  if (sum == 0) return 99;
  return 10.0 * std::log10(255.0 * 255.0 * double(a.size()) / sum);
}

ScratchFolder::ScratchFolder() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path p = fs::temp_directory_path() /
                     ("pictolib-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(p);
  path_ = p.string();
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Path(const std::string& name) const { return (fs::path(path_) / name).string(); }

std::vector<std::string> ScratchFolder::Files() const {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The first bytes every type's file starts with.
bool HasFileSignature(int type, const std::vector<std::uint8_t>& file) {
  const auto starts = [&file](const char* magic, std::size_t n, std::size_t at = 0) {
    return file.size() >= at + n && std::memcmp(file.data() + at, magic, n) == 0;
  };
  switch (type) {
    case 1: case 11: return starts("II*\0", 4) || starts("II+\0", 4);
    case 2: return starts("BM", 2);
    case 3: return starts("\xFF\xD8\xFF", 3) && file[file.size() - 2] == 0xFF && file.back() == 0xD9;
    case 4: return starts("\x89PNG\r\n\x1A\n", 8);
    case 12: return starts("SELVMRF1", 8);
    case 13: return starts("P5\n", 3) || starts("P6\n", 3);
    case 14: return starts("SELVMCF1", 8);
    case 17: return starts("RIFF", 4) && starts("AVI ", 4, 8);
    case 20: return starts("ftypqt  ", 8, 4);
  }
  return false;
}
