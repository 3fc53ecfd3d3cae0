// The document/view layer under Wine: routing through update handlers, idle refresh of toolbar
// buttons, frame layout around bars, scrolling and painting, and the template's creation order.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/DialogBar.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/ScrollingView.h"
#include "platform/framework/ToolBarControl.h"
#include "platform/win32/GdiObject.h"

namespace {

class TestView : public CScrollingView {
 public:
  bool recordAllowed = false;
  bool live = false;
  std::vector<UINT> ran;
  int initialUpdates = 0;
  bool frameKnownAtInitialUpdate = false;

  void OnInitialUpdate() override {
    ++initialUpdates;
    frameKnownAtInitialUpdate = ParentFrame() && ParentFrame()->ActiveView() == this &&
                                Handle() != nullptr;
  }
  void OnDraw(HDC dc) override {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT drawing{0, 0, TotalSize().cx, TotalSize().cy};
    FillRect(dc, &drawing, red);
    DeleteObject(red);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    const RECT marker{0, 150, TotalSize().cx, 151};  // one row, to see the scroll offset
    FillRect(dc, &marker, green);
    DeleteObject(green);
  }
  bool UpdateCommand(CCmdUI& ui) override;
  bool ExecuteCommand(UINT id) override;

 private:
  void Run(UINT id) { ran.push_back(id); }
  void UpdateRecord(CCmdUI& ui) { ui.Enable(recordAllowed); }
  void UpdateLive(CCmdUI& ui) { ui.SetCheck(live ? 1 : 0); }
  static const CommandEntry<TestView> kTable[];
};

const CommandEntry<TestView> TestView::kTable[] = {
    {100, 100, &TestView::Run, &TestView::UpdateRecord},
    {101, 101, &TestView::Run, &TestView::UpdateLive},
    {200, 202, &TestView::Run, nullptr},
};

bool TestView::UpdateCommand(CCmdUI& ui) { return UpdateFromTable(*this, kTable, ui); }
bool TestView::ExecuteCommand(UINT id) { return ExecuteFromTable(*this, kTable, id); }

class TestFrame : public CFrameWindow {
 public:
  std::vector<UINT> ran;
  bool UpdateCommand(CCmdUI& ui) override;
  bool ExecuteCommand(UINT id) override;

 private:
  void Run(UINT id) { ran.push_back(id); }
  static const CommandEntry<TestFrame> kTable[];
};

const CommandEntry<TestFrame> TestFrame::kTable[] = {{300, 300, &TestFrame::Run, nullptr},
                                                     {100, 100, &TestFrame::Run, nullptr}};

bool TestFrame::UpdateCommand(CCmdUI& ui) { return UpdateFromTable(*this, kTable, ui); }
bool TestFrame::ExecuteCommand(UINT id) { return ExecuteFromTable(*this, kTable, id); }

class TestTemplate : public CSingleDocTemplate {
 protected:
  std::unique_ptr<CDocument> CreateDocument() override { return std::make_unique<CDocument>(); }
  std::unique_ptr<CFrameWindow> CreateFrame(HWND parent) override {
    auto frame = std::make_unique<TestFrame>();
    const RECT rect{0, 0, 400, 300};
    if (!frame->Create(0, L"", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE, rect, parent,
                       nullptr)) {
      return nullptr;
    }
    return frame;
  }
  std::unique_ptr<CView> CreateView() override { return std::make_unique<TestView>(); }
};

// A bar of fixed thickness made of a plain child window.
class FixedBar : public CControlBar {
 public:
  FixedBar(HWND parent, int thickness) : thickness_(thickness) {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                            nullptr, nullptr);
  }
  ~FixedBar() override { DestroyWindow(hwnd_); }
  HWND BarWindow() const override { return hwnd_; }
  int DockedThickness() const override { return thickness_; }
  void UpdateCommandStates(CFrameWindow&) override {}

 private:
  HWND hwnd_;
  int thickness_;
};

RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectRect(const RECT& r, LONG l, LONG t, LONG rt, LONG b) {
  EXPECT_EQ(r.left, l);
  EXPECT_EQ(r.top, t);
  EXPECT_EQ(r.right, rt);
  EXPECT_EQ(r.bottom, b);
}

class Framework : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    baseline_ = CWindowBase::LiveWindowCount();
    frame_ = static_cast<TestFrame*>(template_.OpenNewDocument(nullptr));
    ASSERT_NE(frame_, nullptr);
    view_ = static_cast<TestView*>(template_.View());
    RECT client{0, 0, 400, 300};
    AdjustWindowRectEx(&client, WS_POPUP, FALSE, 0);
    SetWindowPos(frame_->Handle(), nullptr, 0, 0, client.right - client.left,
                 client.bottom - client.top, SWP_NOZORDER | SWP_NOMOVE);
  }
  void TearDown() override {
    template_.CloseDocument();
    EXPECT_EQ(CWindowBase::LiveWindowCount(), baseline_) << "every framework window is gone";
  }

  long baseline_ = 0;
  TestTemplate template_;
  TestFrame* frame_ = nullptr;
  TestView* view_ = nullptr;
};

TEST_F(Framework, TemplateRunsTheInitialUpdateOnceWithEverythingInPlace) {
  EXPECT_EQ(view_->initialUpdates, 1);
  EXPECT_TRUE(view_->frameKnownAtInitialUpdate);
  EXPECT_EQ(GetParent(view_->Handle()), frame_->Handle());
  EXPECT_EQ(GetDlgCtrlID(view_->Handle()), static_cast<int>(kFirstPaneId));
  EXPECT_NE(template_.Document(), nullptr);
}

TEST_F(Framework, DisabledCommandsAreNeverCarriedOut) {
  // Through routing, and as a command message to the frame: both ask the update handler.
  EXPECT_TRUE(frame_->RouteCommand(100));
  SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(100, 0), 0);
  EXPECT_TRUE(view_->ran.empty());
  EXPECT_TRUE(frame_->ran.empty()) << "the view has the command, so the frame never sees it";

  view_->recordAllowed = true;
  SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(100, 0), 0);
  frame_->RouteCommand(101);   // no enable rule: always enabled
  frame_->RouteCommand(201);   // inside a range entry
  frame_->RouteCommand(300);   // the frame's own table
  EXPECT_FALSE(frame_->RouteCommand(555));
  EXPECT_EQ(view_->ran, (std::vector<UINT>{100, 101, 201}));
  EXPECT_EQ(frame_->ran, (std::vector<UINT>{300}));
}

TEST_F(Framework, QueriedStateComesFromTheFirstTargetWithTheCommand) {
  CCmdUI record(100);
  frame_->QueryCommand(record);
  EXPECT_FALSE(record.IsEnabled());
  view_->live = true;
  CCmdUI live(101);
  frame_->QueryCommand(live);
  EXPECT_TRUE(live.IsEnabled());
  EXPECT_EQ(live.Checked(), 1);
  CCmdUI unknown(555);
  EXPECT_FALSE(frame_->QueryCommand(unknown));
  EXPECT_FALSE(unknown.IsEnabled()) << "a command nobody handles shows disabled";
}

