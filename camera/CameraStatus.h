// Statuses the camera device and its view add to the driver's own, for requests they refuse
// themselves.
#pragma once

// Chosen far from the driver's codes. Both count as a time-out where grab errors are shown.
enum CameraStatus : int {
  kCamNoDriver = 0x7D01,     // TessaDrv.dll or one of its entry points is missing
  kCamOutOfRange = 0x7D02,   // an index or count beyond the frame table or the recorded sequence
  kCamBadTarget = 0x7D03,    // a caller's buffer that cannot take what was asked for
};
