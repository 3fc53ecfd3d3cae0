// Save Sequence dialog: fills its boxes from the record copy, keeps them in step, writes them back on OK.
#include "export/CSaveSequenceDlg.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "export/CCodecDlg.h"
#include "export/FolderBrowser.h"
#include "platform/files/FolderText.h"
#include "platform/framework/DialogBoxes.h"
#include "platform/framework/WindowBase.h"
#include "resources/SaveSequenceResources.h"

namespace {

struct FileTypeEntry {
  int type;
  int textId;
};

constexpr FileTypeEntry kFileTypes[] = {
    {kTypeTiff, IDS_TYPE_TIFF},
    {kTypeBmp, IDS_TYPE_BMP},
    {kTypeJpeg, IDS_TYPE_JPEG},
    {kTypePng, IDS_TYPE_PNG},
    {kTypeMultipageTiff, IDS_TYPE_MULTIPAGE_TIFF},
    {kTypeMultipageRaw, IDS_TYPE_MULTIPAGE_RAW},
    {kTypeCompressedSequence, IDS_TYPE_COMPRESSED},
    {kTypeAvi, IDS_TYPE_AVI},
    {kTypeMov, IDS_TYPE_MOV},
};

// The folder box holds what a Windows path can: MAX_PATH - 1 characters.
constexpr int kFolderBoxChars = MAX_PATH - 1;

bool HasCodecChoice(int type) { return type == kTypeAvi || type == kTypeJpeg || type == kTypeMov; }

// Every text goes into the record through SetSettingText, so nothing lingers behind it.
template <std::size_t N>
void ReadSettingText(HWND dialog, int id, char (&field)[N]) {
  char text[N];
  ReadAnsiBox(dialog, id, text, N);
  SetSettingText(field, text, std::strlen(text));
}

void LoadText(int id, wchar_t* text, int size) {
  if (LoadStringW(FrameworkInstance(), id, text, size) == 0) text[0] = L'\0';
}

}  // namespace

CSaveSequenceDlg::CSaveSequenceDlg(const CameraSettings& settings, std::uint32_t sequenceFrames,
                                   const PictoLibApi& images, HWND owner)
    : CDialog(IDD_SAVE_SEQUENCE, owner),
      settings_(settings),
      sequenceFrames_(sequenceFrames),
      images_(images) {
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
}

BOOL CSaveSequenceDlg::OnInitDialog() {
  HWND dialog = Handle();
  wchar_t format[64] = L"", info[96];
  LoadText(IDS_SAVE_INFO, format, 64);
  std::swprintf(info, 96, format, static_cast<int>(sequenceFrames_),
                static_cast<int>(settings_.PixelDepth));
  SetDlgItemTextW(dialog, IDC_SAVE_INFO, info);

  InitSpin(IDC_SAVE_FROM_SPIN, settings_.SaveFirst + 1);
  InitSpin(IDC_SAVE_TO_SPIN, settings_.SaveLast + 1);
  InitSpin(IDC_SAVE_STEP_SPIN, settings_.SaveStep);

  SendDlgItemMessageW(dialog, IDC_SAVE_FOLDER, EM_LIMITTEXT, kFolderBoxChars, 0);
  SendDlgItemMessageW(dialog, IDC_SAVE_PREFIX, EM_LIMITTEXT, kImageNamePrefixChars, 0);
  WriteAnsiBox(dialog, IDC_SAVE_FOLDER, settings_.ImageFolder);
  WriteAnsiBox(dialog, IDC_SAVE_PREFIX, settings_.ImageNamePrefix);
  HICON browse = static_cast<HICON>(
      LoadImageW(FrameworkInstance(), MAKEINTRESOURCEW(IDI_BROWSE), IMAGE_ICON, 16, 16, LR_SHARED));
  SendDlgItemMessageW(dialog, IDC_SAVE_BROWSE, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(browse));

  FillFileTypes();
  WriteNumberBox(dialog, IDC_SAVE_RATE, settings_.OutputRate);
  UpdateCodecButton();
  UpdateOkButton();
  return TRUE;
}

