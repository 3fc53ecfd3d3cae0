// The control in this process, sited in the host's window: lifetime over many create and destroy
// cycles counted by the project's own owners, frees deferred past nested loops, persistence in a
// stream, and the property page's exchange driven through its real controls.
#include <windows.h>
#include <commctrl.h>
#include <objsafe.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <vector>

#include "acquisition/CCamView.h"
#include "control/CSelvarCtrl.h"
#include "control/CSelvarPropPage.h"
#include "control/SelvarGuids.h"
#include "host/ArgumentPropertyBag.h"
#include "host/HostWindow.h"
#include "platform/framework/DispatchScope.h"
#include "platform/win32/GdiObject.h"
#include "resources/ControlResources.h"
#include "resources/WorkstationResources.h"
#include "tests/tessadrv/DriverConfigFile.h"

namespace {

void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

long ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{sizeof entry};
  long count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

struct Counts {
  DWORD handles;
  long threads;
  long gdiObjects;
  long windows;
  long controls;
  long comObjects;
  long workers;
};

Counts Now() {
  Counts c{};
  GetProcessHandleCount(GetCurrentProcess(), &c.handles);
  c.threads = ThreadCount();
  c.gdiObjects = LiveGdiObjects();
  c.windows = CWindowBase::LiveWindowCount();
  c.controls = COleControl::LiveControls();
  c.comObjects = ComModule::LiveObjects();
  c.workers = CCamView::LiveWorkerCount();
  return c;
}

ComPtr<IOleObject> NewControl() {
  ComPtr<IOleObject> control;
  EXPECT_EQ(CSelvarCtrl::CreateInstance(IID_IOleObject, control.put_void()), S_OK);
  return control;
}

HRESULT Call(IDispatch* object, DISPID id, WORD flags, LONG* argument, VARIANT* result) {
  VARIANT value;
  VariantInit(&value);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{};
  if (argument) {
    V_VT(&value) = VT_I4;
    V_I4(&value) = *argument;
    params = {&value, flags == DISPATCH_PROPERTYPUT ? &named : nullptr, 1,
              flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
  }
  return object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

void Put(IUnknown* control, DISPID id, LONG value) {
  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(control->QueryInterface(IID_IDispatch, dispatch.put_void()), S_OK);
  ASSERT_EQ(Call(dispatch.get(), id, DISPATCH_PROPERTYPUT, &value, nullptr), S_OK);
}

LONG Get(IUnknown* control, DISPID id) {
  ComPtr<IDispatch> dispatch;
  EXPECT_EQ(control->QueryInterface(IID_IDispatch, dispatch.put_void()), S_OK);
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(Call(dispatch.get(), id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, &result), S_OK);
  return V_I4(&result);
}

constexpr DISPID kEnumFilter = 1, kProductNumber = 2, kSerialNumber = 3, kCmdPlay = 8,
                 kIsCameraOK = 19, kGetExposure = 27, kSetExposure = 28, kFrameLog = 50;

// A control sited with ProductNumber and SerialNumber, so that it opens that camera.
ComPtr<IDispatch> SiteWishing(CHostWindow& window, const wchar_t* product, const wchar_t* serial) {
  auto* bag = new CArgumentPropertyBag;
  bag->Add(std::wstring(L"ProductNumber=") + product);
  bag->Add(std::wstring(L"SerialNumber=") + serial);
  ComPtr<IDispatch> selvar = window.SiteControl(NewControl(), bag);
  bag->Release();
  return selvar;
}

bool g_aboutBoxShown = false;

// Presses OK in the About box once its modal loop runs.
void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND about = FindWindowW(L"#32770", L"About Activex Control");
  if (!about) return;
  g_aboutBoxShown = GetDlgItem(about, IDOK) != nullptr;
  PostMessageW(about, WM_COMMAND, IDOK, 0);
}

bool g_pageShown = false;

// Closes the property frame once it shows the control's page.
BOOL CALLBACK FindFilterList(HWND window, LPARAM found) {
  if (GetDlgCtrlID(window) != IDC_ENUM_FILTER) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

BOOL CALLBACK CloseIfPropertyFrame(HWND window, LPARAM) {
  wchar_t className[16] = L"";
  GetClassNameW(window, className, 16);
  if (wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  // The page's filter list lies somewhere below the frame.
  EnumChildWindows(window, FindFilterList, reinterpret_cast<LPARAM>(&g_pageShown));
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return FALSE;
}

void CALLBACK ClosePropertyFrame(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseIfPropertyFrame, 0);
}

class ControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    UseDriverConfiguration("[Driver]\r\nCameras=1\r\n");
  }
  void SetUp() override { ASSERT_TRUE(window_.CreateHostWindow(L"ControlTest", false)); }
  void TearDown() override {
    window_.RemoveControl();
    window_.Destroy();
    Pump(20);
  }

  // One control's whole life in the window; every other one runs live preview when it goes.
  void Cycle(int i) {
    ComPtr<IDispatch> selvar = window_.SiteControl(NewControl(), nullptr);
    ASSERT_TRUE(selvar);
    if (i % 2) {
      EXPECT_EQ(Get(selvar.get(), kCmdPlay), 0);
    }
    Pump(i % 2 ? 30 : 0);
    selvar.reset();
    window_.RemoveControl();
  }

  CHostWindow window_;
};

TEST_F(ControlTest, TwoHundredCyclesLeaveNoHandleThreadGdiObjectOrWindowBehind) {
  Cycle(1);  // the driver, classes and caches a first control sets up for the process
  Pump(100);
  const Counts before = Now();
  for (int i = 0; i < 200; ++i) Cycle(i);
  Pump(200);
  const Counts after = Now();
  EXPECT_LE(after.handles, before.handles);
  EXPECT_LE(after.threads, before.threads);
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(after.controls, 0);
  EXPECT_EQ(after.comObjects, before.comObjects);
  EXPECT_EQ(after.workers, 0);
}

TEST_F(ControlTest, ReleasedInsideAHandlerIsFreedOnlyAfterIt) {
  ASSERT_TRUE(window_.SiteControl(NewControl(), nullptr));
  {
    const DispatchScope handler;  // as a scan's handler pumping messages would hold
    window_.RemoveControl();
    EXPECT_EQ(COleControl::LiveControls(), 1);
    Pump(50);
    EXPECT_EQ(COleControl::LiveControls(), 1);
  }
  EXPECT_EQ(COleControl::LiveControls(), 0);
  EXPECT_TRUE(ComModule::CanUnload());
}

TEST_F(ControlTest, TwoControlsInOneProcessEachDriveTheirOwnCamera) {
  UseDriverConfiguration(
      "[Driver]\r\nCameras=2\r\n[Camera0]\r\nSerial=1100000001\r\n[Camera1]\r\nSerial=1200000002\r\n");
  CHostWindow second;
  ASSERT_TRUE(second.CreateHostWindow(L"ControlTest 2", false));
  ComPtr<IDispatch> a = SiteWishing(window_, L"11", L"1");
  ComPtr<IDispatch> b = SiteWishing(second, L"12", L"2");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(Get(a.get(), kIsCameraOK), 1);
  EXPECT_EQ(Get(b.get(), kIsCameraOK), 1);
  LONG exposure = 2000;
  VARIANT none;
  VariantInit(&none);
  Call(a.get(), kSetExposure, DISPATCH_METHOD, &exposure, &none);
  exposure = 3000;
  Call(b.get(), kSetExposure, DISPATCH_METHOD, &exposure, &none);
  EXPECT_EQ(Get(a.get(), kGetExposure), 2000);
  EXPECT_EQ(Get(b.get(), kGetExposure), 3000);

  // The second control's end leaves the first one's camera working.
  b.reset();
  second.RemoveControl();
  second.Destroy();
  EXPECT_EQ(Get(a.get(), kIsCameraOK), 1);
  EXPECT_EQ(Get(a.get(), kGetExposure), 2000);
  UseDriverConfiguration("[Driver]\r\nCameras=1\r\n");
}

TEST_F(ControlTest, TypeInformationAndEventsAreTheLibrarysForThisArchitecture) {
  ComPtr<IOleObject> control = NewControl();
  ComPtr<IProvideClassInfo2> classInfo;
  ASSERT_EQ(control->QueryInterface(IID_IProvideClassInfo2, classInfo.put_void()), S_OK);
  GUID events{};
  EXPECT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_TRUE(IsEqualGUID(events, DIID__DSelvarEvents));
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(control->QueryInterface(IID_IConnectionPointContainer, container.put_void()), S_OK);
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(container->FindConnectionPoint(DIID__DSelvarEvents, point.put()), S_OK);
  ComPtr<IUnknown> unsafe;
  EXPECT_EQ(control->QueryInterface(IID_IObjectSafety, unsafe.put_void()), E_NOINTERFACE);
  // The class information names the events with their DISPIDs.
  ComPtr<ITypeInfo> coclass, source;
  ASSERT_EQ(classInfo->GetClassInfo(coclass.put()), S_OK);
  HREFTYPE sourceRef = 0;
  ASSERT_EQ(coclass->GetRefTypeOfImplType(1, &sourceRef), S_OK);
  ASSERT_EQ(coclass->GetRefTypeInfo(sourceRef, source.put()), S_OK);
  const wchar_t* const eventNames[] = {L"RecordingStarted", L"RecordingEnded", L"CameraError",
                                       L"SaveProgress", L"SaveEnded", L"FrameChanged",
                                       L"CameraOpened", L"CameraClosed"};
  for (DISPID id = 1; id <= 8; ++id) {
    BSTR name = nullptr;
    UINT count = 0;
    EXPECT_EQ(source->GetNames(id, &name, 1, &count), S_OK);
    EXPECT_STREQ(name, eventNames[id - 1]);
    SysFreeString(name);
  }

  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(control->QueryInterface(IID_IDispatch, dispatch.put_void()), S_OK);
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, DIID__DSelvar));
  EXPECT_EQ(attributes->cFuncs, 40);  // DISPIDs 4 to 40, 42, 43 and AboutBox
  EXPECT_EQ(attributes->cVars, 5);    // the three that choose the camera, QuietMode, FrameLog
  // Addresses are as wide as this build's pointers; names and DISPIDs are the same in both.
  const VARTYPE address = sizeof(void*) == 8 ? VT_I8 : VT_I4;
  int checked = 0;
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    ASSERT_EQ(info->GetFuncDesc(i, &function), S_OK);
    if (function->memid == 18 || function->memid == 26) {
      BSTR names[8] = {};
      UINT count = 0;
      info->GetNames(function->memid, names, 8, &count);
      const int at = function->memid == 18 ? 0 : 2;
      EXPECT_STREQ(names[at + 1], function->memid == 18 ? L"szFld" : L"pDataBuff");
      EXPECT_EQ(function->lprgelemdescParam[at].tdesc.vt, address);
      // CmdSaveImageSequence is declared short, as it always was.
      if (function->memid == 18) {
        EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_I2);
      }
      for (BSTR name : names) SysFreeString(name);
      ++checked;
    }
    if (function->memid == DISPID_ABOUTBOX) ++checked;
    info->ReleaseFuncDesc(function);
  }
  EXPECT_EQ(checked, 3);
  info->ReleaseTypeAttr(attributes);
}

