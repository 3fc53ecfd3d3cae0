// The framework's routing of control notifications, state from one target with the handler in
// another, objects that outlive a close inside their own handler, and class unregistration.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/DispatchScope.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/ScrollingView.h"

namespace {

class RulingView : public CScrollingView {
 public:
  static int alive;
  static int aliveInsideHandler;
  bool allowStep = false;
  CSingleDocTemplate* owner = nullptr;

  RulingView() { ++alive; }
  ~RulingView() override { --alive; }
  void OnDraw(HDC) override {}
  bool UpdateCommand(CCmdUI& ui) override;
  bool ExecuteCommand(UINT id) override;

 private:
  void UpdateStep(CCmdUI& ui) { ui.Enable(allowStep); }
  // Closes the document from inside its own handler, as a nested loop would let the operator do.
  void CloseHere(UINT) {
    owner->CloseDocument();
    aliveInsideHandler = alive;
    allowStep = true;  // the object is still there to write to
  }
  static const CommandEntry<RulingView> kTable[];
};
int RulingView::alive = 0;
int RulingView::aliveInsideHandler = 0;

const CommandEntry<RulingView> RulingView::kTable[] = {
    {400, 400, nullptr, &RulingView::UpdateStep},
    {700, 700, &RulingView::CloseHere, nullptr},
};
bool RulingView::UpdateCommand(CCmdUI& ui) { return UpdateFromTable(*this, kTable, ui); }
bool RulingView::ExecuteCommand(UINT id) { return ExecuteFromTable(*this, kTable, id); }

class StepFrame : public CFrameWindow {
 public:
  std::vector<UINT> ran;
  std::vector<int> notices;
  bool UpdateCommand(CCmdUI& ui) override;
  bool ExecuteCommand(UINT id) override;

 protected:
  bool OnControlNotification(int id, int code, HWND) override {
    notices.push_back(id * 10 + code);
    return true;
  }

 private:
  void Run(UINT id) { ran.push_back(id); }
  static const CommandEntry<StepFrame> kTable[];
};

const CommandEntry<StepFrame> StepFrame::kTable[] = {{300, 300, &StepFrame::Run, nullptr},
                                                     {400, 400, &StepFrame::Run, nullptr}};
bool StepFrame::UpdateCommand(CCmdUI& ui) { return UpdateFromTable(*this, kTable, ui); }
bool StepFrame::ExecuteCommand(UINT id) { return ExecuteFromTable(*this, kTable, id); }

class StepTemplate : public CSingleDocTemplate {
 protected:
  std::unique_ptr<CDocument> CreateDocument() override { return std::make_unique<CDocument>(); }
  std::unique_ptr<CFrameWindow> CreateFrame(HWND) override {
    auto frame = std::make_unique<StepFrame>();
    const RECT rect{0, 0, 300, 200};
    if (!frame->Create(0, L"", WS_POPUP, rect, nullptr, nullptr)) return nullptr;
    return frame;
  }
  std::unique_ptr<CView> CreateView() override { return std::make_unique<RulingView>(); }
};

TEST(FrameworkRouting, ControlNotificationsAreNotCommands) {
  StepTemplate docTemplate;
  auto* frame = static_cast<StepFrame*>(docTemplate.OpenNewDocument(nullptr));
  ASSERT_NE(frame, nullptr);
  HWND control = CreateWindowW(L"COMBOBOX", L"", WS_CHILD, 0, 0, 50, 50, frame->Handle(), nullptr,
                               nullptr, nullptr);
  const struct { int code; HWND from; bool command; } messages[] = {
      {CBN_SELCHANGE, control, false}, {EN_CHANGE, control, false}, {BN_CLICKED, control, true},
      {0, nullptr, true}, {1, nullptr, true}};  // a menu, an accelerator
  for (const auto& m : messages) {
    frame->ran.clear();
    frame->notices.clear();
    SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(300, m.code),
                 reinterpret_cast<LPARAM>(m.from));
    EXPECT_EQ(frame->ran.size(), m.command ? 1u : 0u) << m.code;
    EXPECT_EQ(frame->notices.size(), m.command ? 0u : 1u) << m.code;
  }
}

TEST(FrameworkRouting, StateFromTheViewHandlerFromTheFrame) {
  StepTemplate docTemplate;
  auto* frame = static_cast<StepFrame*>(docTemplate.OpenNewDocument(nullptr));
  ASSERT_NE(frame, nullptr);
  auto* view = static_cast<RulingView*>(docTemplate.View());
  for (bool allowed : {false, true}) {
    view->allowStep = allowed;
    frame->ran.clear();
    SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(400, 0), 0);
    EXPECT_EQ(frame->ran, allowed ? std::vector<UINT>{400} : std::vector<UINT>{}) << allowed;
  }
}

TEST(FrameworkLifetime, ClosingInsideAHandlerDeletesAfterItReturns) {
  StepTemplate docTemplate;
  auto* frame = docTemplate.OpenNewDocument(nullptr);
  ASSERT_NE(frame, nullptr);
  auto* view = static_cast<RulingView*>(docTemplate.View());
  view->owner = &docTemplate;
  ASSERT_EQ(RulingView::alive, 1);
  const long windows = CWindowBase::LiveWindowCount();
  SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(700, 0), 0);
  EXPECT_EQ(RulingView::aliveInsideHandler, 1) << "still there inside its handler";
  EXPECT_EQ(RulingView::alive, 0) << "deleted once the handler returned";
  EXPECT_EQ(CWindowBase::LiveWindowCount(), windows - 2) << "frame and view windows";
  EXPECT_EQ(docTemplate.View(), nullptr);
  EXPECT_FALSE(InsideHandler());
}

TEST(FrameworkLifetime, ObjectsWaitForTheOutermostHandler) {
  int deleted = 0;
  {
    const DispatchScope outer;
    {
      const DispatchScope inner;
      RunWhenNoHandlerRuns([&] { ++deleted; });
    }
    EXPECT_EQ(deleted, 0);
  }
  EXPECT_EQ(deleted, 1);
  RunWhenNoHandlerRuns([&] { ++deleted; });
  EXPECT_EQ(deleted, 2) << "no handler: at once";
}

class ClassProbe : public CWindowBase {
 protected:
  const wchar_t* ClassName() const override { return L"SelvarClassProbe"; }
};

TEST(FrameworkClasses, UnregisteredWhenTheModuleUnloadsAndStaleOnesReplaced) {
  WNDCLASSEXW info{sizeof info};
  const RECT rect{0, 0, 10, 10};
  {
    ClassProbe probe;
    ASSERT_NE(probe.Create(0, L"", WS_POPUP, rect, nullptr, nullptr), nullptr);
  }
  EXPECT_TRUE(GetClassInfoExW(FrameworkInstance(), L"SelvarClassProbe", &info));
  UnregisterFrameworkClasses();
  EXPECT_FALSE(GetClassInfoExW(FrameworkInstance(), L"SelvarClassProbe", &info));

  // A class of that name left by another copy of the module, with a procedure not ours.
  WNDCLASSEXW stale{sizeof stale};
  stale.lpfnWndProc = DefWindowProcW;
  stale.hInstance = FrameworkInstance();
  stale.lpszClassName = L"SelvarClassProbe";
  ASSERT_TRUE(RegisterClassExW(&stale));
  ClassProbe probe;
  HWND window = probe.Create(0, L"", WS_POPUP, rect, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(GetClassLongPtrW(window, GCLP_WNDPROC), reinterpret_cast<LONG_PTR>(DefWindowProcW));
  EXPECT_EQ(probe.Handle(), window) << "the framework's procedure took the window";
}

}  // namespace
