// The texts saved files carry about their frames: one "key=value" per line, numbers in plain
// decimal, so that a script can split them without knowing the file type.
#include "export/RecordingFacts.h"

#include <cinttypes>
#include <cstdio>

std::int64_t TriggerIndex(const RecordingFacts& facts, std::uint32_t index) {
  const std::int64_t i = index;
  return facts.recordMode == 1 ? i - facts.preTriggerFrames : i;
}

std::string SecondsFromTrigger(const RecordingFacts& facts, std::uint32_t index) {
  if (facts.rate == 0) return "0";
  char text[48];
  std::snprintf(text, sizeof text, "%.9f", double(TriggerIndex(facts, index)) / facts.rate);
  // Nine decimals reach a nanosecond; the zeros behind the last digit that counts go.
  std::string s(text);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string DescribeFrame(const RecordingFacts& f, std::uint32_t index) {
  char text[512];
  std::snprintf(text, sizeof text,
                "camera=%s\nserial=%02u-%04u-%04u\nexposure_us=%u\nrate_fps=%u\npixel_depth=%u\n"
                "roi=%d,%d,%d,%d\nrecord_mode=%s\npretrigger_frames=%u\n"
                "frame=%u\ntrigger_frame=%" PRId64 "\ntime_s=%s",
                f.camera, f.serial / 100000000u, (f.serial / 10000u) % 10000u, f.serial % 10000u, f.exposureUs,
                f.rate, f.pixelDepth, f.roiX0, f.roiY0, f.roiWidth, f.roiHeight,
                f.recordMode == 1 ? "circular" : "normal", f.preTriggerFrames, index,
                TriggerIndex(f, index), SecondsFromTrigger(f, index).c_str());
  return text;
}

std::string DescribeFrames(const RecordingFacts& facts, std::uint32_t first, std::uint32_t step) {
  return DescribeFrame(facts, first) + "\nframe_step=" + std::to_string(step);
}