// A one-character 8-bit text looks like UTF-16; where memory ends after its zero byte, the save
// method must not read on.
TEST_F(ControlTest, ASaveTextAtTheEndOfMemoryIsNotReadBeyondIt) {
  ComPtr<IDispatch> selvar = window_.SiteControl(NewControl(), nullptr);
  ASSERT_TRUE(selvar);
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  auto* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_RESERVE, PAGE_NOACCESS));
  ASSERT_TRUE(pages);
  ASSERT_TRUE(VirtualAlloc(pages, system.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
  char* text = pages + system.dwPageSize - 2;
  text[0] = 'a';
  text[1] = 0;
  VARIANT args[6];  // last argument first: step, stop, start, type, prefix, folder
  const LONG numbers[4] = {1, 0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    V_VT(&args[i]) = VT_I4;
    V_I4(&args[i]) = numbers[i];
  }
  for (int i = 4; i < 6; ++i) {
    if (sizeof(void*) == 8) {
      V_VT(&args[i]) = VT_I8;
      V_I8(&args[i]) = reinterpret_cast<LONG_PTR>(text);
    } else {
      V_VT(&args[i]) = VT_I4;
      V_I4(&args[i]) = static_cast<LONG>(reinterpret_cast<LONG_PTR>(text));
    }
  }
  DISPPARAMS params{args, nullptr, 6, 0};
  VARIANT result;
  VariantInit(&result);
  // Nothing is recorded, so the save itself fails; the texts are read first.
  EXPECT_EQ(selvar->Invoke(18, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
  VariantClear(&result);
  VirtualFree(pages, 0, MEM_RELEASE);
}

TEST_F(ControlTest, TheFrameInsideTheControlDocksItsCameraBarOnTheRight) {
  ASSERT_TRUE(window_.SiteControl(NewControl(), nullptr));
  HWND control = FindWindowExW(window_.Handle(), nullptr, L"SelvarControl", nullptr);
  HWND frame = GetWindow(control, GW_CHILD);
  HWND bar = FindWindowExW(frame, nullptr, L"#32770", nullptr);
  HWND view = FindWindowExW(frame, nullptr, L"SelvarCameraView", nullptr);
  ASSERT_TRUE(bar && view);
  RECT client, barRect, viewRect;
  GetClientRect(frame, &client);
  GetWindowRect(bar, &barRect);
  GetWindowRect(view, &viewRect);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&barRect), 2);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&viewRect), 2);
  EXPECT_EQ(barRect.right, client.right);
  EXPECT_EQ(viewRect.right, barRect.left);
  EXPECT_GT(viewRect.top, 0);  // below the toolbar
}

