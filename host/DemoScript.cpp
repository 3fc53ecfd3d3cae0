// Timed stages of the unattended demo, run from a timer on the window's thread; the operator's
// dialogs are answered through their controls from the same timer inside their modal loops.
#include "host/DemoScript.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "acquisition/CCamView.h"
#include "platform/win32/GdiObject.h"
#include "platform/win32/UniqueHandle.h"
#include "resources/CommandIds.h"
#include "resources/RoiEditorResources.h"
#include "resources/SaveSequenceResources.h"
#include "resources/WorkstationResources.h"
#include "ui/CMainFrame.h"

namespace {

CDemoScript* g_running = nullptr;  // the timer callback's way back to the one running script
constexpr UINT kTickMs = 100;

void SetBox(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }

void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

struct DialogSearch {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  wchar_t title[128] = L"", name[16] = L"";
  GetWindowTextW(window, title, 128);
  GetClassNameW(window, name, 16);
  if (IsWindowVisible(window) && std::wcscmp(name, L"#32770") == 0 &&
      std::wcscmp(title, search->title) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Only this thread's windows: other programs may show the same dialogs on the same display.
HWND FindShownDialog(const wchar_t* title) {
  DialogSearch search{title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindTitled, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

CDemoScript::CDemoScript(CMainFrame& frame, CCamView& view, std::wstring screenshotPath)
    : frame_(frame), view_(view), screenshotPath_(std::move(screenshotPath)) {}

void CDemoScript::Start() {
  g_running = this;
  timer_ = SetTimer(nullptr, 0, kTickMs, OnTick);
}

void CALLBACK CDemoScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_running) g_running->Tick();
}

// A dialog open inside a step is answered from the ticks its modal loop lets through.
void CDemoScript::Tick() {
  if (!AnswerDialog()) Step();
}

void CDemoScript::RunDialog(UINT command, const wchar_t* title, std::function<void(HWND)> answer) {
  dialogTitle_ = title;
  dialogAnswer_ = std::move(answer);
  Send(command);
  dialogTitle_.clear();  // a command that showed no dialog leaves nothing to answer
  dialogAnswer_ = nullptr;
}

bool CDemoScript::AnswerDialog() {
  if (dialogTitle_.empty()) return false;
  HWND dialog = FindShownDialog(dialogTitle_.c_str());
  if (!dialog) return false;
  const std::function<void(HWND)> answer = std::move(dialogAnswer_);
  dialogTitle_.clear();
  answer(dialog);
  return true;
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
      EditRegion();
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

// A 640 x 480 region in the middle of the sensor, typed into the region editor's boxes.
void CDemoScript::EditRegion() {
  RunDialog(ID_EDIT_ROI, L"Edit Region of Interest", [](HWND d) {
    SetBox(d, IDC_ROI_X0, L"320");
    SetBox(d, IDC_ROI_Y0, L"256");
    SetBox(d, IDC_ROI_WIDTH, L"640");
    SetBox(d, IDC_ROI_HEIGHT, L"480");
    Click(d, IDOK);
  });
  const CameraSettings& s = view_.Settings();
  std::printf("demo: region %d x %d at (%d, %d) through the region editor\n",
              static_cast<int>(s.RoiWidth), static_cast<int>(s.RoiHeight),
              static_cast<int>(s.RoiX0), static_cast<int>(s.RoiY0));
}

// Every tenth frame as a TIFF, and the whole sequence as one AVI, beside the screenshot, both
// through the Save Sequence dialog (its range comes preset to the whole recording). Its folder
// box changes only through Browse: the folder is the record's.
void CDemoScript::SaveSequence() {
  CameraSettings& s = view_.Settings();
  const std::wstring folder = screenshotPath_.substr(0, screenshotPath_.find_last_of(L'\\'));
  char text[sizeof s.ImageFolder] = "";
  WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, text, sizeof text, nullptr, nullptr);
  text[sizeof text - 1] = '\0';
  SetSettingText(s.ImageFolder, text, std::strlen(text));
  const struct {
    const wchar_t* prefix;
    int typeIndex;  // TIFF and AVI in the dialog's list
    const wchar_t* step;
  } saves[] = {{L"Frame", 0, L"10"}, {L"Sequence", 7, L"1"}};
  for (const auto& save : saves) {
    RunDialog(ID_SAVE_SEQUENCE, L"Save Sequence to file", [&save](HWND d) {
      SetBox(d, IDC_SAVE_PREFIX, save.prefix);
      SendDlgItemMessageW(d, IDC_SAVE_FILE_TYPE, CB_SETCURSEL, save.typeIndex, 0);
      SetBox(d, IDC_SAVE_STEP, save.step);
      Click(d, IDOK);
    });
    std::printf("demo: saved %s, file type %u, frames %u to %u by %u, through the dialog\n",
                s.ImageNamePrefix, s.FileType, s.SaveFirst + 1, s.SaveLast + 1, s.SaveStep);
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
