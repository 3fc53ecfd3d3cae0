// The region editor under Wine, driven by control id, by messages and by real mouse input.
#include "ui/CRoiDlg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/GdiObject.h"
#include "resources/RoiEditorResources.h"
#include "tests/support/DialogScript.h"

namespace {

const std::wstring kTitle = L"Edit Region of Interest";
constexpr std::int32_t kStart[kRoiValues] = {100, 100, 600, 400, 1280, 1024};
constexpr std::uint8_t kFrameLevel = 200;

HWND ImageWindow(HWND dialog) { return FindWindowExW(dialog, nullptr, L"SelvarImageWnd", L"ImageWnd"); }

std::vector<std::wstring> Boxes(HWND dialog) {
  std::vector<std::wstring> texts;
  for (int id : {IDC_ROI_X0, IDC_ROI_Y0, IDC_ROI_WIDTH, IDC_ROI_HEIGHT, IDC_ROI_SENSOR_WIDTH,
                 IDC_ROI_SENSOR_HEIGHT}) {
    texts.push_back(ItemText(dialog, id));
  }
  return texts;
}

bool CursorAt(POINT screen) {
  POINT at{};
  GetCursorPos(&at);
  return std::abs(at.x - screen.x) <= 1 && std::abs(at.y - screen.y) <= 1;
}

// Real input through the system's queue, so capture decides who gets it. Input is handled
// a moment later, later still on a busy machine: messages run until done says it arrived.
void Mouse(DWORD flags, POINT screen, const std::function<bool()>& done) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
  const DWORD start = GetTickCount();
  do {
    PumpFor(20);
  } while (!done() && GetTickCount() - start < 3000);
  PumpFor(20);
}

void MoveMouse(POINT screen) { Mouse(0, screen, [screen] { return CursorAt(screen); }); }