TEST_F(ControlTest, SettingsByAutomationShowInTheCameraBar) {
  ComPtr<IDispatch> selvar = window_.SiteControl(NewControl(), nullptr);
  ASSERT_TRUE(selvar);
  HWND control = FindWindowExW(window_.Handle(), nullptr, L"SelvarControl", nullptr);
  HWND bar = FindWindowExW(GetWindow(control, GW_CHILD), nullptr, L"#32770", nullptr);
  ASSERT_NE(bar, nullptr);
  struct Case {
    DISPID setter;
    LONG value;
    int controlId;
  };
  const Case cases[] = {{34, 1, IDC_RECORD_MODE}, {40, 2, IDC_GAIN}, {22, 77, IDC_FRAMES},
                        {24, 5, IDC_PRE_TRIGGER}, {34, 0, IDC_RECORD_MODE}};
  for (const Case& c : cases) {
    LONG value = c.value;
    VARIANT none;
    VariantInit(&none);
    ASSERT_EQ(Call(selvar.get(), c.setter, DISPATCH_METHOD, &value, &none), S_OK);
    HWND item = GetDlgItem(bar, c.controlId);
    wchar_t className[16] = L"";
    GetClassNameW(item, className, 16);
    const LONG shown = _wcsicmp(className, L"ComboBox") == 0
                           ? static_cast<LONG>(SendMessageW(item, CB_GETCURSEL, 0, 0))
                           : static_cast<LONG>(GetDlgItemInt(bar, c.controlId, nullptr, TRUE));
    EXPECT_EQ(shown, c.value) << c.controlId;
  }
}

