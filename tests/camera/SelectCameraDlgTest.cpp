// The Select Camera dialog under Wine, driven through its controls from a timer in its own modal loop.
#include "camera/SelectCameraDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "resources/SelectCameraResources.h"
#include "platform/tessadrv/SimulatorApi.h"
#include "tests/camera/EnumFakeDriver.h"

namespace {

constexpr INT_PTR kWatchdogResult = 99;

struct DialogScript {
  std::function<void(HWND)> steps;
  HWND dialog = nullptr;
  bool ran = false;
  UINT_PTR pollTimer = 0;
  UINT_PTR watchdogTimer = 0;
};
DialogScript g_script;

BOOL CALLBACK FindSelectCamera(HWND hwnd, LPARAM found) {
  wchar_t className[16] = L"", title[32] = L"";
  GetClassNameW(hwnd, className, 16);
  GetWindowTextW(hwnd, title, 32);
  if (std::wstring(className) == L"#32770" && std::wstring(title) == L"Select Camera") {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Looks only at this thread's windows, so parallel test processes never see each other's dialog.
void CALLBACK PollForDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindSelectCamera, reinterpret_cast<LPARAM>(&dialog));
  // A modal dialog is shown at its loop's first idle moment; act on it only from then on.
  if (!dialog || g_script.ran || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, g_script.pollTimer);
  g_script.dialog = dialog;
  g_script.ran = true;
  g_script.steps(dialog);
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(nullptr, g_script.watchdogTimer);
  if (g_script.dialog && IsWindow(g_script.dialog)) EndDialog(g_script.dialog, kWatchdogResult);
}

// Runs body (which enters the modal loop) while the steps act on the dialog once it is up.
template <class Body>
void WithDialogScript(std::function<void(HWND)> steps, Body body) {
  g_script = DialogScript{};
  g_script.steps = std::move(steps);
  g_script.pollTimer = SetTimer(nullptr, 0, 20, PollForDialog);
  g_script.watchdogTimer = SetTimer(nullptr, 0, 10000, Watchdog);
  body();
  KillTimer(nullptr, g_script.pollTimer);
  KillTimer(nullptr, g_script.watchdogTimer);
}

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_CAMERA_LIST); }

std::wstring CellText(HWND list, int row, int column) {
  wchar_t text[128] = L"";
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 128;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

using Rows = std::vector<std::vector<std::wstring>>;

// Every row's four cells as the list view gives them back.
Rows ReadRows(HWND list) {
  Rows rows;
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    rows.push_back({CellText(list, row, 0), CellText(list, row, 1), CellText(list, row, 2), CellText(list, row, 3)});
  }
  return rows;
}

