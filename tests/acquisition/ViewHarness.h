// Test harness for the camera view under Wine: the simulated driver configured per test, a frame
// that logs what the view tells its camera bar, and a watcher that answers message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "acquisition/CCamView.h"
#include "camera/TessaLibrary.h"
#include "control/CameraDocTemplate.h"

class LoggingFrame : public CFrameWindow, public CameraViewHost, public CameraBarSink {
 public:
  std::vector<std::string> log;
  bool zoomSelectorEnabled = true;
  bool barShown = true;

  bool CreateFrame(HWND parent);
  CameraBarSink* CameraBar() override { return this; }
  void EnableZoomSelector(bool enable) override { zoomSelectorEnabled = enable; }
  void ShowCameraBar(bool show) override { barShown = show; }
  void SelectZoomEntry(int index) override { Log("SelectZoomEntry " + std::to_string(index)); }
  void SetCustomZoomText(int percent) override {
    Log("SetCustomZoomText " + std::to_string(percent));
  }

  void SetView(CCamView*) override { Log("SetView"); }
  void SetCameraInfo(CameraSettings*, std::int32_t model, std::uint32_t, int, std::uint32_t serial,
                     std::uint32_t gb) override {
    Log("SetCameraInfo " + std::to_string(model) + " " + std::to_string(serial) + " " +
        std::to_string(gb));
  }
  void FillRateList(std::uint32_t maximum) override { Log("FillRateList " + std::to_string(maximum)); }
  void UpdateRoiText() override { Log("UpdateRoiText"); }
  void ShowExposure(int value) override { Log("ShowExposure " + std::to_string(value)); }
  void ShowRate(int value) override { Log("ShowRate " + std::to_string(value)); }
  void ShowFrameIndex(int current, int total) override {
    Log("ShowFrameIndex " + std::to_string(current) + " " + std::to_string(total));
  }
  void ShowStatusMessage(UINT id) override { Log("ShowStatusMessage " + std::to_string(id)); }
  void EnableLiveControls(bool enable) override { Log(enable ? "EnableLive 1" : "EnableLive 0"); }
  void DisableAllControls() override { Log("DisableAllControls"); }
  void SetControlValue(int id, int value) override {
    Log("SetControlValue " + std::to_string(id) + " " + std::to_string(value));
  }

  bool Logged(const std::string& entry) const;
  std::string LastLogged(const std::string& prefix) const;

 private:
  void Log(const std::string& entry);
  mutable std::mutex mutex_;  // the worker thread may log frame texts
};

using ViewTemplate = CCameraDocTemplate<LoggingFrame>;

// Answers each "Kinetra Digital Camera" box with the next queued answer and keeps its text.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  void Answer(int command);
  std::vector<std::wstring> Texts() const;

 private:
  void Run();
  mutable std::mutex mutex_;
  std::vector<int> answers_;
  std::vector<std::wstring> texts_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Writes the configuration file that the view loads for the camera with this serial.
void WriteCameraConfiguration(std::uint32_t serial, const std::string& body);
void RemoveCameraConfiguration(std::uint32_t serial);
// The configuration file as the view last wrote it; empty when there is none.
std::string ReadCameraConfiguration(std::uint32_t serial);

// The loaded driver's table with the close and shutdown calls logged in order, with their status.
const TessaDriverApi& LoggingDriver(const TessaDriverApi& inner);
std::vector<std::string> LoggedDriverCalls();

// Runs the message loop until the condition holds or the time is up; returns the condition.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
  return true;
}

// The frame number the test pattern carries in the first row of an 8-bit frame.
std::uint32_t FrameNumberOf(const std::uint8_t* frame);
