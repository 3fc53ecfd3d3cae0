// The camera bar's arithmetic and text rules, apart from its windows so that they build and are
// tested natively: rate and pixel-depth lists, exposure steps, count limits and box parsing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct CameraSettings;

// The rate list for a camera's maximum rate: the standard rates below it, then the maximum.
std::vector<std::uint32_t> RateListFor(std::uint32_t maximumRate);

// How many gain choices a camera model offers.
int GainChoiceCount(std::int32_t modelCode);

// One pixel-depth list item: its text and its number, bit window × 65536 + pixel depth.
struct PixelDepthItem {
  const char* text;
  std::uint32_t number;
};
std::vector<PixelDepthItem> PixelDepthItemsFor(bool colour, std::int32_t modelCode);
// The item that shows the record's depth and bit window; 0 when none does.
std::size_t PixelDepthSelection(const std::vector<PixelDepthItem>& items,
                                const CameraSettings& settings);
// Stores a chosen item in the record; 9 and 10 bits keep the bit window they had.
void ApplyPixelDepthNumber(CameraSettings& settings, std::uint32_t number);

// Half-f-stop exposure steps in microseconds; a step down to nothing gives 0 (no change).
std::uint32_t ExposureHalfStopDown(std::uint32_t exposure);
std::uint32_t ExposureHalfStopUp(std::uint32_t exposure);

// Frames the recording memory holds; 0 when the camera reports no frame size.
std::uint64_t FrameCapacity(std::uint64_t recordMemory, std::uint32_t frameBytes);

// "model (12-3456-7890) 4 GB" into out, always terminated.
void FormatCameraLine(char* out, std::size_t outSize, const char* modelName, std::uint32_t serial,
                      std::uint32_t memoryGB);

// A number read from a box. `read` is false when the text does not start with one; a number
// beyond `limit` reads as `limit` with `saturated` set, so the box can be corrected, never wrapped.
struct BoxNumber {
  bool read = false;
  bool saturated = false;
  std::uint64_t value = 0;
};
// Digits only, as the digit-only boxes hold (leading blanks allowed, nothing after the digits).
BoxNumber ReadUnsignedBox(const char* text, std::uint64_t limit);
// A decimal integer at the start of the text; what follows it is ignored (the rate box).
BoxNumber ReadLeadingInteger(const char* text, std::uint64_t limit);

// The live time-out box: seconds as a decimal number, to whole milliseconds. False when the text
// is not a number or gives less than one millisecond; `saturated` when the milliseconds were cut
// to what the field holds.
bool ReadLiveTimeOut(const char* text, std::uint32_t& milliseconds, bool& saturated);
