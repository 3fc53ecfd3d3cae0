// Defaults and derived values of the camera settings record.
#include "acquisition/CameraSettings.h"

#include <cstring>

#include "camera/CameraIds.h"

void SetDefaultSettings(CameraSettings& settings) {
  std::memset(&settings, 0, sizeof settings);
  settings.Size = sizeof settings;
  settings.PixelDepth = 8;
  settings.Exposure = 1000;
  settings.Rate = 100;
  settings.OutputRate = 5;
  settings.LiveTimeOut = 5000;
  settings.AcquisitionFrames = 100;
  settings.LWR = 1;
  settings.FileType = 1;
  SetSettingText(settings.ImageNamePrefix, "Img", 3);
  settings.CodecMOV = 1;
  settings.CodecAVIQual = 10000;
  settings.CodecJPGQual = 10000;
}

unsigned PixelClass(const CameraSettings& settings) {
  return PixelClassOf(settings.PixelDepth);
}
