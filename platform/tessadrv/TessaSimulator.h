// The simulated TessaDrv camera driver: every driver operation, safe to call from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "camera/TessaDriver.h"

struct SimCamera;
struct SimRecording;

class TessaSimulator {
 public:
  TessaSimulator();
  ~TessaSimulator();
  TessaSimulator(const TessaSimulator&) = delete;
  TessaSimulator& operator=(const TessaSimulator&) = delete;

  // INI text that the next Startup uses instead of the TESSADRV_CONFIG file or the default.
  void SetConfigOverride(const std::string& iniText);
  void ClearConfigOverride();

  int Prepare(int, int, int);
  int Startup(int);
  int EnumerateCameras(CameraEnumEntry* entries, int* count, int mask);
  int OpenCamera(int cameraId, int* handle);
  int CloseCamera(int h);
  int GetCameraInfo(int h, int item, std::uint32_t* first, std::uint32_t* second);
  int InitSettings(int h, CameraSettingsBlock* block);
  int ReadSettings(int h, CameraSettingsBlock* block);
  int ApplySettings(int h, CameraSettingsBlock* block);
  int ApplySettingsEx(int h, CameraSettingsBlock* block, int, int, int);
  int GetSetting(int h, CameraSettingsBlock* block, int id, std::uint32_t* value);
  int SetSetting(int h, CameraSettingsBlock* block, int id, std::uint32_t value);
  int GrabFrames(int h, GrabRequest* request, int timeoutMs);
  int GrabDuringRecording(int h, GrabRequest* request, int);
  int StartRecording(int h, std::uint32_t addressLow, std::uint32_t addressHigh, std::uint32_t frames,
                     std::uint32_t preTrigger, TessaRecordingDone callback, int flag, TessaContext context);
  int StopRecording(int h, int* out);
  int GetRecordingStatus(int h, int* active, int* recorded, int* triggerIndex, int* triggered);
  int ReadFrameTable(int h, int first, int count, FrameTableEntry* table);
  int ReadFrame(int h, std::uint32_t addressLow, std::uint32_t addressHigh, int index, void* buffer);
  int SoftwareTrigger(int h);
  int ResetCamera(int h);
  int Shutdown();

  using Clock = std::chrono::steady_clock;

 private:
  // These two take the lock themselves.
  int FillBlock(int h, CameraSettingsBlock* block, bool initialising);
  int ApplyBlock(int h, CameraSettingsBlock* block, bool extended);

  // The rest expect mutex_ to be held.
  int Lookup(int h, SimCamera*& camera);
  int LookupWithBlock(int h, CameraSettingsBlock* block, SimCamera*& camera);
  int LoadConfiguration();
  static std::string ConfigPathFromEnvironment();
  std::uint64_t RecordedFrames(const SimRecording& r, Clock::time_point now) const;
  // Ends a recording without its callback and waits for its thread, releasing the lock meanwhile;
  // callers look their camera up again afterwards.
  void EndRecording(std::unique_lock<std::mutex>& lock, const std::shared_ptr<SimRecording>& r);
  // Looks the camera up with its last recording ended, for close and reset.
  int LookupStopped(std::unique_lock<std::mutex>& lock, int h, SimCamera*& camera);

  void RunRecording(std::shared_ptr<SimRecording> r);

  std::mutex mutex_;
  std::condition_variable changed_;
  bool started_ = false;
  std::optional<std::string> configOverride_;
  double timeScale_ = 1.0;
  std::vector<std::unique_ptr<SimCamera>> cameras_;
  int nextHandle_;
};
