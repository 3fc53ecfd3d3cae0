// Helpers of the driver conformance checks: violation lists, driver sessions, open cameras, frames.
#include "tests/tessadrv/ConformanceSupport.h"

#include <cstring>

#include "camera/CameraIds.h"

namespace {

std::uint32_t ComponentBits(std::uint32_t depth) { return depth > 16 ? depth / 3 : depth; }
std::uint32_t PixelBytes(std::uint32_t depth) { return depth <= 8 ? 1 : depth <= 16 ? 2 : depth <= 24 ? 3 : 6; }

// The documented reduction of a 10-bit sample to the delivered bits.
std::uint32_t Reduce(std::uint32_t s, std::uint32_t bits, std::uint32_t window) {
  if (bits == 10) return s;
  if (bits == 9) return s >> 1;
  if (window == 0) return s >> 2;
  if (window == 1) return (s >> 1) & 255;
  return s & 255;
}

std::uint32_t Component(const std::uint8_t* frame, const PatternGeometry& g, std::uint32_t x, std::uint32_t y,
                        std::uint32_t c) {
  const bool wide = ComponentBits(g.depth) > 8;
  const std::uint8_t* p = frame + (static_cast<std::size_t>(y) * g.width + x) * PixelBytes(g.depth) + c * (wide ? 2 : 1);
  return wide ? p[0] | (p[1] << 8) : p[0];
}

}  // namespace

DriverSession::DriverSession(const DriverUnderTest& d, const std::string& ini, Report& report) : api_(d.api) {
  api_.Shutdown();
  d.useConfig(ini);
  api_.Prepare(0, 1, 0);
  report.Ok(api_.Startup(0), "start-up");
}

DriverSession::~DriverSession() { api_.Shutdown(); }

OpenCamera::OpenCamera(const TessaDriverApi& api, int cameraId, Report& report) : api_(api), report_(report) {
  int h = 0;
  const int status = api_.OpenCamera(cameraId, &h);
  report_.Ok(status, "open camera " + std::to_string(cameraId));
  if (status != 0) return;
  handle_ = h;
  block_.size = kSettingsBlockBytes;
  report_.Ok(api_.InitSettings(handle_, &block_), "initialise settings");
}

OpenCamera::~OpenCamera() {
  if (handle_ != 0) api_.CloseCamera(handle_);
}

std::uint32_t OpenCamera::Get(int id) {
  std::uint32_t value = 0;
  report_.Ok(api_.GetSetting(handle_, &block_, id, &value), "get setting " + std::to_string(id));
  return value;
}

int OpenCamera::Apply(std::initializer_list<std::pair<int, std::uint32_t>> values) {
  for (const auto& [id, value] : values) {
    report_.Ok(api_.SetSetting(handle_, &block_, id, value), "set setting " + std::to_string(id));
  }
  return api_.ApplySettings(handle_, &block_);
}

PatternGeometry OpenCamera::Geometry() {
  PatternGeometry g;
  g.x0 = Get(kSetRoiX0);
  g.y0 = Get(kSetRoiY0);
  g.width = Get(kSetRoiWidth);
  g.height = Get(kSetRoiHeight);
  g.depth = Get(kSetPixelDepth);
  g.bitWindow = Get(kSetBitWindow);
  return g;
}

std::uint64_t OpenCamera::RecordBase() {
  std::uint32_t low = 0, high = 0;
  report_.Ok(api_.GetCameraInfo(handle_, kInfoRecordBase, &low, &high), "record base");
  return static_cast<std::uint64_t>(high) << 32 | low;
}

int OpenCamera::Grab(std::vector<std::uint8_t>& frames, int timeoutMs) {
  const PatternGeometry g = Geometry();
  const std::uint32_t count = Get(kSetExposureMode) == 1 ? 2 : 1;
  const std::size_t bytes = static_cast<std::size_t>(g.width) * g.height * PixelBytes(g.depth) * count;
  frames.assign(bytes, 0xCD);
  GrabRequest request{frames.data(), static_cast<std::uint32_t>(bytes), count, {}};
  return api_.GrabFrames(handle_, &request, timeoutMs);
}

int OpenCamera::ReadSlot(std::uint64_t address, int index, const PatternGeometry& g, std::vector<std::uint8_t>& frame) {
  frame.assign(static_cast<std::size_t>(g.width) * g.height * PixelBytes(g.depth), 0xCD);
  return api_.ReadFrame(handle_, static_cast<std::uint32_t>(address), static_cast<std::uint32_t>(address >> 32),
                        index, frame.data());
}

std::string PatternMismatch(const std::uint8_t* frame, const PatternGeometry& g, std::uint32_t n) {
  const std::uint32_t bits = ComponentBits(g.depth);
  const std::uint32_t components = g.depth > 16 ? 3 : 1;
  const std::uint32_t full = bits == 8 ? 255 : bits == 9 ? 511 : 1023;
  static const std::uint32_t offsets[3] = {0, 341, 682};
  for (std::uint32_t y = 0; y < g.height; ++y) {
    for (std::uint32_t x = 0; x < g.width; ++x) {
      for (std::uint32_t c = 0; c < components; ++c) {
        std::uint32_t want;
        if (y == 0 && x < 32) {
          want = (n >> x) & 1 ? full : 0;
        } else {
          const std::uint32_t s = ((g.x0 + x) + 2 * (g.y0 + y) + 4 * n + offsets[c]) % 1024;
          want = Reduce(s, bits, g.bitWindow);
        }
        const std::uint32_t got = Component(frame, g, x, y, c);
        if (got != want) {
          std::ostringstream text;
          text << "frame " << n << " depth " << g.depth << " window " << g.bitWindow << " pixel (" << x << ", " << y
               << ") component " << c << ": got " << got << ", want " << want;
          return text.str();
        }
      }
    }
  }
  return "";
}

std::uint32_t StampOf(const std::uint8_t* frame, const PatternGeometry& g) {
  std::uint32_t n = 0;
  for (std::uint32_t x = 0; x < 32 && x < g.width; ++x) {
    if (Component(frame, g, x, 0, 0) != 0) n |= 1u << x;
  }
  return n;
}

bool AllZero(const std::vector<std::uint8_t>& bytes) {
  for (std::uint8_t b : bytes) {
    if (b != 0) return false;
  }
  return true;
}

bool CallbackProbe::WaitForCall(int timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex);
  return called.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return calls.load() > 0; });
}

int TESSA_CALL ProbeCallback(TessaContext context, int, int) {
  auto* probe = reinterpret_cast<CallbackProbe*>(context);
  ++probe->started;
  if (probe->stopReturned) ++probe->callsAfterStop;
  if (std::this_thread::get_id() == probe->caller) ++probe->callsOnCallerThread;
  if (probe->api) {
    int active = -1, recorded = 0, trigger = 0, triggered = 0;
    probe->api->GetRecordingStatus(probe->handle, &active, &recorded, &trigger, &triggered);
    probe->activeSeenInCallback = active;
  }
  if (probe->holdMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(probe->holdMs));
  {
    std::lock_guard<std::mutex> lock(probe->mutex);
    ++probe->calls;
  }
  probe->called.notify_all();
  return 1;
}

RecordingStatus ReadStatus(const TessaDriverApi& api, int h) {
  RecordingStatus s;
  s.status = api.GetRecordingStatus(h, &s.active, &s.recorded, &s.triggerIndex, &s.triggered);
  return s;
}

std::uint32_t ReadInfo(const TessaDriverApi& api, int h, int item) {
  std::uint32_t first = 0, second = 0;
  api.GetCameraInfo(h, item, &first, &second);
  return first;
}
