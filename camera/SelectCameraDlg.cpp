// Select Camera dialog: rows with icon, name, id, serial and link; double-click or Open takes the row.
#include "camera/SelectCameraDlg.h"

#include <cwchar>

#include "camera/CameraNaming.h"
#include "platform/framework/WindowBase.h"
#include "resources/SelectCameraResources.h"

namespace {

constexpr int kColumnWidths[] = {110, 45, 75, 70};
constexpr int kColumnCount = sizeof kColumnWidths / sizeof kColumnWidths[0];
constexpr COLORREF kMaskColour = RGB(192, 192, 192);
constexpr int kKnownModelImage = 0;
constexpr int kNoModelImage = 1;

void LoadText(int id, wchar_t* text, int size) {
  if (LoadStringW(FrameworkInstance(), id, text, size) == 0) text[0] = L'\0';
}

void SetCell(HWND list, int row, int column, const wchar_t* text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text);
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CSelectCameraDlg::CSelectCameraDlg(const CameraEnumEntry* entries, int count, HWND parent)
    : CDialog(IDD_SELECT_CAMERA, parent),
      entries_(entries),
      count_(count < 0 ? 0 : count > kMaxEnumEntries ? kMaxEnumEntries : count) {
  // The template's list view needs its window class registered; doing it again costs nothing.
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
}

BOOL CSelectCameraDlg::OnInitDialog() {
  list_ = Item(IDC_CAMERA_LIST);
  open_ = Item(IDOK);
  CreateImageList();
  InsertColumns();
  for (int i = 0; i < count_; ++i) InsertRow(i);
  if (IsRow(0)) {
    selected_ = 0;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    SendMessageW(list_, LVM_ENSUREVISIBLE, 0, FALSE);
  }
  SetFocus(list_);
  return FALSE;
}

void CSelectCameraDlg::CreateImageList() {
  images_ = UniqueImageList(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 1));
  // Loaded only to be copied into the image list.
  const UniqueBitmap icons(
      LoadImageW(FrameworkInstance(), MAKEINTRESOURCEW(IDB_CAMERA_ICONS), IMAGE_BITMAP, 0, 0, 0));
  if (images_ && icons) ImageList_AddMasked(images_.get(), static_cast<HBITMAP>(icons.get()), kMaskColour);
  // The list shares the image list (LVS_SHAREIMAGELISTS): the dialog object owns it.
  SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_.get()));
}

void CSelectCameraDlg::InsertColumns() {
  for (int i = 0; i < kColumnCount; ++i) {
    wchar_t title[64];
    LoadText(IDS_COLUMN_CAMERA + i, title, 64);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumnWidths[i];
    column.pszText = title;
    column.iSubItem = i;
    SendMessageW(list_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void CSelectCameraDlg::InsertRow(int index) {
  const CameraEnumEntry& entry = entries_[index];
  char name[128];
  NameCamera(entry.modelCode, static_cast<int>(entry.variant), name, sizeof name, 0);
  wchar_t text[128];
  std::swprintf(text, 128, L"%hs", name);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = text;
  item.iImage = entry.modelCode == 0 ? kNoModelImage : kKnownModelImage;
  const int row = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));

  std::swprintf(text, 128, L"%04X", static_cast<unsigned>(entry.cameraId));
  SetCell(list_, row, 1, text);
  if (entry.modelCode != 0 && entry.serial != 0) {
    std::swprintf(text, 128, L"%010u", static_cast<unsigned>(entry.serial));
  } else {
    std::wcscpy(text, L"N/A");
  }
  SetCell(list_, row, 2, text);
  // A link type the driver does not define gets a plain mark instead of a text from the table.
  if (entry.linkType < LINK_TYPE_COUNT) {
    LoadText(IDS_LINK_FIRST + static_cast<int>(entry.linkType), text, 128);
  } else {
    std::wcscpy(text, L"?");
  }
  SetCell(list_, row, 3, text);
}

LRESULT CSelectCameraDlg::OnNotify(int id, NMHDR* header) {
  if (id != IDC_CAMERA_LIST) return 0;
  if (header->code == LVN_ITEMCHANGED) {
    // Any change names its row, as the operator moves through the list; the "all rows"
    // notification (-1) and rows outside the list leave the choice alone.
    const int item = reinterpret_cast<NMLISTVIEW*>(header)->iItem;
    if (IsRow(item)) selected_ = item;
  } else if (header->code == NM_DBLCLK) {
    // A double-click on empty space opens nothing.
    const int item = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    if (IsRow(item)) {
      selected_ = item;
      PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(open_));
    }
  }
  return 0;
}

int DialogCameraPicker::Pick(const CameraEnumEntry* entries, int count) {
  CSelectCameraDlg dialog(entries, count, parent_);
  return dialog.DoModal() == IDOK ? dialog.SelectedIndex() : -1;
}
