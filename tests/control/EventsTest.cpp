// The control's events through IConnectionPoint as a C++ host sinks them: several sinks, unadvise
// inside a handler, handlers that read frames and record again; and quiet mode kept in a stream
// and a property bag while every state stored before it loads as it did.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "control/CSelvarCtrl.h"
#include "control/ControlEvents.h"
#include "control/SelvarGuids.h"
#include "host/HostWindow.h"
#include "tests/tessadrv/DriverConfigFile.h"

namespace {

constexpr DISPID kCmdRecord = 7, kIsCameraRecording = 20, kSetFramesNumber = 22,
                 kGetFrameBufferSize = 25, kGetData = 26;

// Calls a member with numbers in the caller's order (doubles carry addresses whole); the result
// as a long.
LONG Method(IDispatch* selvar, DISPID id, std::vector<double> values = {}) {
  std::vector<VARIANT> args(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    V_VT(&args[i]) = VT_R8;
    V_R8(&args[i]) = values[values.size() - 1 - i];
  }
  DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(selvar->Invoke(id, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                           &result, nullptr, nullptr),
            S_OK);
  VariantChangeType(&result, &result, 0, VT_I4);
  return V_I4(&result);
}

struct Heard {
  DISPID id;
  std::vector<LONG> numbers;
  DWORD thread;
};

// Logs every event it hears and runs the test's reaction to it.
class LoggingSink : public IDispatch {
 public:
  LoggingSink() { ++live; }
  virtual ~LoggingSink() { --live; }
  static int live;
  std::vector<Heard> heard;
  std::function<void(DISPID, const std::vector<LONG>&)> react;
  DWORD cookie = 0;

  int Count(DISPID id) const {
    int n = 0;
    for (const Heard& h : heard) n += h.id == id ? 1 : 0;
    return n;
  }
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    const bool known = iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID__DSelvarEvents;
    *object = known ? static_cast<IDispatch*>(this) : nullptr;
    if (known) AddRef();
    return known ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG refs = --refs_;
    if (refs == 0) delete this;
    return refs;
  }
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    std::vector<LONG> numbers;
    for (UINT i = params->cArgs; i-- > 0;) {
      if (V_VT(&params->rgvarg[i]) == VT_I4) numbers.push_back(V_I4(&params->rgvarg[i]));
    }
    heard.push_back({id, numbers, GetCurrentThreadId()});
    if (react) react(id, numbers);
    return S_OK;
  }

 private:
  ULONG refs_ = 1;
};

int LoggingSink::live = 0;

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(2);
  }
  return true;
}

class ControlEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // A camera of its own, so that no configuration file another test left changes the counts.
    UseDriverConfiguration("[Driver]\r\nCameras=1\r\n[Camera0]\r\nSerial=1999000022\r\n");
    ASSERT_TRUE(window_.CreateHostWindow(L"ControlEventsTest", false));
    ComPtr<IOleObject> control;
    ASSERT_EQ(CSelvarCtrl::CreateInstance(IID_IOleObject, control.put_void()), S_OK);
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(control->QueryInterface(IID_IConnectionPointContainer, container.put_void()), S_OK);
    ASSERT_EQ(container->FindConnectionPoint(DIID__DSelvarEvents, point_.put()), S_OK);
    selvar_ = window_.SiteControl(control, nullptr);
    ASSERT_TRUE(selvar_);
  }
  void TearDown() override {
    point_.reset();
    selvar_.reset();
    window_.RemoveControl();
    window_.Destroy();
    UseDriverConfiguration("[Driver]\r\nCameras=1\r\n");
  }
  LoggingSink* Advise() {
    auto* sink = new LoggingSink;
    EXPECT_EQ(point_->Advise(sink, &sink->cookie), S_OK);
    return sink;
  }

  CHostWindow window_;
  ComPtr<IDispatch> selvar_;
  ComPtr<IConnectionPoint> point_;
};

