// The record of every operator setting of the open camera.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr int kImageFolderChars = 260;
constexpr int kImageNamePrefixChars = 66;

struct CameraSettings {
  std::uint32_t Size;
  std::uint32_t Gain;
  std::uint32_t Exposure;        // microseconds
  std::uint32_t ExpMode;         // 0 single, 1 double exposure
  std::uint32_t Rate;            // frames per second
  std::uint32_t BitWindow;
  std::uint32_t PixelDepth;
  std::uint32_t LiveTimeOut;     // milliseconds
  std::int32_t RoiX0;
  std::int32_t RoiY0;
  std::int32_t RoiWidth;
  std::int32_t RoiHeight;
  std::uint32_t SensorWidth;
  std::uint32_t SensorHeight;
  std::uint32_t RecordMode;      // 0 normal, 1 circular
  std::uint32_t SyncInCfg;
  std::uint32_t TriggerInCfg;
  std::uint64_t RecordMemory;    // bytes of camera memory usable for recording
  std::uint32_t FrameBytes;      // bytes one frame takes in camera memory
  std::uint32_t AcquisitionFrames;
  std::uint32_t AcquisitionPreTriggerFrames;
  std::uint32_t CodecAVI;
  std::uint32_t CodecMOV;
  std::uint32_t CodecAVIQual;
  std::uint32_t CodecJPGQual;
  std::uint32_t SaveFirst;
  std::uint32_t SaveLast;
  std::uint32_t SaveStep;
  std::uint32_t FileType;
  char ImageFolder[kImageFolderChars + 1];
  char ImageNamePrefix[kImageNamePrefixChars + 1];
  std::uint32_t OutputRate;      // frames per second written into movie files
  std::uint32_t LWR;             // show images while recording
};

void SetDefaultSettings(CameraSettings& settings);

// Stores at most the field's capacity of the first length characters of text, terminated and
// with the rest of the field cleared: every text the system writes into the record goes through
// here, so no field runs over and no earlier text lingers behind the terminator.
template <std::size_t N>
void SetSettingText(char (&field)[N], const char* text, std::size_t length) {
  const std::size_t kept = length < N - 1 ? length : N - 1;
  std::memmove(field, text, kept);
  std::memset(field + kept, 0, N - kept);
}

// 0 for 8-bit monochrome, 1 for 9 or 10 bits, 2 for colour.
unsigned PixelClass(const CameraSettings& settings);