TEST_F(ControlTest, ResizedToNothingTheFrameFollows) {
  ASSERT_TRUE(window_.SiteControl(NewControl(), nullptr));
  HWND control = FindWindowExW(window_.Handle(), nullptr, L"SelvarControl", nullptr);
  ASSERT_NE(control, nullptr);
  HWND frame = GetWindow(control, GW_CHILD);
  ASSERT_NE(frame, nullptr);
  SetWindowPos(window_.Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  RECT inner, client;
  GetClientRect(control, &client);
  GetClientRect(frame, &inner);
  EXPECT_EQ(inner.right, client.right);
  EXPECT_EQ(inner.bottom, client.bottom);
  MoveWindow(control, 0, 0, 0, 0, TRUE);
  GetClientRect(frame, &inner);
  EXPECT_TRUE(IsRectEmpty(&inner));
}

TEST_F(ControlTest, InactiveDrawingIsTheWindowColourInATwoPixelSunkenBorder) {
  ComPtr<IOleObject> control = NewControl();
  ComPtr<IViewObject2> view;
  ASSERT_EQ(control->QueryInterface(IID_IViewObject2, view.put_void()), S_OK);
  HDC screen = GetDC(nullptr);
  UniqueMemoryDC memory(CreateCompatibleDC(screen));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen, 40, 30));
  ReleaseDC(nullptr, screen);
  const SelectedObject selected(memory.get(), bitmap.get());
  const RECTL bounds{0, 0, 40, 30};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory.get(), &bounds,
                       nullptr, nullptr, 0),
            S_OK);
  struct Case {
    int x, y, colour;
  };
  const Case cases[] = {{0, 10, COLOR_BTNSHADOW},     {10, 0, COLOR_BTNSHADOW},
                        {39, 10, COLOR_BTNHIGHLIGHT}, {10, 29, COLOR_BTNHIGHLIGHT},
                        {1, 10, COLOR_BTNTEXT},       {10, 1, COLOR_BTNTEXT},
                        {38, 10, COLOR_BTNFACE},      {10, 28, COLOR_BTNFACE},
                        {20, 15, COLOR_WINDOW}};
  for (const Case& c : cases) {
    EXPECT_EQ(GetPixel(memory.get(), c.x, c.y), GetSysColor(c.colour)) << c.x << "," << c.y;
  }
}

