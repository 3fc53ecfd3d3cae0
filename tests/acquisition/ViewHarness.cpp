// The camera view's test harness.
#include "tests/acquisition/ViewHarness.h"

#include <cstdio>
#include <cstdlib>

#include "config/SharedFolder.h"

bool LoggingFrame::Logged(const std::string& entry) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& e : log) {
    if (e == entry) return true;
  }
  return false;
}

std::string LoggingFrame::LastLogged(const std::string& prefix) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = log.rbegin(); it != log.rend(); ++it) {
    if (it->compare(0, prefix.size(), prefix) == 0) return *it;
  }
  return "";
}

void LoggingFrame::Log(const std::string& entry) {
  std::lock_guard<std::mutex> lock(mutex_);
  log.push_back(entry);
}

bool LoggingFrame::CreateFrame(HWND parent) {
  const RECT rect{0, 0, 800, 600};
  return Create(0, L"", WS_POPUP | WS_VISIBLE, rect, parent, nullptr) != nullptr;
}

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

void MessageBoxWatcher::Answer(int command) {
  std::lock_guard<std::mutex> lock(mutex_);
  answers_.push_back(command);
}

std::vector<std::wstring> MessageBoxWatcher::Texts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return texts_;
}

namespace {

// Test programs run side by side: only this process's boxes are ours to answer.
HWND FindOwnMessageBox() {
  HWND box = nullptr;
  while ((box = FindWindowExW(nullptr, box, L"#32770", L"Kinetra Digital Camera"))) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process == GetCurrentProcessId()) return box;
  }
  return nullptr;
}

}  // namespace

void MessageBoxWatcher::Run() {
  while (!stop_) {
    HWND box = FindOwnMessageBox();
    if (box && IsWindowVisible(box)) {
      wchar_t text[512] = L"";
      GetDlgItemTextW(box, 0xFFFF, text, 512);
      int answer = IDOK;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        texts_.push_back(text);
        if (!answers_.empty()) {
          answer = answers_.front();
          answers_.erase(answers_.begin());
        }
      }
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
      while (!stop_ && IsWindow(box)) Sleep(2);
    }
    Sleep(2);
  }
}

namespace {

std::string CameraConfigurationPath(std::uint32_t serial) {
  char folder[kFolderChars] = "";
  GetSharedDocumentsFolder(folder);
  return std::string(folder) + "\\" + std::to_string(static_cast<std::int32_t>(serial)) + ".xml";
}

void WriteText(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

}  // namespace

void WriteCameraConfiguration(std::uint32_t serial, const std::string& body) {
  WriteText(CameraConfigurationPath(serial),
            "<Kinetra-ActiveX-Control-Configuration>\r\n" + body +
                "</Kinetra-ActiveX-Control-Configuration>\r\n");
}

void RemoveCameraConfiguration(std::uint32_t serial) {
  DeleteFileA(CameraConfigurationPath(serial).c_str());
}

std::string ReadCameraConfiguration(std::uint32_t serial) {
  std::string text;
  FILE* file = std::fopen(CameraConfigurationPath(serial).c_str(), "rb");
  if (!file) return text;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  std::fclose(file);
  return text;
}

namespace {

TessaDriverApi g_inner{};
TessaDriverApi g_logging{};
std::vector<std::string> g_driverCalls;

int TESSA_CALL LoggedClose(int h) {
  const int status = g_inner.CloseCamera(h);
  g_driverCalls.push_back("CloseCamera " + std::to_string(status));
  return status;
}

int TESSA_CALL LoggedShutdown() {
  const int status = g_inner.Shutdown();
  g_driverCalls.push_back("Shutdown " + std::to_string(status));
  return status;
}

}  // namespace

const TessaDriverApi& LoggingDriver(const TessaDriverApi& inner) {
  g_inner = inner;
  g_logging = inner;
  g_logging.CloseCamera = LoggedClose;
  g_logging.Shutdown = LoggedShutdown;
  g_driverCalls.clear();
  return g_logging;
}

std::vector<std::string> LoggedDriverCalls() { return g_driverCalls; }

std::uint32_t FrameNumberOf(const std::uint8_t* frame) {
  std::uint32_t n = 0;
  for (int bit = 0; bit < 32; ++bit) {
    if (frame[bit] == 255) n |= 1u << bit;
  }
  return n;
}