POINT OnScreen(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

class RoiDlg : public ::testing::Test {
 protected:
  RoiDlg() : frame_(600 * 400, kFrameLevel) {}
  // Runs a new dialog with the steps, ends it with the button and returns the region it gives.
  std::vector<std::int32_t> Run(std::function<void(HWND)> steps, int button = IDOK) {
    std::int32_t region[kRoiValues];
    std::copy(kStart, kStart + kRoiValues, region);
    dialog_ = std::make_unique<CRoiDlg>(nullptr);
    dialog_->SetImage(region, 8, RoiFrame{frame_.data(), frame_.size(), 600, 400});
    INT_PTR answer = 0;
    EXPECT_EQ(RunDialogScript(kTitle, [&](HWND d) { steps(d); Press(d, button); },
                              [&] { answer = dialog_->DoModal(); }),
              1);
    EXPECT_EQ(answer, button);
    dialog_->GetRegion(region);
    return std::vector<std::int32_t>(region, region + kRoiValues);
  }
  std::vector<std::uint8_t> frame_;
  std::unique_ptr<CRoiDlg> dialog_;
};

TEST_F(RoiDlg, TypedValuesAreCorrectedInTheirBoxes) {
  const struct {
    const char* name;
    int box;
    const wchar_t* text;
    std::vector<std::int32_t> region;
    std::vector<std::wstring> boxes;
  } cases[] = {
      {"x0 at the sensor width is put back", IDC_ROI_X0, L"1280", {100, 100, 600, 400, 1280, 1024},
       {L"100", L"100", L"600", L"400", L"1280", L"1024"}},
      {"x0 too large for a 32-bit field is put back", IDC_ROI_X0, L"4294967396",
       {100, 100, 600, 400, 1280, 1024}, {L"100", L"100", L"600", L"400", L"1280", L"1024"}},
      {"x0 making the region too wide cuts the width", IDC_ROI_X0, L"900",
       {900, 100, 380, 400, 1280, 1024}, {L"900", L"100", L"380", L"400", L"1280", L"1024"}},
      {"x0 that fits keeps the width", IDC_ROI_X0, L"0", {0, 100, 600, 400, 1280, 1024},
       {L"0", L"100", L"600", L"400", L"1280", L"1024"}},
      {"not a number is ignored", IDC_ROI_X0, L"12a", {100, 100, 600, 400, 1280, 1024},
       {L"12a", L"100", L"600", L"400", L"1280", L"1024"}},
      {"y0 making the region too high cuts the height", IDC_ROI_Y0, L"1000",
       {100, 1000, 600, 24, 1280, 1024}, {L"100", L"1000", L"600", L"24", L"1280", L"1024"}},
      {"a width past the edge is cut", IDC_ROI_WIDTH, L"5000", {100, 100, 1180, 400, 1280, 1024},
       {L"100", L"100", L"1180", L"400", L"1280", L"1024"}},
      {"a width of 0 is taken", IDC_ROI_WIDTH, L"0", {100, 100, 0, 400, 1280, 1024},
       {L"100", L"100", L"0", L"400", L"1280", L"1024"}},
  };
  for (const auto& c : cases) {
    std::vector<std::wstring> boxes;
    const std::vector<std::int32_t> region = Run([&](HWND d) {
      Type(d, c.box, c.text);
      boxes = Boxes(d);
    });
    EXPECT_EQ(region, c.region) << c.name;
    EXPECT_EQ(boxes, c.boxes) << c.name;
  }
}

TEST_F(RoiDlg, ResetTakesTheWholeSensorAndLeavesNothingBehind) {
  const long gdiObjects = LiveGdiObjects();
  const long windows = CWindowBase::LiveWindowCount();
  std::vector<std::wstring> boxes;
  EXPECT_EQ(Run([&](HWND d) {
              Press(d, IDC_ROI_RESET);
              UpdateWindow(ImageWindow(d));
              boxes = Boxes(d);
            }),
            (std::vector<std::int32_t>{0, 0, 1280, 1024, 1280, 1024}));
  EXPECT_EQ(boxes, (std::vector<std::wstring>{L"0", L"0", L"1280", L"1024", L"1280", L"1024"}));
  EXPECT_EQ(LiveGdiObjects(), gdiObjects) << "pens, brushes and memory DCs of the painting";
  EXPECT_EQ(CWindowBase::LiveWindowCount(), windows) << "the picture window";
}

// A drag with real mouse input: pressed inside the region, moved right, released far outside
// the dialog. The capture ends the drag there; moving over the picture afterwards changes nothing.
TEST_F(RoiDlg, ADragReleasedOutsideTheWindowEndsThere) {
  std::wstring afterDrag, afterRelease;
  bool capturedAfterRelease = true;
  bool capturedDuringDrag = false;
  Run([&](HWND d) {
    HWND window = ImageWindow(d);
    RECT client;
    GetClientRect(window, &client);
    const RoiPlacement p = PlaceSensor(client.right, client.bottom, 1280, 1024);
    const POINT inside{p.ToWindowX(300), p.ToWindowY(300)};
    // Input follows the foreground window's capture: other programs may show windows meanwhile.
    SetForegroundWindow(d);
    MoveMouse(OnScreen(window, inside.x, inside.y));
    Mouse(MOUSEEVENTF_LEFTDOWN, OnScreen(window, inside.x, inside.y),
          [&] { return GetCapture() == window; });
    Mouse(0, OnScreen(window, inside.x + 40, inside.y), [&] { return ItemText(d, IDC_ROI_X0) != L"100"; });
    capturedDuringDrag = GetCapture() == window;
    afterDrag = ItemText(d, IDC_ROI_X0);
    RECT dialogRect;
    GetWindowRect(d, &dialogRect);
    const POINT outside{dialogRect.right + 60, dialogRect.bottom + 40};
    MoveMouse(outside);
    SetForegroundWindow(d);
    Mouse(MOUSEEVENTF_LEFTUP, outside, [&] { return GetCapture() != window; });
    capturedAfterRelease = GetCapture() == window;
    afterRelease = ItemText(d, IDC_ROI_X0);
    MoveMouse(OnScreen(window, inside.x, inside.y));  // back over the picture, no button
    MoveMouse(OnScreen(window, inside.x - 60, inside.y + 20));
  });
  EXPECT_TRUE(capturedDuringDrag);
  const int moved = std::stoi(afterDrag);
  EXPECT_GT(moved, 100) << "the region followed the mouse";
  EXPECT_FALSE(capturedAfterRelease) << "the capture is released";
  std::int32_t region[kRoiValues];
  dialog_->GetRegion(region);
  EXPECT_EQ(region[0], std::stoi(afterRelease)) << "nothing moved after the release";
  EXPECT_EQ(region[2], 600) << "a move keeps the size";
  EXPECT_EQ(region[4], 1280);
}

// The dialog as the screen shows it: the frame's grey level inside the region, the red outline on
// the region's edge, the sensor's mid grey around it. Kept in the build tree.
TEST_F(RoiDlg, ScreenshotShowsTheRedRegionFrameInPlace) {
  Screenshot shot;
  RoiPlacement p;
  POINT origin{};
  Run([&](HWND d) {
    HWND window = ImageWindow(d);
    RECT client;
    GetClientRect(window, &client);
    p = PlaceSensor(client.right, client.bottom, 1280, 1024);
    RECT dialogRect;
    GetWindowRect(d, &dialogRect);
    origin = OnScreen(window, 0, 0);
    origin.x -= dialogRect.left;
    origin.y -= dialogRect.top;
    const ScreenRect r = p.RegionOnScreen({100, 100, 700, 500});
    const POINT mid{origin.x + (r.left + r.right) / 2, origin.y + (r.top + r.bottom) / 2};
    shot = CaptureWindow(d, ArtefactPath(L"RoiDlg.bmp").c_str(), [&](const Screenshot& s) {
      return s.At(mid.x, mid.y) == RGB(kFrameLevel, kFrameLevel, kFrameLevel);
    });
  });
  ASSERT_GT(shot.width, 0);
  const ScreenRect r = p.RegionOnScreen({100, 100, 700, 500});
  const int midY = origin.y + (r.top + r.bottom) / 2;
  const int midX = origin.x + (r.left + r.right) / 2;
  const COLORREF red = RGB(255, 0, 0);
  EXPECT_EQ(shot.At(origin.x + r.left, midY), red) << "left edge";
  EXPECT_EQ(shot.At(origin.x + r.right - 1, midY), red) << "right edge";
  EXPECT_EQ(shot.At(midX, origin.y + r.top), red) << "top edge";
  EXPECT_EQ(shot.At(midX, origin.y + r.bottom - 1), red) << "bottom edge";
  EXPECT_EQ(shot.At(origin.x + r.left + 2, origin.y + r.top + 2), red) << "top-left handle";
  EXPECT_EQ(shot.At(midX, midY), RGB(kFrameLevel, kFrameLevel, kFrameLevel)) << "the frame";
  EXPECT_EQ(shot.At(origin.x + r.left - 10, midY), RGB(128, 128, 128)) << "the sensor around it";
  EXPECT_EQ(shot.At(origin.x + p.left - 3, midY), RGB(0, 0, 0)) << "the window's margin";
}

}  // namespace
