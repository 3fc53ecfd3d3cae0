// The camera bar's arithmetic and text rules.
#include "ui/CameraBarRules.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "acquisition/CameraSettings.h"

namespace {

constexpr std::uint32_t kStandardRates[] = {30,   50,   60,   90,    100,   200,   250,
                                            300,  400,  500,  600,   700,   800,   900,
                                            1000, 2000, 2500, 3000,  4000,  5000,  8000,
                                            10000, 20000, 25000, 30000, 40000, 50000};

constexpr std::uint32_t kWindowStep = 65536;

// The boxes are read as the operator sees them: only the first 62 characters count.
constexpr std::size_t kBoxChars = 62;

bool OffersDeepMono(std::int32_t model) {
  switch (model) {
    case 9: case 10: case 11: case 18: case 19: case 20: case 21: case 22:
      return true;
    default:
      return false;
  }
}

const char* SkipBlanks(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

// Reads the digits at text into result (saturating at limit); returns the end of the digits.
const char* ReadDigits(const char* text, std::uint64_t limit, BoxNumber& result) {
  while (std::isdigit(static_cast<unsigned char>(*text))) {
    result.read = true;
    const std::uint64_t digit = static_cast<std::uint64_t>(*text - '0');
    if (result.value > (limit - digit) / 10) {
      result.value = limit;
      result.saturated = true;
    } else if (!result.saturated) {
      result.value = result.value * 10 + digit;
    }
    ++text;
  }
  return text;
}

}  // namespace

std::vector<std::uint32_t> RateListFor(std::uint32_t maximumRate) {
  std::vector<std::uint32_t> rates;
  for (std::uint32_t rate : kStandardRates) {
    if (rate >= maximumRate) break;
    rates.push_back(rate);
  }
  rates.push_back(maximumRate);
  return rates;
}

int GainChoiceCount(std::int32_t modelCode) {
  switch (modelCode) {
    case 10: case 11: case 19: case 20: case 21:
      return 3;
    default:
      return 4;
  }
}

std::vector<PixelDepthItem> PixelDepthItemsFor(bool colour, std::int32_t modelCode) {
  if (colour) {
    return {{"24 bit (upper)", 24}, {"24 bit (middle)", kWindowStep + 24},
            {"24 bit (lower)", 2 * kWindowStep + 24}};
  }
  std::vector<PixelDepthItem> items{{"8 bit (upper)", 8}, {"8 bit (middle)", kWindowStep + 8},
                                    {"8 bit (lower)", 2 * kWindowStep + 8}};
  if (OffersDeepMono(modelCode)) {
    items.push_back({"9 bit", 9});
    items.push_back({"10 bit", 10});
  }
  return items;
}

std::size_t PixelDepthSelection(const std::vector<PixelDepthItem>& items,
                                const CameraSettings& settings) {
  const std::uint32_t wanted =
      (settings.BitWindow & 0xFFFF) * kWindowStep + (settings.PixelDepth & 0xFFFF);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].number == wanted) return i;
  }
  return 0;
}

void ApplyPixelDepthNumber(CameraSettings& settings, std::uint32_t number) {
  settings.PixelDepth = number % kWindowStep;
  if (settings.PixelDepth == 8 || settings.PixelDepth == 24) {
    settings.BitWindow = number / kWindowStep;
  }
}

std::uint32_t ExposureHalfStopDown(std::uint32_t exposure) {
  return static_cast<std::uint32_t>(exposure * 0.7071);
}

std::uint32_t ExposureHalfStopUp(std::uint32_t exposure) {
  if (exposure < 7) return exposure + 1;
  const double up = exposure * 1.4142;
  // The longest exposures cannot grow past what the field holds.
  return up >= 4294967295.0 ? 4294967295u : static_cast<std::uint32_t>(up);
}

std::uint64_t FrameCapacity(std::uint64_t recordMemory, std::uint32_t frameBytes) {
  return frameBytes == 0 ? 0 : recordMemory / frameBytes;
}

void FormatCameraLine(char* out, std::size_t outSize, const char* modelName, std::uint32_t serial,
                      std::uint32_t memoryGB) {
  std::snprintf(out, outSize, "%s (%02u-%04u-%04u) %u GB", modelName, serial / 100000000u,
                (serial / 10000u) % 10000u, serial % 10000u, memoryGB);
}

BoxNumber ReadUnsignedBox(const char* text, std::uint64_t limit) {
  char box[kBoxChars + 1];
  std::snprintf(box, sizeof box, "%s", text);
  BoxNumber result;
  const char* end = SkipBlanks(ReadDigits(SkipBlanks(box), limit, result));
  if (*end != '\0') return BoxNumber{};
  return result;
}

BoxNumber ReadLeadingInteger(const char* text, std::uint64_t limit) {
  char box[kBoxChars + 1];
  std::snprintf(box, sizeof box, "%s", text);
  const char* start = SkipBlanks(box);
  if (*start == '+') ++start;
  BoxNumber result;
  if (*start == '-') {
    // A negative rate is never one to keep; it reads as a number below 1.
    ReadDigits(start + 1, limit, result);
    return result.read ? BoxNumber{true, false, 0} : BoxNumber{};
  }
  ReadDigits(start, limit, result);
  return result;
}

bool ReadLiveTimeOut(const char* text, std::uint32_t& milliseconds, bool& saturated) {
  char box[kBoxChars + 1];
  std::snprintf(box, sizeof box, "%s", text);
  char* end = nullptr;
  const float seconds = std::strtof(box, &end);
  saturated = false;
  if (end == box || !std::isfinite(seconds) || !(seconds > 0.0f)) return false;
  const double ms = std::floor(static_cast<double>(seconds) * 1000.0);
  if (ms < 1.0) return false;
  if (ms > 4294967295.0) {
    milliseconds = 4294967295u;
    saturated = true;
    return true;
  }
  milliseconds = static_cast<std::uint32_t>(ms);
  return true;
}
