// Event latency of the control under Wine with the simulated camera: the time from the driver's
// recording-done callback to the host's RecordingEnded handler, median and worst of 50
// recordings, against a host that polls IsCameraRecording at the control's 300 ms refresh
// period during the same recordings. Run with scripts/bench.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "bench/BenchTiming.h"
#include "control/ControlEvents.h"
#include "control/CSelvarCtrl.h"
#include "control/SelvarApp.h"
#include "control/SelvarGuids.h"
#include "host/HostWindow.h"
#include "tests/tessadrv/DriverConfigFile.h"

namespace {

constexpr int kRecordings = 50;
constexpr DISPID kCmdRecord = 7, kIsCameraRecording = 20, kSetFramesNumber = 22;

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The bench stands between the driver and the control to time the driver's callback.
struct TimedDriver {
  decltype(TessaDriverApi::StartRecording) start = nullptr;
  TessaRecordingDone done = nullptr;
  std::atomic<double> calledAt{0};
};
TimedDriver g_driver;

int TESSA_CALL TimedDone(TessaContext context, int a, int b) {
  g_driver.calledAt = Seconds();
  return g_driver.done(context, a, b);
}

int TESSA_CALL TimedStart(int h, std::uint32_t low, std::uint32_t high, std::uint32_t frames,
                          std::uint32_t preTrigger, TessaRecordingDone done, int flag,
                          TessaContext context) {
  g_driver.done = done;
  return g_driver.start(h, low, high, frames, preTrigger, TimedDone, flag, context);
}

// Hears RecordingEnded only.
class EndSink : public IDispatch {
 public:
  double heardAt = 0;
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    *object = iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID__DSelvarEvents
                  ? static_cast<IDispatch*>(this) : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    if (id == kEventRecordingEnded) heardAt = Seconds();
    return S_OK;
  }
};

LONG Call(IDispatch* control, DISPID id, LONG* argument = nullptr) {
  VARIANT value;
  VariantInit(&value);
  DISPPARAMS params{};
  if (argument) {
    V_VT(&value) = VT_I4;
    V_I4(&value) = *argument;
    params = {&value, nullptr, 1, 0};
  }
  VARIANT result;
  VariantInit(&result);
  control->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
  return V_I4(&result);
}

double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  UseDriverConfiguration("[Driver]\r\nCameras=1\r\n[Camera0]\r\nSerial=1900000003\r\n");
  auto& driver = const_cast<TessaDriverApi&>(CSelvarApp::Instance().Driver());
  g_driver.start = driver.StartRecording;
  driver.StartRecording = TimedStart;

  CHostWindow window;
  if (!window.CreateHostWindow(L"EventBench", false)) return 1;
  ComPtr<IOleObject> control;
  CSelvarCtrl::CreateInstance(IID_IOleObject, control.put_void());
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  control->QueryInterface(IID_IConnectionPointContainer, container.put_void());
  container->FindConnectionPoint(DIID__DSelvarEvents, point.put());
  ComPtr<IDispatch> selvar = window.SiteControl(control, nullptr);
  if (!selvar || !point) return 1;
  EndSink sink;
  DWORD cookie = 0;
  point->Advise(&sink, &cookie);
  LONG frames = 5;
  Call(selvar.get(), kSetFramesNumber, &frames);

  std::vector<double> heard, polled;
  for (int i = 0; i < kRecordings; ++i) {
    sink.heardAt = 0;
    g_driver.calledAt = 0;
    Call(selvar.get(), kCmdRecord);
    // The polling peer asks at the refresh period, in phase with nothing about the recording.
    double seenAt = 0;
    double nextPoll = Seconds() + 0.3;
    while (seenAt == 0 || sink.heardAt == 0) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      if (seenAt == 0 && Seconds() >= nextPoll) {
        if (Call(selvar.get(), kIsCameraRecording) == 0) seenAt = Seconds();
        nextPoll += 0.3;
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    heard.push_back(sink.heardAt - g_driver.calledAt);
    polled.push_back(seenAt - g_driver.calledAt);
  }
  const double median = Median(heard) * 1000;
  const double worst = *std::max_element(heard.begin(), heard.end()) * 1000;
  PrintFigure("recording_ended_event_latency_median", median, "ms",
              Median(heard) / Median(polled), "polling_at_300ms_refresh");
  PrintFigure("recording_ended_event_latency_worst", worst, "ms",
              *std::max_element(heard.begin(), heard.end()) /
                  *std::max_element(polled.begin(), polled.end()),
              "polling_at_300ms_refresh");
  point->Unadvise(cookie);
  point.reset();
  selvar.reset();
  window.RemoveControl();
  window.Destroy();
  OleUninitialize();
  return 0;
}