TEST_F(ControlTest, AboutBoxRunsModallyUntilOk) {
  ComPtr<IOleObject> control = NewControl();
  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(control->QueryInterface(IID_IDispatch, dispatch.put_void()), S_OK);
  g_aboutBoxShown = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseAboutBox);
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(Call(dispatch.get(), DISPID_ABOUTBOX, DISPATCH_METHOD, nullptr, &result), S_OK);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_aboutBoxShown);
}

TEST_F(ControlTest, PropertiesVerbOpensThePropertyFrame) {
  ComPtr<IOleObject> control = NewControl();
  ASSERT_TRUE(window_.SiteControl(control, nullptr));
  g_pageShown = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ClosePropertyFrame);
  EXPECT_EQ(control->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, window_.Handle(), nullptr),
            S_OK);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_pageShown);
}

TEST_F(ControlTest, TheModuleUnloadsWhenNothingIsLeftAndLoadsAgain) {
  for (int load = 0; load < 2; ++load) {
    HMODULE module = LoadLibraryW(L"Selvar.ocx");
    ASSERT_NE(module, nullptr);
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    auto canUnloadNow = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_TRUE(getClassObject && canUnloadNow);
    EXPECT_EQ(canUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(CLSID_Selvar, IID_IClassFactory, factory.put_void()), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    factory->LockServer(TRUE);
    ComPtr<IOleObject> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IOleObject, control.put_void()), S_OK);
    factory.reset();
    EXPECT_TRUE(window_.SiteControl(control, nullptr));
    control.reset();
    window_.RemoveControl();
    Pump(20);
    EXPECT_EQ(canUnloadNow(), S_FALSE);  // still locked
    ComPtr<IClassFactory> again;
    ASSERT_EQ(getClassObject(CLSID_Selvar, IID_IClassFactory, again.put_void()), S_OK);
    again->LockServer(FALSE);
    again.reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
    FreeLibrary(module);
  }
}

TEST_F(ControlTest, StreamKeepsTheThreePropertiesAndAnotherVersionLoads187) {
  ComPtr<IOleObject> control = NewControl();
  ComPtr<IPersistStreamInit> persist;
  ASSERT_EQ(control->QueryInterface(IID_IPersistStreamInit, persist.put_void()), S_OK);
  ASSERT_EQ(persist->InitNew(), S_OK);
  EXPECT_EQ(Get(control.get(), kEnumFilter), 0);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  Put(control.get(), kEnumFilter, 3);
  Put(control.get(), kProductNumber, 1);
  Put(control.get(), kSerialNumber, 23);
  EXPECT_EQ(persist->IsDirty(), S_OK);

  ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  ASSERT_EQ(persist->Save(stream.get(), TRUE), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);

  struct Case {
    DWORD version;
    LONG filter, product, serial;
  };
  const Case cases[] = {{0x00010000, 3, 1, 23}, {0x00020000, 187, 0, 0}, {0x00010002, 187, 0, 0}};
  for (const Case& c : cases) {
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    stream->Write(&c.version, sizeof c.version, nullptr);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ComPtr<IOleObject> loaded = NewControl();
    ComPtr<IPersistStreamInit> loader;
    ASSERT_EQ(loaded->QueryInterface(IID_IPersistStreamInit, loader.put_void()), S_OK);
    EXPECT_EQ(loader->Load(stream.get()), S_OK);
    EXPECT_EQ(Get(loaded.get(), kEnumFilter), c.filter) << std::hex << c.version;
    EXPECT_EQ(Get(loaded.get(), kProductNumber), c.product);
    EXPECT_EQ(Get(loaded.get(), kSerialNumber), c.serial);
  }
}

