// libFuzzer target: the configuration reader must take any bytes without overrun, UB or a broken record.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "config/ConfigReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CameraSettings settings;
  SetDefaultSettings(settings);
  const char folder[] = "C:\\Users\\Public\\Documents";
  SetSettingText(settings.ImageFolder, folder, sizeof folder - 1);
  ReadConfigText(reinterpret_cast<const char*>(data), size, settings);

  // Whatever the file said, the texts stay terminated and the fields it never carries keep
  // the values the reader started from.
  if (!std::memchr(settings.ImageFolder, '\0', sizeof settings.ImageFolder)) std::abort();
  if (!std::memchr(settings.ImageNamePrefix, '\0', sizeof settings.ImageNamePrefix)) std::abort();
  if (settings.ImageFolder[0] == '\0' || settings.ImageNamePrefix[0] == '\0') std::abort();
  if (settings.Size != sizeof settings || settings.PixelDepth != 8 || settings.RecordMemory != 0 ||
      settings.SaveStep != 0 || settings.BitWindow != 0) {
    std::abort();
  }
  return 0;
}
