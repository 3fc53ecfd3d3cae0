// What the simulated driver offers: its cameras and their behaviour, from INI text or the default.
#include "platform/tessadrv/SimulatorConfig.h"

#include "camera/CameraIds.h"
#include "platform/tessadrv/IniDocument.h"

namespace {

constexpr std::uint32_t kMaxSensorSide = 8192;
constexpr std::int64_t kMaxMemoryMB = 1 << 20;  // 1 TB
constexpr double kMinTimeScale = 0.001;
constexpr double kMaxTimeScale = 1000000.0;
// Information item 59 carries the base address in one 32-bit value.
constexpr std::int64_t kRecordBaseLimit = std::int64_t{1} << 32;

// Reads an integer key into `value` when it is present, well formed and within [low, high].
template <typename T>
void ReadKey(const IniDocument& ini, const std::string& section, const char* key, std::int64_t low,
             std::int64_t high, T& value) {
  const auto text = ini.Get(section, key);
  std::int64_t parsed = 0;
  if (text && ParseIniInteger(*text, parsed) && parsed >= low && parsed <= high) {
    value = static_cast<T>(parsed);
  }
}

void ReadFlag(const IniDocument& ini, const std::string& section, const char* key, bool& value) {
  std::int64_t flag = value ? 1 : 0;
  ReadKey(ini, section, key, 0, 1, flag);
  value = flag != 0;
}

SimCameraConfig CameraFromIni(const IniDocument& ini, int index, std::string& refusal) {
  const std::string section = "Camera" + std::to_string(index);
  SimCameraConfig c;
  c.id = index + 1;
  c.serial = 1234567890u + static_cast<std::uint32_t>(index);
  ReadKey(ini, section, "Id", 0, INT32_MAX, c.id);
  ReadKey(ini, section, "Model", 0, 255, c.model);
  ReadKey(ini, section, "Variant", 0, UINT32_MAX, c.variant);
  ReadKey(ini, section, "SubType", 0, UINT32_MAX, c.subType);
  ReadKey(ini, section, "Serial", 0, UINT32_MAX, c.serial);
  ReadKey(ini, section, "Color", 0, 1, c.color);
  ReadKey(ini, section, "Link", 0, 2, c.link);
  c.family = DefaultFamily(c.model, c.link);
  ReadKey(ini, section, "Family", 0, UINT32_MAX, c.family);
  ReadKey(ini, section, "SensorWidth", 1, kMaxSensorSide, c.sensorWidth);
  ReadKey(ini, section, "SensorHeight", 1, kMaxSensorSide, c.sensorHeight);
  std::int64_t memoryMB = static_cast<std::int64_t>(c.memoryBytes >> 20);
  ReadKey(ini, section, "MemoryMB", 0, kMaxMemoryMB, memoryMB);
  c.memoryBytes = static_cast<std::uint64_t>(memoryMB) << 20;
  std::int64_t recordBase = 0;
  ReadKey(ini, section, "RecordBase", 0, INT64_MAX, recordBase);
  if (recordBase >= kRecordBaseLimit) {
    refusal = section + ": RecordBase " + std::to_string(recordBase) +
              " does not fit the 32-bit base address";
  } else if (static_cast<std::uint64_t>(recordBase) <= c.memoryBytes) {
    c.recordBase = static_cast<std::uint64_t>(recordBase);
  }
  ReadKey(ini, section, "MinPeriodNs", 1, UINT32_MAX, c.minPeriodNs);
  ReadKey(ini, section, "LiveWhileRecording", 0, 1, c.liveWhileRecording);
  ReadKey(ini, section, "FrameTableMode", 0, UINT32_MAX, c.frameTableMode);
  ReadKey(ini, section, "TriggerAfter", 0, UINT32_MAX, c.triggerAfter);
  ReadFlag(ini, section, "FailOpen", c.failOpen);
  ReadFlag(ini, section, "FailInitSettings", c.failInitSettings);
  ReadFlag(ini, section, "FailApply", c.failApply);
  ReadKey(ini, section, "GrabError", INT32_MIN, INT32_MAX, c.grabError);
  ReadKey(ini, section, "GrabErrorAfter", 0, UINT32_MAX, c.grabErrorAfter);
  ReadFlag(ini, section, "GrabStall", c.grabStall);
  ReadKey(ini, section, "FailReadSlot", -1, UINT32_MAX, c.failReadSlot);
  return c;
}

}  // namespace

std::uint32_t DefaultFamily(std::int32_t model, std::uint32_t link) {
  const bool usb = link == 0;
  if (model >= 0 && model <= 5) return usb ? 0x01 : 0x02;
  if ((model >= 9 && model <= 11) || model == 21 || model == 22) return usb ? 0x10 : 0x20;
  if (model == 6 || model == 8) return 0x08;
  if (model >= 12 && model <= 20) return 0x80;
  return 0;
}

bool KeepsFrameTable(const SimCameraConfig& camera) {
  return UsesFrameTableModel(camera.model) && camera.frameTableMode == 0;
}

SimDriverConfig DefaultDriverConfig() {
  SimDriverConfig config;
  config.cameras.push_back(SimCameraConfig{});
  return config;
}

SimDriverConfig DriverConfigFromIni(const std::string& iniText) {
  const IniDocument ini = IniDocument::Parse(iniText);
  SimDriverConfig config;
  double scale = 1.0;
  const auto scaleText = ini.Get("Driver", "TimeScale");
  if (scaleText && ParseIniNumber(*scaleText, scale) && scale >= kMinTimeScale && scale <= kMaxTimeScale) {
    config.timeScale = scale;
  }
  std::int64_t cameras = 1;
  const auto countText = ini.Get("Driver", "Cameras");
  if (countText && ParseIniInteger(*countText, cameras)) {
    cameras = cameras < 0 ? 0 : cameras > kMaxSimCameras ? kMaxSimCameras : cameras;
  }
  for (int i = 0; i < cameras; ++i) {
    const SimCameraConfig camera = CameraFromIni(ini, i, config.refusal);
    for (std::size_t j = 0; j < config.cameras.size(); ++j) {
      if (config.cameras[j].id == camera.id) {
        config.refusal = "Camera" + std::to_string(j) + " and Camera" + std::to_string(i) +
                         " have the same Id " + std::to_string(camera.id);
      }
    }
    config.cameras.push_back(camera);
  }
  if (!config.refusal.empty()) config.cameras.clear();
  return config;
}