// The frame log is off unless asked for; a stream without it keeps the 1.0 layout byte for byte,
// one with it says 1.1 and appends a reserved value and the frame log, and a stream that ends
// before them loads with the log off.
TEST_F(ControlTest, FrameLogPersistsBesideTheOldLayout) {
  ComPtr<IOleObject> control = NewControl();
  ComPtr<IPersistStreamInit> persist;
  ASSERT_EQ(control->QueryInterface(IID_IPersistStreamInit, persist.put_void()), S_OK);
  ASSERT_EQ(persist->InitNew(), S_OK);
  EXPECT_EQ(Get(control.get(), kFrameLog), 0);
  Put(control.get(), kEnumFilter, 3);
  const auto saved = [&] {
    ComPtr<IStream> stream;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    EXPECT_EQ(persist->Save(stream.get(), TRUE), S_OK);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<DWORD> values(stat.cbSize.QuadPart / 4);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    stream->Read(values.data(), ULONG(values.size() * 4), nullptr);
    return values;
  };
  EXPECT_EQ(saved(), (std::vector<DWORD>{0x00010000, 3, 0, 0}));
  Put(control.get(), kFrameLog, 1);
  EXPECT_EQ(saved(), (std::vector<DWORD>{0x00010001, 3, 0, 0, 0, 1}));

  struct Case {
    std::vector<DWORD> stream;
    LONG filter, frameLog;
  };
  const Case cases[] = {
      {{0x00010000, 3, 0, 0, 0, 1}, 3, 0},
      {{0x00010001, 3, 0, 0, 7, 1}, 3, 1},
      {{0x00010001, 3, 0, 0, 7}, 3, 0},
      {{0x00010001, 3, 0, 0}, 3, 0},
      {{0x00010002, 3, 0, 0, 0, 1}, 187, 0},
  };
  for (const Case& c : cases) {
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    stream->Write(c.stream.data(), ULONG(c.stream.size() * 4), nullptr);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ComPtr<IOleObject> loaded = NewControl();
    ComPtr<IPersistStreamInit> loader;
    ASSERT_EQ(loaded->QueryInterface(IID_IPersistStreamInit, loader.put_void()), S_OK);
    Put(loaded.get(), kFrameLog, 1);
    EXPECT_EQ(loader->Load(stream.get()), S_OK) << c.stream.size();
    EXPECT_EQ(Get(loaded.get(), kEnumFilter), c.filter) << std::hex << c.stream[0];
    EXPECT_EQ(Get(loaded.get(), kFrameLog), c.frameLog) << c.stream.size();
  }

  // A property bag finds it by its name; without the name it is off.
  for (LONG wanted : {1, 0}) {
    auto* bag = new CArgumentPropertyBag;
    if (wanted) bag->Add(L"FrameLog=1");
    ComPtr<IOleObject> sited = NewControl();
    ComPtr<IPersistPropertyBag> bagLoader;
    ASSERT_EQ(sited->QueryInterface(IID_IPersistPropertyBag, bagLoader.put_void()), S_OK);
    Put(sited.get(), kFrameLog, 1 - wanted);
    EXPECT_EQ(bagLoader->Load(bag, nullptr), S_OK);
    EXPECT_EQ(Get(sited.get(), kFrameLog), wanted);
    bag->Release();
  }
}

