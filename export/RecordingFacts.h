// What a recording was made with, and where each of its frames stood relative to the trigger.
#pragma once

#include <cstdint>
#include <string>

// Fixed when a recording becomes the sequence, so settings changed since do not reach its files.
struct RecordingFacts {
  char camera[64] = "";
  std::uint32_t serial = 0;
  std::uint32_t exposureUs = 0;
  std::uint32_t rate = 0;              // frames per second
  std::uint32_t pixelDepth = 0;
  std::int32_t roiX0 = 0, roiY0 = 0, roiWidth = 0, roiHeight = 0;
  std::uint32_t recordMode = 0;        // 1 circular: the sequence is placed around the trigger
  std::uint32_t preTriggerFrames = 0;
  char ended[20] = "";                 // "YYYY-MM-DD HH:MM:SS" on the host's clock
};

// The trigger frame is 0 and the frames before it are negative; a normal recording counts from its
// first frame.
std::int64_t TriggerIndex(const RecordingFacts& facts, std::uint32_t index);
// The nominal time from the trigger, from the frame period; "-0.00008" for 8 frames before the
// trigger at 100 000 frames per second. "0" when the rate is unknown.
std::string SecondsFromTrigger(const RecordingFacts& facts, std::uint32_t index);
// The recording's settings and the frame's place as key=value lines (the date goes separately).
std::string DescribeFrame(const RecordingFacts& facts, std::uint32_t index);
// The same for a file of many frames, from its first frame on, step frames apart.
std::string DescribeFrames(const RecordingFacts& facts, std::uint32_t first, std::uint32_t step);
