// The texts a caller attaches to the frames of a file: a description and the recording's date.
#pragma once

#include <cstddef>
#include <string>

// Long enough for a camera's settings and a frame's place, short enough for every format's field.
constexpr std::size_t kMaxDescriptionBytes = 2000;

struct FrameText {
  std::string description;  // printable ASCII and line feeds
  std::string dateTime;     // "YYYY-MM-DD HH:MM:SS", or empty
  bool Empty() const { return description.empty() && dateTime.empty(); }
};

// Takes the caller's texts (null counts as empty); false, and text untouched, when the description
// is too long or holds other characters, or the date is not of the form above.
bool ReadFrameText(const char* description, const char* dateTime, FrameText& text);
// The date in TIFF's "YYYY:MM:DD HH:MM:SS" form.
std::string TiffDateTime(const std::string& dateTime);
