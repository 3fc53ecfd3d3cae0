// Timed stages of the unattended demo, run from a timer on the window's thread.
#include "host/DemoScript.h"

#include <cstdio>
#include <vector>

#include "acquisition/CCamView.h"
#include "platform/win32/GdiObject.h"
#include "platform/win32/UniqueHandle.h"
#include "resources/CommandIds.h"
#include "resources/WorkstationResources.h"
#include "ui/CMainFrame.h"

namespace {

CDemoScript* g_running = nullptr;  // the timer callback's way back to the one running script
constexpr UINT kTickMs = 100;

}  // namespace

CDemoScript::CDemoScript(CMainFrame& frame, CCamView& view, std::wstring screenshotPath)
    : frame_(frame), view_(view), screenshotPath_(std::move(screenshotPath)) {}

void CDemoScript::Start() {
  g_running = this;
  timer_ = SetTimer(nullptr, 0, kTickMs, OnTick);
}

void CALLBACK CDemoScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_running) g_running->Step();
}

void CDemoScript::Send(UINT command) {
  SendMessageW(frame_.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// As an operator would: type an exposure, choose circular recording, type the frame counts.
void CDemoScript::UseBarControls() {
  HWND bar = frame_.Bar().Handle();
  SetDlgItemTextW(bar, IDC_EXPOSURE, L"2000");
  HWND recordMode = GetDlgItem(bar, IDC_RECORD_MODE);
  SendMessageW(recordMode, CB_SETCURSEL, 1, 0);
  SendMessageW(bar, WM_COMMAND, MAKEWPARAM(IDC_RECORD_MODE, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(recordMode));
  SetDlgItemTextW(bar, IDC_FRAMES, L"100");
  SetDlgItemTextW(bar, IDC_PRE_TRIGGER, L"10");
  const CameraSettings& s = view_.Settings();
  std::printf("demo: camera bar set exposure %u us, record mode %u, %u frames, %u before the trigger\n",
              s.Exposure, s.RecordMode, s.AcquisitionFrames, s.AcquisitionPreTriggerFrames);
}

void CDemoScript::Step() {
  // The scans let messages run, this timer's among them: a tick inside one must wait its turn.
  if (busy_) return;
  busy_ = true;
  StepOnce();
  busy_ = false;
}

void CDemoScript::StepOnce() {
  ++ticks_;
  switch (stage_) {
    case 0:  // live preview for a moment
      if (!view_.IsCameraOpen()) {
        std::printf("demo: no camera could be opened\n");
        stage_ = 9;
        break;
      }
      UseBarControls();
      Send(ID_CAMERA_PLAY);
      std::printf("demo: live preview\n");
      stage_ = 1;
      ticks_ = 0;
      break;
    case 1:
      if (ticks_ < 15) break;
      Send(ID_CAMERA_STOP);
      Send(ID_CAMERA_RECORD);
      std::printf("demo: recording 100 frames around a trigger\n");
      stage_ = 2;
      ticks_ = 0;
      break;
    case 2:  // a circular recording runs until its trigger; the camera then ends it by callback
      if (ticks_ == 5) Send(ID_CAMERA_TRIGGER);
      if (view_.IsRecording() && ticks_ < 300) break;
      std::printf("demo: recorded, %u frames available\n", view_.FrameCount());
      for (int i = 0; i < 5; ++i) Send(ID_FRAME_NEXT);
      Send(ID_FRAME_LAST);
      Send(ID_FRAME_FIRST);
      stage_ = 3;
      break;
    case 3:
      Send(ID_FRAME_FAST_FORWARD);
      for (int i = 0; i < 58; ++i) Send(ID_FRAME_PREVIOUS);
      SaveSequence();
      stage_ = 4;
      break;
    case 4:
      frame_.UpdateAllBars();  // the buttons as the next idle refresh would show them
      if (SaveScreenshot()) {
        std::wprintf(L"demo: screenshot saved to %ls\n", screenshotPath_.c_str());
      }
      {
        wchar_t line[128] = L"";
        GetDlgItemTextW(frame_.Bar().Handle(), IDC_FRAME_LINE, line, 128);
        std::wprintf(L"demo: showing %ls\n", line);
      }
      stage_ = 9;
      break;
    default:
      KillTimer(nullptr, timer_);
      g_running = nullptr;
      std::fflush(stdout);
      DestroyWindow(frame_.Handle());
      break;
  }
  std::fflush(stdout);
}

// Every tenth frame as a TIFF, and the whole sequence as one AVI, beside the screenshot.
void CDemoScript::SaveSequence() {
  CameraSettings& s = view_.Settings();
  const std::wstring folder = screenshotPath_.substr(0, screenshotPath_.find_last_of(L'\\'));
  WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, s.ImageFolder, sizeof s.ImageFolder, nullptr,
                      nullptr);
  s.ImageFolder[sizeof s.ImageFolder - 1] = '\0';
  const struct { const char* prefix; std::uint32_t type, step; } saves[] = {{"Frame", 1, 10},
                                                                           {"Sequence", 17, 1}};
  for (const auto& save : saves) {
    std::snprintf(s.ImageNamePrefix, sizeof s.ImageNamePrefix, "%s", save.prefix);
    s.FileType = save.type;
    s.SaveFirst = 0;
    s.SaveLast = view_.FrameCount() - 1;
    s.SaveStep = save.step;
    const int result = view_.SaveImageSequence();
    std::printf("demo: saved %s files of type %u (result %d)\n", save.prefix, save.type, result);
  }
}

bool CDemoScript::SaveScreenshot() const {
  RECT rect;
  GetWindowRect(frame_.Handle(), &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB};
  const int stride = (width * 3 + 3) & ~3;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  const UniqueMemoryDC dc(CreateCompatibleDC(screen));
  ReleaseDC(nullptr, screen);
  const UniqueBitmap dib(CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                          DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !dib) return false;
  const SelectedObject selected(dc.get(), dib.get());
  // What the display really shows: paint everything now, then copy the window's part of it.
  RedrawWindow(frame_.Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  HDC display = GetDC(nullptr);
  BitBlt(dc.get(), 0, 0, width, height, display, rect.left, rect.top, SRCCOPY);
  ReleaseDC(nullptr, display);
  GdiFlush();
  bool saved = false;
  UniqueFile file(CreateFileW(screenshotPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) {
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + stride * height;
    DWORD written = 0;
    saved = WriteFile(file.get(), &fileHeader, sizeof fileHeader, &written, nullptr) &&
            WriteFile(file.get(), &header, sizeof header, &written, nullptr) &&
            WriteFile(file.get(), bits, stride * height, &written, nullptr);
  }
  return saved;
}
