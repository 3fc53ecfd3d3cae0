// Choosing the one camera a view opens: family mask, wished serial number, the only camera or the operator's pick.
#pragma once

#include <cstdint>

#include "camera/TessaDriver.h"

// The control's three persistent properties as the module hands them over. Until a control
// exists the module holds none: that means every family but Orbitel T and no wished serial.
struct ControlPropertyRefs {
  const std::int32_t* enumFilter = nullptr;
  const std::int32_t* productNumber = nullptr;
  const std::int32_t* serialNumber = nullptr;
  // Not for choosing the camera: whether each save also writes its frame log (non-zero), read at
  // every save.
  const std::int32_t* frameLog = nullptr;
};

constexpr int kDefaultFamilyMask = 0x3B;

// The driver's family mask for the EnumFilter choice; 0x3B for any value outside the list.
int FamilyMaskFor(const ControlPropertyRefs& properties);

// ProductNumber * 100 000 000 + SerialNumber in 32-bit arithmetic; 0 (no wish) without properties.
std::uint32_t WantedSerial(const ControlPropertyRefs& properties);

// Lets the operator choose among several cameras; returns the chosen index, or -1 for none.
class CameraPicker {
 public:
  virtual ~CameraPicker() = default;
  virtual int Pick(const CameraEnumEntry* entries, int count) = 0;
};

struct SelectedCamera {
  std::int32_t cameraId = 0;
  std::uint32_t serial = 0;
  bool colour = false;
};

// Starts the driver library, lists the cameras of the wanted families and chooses one. Returns
// whether a camera was chosen; the driver stays started either way.
bool SelectCamera(const TessaDriverApi& driver, const ControlPropertyRefs& properties,
                  CameraPicker& picker, SelectedCamera& chosen);