int ItemImage(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

void Press(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

void SendListNotify(HWND dialog, UINT code, int item) {
  NMITEMACTIVATE notify{};
  notify.hdr.hwndFrom = List(dialog);
  notify.hdr.idFrom = IDC_CAMERA_LIST;
  notify.hdr.code = code;
  notify.iItem = item;
  notify.iSubItem = 0;
  SendMessageW(dialog, WM_NOTIFY, IDC_CAMERA_LIST, reinterpret_cast<LPARAM>(&notify));
}

const std::vector<CameraEnumEntry> kThree = {
    MakeEntry(0x1A, 9, 123456789, 1, 2), MakeEntry(0x2B, 0, 123, 0), MakeEntry(0x3C, 20, 3000000000u, 7, 3)};

}  // namespace

TEST(SelectCameraDlg, ListsEveryCameraWithFirstRowSelected) {
  struct Seen {
    Rows rows;
    std::vector<int> images;
    std::vector<std::wstring> headers;
    std::vector<int> widths;
    int selected = -2, focused = -2, imageCount = 0;
    bool listHasFocus = false;
  } seen;
  CSelectCameraDlg dialog(kThree.data(), 3, nullptr);
  INT_PTR result = 0;
  WithDialogScript(
      [&](HWND dlg) {
        HWND list = List(dlg);
        seen.rows = ReadRows(list);
        for (int row = 0; row < static_cast<int>(seen.rows.size()); ++row) seen.images.push_back(ItemImage(list, row));
        for (int column = 0; column < 4; ++column) {
          wchar_t text[64] = L"";
          LVCOLUMNW info{};
          info.mask = LVCF_TEXT | LVCF_FMT;
          info.pszText = text;
          info.cchTextMax = 64;
          SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
          seen.headers.push_back(info.fmt == LVCFMT_LEFT ? text : L"(not left-aligned)");
          seen.widths.push_back(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)));
        }
        seen.selected = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
        seen.focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
        seen.listHasFocus = GetFocus() == list;
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        seen.imageCount = images ? ImageList_GetImageCount(images) : 0;
        Press(dlg, IDCANCEL);
      },
      [&] { result = dialog.DoModal(); });

  EXPECT_EQ(result, IDCANCEL);
  const Rows rows = {
      {L"Kinetra P3-R2", L"001A", L"0123456789", L"GigaBit"},
      {L"Kinetra KW/E0", L"002B", L"N/A", L"USB 2.0"},
      {L"Orbitel T5-QF", L"003C", L"3000000000", L"?"},  // link type 7 is not in the table
  };
  EXPECT_EQ(seen.rows, rows);
  EXPECT_EQ(seen.images, (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(seen.headers, (std::vector<std::wstring>{L"Camera", L"ID", L"Serial", L"Link"}));
  EXPECT_EQ(seen.widths, (std::vector<int>{110, 45, 75, 70}));
  EXPECT_EQ(seen.selected, 0);
  EXPECT_EQ(seen.focused, 0);
  EXPECT_TRUE(seen.listHasFocus);
  EXPECT_EQ(seen.imageCount, 2);
}

TEST(SelectCameraDlg, DialogResultsAndSelectedIndex) {
  const struct {
    const char* name;
    std::function<void(HWND)> steps;
    INT_PTR result;
    int selected;
  } cases[] = {
      {"double-click opens the clicked row", [](HWND d) { SendListNotify(d, NM_DBLCLK, 2); }, IDOK, 2},
      {"double-click on empty space is ignored",
       [](HWND d) {
         SendListNotify(d, NM_DBLCLK, -1);
         SendListNotify(d, NM_DBLCLK, 3);
         Press(d, IDOK);
       },
       IDOK, 0},
      {"selecting a row then Open",
       [](HWND d) {
         LVITEMW state{};
         state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
         SendMessageW(List(d), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
         Press(d, IDOK);
       },
       IDOK, 1},
      {"item change outside the list keeps the choice",
       [](HWND d) {
         SendListNotify(d, LVN_ITEMCHANGED, 7);
         SendListNotify(d, LVN_ITEMCHANGED, -1);
         Press(d, IDOK);
       },
       IDOK, 0},
      {"double-click on a row with the mouse",
       [](HWND d) {
         RECT item{LVIR_LABEL};
         SendMessageW(List(d), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
         const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
         SendMessageW(List(d), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
       },
       IDOK, 1},
      {"Exit", [](HWND d) { Press(d, IDCANCEL); }, IDCANCEL, 0},
  };
  for (const auto& c : cases) {
    CSelectCameraDlg dialog(kThree.data(), 3, nullptr);
    EXPECT_EQ(dialog.SelectedIndex(), -1) << c.name;
    INT_PTR result = 0;
    WithDialogScript(c.steps, [&] { result = dialog.DoModal(); });
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(dialog.SelectedIndex(), c.selected) << c.name;
  }
}

TEST(SelectCameraDlg, ShowsAtMostTenRows) {
  std::vector<CameraEnumEntry> ten;
  for (int i = 0; i < 10; ++i) ten.push_back(MakeEntry(i, 9, 100 + i));
  int rows = 0;
  CSelectCameraDlg dialog(ten.data(), 25, nullptr);
  WithDialogScript(
      [&](HWND d) {
        rows = static_cast<int>(SendMessageW(List(d), LVM_GETITEMCOUNT, 0, 0));
        SendListNotify(d, NM_DBLCLK, 9);
      },
      [&] { dialog.DoModal(); });
  EXPECT_EQ(rows, 10);
  EXPECT_EQ(dialog.SelectedIndex(), 9);
}

TEST(SelectCameraDlg, ThreeSimulatedCameras) {
  const char threeCameras[] =
      "[Driver]\nCameras=3\n"
      "[Camera0]\nId=0x1A\nModel=9\nVariant=2\nSerial=123456789\nLink=1\n"
      "[Camera1]\nId=0x2B\nModel=0\nSerial=123\nLink=0\n"
      "[Camera2]\nId=0x3C\nModel=6\nSerial=3000000000\nLink=2\nColor=1\n";
  const Rows rows = {
      {L"Kinetra P3-R2", L"001A", L"0123456789", L"GigaBit"},
      {L"Kinetra KW/E0", L"002B", L"N/A", L"USB 2.0"},
      {L"Veltran D3", L"003C", L"3000000000", L"CameraLink"},
  };
  const struct {
    const char* name;
    std::function<void(HWND)> act;
    bool found;
    int cameraId;
    std::uint32_t serial;
    bool colour;
  } cases[] = {
      {"Exit gives no camera", [](HWND d) { Press(d, IDCANCEL); }, false, 0, 0, false},
      {"double-click takes the row", [](HWND d) { SendListNotify(d, NM_DBLCLK, 2); }, true, 0x3C, 3000000000u, true},
      {"Open takes the first row", [](HWND d) { Press(d, IDOK); }, true, 0x1A, 123456789u, false},
  };
  for (const auto& c : cases) {
    Simulator().SetConfigOverride(threeCameras);
    Rows seen;
    DialogCameraPicker picker(nullptr);
    SelectedCamera chosen;
    bool found = false;
    WithDialogScript(
        [&](HWND d) {
          seen = ReadRows(List(d));
          c.act(d);
        },
        [&] { found = SelectCamera(SimulatorDriverApi(), ControlPropertyRefs{}, picker, chosen); });
    EXPECT_TRUE(g_script.ran) << c.name;
    EXPECT_EQ(seen, rows) << c.name;
    EXPECT_EQ(found, c.found) << c.name;
    if (c.found) {
      EXPECT_EQ(chosen.cameraId, c.cameraId) << c.name;
      EXPECT_EQ(chosen.serial, c.serial) << c.name;
      EXPECT_EQ(chosen.colour, c.colour) << c.name;
    }
    SimulatorDriverApi().Shutdown();
  }
  Simulator().ClearConfigOverride();
}