TEST_F(ControlEventsTest, TwoSinksHearTheEventsOnTheWindowsThreadAndMayUnadviseInsideAHandler) {
  LoggingSink* a = Advise();
  LoggingSink* b = Advise();
  b->AddRef();   // the test reads b's log at the end
  a->Release();  // a lives on its connection only
  bool aliveInsideHandler = false;
  a->react = [&](DISPID id, const std::vector<LONG>&) {
    if (id != kEventRecordingStarted) return;
    // b is skipped for this event and every later one; a stays alive until its handler returns.
    point_->Unadvise(b->cookie);
    point_->Unadvise(a->cookie);
    aliveInsideHandler = LoggingSink::live == 2;
  };
  Method(selvar_.get(), kSetFramesNumber, {5});
  Method(selvar_.get(), kCmdRecord);
  ASSERT_TRUE(PumpUntil([&] { return Method(selvar_.get(), kIsCameraRecording) == 0; }, 10000));
  PumpUntil([] { return false; }, 200);

  EXPECT_TRUE(aliveInsideHandler);
  EXPECT_EQ(LoggingSink::live, 1);  // a went once its handler had returned
  ASSERT_EQ(b->heard.size(), 1u);
  EXPECT_EQ(b->heard[0].id, kEventCameraOpened);
  EXPECT_EQ(b->heard[0].thread, GetCurrentThreadId());
  b->Release();
}

TEST_F(ControlEventsTest, AHandlerMayReadTheRecordedFramesAndRecordAgain) {
  LoggingSink* sink = Advise();
  LONG getDataResult = -1, recordResult = -1, recordingInHandler = -1;
  std::vector<BYTE> frames;
  sink->react = [&](DISPID id, const std::vector<LONG>& numbers) {
    if (id != kEventRecordingEnded || sink->Count(kEventRecordingEnded) != 1) return;
    frames.assign(static_cast<std::size_t>(Method(selvar_.get(), kGetFrameBufferSize)) * numbers[0], 0);
    const auto address = static_cast<double>(reinterpret_cast<std::uintptr_t>(frames.data()));
    getDataResult = Method(selvar_.get(), kGetData, {static_cast<double>(numbers[0]), 0, address});
    recordResult = Method(selvar_.get(), kCmdRecord);
    recordingInHandler = Method(selvar_.get(), kIsCameraRecording);
  };
  Method(selvar_.get(), kSetFramesNumber, {4});
  Method(selvar_.get(), kCmdRecord);
  ASSERT_TRUE(PumpUntil([&] { return sink->Count(kEventRecordingEnded) == 2; }, 10000));

  EXPECT_EQ(getDataResult, 0);
  EXPECT_EQ(recordResult, 0);
  EXPECT_EQ(recordingInHandler, 1);
  std::size_t lit = 0;
  for (BYTE pixel : frames) lit += pixel != 0 ? 1 : 0;
  EXPECT_GT(lit, frames.size() / 4);
  // Each recording: started, its first frame on show, ended with every frame kept.
  const std::vector<std::pair<DISPID, std::vector<LONG>>> wanted = {
      {kEventCameraOpened, {}},    {kEventRecordingStarted, {}}, {kEventFrameChanged, {0}},
      {kEventRecordingEnded, {4}}, {kEventRecordingStarted, {}}, {kEventFrameChanged, {0}},
      {kEventRecordingEnded, {4}}};
  std::vector<std::pair<DISPID, std::vector<LONG>>> got;
  for (const Heard& h : sink->heard) got.emplace_back(h.id, h.numbers);
  EXPECT_EQ(got, wanted);
  // The last word, as the control's window goes with its camera.
  window_.RemoveControl();
  EXPECT_EQ(sink->heard.back().id, kEventCameraClosed);
  sink->Release();
}

// A property bag in memory, as a container's form file would hold the values.
class MemoryBag : public IPropertyBag {
 public:
  std::map<std::wstring, LONG> values;
  STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    const auto found = values.find(name);
    if (found == values.end()) return E_INVALIDARG;
    V_VT(value) = VT_I4;
    V_I4(value) = found->second;
    return S_OK;
  }
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantChangeType(&copy, value, 0, VT_I4))) return E_INVALIDARG;
    values[name] = V_I4(&copy);
    return S_OK;
  }
};

template <typename Interface>
ComPtr<Interface> NewControl(REFIID iid) {
  ComPtr<Interface> control;
  EXPECT_EQ(CSelvarCtrl::CreateInstance(iid, control.put_void()), S_OK);
  return control;
}

