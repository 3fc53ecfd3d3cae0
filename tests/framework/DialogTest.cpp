// The dialog base as a modeless child: creation from a template, dispatch of commands and other
// messages to its members, and the end of its window.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/framework/Dialog.h"
#include "platform/framework/WindowBase.h"

namespace {

constexpr UINT kPing = WM_APP + 7;

class PanelDialog : public CDialog {
 public:
  explicit PanelDialog(HWND parent) : CDialog(100, parent) {}
  int initialised = 0;
  std::vector<int> commands;
  int pings = 0;

 protected:
  BOOL OnInitDialog() override {
    ++initialised;
    return TRUE;
  }
  void OnCommand(int id, int code, HWND control) override {
    if (code == BN_CLICKED) commands.push_back(id);
    CDialog::OnCommand(id, code, control);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) override {
    if (message != kPing) return false;
    ++pings;
    result = static_cast<INT_PTR>(wParam) + 1;
    SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, result);
    return true;
  }
};

HWND MakeParent() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                         nullptr, nullptr, nullptr);
}

TEST(Dialog, ModelessDialogsLiveUntilEndedAndDispatchTheirMessages) {
  HWND parent = MakeParent();
  {
    PanelDialog panel(parent);
    HWND hwnd = panel.Create();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(panel.Create(), hwnd) << "one window per object";
    EXPECT_EQ(GetParent(hwnd), parent);
    EXPECT_EQ(panel.initialised, 1);
    EXPECT_NE(panel.Item(11), nullptr);

    SendMessageW(panel.Item(12), BM_CLICK, 0, 0);
    EXPECT_EQ(panel.commands, (std::vector<int>{12}));
    EXPECT_EQ(SendMessageW(hwnd, kPing, 41, 0), 42) << "other messages reach OnMessage";
    EXPECT_EQ(panel.pings, 1);

    // Cancel ends a modeless dialog by destroying its window, not by a modal end.
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(panel.Handle(), nullptr);
  }
  {
    // The object's end takes its window along.
    auto panel = std::make_unique<PanelDialog>(parent);
    HWND hwnd = panel->Create();
    ASSERT_NE(hwnd, nullptr);
    panel.reset();
    EXPECT_FALSE(IsWindow(hwnd));
  }
  DestroyWindow(parent);
}

TEST(Dialog, AParentsEndTakesTheDialogAlong) {
  HWND parent = MakeParent();
  PanelDialog panel(parent);
  HWND hwnd = panel.Create();
  ASSERT_NE(hwnd, nullptr);
  DestroyWindow(parent);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(panel.Handle(), nullptr) << "the object lets go of a window that is gone";
}

TEST(Dialog, AMissingTemplateIsRefused) {
  class Missing : public CDialog {
   public:
    Missing() : CDialog(4242, nullptr) {}
  } missing;
  EXPECT_EQ(missing.Create(), nullptr);
  EXPECT_EQ(missing.DoModal(), -1);
}

}  // namespace