TEST_F(ControlTest, PropertyPageExchangesInBothDirections) {
  ComPtr<IOleObject> control = NewControl();
  Put(control.get(), kEnumFilter, 4);
  Put(control.get(), kProductNumber, 1);
  Put(control.get(), kSerialNumber, 23);
  ComPtr<IPropertyPage> page;
  ASSERT_EQ(CSelvarPropPage::CreateInstance(IID_IPropertyPage, page.put_void()), S_OK);
  IUnknown* objects[] = {control.get()};
  ASSERT_EQ(page->SetObjects(1, objects), S_OK);
  const RECT place{0, 0, 400, 200};
  ASSERT_EQ(page->Activate(window_.Handle(), &place, FALSE), S_OK);
  HWND dialog = FindWindowExW(window_.Handle(), nullptr, L"#32770", nullptr);
  ASSERT_NE(dialog, nullptr);
  HWND filter = GetDlgItem(dialog, IDC_ENUM_FILTER);
  EXPECT_EQ(SendMessageW(filter, CB_GETCOUNT, 0, 0), 6);
  EXPECT_EQ(SendMessageW(filter, CB_GETCURSEL, 0, 0), 4);
  EXPECT_EQ(GetDlgItemInt(dialog, IDC_PRODUCT_NUMBER, nullptr, TRUE), 1u);
  EXPECT_EQ(GetDlgItemInt(dialog, IDC_SERIAL_NUMBER, nullptr, TRUE), 23u);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  // The designer picks a filter and types a serial number; Apply writes all three.
  SendMessageW(filter, CB_SETCURSEL, 2, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ENUM_FILTER, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(filter));
  SetDlgItemTextW(dialog, IDC_SERIAL_NUMBER, L"45");
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(Get(control.get(), kEnumFilter), 2);
  EXPECT_EQ(Get(control.get(), kProductNumber), 1);
  EXPECT_EQ(Get(control.get(), kSerialNumber), 45);

  // A number that does not fit is refused whole: nothing is written, the page stays dirty and
  // says which value stays.
  const struct { const wchar_t* product; const wchar_t* serial; const wchar_t* why; } refused[] = {
      {L"1", L"4294967299", L"Serial \"4294967299\" is not a whole number"},
      {L"abc", L"46", L"PID \"abc\" is not a whole number"},
      {L"2147483648", L"-2147483649", L"it stays 1.\r\nSerial \"-2147483649\""},
  };
  for (const auto& r : refused) {
    SendMessageW(filter, CB_SETCURSEL, 3, 0);
    SetDlgItemTextW(dialog, IDC_PRODUCT_NUMBER, r.product);
    SetDlgItemTextW(dialog, IDC_SERIAL_NUMBER, r.serial);
    EXPECT_NE(page->Apply(), S_OK) << r.serial;
    EXPECT_EQ(page->IsPageDirty(), S_OK) << r.serial;
    EXPECT_EQ(Get(control.get(), kEnumFilter), 2) << r.serial;
    EXPECT_EQ(Get(control.get(), kProductNumber), 1) << r.serial;
    EXPECT_EQ(Get(control.get(), kSerialNumber), 45) << r.serial;
    wchar_t why[512] = L"";
    GetDlgItemTextW(dialog, IDC_PAGE_STATUS, why, 512);
    EXPECT_NE(std::wstring(why).find(r.why), std::wstring::npos) << why;
  }
  SetDlgItemTextW(dialog, IDC_PRODUCT_NUMBER, L"-3");
  SetDlgItemTextW(dialog, IDC_SERIAL_NUMBER, L" 2147483647 ");
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(Get(control.get(), kProductNumber), -3);
  EXPECT_EQ(Get(control.get(), kSerialNumber), 2147483647);
  EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(dialog, IDC_PAGE_STATUS)), 0);
  page->Deactivate();

  // A filter outside the list shows no choice, and applying without one writes -1.
  Put(control.get(), kEnumFilter, 187);
  ASSERT_EQ(page->Activate(window_.Handle(), &place, FALSE), S_OK);
  dialog = FindWindowExW(window_.Handle(), nullptr, L"#32770", nullptr);
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_ENUM_FILTER), CB_GETCURSEL, 0, 0), CB_ERR);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(Get(control.get(), kEnumFilter), -1);
  page->Deactivate();
  page->SetObjects(0, nullptr);
}

}  // namespace