std::vector<LONG> Stored(IUnknown* control) {
  ComPtr<IDispatch> selvar;
  control->QueryInterface(IID_IDispatch, selvar.put_void());
  return {Method(selvar.get(), 1), Method(selvar.get(), 2), Method(selvar.get(), 3),
          Method(selvar.get(), CSelvarCtrl::kQuietModeId)};
}

ComPtr<IStream> StreamOf(const std::vector<DWORD>& longs) {
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  stream->Write(longs.data(), static_cast<ULONG>(longs.size() * sizeof(DWORD)), nullptr);
  const LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  return stream;
}

TEST(ControlPersistence, QuietModeIsKeptAndEveryEarlierStateLoadsAsBefore) {
  OleInitialize(nullptr);
  // Saving: a control that is not quiet writes the 1.0 layout byte for byte; the bag stays 1.0.
  for (const bool quiet : {false, true}) {
    auto control = NewControl<IPersistPropertyBag>(IID_IPersistPropertyBag);
    MemoryBag bag;
    bag.values = {{L"EnumFilter", 3}, {L"ProductNumber", 1}, {L"SerialNumber", 23}};
    if (quiet) bag.values[L"QuietMode"] = 1;
    ASSERT_EQ(control->Load(&bag, nullptr), S_OK);
    ComPtr<IPersistStreamInit> persist;
    control->QueryInterface(IID_IPersistStreamInit, persist.put_void());
    ComPtr<IStream> stream = StreamOf({});
    ASSERT_EQ(persist->Save(stream.get(), TRUE), S_OK);
    const std::vector<DWORD> wanted = quiet ? std::vector<DWORD>{0x00010001, 3, 1, 23, 1, 0}
                                            : std::vector<DWORD>{0x00010000, 3, 1, 23};
    std::vector<DWORD> written(8, 0xEEEEEEEE);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG bytes = 0;
    stream->Read(written.data(), 8 * sizeof(DWORD), &bytes);
    written.resize(bytes / sizeof(DWORD));
    EXPECT_EQ(written, wanted);
    MemoryBag saved;
    ASSERT_EQ(control->Save(&saved, TRUE, TRUE), S_OK);
    EXPECT_EQ(saved.values[L"_Version"], 0x00010000);
    EXPECT_EQ(saved.values[L"QuietMode"], quiet ? 1 : 0);
  }

  // Loading: states stored before quiet mode existed load unchanged and not quiet; a quiet
  // stream cut short after the three properties is not quiet either.
  struct LoadCase {
    std::vector<DWORD> stream;
    std::vector<LONG> loaded;  // EnumFilter, ProductNumber, SerialNumber, QuietMode
  };
  const LoadCase loads[] = {
      {{0x00010000, 3, 1, 23}, {3, 1, 23, 0}},
      {{0x00010000, 3, 1, 23, 1, 0}, {3, 1, 23, 0}},
      {{0x00010001, 3, 1, 23}, {3, 1, 23, 0}},
      {{0x00010001, 3, 1, 23, 1}, {3, 1, 23, -1}},
      {{0x00010001, 3, 1, 23, 1, 77}, {3, 1, 23, -1}},
      {{0x00020000, 3, 1, 23, 1, 0}, {187, 0, 0, 0}},
  };
  for (const LoadCase& c : loads) {
    auto control = NewControl<IPersistStreamInit>(IID_IPersistStreamInit);
    EXPECT_EQ(control->Load(StreamOf(c.stream).get()), S_OK);
    EXPECT_EQ(Stored(control.get()), c.loaded) << std::hex << c.stream[0] << " " << c.stream.size();
  }
  auto control = NewControl<IPersistPropertyBag>(IID_IPersistPropertyBag);
  MemoryBag old;
  old.values = {{L"_Version", 0x00010000}, {L"EnumFilter", 4}, {L"SerialNumber", 9}};
  ASSERT_EQ(control->Load(&old, nullptr), S_OK);
  EXPECT_EQ(Stored(control.get()), (std::vector<LONG>{4, 0, 9, 0}));
}

}  // namespace
