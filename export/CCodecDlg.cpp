// Codec dialog: the library's codec list, the current record's quality on a 0 to 100 trackbar.
#include "export/CCodecDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/framework/DialogBoxes.h"
#include "resources/SaveSequenceResources.h"

namespace {

// The library keeps quality from 0 to 10000; the operator sees 0 to 100.
constexpr std::uint32_t kQualityPerStep = 100;
constexpr int kTrackMax = 100;
constexpr int kTickEvery = 10;

void AddName(HWND list, const CodecInfo& codec) {
  char name[sizeof codec.Name];
  // Library-owned text: terminated here whatever the library left in the last byte.
  std::copy(codec.Name, codec.Name + sizeof name - 1, name);
  name[sizeof name - 1] = '\0';
  const int length = MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0);
  std::vector<wchar_t> wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, name, -1, wide.data(), length);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.data()));
}

}  // namespace

CCodecDlg::CCodecDlg(const PictoLibApi& images, HWND owner)
    : CDialog(IDD_CODEC, owner), images_(images) {
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
}

BOOL CCodecDlg::OnInitDialog() {
  HWND list = Item(IDC_CODEC_LIST);
  int count = kAskedFor;
  const bool listed = images_.EnumGCompressionCodecs &&
                      images_.EnumGCompressionCodecs(fileType_, entries_, &count) == 0;
  count_ = listed && count > 0 ? (count < kRoom ? count : kRoom) : 0;
  int selected = -1;
  for (int i = 0; i < count_; ++i) {
    AddName(list, entries_[i]);
    // The entry of the current codec shows the current record, so its quality is the one in use.
    if (entries_[i].CodecId == current_.CodecId) {
      entries_[i] = current_;
      selected = i;
    }
  }
  if (count_ == 0) {
    EnableWindow(list, FALSE);
    EnableWindow(Item(IDC_CODEC_QUALITY), FALSE);
    EnableWindow(Item(IDOK), FALSE);
  } else if (selected < 0) {
    current_ = entries_[0];
    selected = 0;
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  HWND track = Item(IDC_CODEC_QUALITY);
  SendMessageW(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, kTrackMax));
  SendMessageW(track, TBM_SETTICFREQ, kTickEvery, 0);
  ShowQuality(current_.Quality);
  if (fileType_ == kTypeAvi && count_ > 0) EnableWindow(track, current_.CodecId != 0);
  return TRUE;
}

int CCodecDlg::Selected() const {
  const int index = static_cast<int>(SendMessageW(Item(IDC_CODEC_LIST), CB_GETCURSEL, 0, 0));
  return index >= 0 && index < count_ ? index : -1;
}

void CCodecDlg::ShowQuality(std::uint32_t quality) {
  const std::uint32_t shown = quality / kQualityPerStep;
  SendMessageW(Item(IDC_CODEC_QUALITY), TBM_SETPOS, TRUE, static_cast<LPARAM>(shown));
  WriteNumberBox(Handle(), IDC_CODEC_QUALITY_TEXT, shown);
}

void CCodecDlg::ShowEntry(int index) {
  ShowQuality(entries_[index].Quality);
  // An AVI codec without a quality setting (identifier 0) has nothing for the trackbar to set.
  if (fileType_ == kTypeAvi) EnableWindow(Item(IDC_CODEC_QUALITY), entries_[index].CodecId != 0);
}

void CCodecDlg::OnCommand(int id, int code, HWND control) {
  if (id == IDC_CODEC_LIST && code == CBN_SELCHANGE) {
    const int index = Selected();
    if (index >= 0) ShowEntry(index);
    return;
  }
  CDialog::OnCommand(id, code, control);
}

bool CCodecDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message != WM_HSCROLL || reinterpret_cast<HWND>(lParam) != Item(IDC_CODEC_QUALITY)) {
    return false;
  }
  OnQualityScroll(LOWORD(wParam));
  result = TRUE;
  return true;
}

void CCodecDlg::OnQualityScroll(int code) {
  const LRESULT position = SendMessageW(Item(IDC_CODEC_QUALITY), TBM_GETPOS, 0, 0);
  WriteNumberBox(Handle(), IDC_CODEC_QUALITY_TEXT, position);
  // The entry takes the value only once the movement ends, as the operator lets go.
  const int index = Selected();
  if (code == TB_ENDTRACK && index >= 0) {
    entries_[index].Quality = static_cast<std::uint32_t>(position) * kQualityPerStep;
  }
}

void CCodecDlg::OnOK() {
  const int index = Selected();
  if (index >= 0) current_ = entries_[index];
  CDialog::OnOK();
}
