// The control under Wine with the simulated camera at 1280 x 1024, 8 bits: creation and in-place
// activation of a control in a host window against opening the same workstation document bare
// (medians of 50), and GetData throughput for 100 recorded frames through IDispatch against a
// plain memcpy of the same bytes. Run with scripts/bench.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <vector>

#include "bench/BenchTiming.h"
#include "control/CSelvarCtrl.h"
#include "control/SelvarApp.h"
#include "host/HostWindow.h"
#include "tests/tessadrv/DriverConfigFile.h"

namespace {

constexpr int kFrames = 100;
constexpr DISPID kCmdRecord = 7, kIsCameraRecording = 20, kGetData = 26;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

LONG Invoke(IDispatch* control, DISPID id, std::vector<VARIANT> arguments = {}) {
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  VARIANT result;
  VariantInit(&result);
  control->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
  return V_I4(&result);
}

VARIANT Long(LONG value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

VARIANT Address(const void* address) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_R8;
  V_R8(&v) = static_cast<double>(reinterpret_cast<std::uintptr_t>(address));
  return v;
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  UseDriverConfiguration("[Driver]\r\nCameras=1\r\n[Camera0]\r\nSerial=1900000002\r\n");
  CHostWindow window;
  if (!window.CreateHostWindow(L"ControlBench", false)) return 1;

  CSelvarApp& app = CSelvarApp::Instance();
  const ControlPropertyRefs none;
  const PairTiming activation = MedianPair(
      [&] {
        ComPtr<IOleObject> control;
        CSelvarCtrl::CreateInstance(IID_IOleObject, control.put_void());
        window.SiteControl(control, nullptr);
        window.RemoveControl();
        Pump();
      },
      [&] {
        CHostedDocTemplate bare(app.Driver(), app.Images(), none);
        bare.CreateFrameInControl(window.Handle());
        bare.CloseDocument();
        Pump();
      },
      50, 1);
  PrintFigure("control_create_and_activate", activation.seconds * 1000, "ms",
              activation.seconds / activation.peerSeconds, "bare_workstation_document");

  ComPtr<IOleObject> control;
  CSelvarCtrl::CreateInstance(IID_IOleObject, control.put_void());
  ComPtr<IDispatch> selvar = window.SiteControl(control, nullptr);
  if (!selvar) return 1;
  Invoke(selvar.get(), kCmdRecord);
  while (Invoke(selvar.get(), kIsCameraRecording) != 0) {
    Pump();
    Sleep(5);
  }
  const std::size_t frameBytes = 1280 * 1024;
  std::vector<unsigned char> buffer(kFrames * frameBytes), source(kFrames * frameBytes, 1);
  // Arguments go last first.
  const std::vector<VARIANT> arguments = {Address(buffer.data()), Long(0), Long(kFrames)};
  // One call takes about 10 ms: 31 samples of two calls each, interleaved with the peer's, so that
  // a busy spell of a shared machine cannot decide the median of either.
  const PairTiming data = MedianPair(
      [&] { Invoke(selvar.get(), kGetData, arguments); },
      [&] {
        std::memcpy(buffer.data(), source.data(), buffer.size());
        KeepAlive(buffer.data());
      },
      31, 2);
  const double bytesPerSecond = static_cast<double>(buffer.size()) / data.seconds;
  PrintFigure("getdata_100_frames_1280x1024", bytesPerSecond / 1e6, "MB/s",
              data.peerSeconds / data.seconds, "memcpy_same_bytes");
  selvar.reset();
  window.RemoveControl();
  window.Destroy();
  OleUninitialize();
  return 0;
}