// 32-bit range and position, so that recordings longer than 65535 frames can still be ranged.
void CSaveSequenceDlg::InitSpin(int spinId, std::uint32_t position) {
  const std::uint32_t frames = sequenceFrames_;
  const LPARAM last = frames < 1 ? 1 : frames > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<LPARAM>(frames);
  SendDlgItemMessageW(Handle(), spinId, UDM_SETRANGE32, 1, last);
  SendDlgItemMessageW(Handle(), spinId, UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

// What the operator typed, held to the spin's range; the spin's own position when the box holds
// no number. So From and To never give a frame before the first or after the last.
std::uint32_t CSaveSequenceDlg::SpinValue(int editId, int spinId) const {
  int low = 0, high = 0;
  SendDlgItemMessageW(Handle(), spinId, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                      reinterpret_cast<LPARAM>(&high));
  std::uint64_t typed = 0;
  if (!ReadUnsignedBox(Handle(), editId, typed)) {
    typed = static_cast<std::uint64_t>(SendDlgItemMessageW(Handle(), spinId, UDM_GETPOS32, 0, 0));
  }
  if (typed < static_cast<std::uint64_t>(low)) return static_cast<std::uint32_t>(low);
  if (typed > static_cast<std::uint64_t>(high)) return static_cast<std::uint32_t>(high);
  return static_cast<std::uint32_t>(typed);
}

void CSaveSequenceDlg::FillFileTypes() {
  HWND list = Item(IDC_SAVE_FILE_TYPE);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  int selected = 0;
  for (const FileTypeEntry& entry : kFileTypes) {
    wchar_t text[96];
    LoadText(entry.textId, text, 96);
    const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), entry.type);
    if (static_cast<std::uint32_t>(entry.type) == settings_.FileType) selected = static_cast<int>(index);
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int CSaveSequenceDlg::SelectedFileType() const {
  HWND list = Item(IDC_SAVE_FILE_TYPE);
  const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return 0;
  return static_cast<int>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void CSaveSequenceDlg::UpdateCodecButton() {
  EnableWindow(Item(IDC_SAVE_CODEC), HasCodecChoice(static_cast<int>(settings_.FileType)));
}

void CSaveSequenceDlg::UpdateOkButton() {
  EnableWindow(Item(IDOK), GetWindowTextLengthW(Item(IDC_SAVE_PREFIX)) > 0);
}

void CSaveSequenceDlg::OnCommand(int id, int code, HWND control) {
  if (id == IDC_SAVE_PREFIX && code == EN_CHANGE) {
    UpdateOkButton();
  } else if (id == IDC_SAVE_FILE_TYPE && code == CBN_SELCHANGE) {
    const int type = SelectedFileType();
    if (type != 0) settings_.FileType = static_cast<std::uint32_t>(type);
    UpdateCodecButton();
  } else if (id == IDC_SAVE_BROWSE && code == BN_CLICKED) {
    OnBrowse();
  } else if (id == IDC_SAVE_CODEC && code == BN_CLICKED) {
    OnCodec();
  } else {
    CDialog::OnCommand(id, code, control);
  }
}

void CSaveSequenceDlg::OnBrowse() {
  wchar_t title[128] = L"", initial[MAX_PATH] = L"", chosen[MAX_PATH];
  LoadText(IDS_BROWSE_TITLE, title, 128);
  MultiByteToWideChar(CP_ACP, 0, settings_.ImageFolder, -1, initial, MAX_PATH);
  initial[MAX_PATH - 1] = L'\0';
  if (!BrowseForFolder(Handle(), title, initial, chosen)) return;
  // The box shows the path as the shell gives it (a drive root with its backslash); the record
  // keeps it without, as every folder of the system is kept.
  SetDlgItemTextW(Handle(), IDC_SAVE_FOLDER, chosen);
  ReadSettingText(Handle(), IDC_SAVE_FOLDER, settings_.ImageFolder);
  RemoveTrailingBackslash(settings_.ImageFolder);
}

void CSaveSequenceDlg::OnCodec() {
  const int type = static_cast<int>(settings_.FileType);
  CodecInfo codec{};
  if (images_.GetGCompressionCodec) images_.GetGCompressionCodec(type, &codec);
  CCodecDlg dialog(images_, Handle());
  dialog.SetFileType(type);
  dialog.SetCodec(codec);
  if (dialog.DoModal() != IDOK) return;
  codec = dialog.Codec();
  // The library takes the choice at once: it stays current even if this dialog is cancelled.
  if (images_.SetGCompressionCodec) images_.SetGCompressionCodec(type, &codec);
  if (type == kTypeAvi) {
    settings_.CodecAVI = codec.CodecId;
    settings_.CodecAVIQual = codec.Quality;
  } else if (type == kTypeMov) {
    settings_.CodecMOV = codec.CodecId;
  } else {
    settings_.CodecJPGQual = codec.Quality;
  }
}

void CSaveSequenceDlg::OnOK() {
  HWND dialog = Handle();
  if (GetWindowTextLengthW(Item(IDC_SAVE_FOLDER)) > 0) {
    // The box may show a drive root with its backslash; the record keeps it without.
    ReadSettingText(dialog, IDC_SAVE_FOLDER, settings_.ImageFolder);
    RemoveTrailingBackslash(settings_.ImageFolder);
  }
  settings_.SaveFirst = SpinValue(IDC_SAVE_FROM, IDC_SAVE_FROM_SPIN) - 1;
  settings_.SaveLast = SpinValue(IDC_SAVE_TO, IDC_SAVE_TO_SPIN) - 1;
  settings_.SaveStep = SpinValue(IDC_SAVE_STEP, IDC_SAVE_STEP_SPIN);
  if (GetWindowTextLengthW(Item(IDC_SAVE_PREFIX)) > 0) {
    ReadSettingText(dialog, IDC_SAVE_PREFIX, settings_.ImageNamePrefix);
  }
  const int type = SelectedFileType();
  if (type != 0) settings_.FileType = static_cast<std::uint32_t>(type);
  std::uint64_t rate = 0;
  if (!ReadUnsignedBox(dialog, IDC_SAVE_RATE, rate) || rate < 1) rate = 1;
  settings_.OutputRate = rate > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(rate);
  CDialog::OnOK();
}
