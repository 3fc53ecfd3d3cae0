// The workstation under Wine with the simulated camera: the real frame, toolbar, zoom selector and
// camera bar, driven by control id and message. The command rules in every state, the bar's
// handlers, the toolbar's tips, the zoom selector and screenshots of the whole frame.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "camera/CameraIds.h"
#include "platform/win32/GdiObject.h"
#include "resources/CommandIds.h"
#include "resources/WorkstationResources.h"
#include "tests/acquisition/ViewHarness.h"
#include "tests/tessadrv/DriverConfigFile.h"
#include "ui/CMainFrame.h"

namespace {

const std::uint32_t kSerial = 1200000000 + GetCurrentProcessId() % 100000000;

std::string Camera(const std::string& extra = "") {
  return "[Driver]\r\nCameras=1\r\nTimeScale=10\r\n[Camera0]\r\nSerial=" + std::to_string(kSerial) +
         "\r\n" + extra;
}

std::string Line(const char* tag, long value) {
  return std::string("  <") + tag + ">" + std::to_string(value) + "</" + tag + ">\r\n";
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring ListItem(HWND list, int index) {
  wchar_t text[64] = L"";
  SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

// Runs a step from inside the next message pump of this thread: the scans pump between steps.
std::function<void()> g_probeStep;
LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && g_probeStep) {
    auto step = std::move(g_probeStep);
    g_probeStep = nullptr;
    step();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class Workstation : public ::testing::Test {
 protected:
  Workstation() {
    driver_.Load();
    images_.Load();
    WNDCLASSW probeClass{};
    probeClass.lpfnWndProc = ProbeProc;
    probeClass.lpszClassName = L"WorkstationProbe";
    RegisterClassW(&probeClass);
    probe_ = CreateWindowW(L"WorkstationProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                           nullptr);
  }
  ~Workstation() override {
    Close();
    DestroyWindow(probe_);
    RemoveCameraConfiguration(kSerial);
  }

  // A frame without a parent is the program's main window and asks the loop to end as it goes;
  // the tests go on.
  void Close() {
    docTemplate_.CloseDocument();
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }

  void Start(const std::string& ini, const std::string& configuration = "") {
    ASSERT_TRUE(driver_.IsLoaded());
    Close();
    UseDriverConfiguration(ini);
    RemoveCameraConfiguration(kSerial);
    if (!configuration.empty()) WriteCameraConfiguration(kSerial, configuration);
    ASSERT_NE(docTemplate_.OpenNewDocument(nullptr), nullptr);
    view_ = static_cast<CCamView*>(docTemplate_.View());
    frame_ = static_cast<CMainFrame*>(docTemplate_.Frame());
    ShowWindow(frame_->Handle(), SW_SHOWNORMAL);
    if (view_->IsCameraOpen()) {
      ASSERT_TRUE(PumpUntil([&] { return view_->ZoomPercent() != 100; }, 3000)) << "the fit";
    }
  }

  HWND Bar() { return frame_->Bar().Handle(); }
  HWND BarItem(int id) { return GetDlgItem(Bar(), id); }
  // Commands as the toolbar and menus send them: to the frame.
  void Command(UINT id) { SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Type(int id, const wchar_t* text) { SetWindowTextW(BarItem(id), text); }
  void Choose(int id, int index) {
    SendMessageW(BarItem(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(Bar(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(BarItem(id)));
  }
  void Click(int id) { SendMessageW(BarItem(id), BM_CLICK, 0, 0); }
  std::uint32_t Setting(int id) {
    std::uint32_t value = 0;
    view_->Camera()->GetSetting(id, &value);
    return value;
  }
  void RunInsideNextPump(std::function<void()> step) {
    g_probeStep = std::move(step);
    PostMessageW(probe_, WM_APP, 0, 0);
  }

  TessaLibrary driver_;
  CImageFileLibrary images_;
  CCameraDocTemplate<CMainFrame> docTemplate_{driver_.Api(), images_.Api()};
  MessageBoxWatcher boxes_;
  CCamView* view_ = nullptr;
  CMainFrame* frame_ = nullptr;
  HWND probe_ = nullptr;
};

// States, in the order of the rule strings below.
enum State { kNoCamera, kIdle, kLive, kRecording, kSequence, kScanning, kStates };
const char* const kStateNames[] = {"no camera", "idle", "live", "recording", "sequence", "scanning"};

// Per state: '-' disabled, 'E' enabled, 'C' enabled and checked, 'c' disabled and checked.
struct Rule {
  UINT id;
  const char* states;
};
const Rule kRules[] = {
    {ID_CAMERA_RECORD, "-E-cE-"},  {ID_CAMERA_STOP, "-EEEEE"},  {ID_CAMERA_PLAY, "-EC-E-"},
    {ID_FRAME_FIRST, "------"},    {ID_FRAME_PREVIOUS, "------"}, {ID_FRAME_REWIND, "------"},
    {ID_FRAME_LAST, "----E-"},     {ID_FRAME_NEXT, "----E-"},   {ID_FRAME_FAST_FORWARD, "----E-"},
    {ID_CAMERA_TRIGGER, "---E--"}, {ID_END_ACQUISITION, "EEEEEE"}, {ID_RESET_CAMERA, "-E--E-"},
    {ID_EXPOSURE_DOWN, "-EE-E-"},  {ID_EXPOSURE_UP, "-EE-E-"},  {ID_SHOW_CAMERA_BAR, "cCCCCC"},
    {ID_ZOOM_IN, "-EEEEE"},        {ID_ZOOM_OUT, "-EEEEE"},     {ID_ZOOM_FIRST, "-EEEEE"},
    {ID_ZOOM_FIRST + 8, "-EEEEE"}, {ID_ZOOM_CUSTOM, "-EEEEE"},  {ID_ZOOM_FIT, "-EEEEE"},
    {ID_ZOOM_100, "-EEEEE"},
};

struct Snapshot {
  bool live, recording, scanning;
  std::uint32_t frame, exposure;
  int zoom;
  bool barVisible;
  bool operator==(const Snapshot& o) const {
    return live == o.live && recording == o.recording && scanning == o.scanning &&
           frame == o.frame && exposure == o.exposure && zoom == o.zoom &&
           barVisible == o.barVisible;
  }
};

class WorkstationRules : public Workstation {
 protected:
  Snapshot Take() {
    return {view_->IsLive(), view_->IsRecording(), view_->IsScanning(), view_->CurrentFrame(),
            view_->Settings().Exposure, view_->ZoomPercent(), IsWindowVisible(Bar()) != FALSE};
  }

  // Every rule through the routing, the toolbar's buttons and the bar's controls; then every
  // disabled command, sent as a command message, changes nothing.
  void Check(State state) {
    SCOPED_TRACE(kStateNames[state]);
    frame_->UpdateAllBars();
    HWND toolBar = frame_->ToolBar().BarWindow();
    for (const Rule& rule : kRules) {
      const char want = rule.states[state];
      const bool enabled = want == 'E' || want == 'C';
      const bool checked = want == 'C' || want == 'c';
      CCmdUI ui(rule.id);
      frame_->QueryCommand(ui);
      EXPECT_EQ(ui.IsEnabled(), enabled) << rule.id;
      EXPECT_EQ(ui.Checked() != 0, checked) << rule.id;
      TBBUTTONINFOW info{sizeof info, TBIF_STATE};
      if (SendMessageW(toolBar, TB_GETBUTTONINFOW, rule.id, reinterpret_cast<LPARAM>(&info)) >= 0) {
        EXPECT_EQ((info.fsState & TBSTATE_ENABLED) != 0, enabled) << "toolbar " << rule.id;
        EXPECT_EQ((info.fsState & TBSTATE_CHECKED) != 0, checked) << "toolbar " << rule.id;
      }
      if (HWND button = BarItem(static_cast<int>(rule.id))) {
        EXPECT_EQ(IsWindowEnabled(button) != FALSE, enabled) << "bar button " << rule.id;
      }
    }
    const bool settable = state != kNoCamera && state != kLive;
    for (int id : {IDC_GAIN, IDC_PIXEL_DEPTH}) {
      EXPECT_EQ(IsWindowEnabled(BarItem(id)) != FALSE, settable) << "bar control " << id;
    }
    for (int id : {IDC_RATE, IDC_EXPOSURE, IDC_RECORD_MODE, IDC_FRAMES, IDC_LIVE_TIMEOUT,
                   IDC_CAMERA_LINE, IDC_LIVE_WHILE_RECORDING}) {
      EXPECT_EQ(IsWindowEnabled(BarItem(id)) != FALSE, state != kNoCamera) << "bar control " << id;
    }
    EXPECT_EQ(IsWindowEnabled(frame_->ZoomSelector()) != FALSE, state != kNoCamera);

    for (const Rule& rule : kRules) {
      if (rule.states[state] == 'E' || rule.states[state] == 'C') continue;
      const Snapshot before = Take();
      Command(rule.id);                                                    // menu or host
      SendMessageW(view_->Handle(), WM_COMMAND, MAKEWPARAM(rule.id, 0), 0);  // automation
      SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(rule.id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(toolBar));                     // a toolbar button
      if (HWND button = BarItem(static_cast<int>(rule.id))) {
        // A click that reaches the bar while its button is disabled.
        SendMessageW(Bar(), WM_COMMAND, MAKEWPARAM(rule.id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
      }
      EXPECT_TRUE(Take() == before) << "disabled " << rule.id << " ran";
    }
  }
};

TEST_F(WorkstationRules, EveryCommandInEveryState) {
  Start("[Driver]\r\nCameras=0\r\n");
  Check(kNoCamera);
  EXPECT_EQ(TextOf(BarItem(IDC_CAMERA_LINE)), L"No cameras");

  Start(Camera(), Line("AcquisitionFrames", 20) + Line("RecordMode", 1) +
                      Line("AcquisitionPreTriggerFrames", 5));
  Check(kIdle);
  Command(ID_CAMERA_PLAY);
  ASSERT_TRUE(view_->IsLive());
  Check(kLive);
  Command(ID_CAMERA_STOP);
  Command(ID_CAMERA_RECORD);
  ASSERT_TRUE(view_->IsRecording());
  Check(kRecording);
  EXPECT_EQ(TextOf(BarItem(IDC_FRAME_LINE)), L"Recording...");
  EXPECT_EQ(frame_->Bar().FrameLineColour(), RGB(255, 0, 0));
  Command(ID_CAMERA_TRIGGER);
  ASSERT_TRUE(PumpUntil([&] { return view_->IsSequenceAvailable(); }, 20000));
  EXPECT_EQ(frame_->Bar().FrameLineColour(), RGB(0, 0, 0));
  EXPECT_EQ(TextOf(BarItem(IDC_FRAME_LINE)), L"Frame 1 of 20");
  Check(kSequence);
  bool checked = false;
  RunInsideNextPump([&] {
    ASSERT_TRUE(view_->IsScanning());
    Check(kScanning);
    checked = true;
    Command(ID_CAMERA_STOP);
  });
  Command(ID_FRAME_FAST_FORWARD);
  EXPECT_TRUE(checked);
  EXPECT_FALSE(view_->IsScanning());
  EXPECT_LT(view_->CurrentFrame(), 19u) << "Stop ended the scan";
}

TEST_F(Workstation, RateListsAndTheCameraLine) {
  Start(Camera());
  HWND rate = BarItem(IDC_RATE);
  EXPECT_EQ(SendMessageW(rate, CB_GETCOUNT, 0, 0), 15) << "30 .. 900 and the maximum 1000";
  EXPECT_EQ(TextOf(rate), L"100");
  const struct { std::uint32_t maximum; int count; const wchar_t* beforeLast; } lists[] = {
      {2000, 16, L"1000"}, {1500, 16, L"1000"}, {60000, 28, L"50000"}};
  for (const auto& l : lists) {
    frame_->Bar().FillRateList(l.maximum);
    ASSERT_EQ(SendMessageW(rate, CB_GETCOUNT, 0, 0), l.count) << l.maximum;
    EXPECT_EQ(ListItem(rate, 0), L"30");
    EXPECT_EQ(ListItem(rate, l.count - 2), l.beforeLast);
    EXPECT_EQ(ListItem(rate, l.count - 1), std::to_wstring(l.maximum));
  }
  const std::wstring line = TextOf(BarItem(IDC_CAMERA_LINE));
  wchar_t serial[32];
  wsprintfW(serial, L" (%02u-%04u-%04u) 4 GB", kSerial / 100000000, kSerial / 10000 % 10000,
            kSerial % 10000);
  EXPECT_EQ(line.substr(line.size() - wcslen(serial)), serial) << line.c_str();
  EXPECT_EQ(TextOf(BarItem(IDC_ROI_TEXT)), L"(0,0) 1280x1024");
  EXPECT_EQ(TextOf(BarItem(IDC_LIVE_TIMEOUT)), L"5.000");

  SendMessageW(rate, CB_SETCURSEL, 5, 0);  // "200"
  SendMessageW(Bar(), WM_COMMAND, MAKEWPARAM(IDC_RATE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(rate));
  EXPECT_EQ(view_->Settings().Rate, 200u);
  EXPECT_EQ(Setting(kSetFramePeriod), 5000000u);
  SetWindowTextW(rate, L"abc");
  SendMessageW(Bar(), WM_COMMAND, MAKEWPARAM(IDC_RATE, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(rate));
  EXPECT_EQ(view_->Settings().Rate, 200u) << "a text that is not a number changes nothing";
  // Typed rates: what follows the number is ignored; above the maximum, the maximum is run,
  // shown and stored.
  const struct { const wchar_t* typed; std::uint32_t rate; const wchar_t* shown; } typed[] = {
      {L"250 Hz", 250, L"250 Hz"}, {L"9999999", 1000, L"1000"}, {L"1001", 1000, L"1000"}};
  for (const auto& t : typed) {
    SetWindowTextW(rate, t.typed);
    SendMessageW(Bar(), WM_COMMAND, MAKEWPARAM(IDC_RATE, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(rate));
    EXPECT_EQ(view_->Settings().Rate, t.rate) << t.typed;
    EXPECT_EQ(Setting(kSetFramePeriod), 1000000000u / t.rate) << t.typed;
    EXPECT_EQ(TextOf(rate), t.shown) << t.typed;
  }
}

TEST_F(Workstation, ExposureStepsGoThroughTheExposureBox) {
  Start(Camera());
  const struct { const wchar_t* from; int button; std::uint32_t result; } steps[] = {
      {L"1", ID_EXPOSURE_DOWN, 1}, {L"6", ID_EXPOSURE_UP, 7}, {L"7", ID_EXPOSURE_UP, 9},
      {L"1000", ID_EXPOSURE_DOWN, 707}, {L"1000", ID_EXPOSURE_UP, 1414}};
  for (const auto& s : steps) {
    Type(IDC_EXPOSURE, s.from);
    Click(s.button);
    EXPECT_EQ(view_->Settings().Exposure, s.result) << s.from << " " << s.button;
    EXPECT_EQ(TextOf(BarItem(IDC_EXPOSURE)), std::to_wstring(s.result));
    EXPECT_EQ(Setting(kSetExposure), s.result);
  }
  Type(IDC_EXPOSURE, L"99999999999");
  EXPECT_EQ(view_->Settings().Exposure, 9999u) << "cut to what the 10 ms period allows";
  EXPECT_EQ(TextOf(BarItem(IDC_EXPOSURE)), L"9999");
  frame_->Bar().ShowExposure(1234);
  EXPECT_EQ(view_->Settings().Exposure, 9999u) << "a value the system writes is not an edit";
}

TEST_F(Workstation, LiveTimeOutRecordModeAndCounts) {
  Start(Camera(), Line("AcquisitionFrames", 100));
  CameraSettings& s = view_->Settings();
  const struct { const wchar_t* text; std::uint32_t ms; } timeOuts[] = {
      {L"2.5", 2500}, {L"0", 2500}, {L"abc", 2500}, {L"0.25", 250}};
  for (const auto& t : timeOuts) {
    Type(IDC_LIVE_TIMEOUT, t.text);
    EXPECT_EQ(s.LiveTimeOut, t.ms) << t.text;
    EXPECT_EQ(view_->Camera()->LiveTimeOut(), t.ms) << t.text;
  }

  EXPECT_FALSE(IsWindowEnabled(BarItem(IDC_PRE_TRIGGER)));
  Choose(IDC_RECORD_MODE, 1);
  EXPECT_TRUE(IsWindowEnabled(BarItem(IDC_PRE_TRIGGER))) << "Circular";
  EXPECT_EQ(s.RecordMode, 1u);
  EXPECT_EQ(Setting(kSetRecordMode), 1u);
  Type(IDC_PRE_TRIGGER, L"50");
  Choose(IDC_RECORD_MODE, 0);
  EXPECT_FALSE(IsWindowEnabled(BarItem(IDC_PRE_TRIGGER))) << "Normal";
  EXPECT_EQ(TextOf(BarItem(IDC_PRE_TRIGGER)), L"50") << "the number stays";

  const std::uint64_t capacity = s.RecordMemory / s.FrameBytes;
  Type(IDC_FRAMES, L"99999999999");
  EXPECT_EQ(TextOf(BarItem(IDC_FRAMES)), std::to_wstring(capacity));
  EXPECT_EQ(s.AcquisitionFrames, capacity);
  Type(IDC_FRAMES, L"20");
  EXPECT_EQ(s.AcquisitionFrames, 20u);
  EXPECT_EQ(TextOf(BarItem(IDC_PRE_TRIGGER)), L"20") << "lowered with the frame count";
  EXPECT_EQ(s.AcquisitionPreTriggerFrames, 20u);
  Type(IDC_PRE_TRIGGER, L"30");
  EXPECT_EQ(TextOf(BarItem(IDC_PRE_TRIGGER)), L"20") << "never above the frame count";
  Type(IDC_FRAMES, L"0");
  Type(IDC_FRAMES, L"x");
  EXPECT_EQ(s.AcquisitionFrames, 20u) << "0 and texts change nothing";
  s.FrameBytes = 0;
  Type(IDC_FRAMES, L"10");
  EXPECT_EQ(TextOf(BarItem(IDC_FRAMES)), L"0") << "no frame size: the maximum is 0";
  EXPECT_EQ(s.AcquisitionFrames, 20u);

  Choose(IDC_SYNC_IN, 3);
  Choose(IDC_TRIGGER_IN, 2);
  EXPECT_EQ(Setting(kSetSyncIn), 3u);
  EXPECT_EQ(Setting(kSetTriggerIn), 2u);
  SendMessageW(BarItem(IDC_LIVE_WHILE_RECORDING), BM_CLICK, 0, 0);
  EXPECT_EQ(s.LWR, 0u);
  frame_->Bar().SetControlValue(IDC_FRAMES, 7);
  EXPECT_EQ(s.AcquisitionFrames, 20u) << "automation updates the record itself";
}

TEST_F(Workstation, PixelDepthListsFollowTheCamera) {
  const struct { const char* extra; int count; const wchar_t* last; } cameras[] = {
      {"Color=1\r\n", 3, L"24 bit (lower)"}, {"Model=3\r\n", 3, L"8 bit (lower)"},
      {"Model=12\r\nFamily=1\r\n", 3, L"8 bit (lower)"}, {"Model=9\r\n", 5, L"10 bit"}};
  for (const auto& c : cameras) {
    Start(Camera(c.extra));
    HWND depth = BarItem(IDC_PIXEL_DEPTH);
    EXPECT_EQ(SendMessageW(depth, CB_GETCOUNT, 0, 0), c.count) << c.extra;
    EXPECT_EQ(ListItem(depth, c.count - 1), c.last) << c.extra;
  }
  Choose(IDC_PIXEL_DEPTH, 2);  // 8 bit (lower) on the model 9 camera
  EXPECT_EQ(view_->Settings().BitWindow, 2u);
  EXPECT_EQ(Setting(kSetBitWindow), 2u);
  Choose(IDC_PIXEL_DEPTH, 3);  // 9 bit
  EXPECT_EQ(view_->Settings().PixelDepth, 9u);
  EXPECT_EQ(view_->Settings().BitWindow, 2u) << "9 bit keeps the window";
  EXPECT_EQ(Setting(kSetPixelDepth), 9u);
}

TEST_F(Workstation, ToolbarTipFollowsTheMouse) {
  Start(Camera());
  HWND bar = frame_->ToolBar().BarWindow();
  auto centre = [&](int index) {
    RECT r{};
    SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  auto tip = [&] {
    wchar_t text[128] = L"";
    TTTOOLINFOW tool{sizeof tool};
    tool.hwnd = bar;
    tool.uId = reinterpret_cast<UINT_PTR>(bar);
    tool.lpszText = text;
    SendMessageW(frame_->ToolBar().ToolTips(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    return std::wstring(text);
  };
  RECT last{};
  SendMessageW(bar, TB_GETITEMRECT, 12, reinterpret_cast<LPARAM>(&last));
  const struct { LPARAM at; UINT id; const wchar_t* text; } moves[] = {
      {centre(0), ID_CAMERA_RECORD, L"Record"},
      {centre(0) + 1, ID_CAMERA_RECORD, L"Record"},  // within the button: unchanged
      {centre(4), 0, nullptr},                        // the separator
      {centre(0), ID_CAMERA_RECORD, L"Record"},
      {MAKELPARAM(last.right + 3, (last.top + last.bottom) / 2), 0, nullptr},  // past the last
      {centre(12), ID_SAVE_SEQUENCE, L"Save the acquired sequence of images\nSave Sequence"},
      {centre(11), 0, nullptr},
  };
  for (const auto& m : moves) {
    SendMessageW(bar, WM_MOUSEMOVE, 0, m.at);
    EXPECT_EQ(frame_->ToolBar().ShowingTipId(), m.id) << LOWORD(m.at);
    if (m.text) {
      EXPECT_EQ(tip(), m.text);
    }
  }
}

TEST_F(Workstation, ZoomSelectorSendsZoomCommands) {
  Start(Camera());
  HWND zoom = frame_->ZoomSelector();
  ASSERT_EQ(SendMessageW(zoom, CB_GETCOUNT, 0, 0), 14);
  EXPECT_EQ(ListItem(zoom, 0), L"400%");
  EXPECT_EQ(ListItem(zoom, 12), L"10%");
  EXPECT_EQ(ListItem(zoom, 13), std::to_wstring(view_->CustomZoomPercent()) + L"%") << "after fit";
  EXPECT_EQ(SendMessageW(zoom, CB_GETCURSEL, 0, 0), 13);
  SendMessageW(zoom, CB_SETCURSEL, 8, 0);  // "50%"
  SendMessageW(frame_->ToolBar().BarWindow(), WM_COMMAND, MAKEWPARAM(ID_ZOOM_SELECTOR, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(zoom));
  EXPECT_EQ(view_->ZoomPercent(), 50) << "command 32781";
  Command(ID_ZOOM_IN);
  EXPECT_EQ(view_->ZoomPercent(), 60);
  EXPECT_EQ(SendMessageW(zoom, CB_GETCURSEL, 0, 0), 7) << "the selector follows";

  frame_->ShowCameraBar(false);
  EXPECT_FALSE(IsWindowVisible(Bar()));
  frame_->ShowCameraBar(true);
  EXPECT_EQ(TextOf(BarItem(IDC_EXPOSURE)), std::to_wstring(view_->Settings().Exposure));
  RECT viewRect, barRect;
  GetWindowRect(view_->Handle(), &viewRect);
  GetWindowRect(Bar(), &barRect);
  EXPECT_EQ(viewRect.right, barRect.left) << "the view ends where the bar begins";
  frame_->ShowToolBar(false);
  RECT client;
  GetClientRect(frame_->Handle(), &client);
  MapWindowPoints(nullptr, frame_->Handle(), reinterpret_cast<POINT*>(&viewRect), 2);
  GetWindowRect(view_->Handle(), &viewRect);
  MapWindowPoints(nullptr, frame_->Handle(), reinterpret_cast<POINT*>(&viewRect), 2);
  EXPECT_EQ(viewRect.top, 0) << "no toolbar above the view";
}

TEST_F(Workstation, BarKeysAndTips) {
  Start(Camera());
  SetFocus(BarItem(IDC_EXPOSURE));
  MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(PreTranslateFrameworkMessage(tab)) << "Tab is a dialog key in the bar";
  EXPECT_NE(GetFocus(), BarItem(IDC_EXPOSURE));
  EXPECT_TRUE(IsChild(Bar(), GetFocus()));
  MSG elsewhere{view_->Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_FALSE(PreTranslateFrameworkMessage(elsewhere));

  HWND tips = frame_->Bar().ToolTips();
  ASSERT_NE(tips, nullptr);
  wchar_t text[128] = L"";
  TTTOOLINFOW tool{sizeof tool};
  tool.hwnd = Bar();
  tool.uId = reinterpret_cast<UINT_PTR>(BarItem(IDC_RATE));
  tool.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Rate");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 18) << "every control with a string";
}

// Other test programs share the display: true when no window of theirs lies over the frame.
bool Uncovered(HWND frame) {
  RECT rect;
  GetWindowRect(frame, &rect);
  for (int y = rect.top + 2; y < rect.bottom; y += 40) {
    for (int x = rect.left + 2; x < rect.right; x += 40) {
      if (GetAncestor(WindowFromPoint({x, y}), GA_ROOT) != frame) return false;
    }
  }
  return true;
}

// The frame as the display shows it, kept beside the test programs as an artefact.
std::vector<COLORREF> Screenshot(HWND frame, const wchar_t* file, int& width, int& height) {
  RECT rect;
  GetWindowRect(frame, &rect);
  width = rect.right - rect.left;
  height = rect.bottom - rect.top;
  SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpUntil([&] { return Uncovered(frame); }, 5000);
  RedrawWindow(frame, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  BITMAPINFOHEADER header{sizeof header, width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  const UniqueMemoryDC dc(CreateCompatibleDC(screen));
  const UniqueBitmap dib(CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                          DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    const SelectedObject selected(dc.get(), dib.get());
    BitBlt(dc.get(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<size_t>(width * height));
  auto* source = static_cast<std::uint8_t*>(bits);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = RGB(source[4 * i + 2], source[4 * i + 1], source[4 * i]);
    source[4 * i + 3] = 255;  // opaque for viewers that read the fourth byte
  }
  CreateDirectoryW(L"artefacts", nullptr);
  HANDLE out = CreateFileW((std::wstring(L"artefacts\\") + file).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    BITMAPFILEHEADER fileHeader{0x4D42};
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    DWORD written = 0;
    WriteFile(out, &fileHeader, sizeof fileHeader, &written, nullptr);
    WriteFile(out, &header, sizeof header, &written, nullptr);
    WriteFile(out, bits, static_cast<DWORD>(pixels.size() * 4), &written, nullptr);
    CloseHandle(out);
  }
  return pixels;
}

TEST_F(Workstation, ScreenshotsShowToolbarBarAndImage) {
  const struct { const char* extra; const wchar_t* file; bool colour; } cameras[] = {
      {"Color=1\r\n", L"workstation-colour.bmp", true}, {"", L"workstation-mono.bmp", false}};
  for (const auto& c : cameras) {
    SCOPED_TRACE(c.file);
    Start(Camera(c.extra));
    Command(ID_CAMERA_PLAY);
    PumpUntil([] { return false; }, 300);
    Command(ID_CAMERA_STOP);
    int width = 0, height = 0;
    const std::vector<COLORREF> shot = Screenshot(frame_->Handle(), c.file, width, height);
    POINT origin{0, 0};
    ClientToScreen(frame_->Handle(), &origin);
    RECT window;
    GetWindowRect(frame_->Handle(), &window);
    auto at = [&](HWND child, int x, int y) {
      POINT p{x, y};
      ClientToScreen(child, &p);
      return shot[static_cast<size_t>((p.y - window.top) * width + (p.x - window.left))];
    };
    // The Record button's pale red ball, in the middle of its button.
    RECT record{};
    SendMessageW(frame_->ToolBar().BarWindow(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&record));
    const COLORREF ball = at(frame_->ToolBar().BarWindow(), (record.left + record.right) / 2,
                             (record.top + record.bottom) / 2 + 1);
    EXPECT_GT(GetRValue(ball), GetGValue(ball) + 40) << std::hex << ball;
    // The region text is drawn in the ROI box: dark pixels on its light background.
    RECT roi;
    GetClientRect(BarItem(IDC_ROI_TEXT), &roi);
    int dark = 0;
    for (int x = 0; x < roi.right; ++x) {
      for (int y = 0; y < roi.bottom; ++y) dark += GetGValue(at(BarItem(IDC_ROI_TEXT), x, y)) < 80;
    }
    EXPECT_GT(dark, 20);
    // The image: colour shows in the colour camera's picture only.
    int tinted = 0, bright = 0;
    for (int i = 0; i < 400; ++i) {
      const COLORREF p = at(view_->Handle(), 5 + (i * 37) % 500, 5 + (i * 53) % 400);
      tinted += GetRValue(p) != GetGValue(p) || GetGValue(p) != GetBValue(p);
      bright += GetGValue(p) > 40;
    }
    EXPECT_GT(bright, 100) << "an image, not the black background";
    if (c.colour) {
      EXPECT_GT(tinted, 100);
    } else {
      EXPECT_EQ(tinted, 0);
    }
  }
}

}  // namespace