TEST_F(Framework, IdleUpdateRefreshesToolbarButtons) {
  CToolBarControl bar;
  ASSERT_TRUE(bar.Create(*frame_, WS_VISIBLE | TBSTYLE_FLAT, 59392));
  TBBUTTON buttons[] = {{I_IMAGENONE, 100, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
                        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
                        {I_IMAGENONE, 101, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0},
                        {I_IMAGENONE, 555, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0}};
  SendMessageW(bar.BarWindow(), TB_ADDBUTTONS, 4, reinterpret_cast<LPARAM>(buttons));
  frame_->AddControlBar(&bar, DockSide::Top);

  frame_->UpdateAllBars();
  auto enabled = [&](int id) { return SendMessageW(bar.BarWindow(), TB_ISBUTTONENABLED, id, 0) != 0; };
  auto checked = [&](int id) { return SendMessageW(bar.BarWindow(), TB_ISBUTTONCHECKED, id, 0) != 0; };
  EXPECT_FALSE(enabled(100));
  EXPECT_TRUE(enabled(101));
  EXPECT_FALSE(checked(101));
  EXPECT_FALSE(enabled(555));

  view_->recordAllowed = true;
  view_->live = true;
  SendMessageW(bar.BarWindow(), WM_IDLEUPDATECMDUI, 0, 0);
  EXPECT_TRUE(enabled(100));
  EXPECT_TRUE(checked(101));

  // A click on a toolbar button arrives at the frame as a command and is routed to the view.
  SendMessageW(frame_->Handle(), WM_COMMAND, MAKEWPARAM(100, BN_CLICKED),
               reinterpret_cast<LPARAM>(bar.BarWindow()));
  EXPECT_EQ(view_->ran, (std::vector<UINT>{100}));
  frame_->ShowControlBar(&bar, false);
}

TEST_F(Framework, FrameLaysOutBarsAroundTheView) {
  FixedBar top(frame_->Handle(), 30);
  FixedBar right(frame_->Handle(), 100);
  frame_->AddControlBar(&top, DockSide::Top);
  frame_->AddControlBar(&right, DockSide::Right);
  ExpectRect(ChildRect(top.BarWindow()), 0, 0, 400, 30);
  ExpectRect(ChildRect(right.BarWindow()), 300, 30, 400, 300);
  ExpectRect(ChildRect(view_->Handle()), 0, 30, 300, 300);

  frame_->ShowControlBar(&right, false);
  ExpectRect(ChildRect(view_->Handle()), 0, 30, 400, 300);
  frame_->ShowControlBar(&top, false);
  ExpectRect(ChildRect(view_->Handle()), 0, 0, 400, 300);
  frame_->ShowControlBar(&right, true);
  ExpectRect(ChildRect(right.BarWindow()), 300, 0, 400, 300);
  ExpectRect(ChildRect(view_->Handle()), 0, 0, 300, 300);

  // Too small for the bars: the view gets an empty rectangle, never a negative one.
  SetWindowPos(frame_->Handle(), nullptr, 0, 0, 50, 20, SWP_NOZORDER | SWP_NOMOVE);
  const RECT r = ChildRect(view_->Handle());
  EXPECT_GE(r.right - r.left, 0);
  EXPECT_GE(r.bottom - r.top, 0);
  frame_->ShowControlBar(&top, false);
  frame_->ShowControlBar(&right, false);
}

// A bar that handles its own check box and passes everything else to the frame.
class TestDialogBar : public CDialogBar {
 public:
  TestDialogBar() : CDialogBar(101) {}
  int ownClicks = 0;

 protected:
  bool OnBarCommand(int id, int code, HWND) override {
    if (id != 556 || code != BN_CLICKED) return false;
    ++ownClicks;
    return true;
  }
};

TEST_F(Framework, DialogBarsFollowTheUpdateHandlersAndRouteTheirButtons) {
  TestDialogBar bar;
  ASSERT_TRUE(bar.Create(*frame_, 139));
  EXPECT_EQ(GetDlgCtrlID(bar.BarWindow()), 139);
  EXPECT_GT(bar.DockedThickness(), 0);
  frame_->AddControlBar(&bar, DockSide::Right);
  ExpectRect(ChildRect(bar.BarWindow()), 400 - bar.DockedThickness(), 0, 400, 300);
  ExpectRect(ChildRect(view_->Handle()), 0, 0, 400 - bar.DockedThickness(), 300);

  auto enabled = [&](int id) { return IsWindowEnabled(bar.Item(id)) != FALSE; };
  SendMessageW(bar.BarWindow(), WM_IDLEUPDATECMDUI, 0, 0);
  EXPECT_FALSE(enabled(100)) << "the view's rule says no";
  EXPECT_FALSE(enabled(555)) << "a push button nobody carries out";
  EXPECT_TRUE(enabled(556)) << "the bar's own check box is left alone";
  EXPECT_TRUE(enabled(557)) << "so is an edit box";
  EXPECT_EQ(SendMessageW(bar.Item(101), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  view_->recordAllowed = true;
  view_->live = true;
  frame_->UpdateAllBars();
  EXPECT_TRUE(enabled(100));
  EXPECT_EQ(SendMessageW(bar.Item(101), BM_GETCHECK, 0, 0), BST_CHECKED);

  SendMessageW(bar.Item(100), BM_CLICK, 0, 0);
  SendMessageW(bar.Item(556), BM_CLICK, 0, 0);
  EXPECT_EQ(view_->ran, (std::vector<UINT>{100})) << "the button's command reached the view";
  EXPECT_EQ(bar.ownClicks, 1);
  // Enter and Escape inside the bar end nothing.
  SendMessageW(bar.BarWindow(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(IsWindow(bar.BarWindow()));
  frame_->ShowControlBar(&bar, false);
}

TEST_F(Framework, ScrollingViewStepsAndClamps) {
  view_->SetScrollSizes({1000, 800});
  const LONG style = GetWindowLongW(view_->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_HSCROLL);
  EXPECT_TRUE(style & WS_VSCROLL);
  const SIZE full = view_->TrueClientSize();
  EXPECT_EQ(full.cx, 400);
  EXPECT_EQ(full.cy, 300);

  RECT client;
  GetClientRect(view_->Handle(), &client);
  SendMessageW(view_->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(view_->ScrollPosition().y, 80) << "a page is a tenth of the drawing";
  SendMessageW(view_->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(view_->ScrollPosition().y, 88) << "a line is a tenth of a page";
  SendMessageW(view_->Handle(), WM_HSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(view_->ScrollPosition().x, 1000 - client.right);
  SendMessageW(view_->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(view_->ScrollPosition().y, 0);
  SendMessageW(view_->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(view_->ScrollPosition().y, 0);

  // A drawing that fits needs no bars and sits at the origin.
  view_->SetScrollSizes({100, 100});
  const LONG small = GetWindowLongW(view_->Handle(), GWL_STYLE);
  EXPECT_FALSE(small & WS_HSCROLL);
  EXPECT_FALSE(small & WS_VSCROLL);
  EXPECT_EQ(view_->ScrollPosition().x, 0);
  EXPECT_EQ(view_->ScrollPosition().y, 0);
}

TEST_F(Framework, PaintingHonoursTheScrollOffsetAndFillsOutside) {
  view_->SetScrollSizes({200, 800});
  view_->ScrollTo({0, 100});
  ASSERT_EQ(view_->ScrollPosition().y, 100);
  RECT client;
  GetClientRect(view_->Handle(), &client);

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  SendMessageW(view_->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  SetViewportOrgEx(dc, 0, -100, nullptr);
  const long gdiObjects = LiveGdiObjects();
  view_->FillOutsideRect(dc, blue);
  EXPECT_EQ(LiveGdiObjects(), gdiObjects) << "the regions of the fill are gone again";
  SetViewportOrgEx(dc, 0, 0, nullptr);
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  auto at = [&](int x, int y) { return pixels[y * client.right + x] & 0xFFFFFF; };
  EXPECT_EQ(at(0, 0), 0xFF0000u) << "drawing (red)";
  EXPECT_EQ(at(199, 49), 0xFF0000u);
  EXPECT_EQ(at(0, 50), 0x00FF00u) << "drawing row 150 shows at row 50";
  EXPECT_EQ(at(199, 50), 0x00FF00u);
  EXPECT_EQ(at(200, 50), 0x0000FFu) << "outside the drawing (blue)";
  EXPECT_EQ(at(client.right - 1, client.bottom - 1), 0x0000FFu);
  SelectObject(dc, old);
  DeleteObject(blue);
  DeleteObject(dib);
  DeleteDC(dc);
}

}  // namespace
