// Camera discovery: enumerate by family mask, then the wished serial, the only camera or the operator's choice.
#include "camera/CameraSelection.h"

#include "camera/CCameraHandle.h"

namespace {

constexpr int kFamilyMasks[] = {0x01, 0x02, 0x10, 0x20, 0x08, 0x80};
constexpr int kFamilyMaskCount = sizeof kFamilyMasks / sizeof kFamilyMasks[0];

SelectedCamera FromEntry(const CameraEnumEntry& entry) {
  SelectedCamera camera;
  camera.cameraId = entry.cameraId;
  camera.serial = entry.serial;
  camera.colour = entry.colour == 1;
  return camera;
}

}  // namespace

int FamilyMaskFor(const ControlPropertyRefs& properties) {
  if (!properties.enumFilter) return kDefaultFamilyMask;
  const std::int32_t filter = *properties.enumFilter;
  return filter >= 0 && filter < kFamilyMaskCount ? kFamilyMasks[filter] : kDefaultFamilyMask;
}

std::uint32_t WantedSerial(const ControlPropertyRefs& properties) {
  if (!properties.productNumber || !properties.serialNumber) return 0;
  return static_cast<std::uint32_t>(*properties.productNumber) * 100000000u +
         static_cast<std::uint32_t>(*properties.serialNumber);
}

bool SelectCamera(const TessaDriverApi& driver, const ControlPropertyRefs& properties,
                  CameraPicker& picker, SelectedCamera& chosen) {
  const int mask = FamilyMaskFor(properties);
  const std::uint32_t wanted = WantedSerial(properties);

  CCameraHandle::Prepare(driver, 0, 1, 0);
  CCameraHandle::Startup(driver, 0);
  // Cleared first, so that a driver that reports more cameras than it filled in yields empty
  // entries rather than stale memory.
  CameraEnumEntry entries[kMaxEnumEntries] = {};
  int count = kMaxEnumEntries;
  if (CCameraHandle::Enumerate(driver, entries, &count, mask) != 0) return false;
  // The array holds ten entries whatever count the driver reports.
  if (count > kMaxEnumEntries) count = kMaxEnumEntries;
  if (count <= 0) return false;

  if (count == 1) {
    if (wanted != 0 && entries[0].serial != wanted) return false;
    chosen = FromEntry(entries[0]);
    return true;
  }
  if (wanted != 0) {
    const CameraEnumEntry* match = nullptr;
    for (int i = 0; i < count; ++i) {
      if (entries[i].serial == wanted) match = &entries[i];  // the last match wins
    }
    if (!match) return false;
    chosen = FromEntry(*match);
    return true;
  }
  const int picked = picker.Pick(entries, count);
  if (picked < 0 || picked >= count) return false;
  chosen = FromEntry(entries[picked]);
  return true;
}
