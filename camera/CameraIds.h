// Identifiers of the camera's settings and information items.
#pragma once

enum CameraSettingId : int {
  kSetGain = 0,
  kSetExposure = 1,          // nanoseconds on the driver side, microseconds in the system
  kSetPixelFormat = 2,       // pixel class
  kSetPixelDepth = 3,
  kSetBitWindow = 4,
  kSetSyncIn = 5,
  kSetRecordMode = 6,
  kSetExposureMode = 7,
  kSetTriggerIn = 10,
  kSetMaxWidth = 11,
  kSetMaxHeight = 12,
  kSetRoiX0 = 13,
  kSetRoiY0 = 14,
  kSetRoiWidth = 15,
  kSetRoiHeight = 16,
  kSetFramePeriod = 17,      // nanoseconds
  kSetMinFramePeriod = 18,   // nanoseconds
  kSetRecordFrames = 38,
  kSetPreTriggerFrames = 39,
  kSetMemoryFrameBytes = 49,
  kSetColorMatrixFirst = 60,
  kSetColorMatrixLast = 68,
};

enum CameraInfoId : int {
  kInfoModelCode = 0,
  kInfoMemorySize = 3,       // 64-bit: first output low word, second high word
  kInfoSerial = 6,
  kInfoSubtype = 7,
  kInfoColor = 12,
  kInfoSensorWidth = 14,
  kInfoSensorHeight = 15,
  kInfoLiveWhileRecording = 17,
  kInfoFrameTableMode = 46,
  kInfoVariant = 55,
  kInfoRecordBase = 59,
};

// Bytes one pixel takes in a frame of the given depth.
constexpr unsigned BytesPerPixel(unsigned depth) {
  return depth < 9 ? 1 : depth <= 16 ? 2 : depth <= 24 ? 3 : 6;
}

// 0 for 8-bit monochrome, 1 for 9 or 10 bits, 2 for colour.
constexpr unsigned PixelClassOf(unsigned depth) {
  return depth > 16 ? 2 : depth != 8 ? 1 : 0;
}

// Model codes whose recorded frames are addressed through the frame table.
constexpr bool UsesFrameTableModel(int modelCode) {
  return modelCode >= 18 && modelCode <= 20;
}
