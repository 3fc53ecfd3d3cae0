// Fills the simulated camera's memory for a benchmark: a recording of frames at one geometry,
// waited for to its end.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

#include "camera/CCamera.h"
#include "camera/CameraIds.h"

inline int TESSA_CALL IgnoreRecordingDone(TessaContext, int, int) { return 0; }

inline void RecordFrames(CCamera& camera, std::uint32_t depth, std::uint32_t width, std::uint32_t height,
                         std::uint32_t frames) {
  camera.SetSetting(kSetPixelFormat, PixelClassOf(depth));
  camera.SetSetting(kSetPixelDepth, depth);
  camera.SetSetting(kSetRoiWidth, width);
  camera.SetSetting(kSetRoiHeight, height);
  camera.ApplySettings();
  camera.StartRecording(0, 0, frames, 0, IgnoreRecordingDone, 1, 0);
  int active = 1, recorded = 0, trigger = 0, triggered = 0;
  while (active) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    camera.GetRecordingStatus(&active, &recorded, &trigger, &triggered);
  }
  int out = 0;
  camera.StopRecording(&out);
}
