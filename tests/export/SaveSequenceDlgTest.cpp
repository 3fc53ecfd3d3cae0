// The Save Sequence and Codec dialogs under Wine, with the real PictoLib.dll, driven by control id.
#include "export/CSaveSequenceDlg.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "export/CCodecDlg.h"
#include "resources/SaveSequenceResources.h"
#include "tests/support/DialogScript.h"

namespace {

const std::wstring kSaveTitle = L"Save Sequence to file";

CameraSettings Thousand() {
  CameraSettings s{};
  SetDefaultSettings(s);
  s.AcquisitionFrames = 1000;
  s.PixelDepth = 10;
  s.SaveFirst = 0;
  s.SaveLast = 999;
  s.SaveStep = 1;
  std::strcpy(s.ImageFolder, "C:\\windows");
  return s;
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void ChooseItem(HWND dialog, int id, int index) {
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The trackbar as a drag leaves it: the position, then the end of the tracking.
void DragQuality(HWND dialog, int position) {
  HWND track = GetDlgItem(dialog, IDC_CODEC_QUALITY);
  SendMessageW(track, TBM_SETPOS, TRUE, position);
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(track));
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(track));
}

// The dialog as the screen shows it, kept in the build tree: the Browse button carries the
// project's folder icon (its front flap colour somewhere on the button).
bool BrowseIconShown(HWND dialog) {
  RECT button, window;
  GetWindowRect(GetDlgItem(dialog, IDC_SAVE_BROWSE), &button);
  GetWindowRect(dialog, &window);
  OffsetRect(&button, -window.left, -window.top);
  auto hasIcon = [&](const Screenshot& shot) {
    for (int y = button.top; y < button.bottom; ++y) {
      for (int x = button.left; x < button.right; ++x) {
        if (shot.At(x, y) == RGB(255, 210, 90)) return true;
      }
    }
    return false;
  };
  return hasIcon(CaptureWindow(dialog, ArtefactPath(L"SaveSequenceDlg.bmp").c_str(), hasIcon));
}

int FileTypeIndex(int type) {
  const int order[] = {1, 2, 3, 4, 11, 12, 14, 17, 20};
  for (int i = 0; i < 9; ++i) {
    if (order[i] == type) return i;
  }
  return -1;
}

class SaveSequenceDlg : public ::testing::Test {
 protected:
  SaveSequenceDlg() {
    images_.Load();
    // The library's choices outlive each test: every test starts from the AVI default.
    CodecInfo avi{};
    if (images_.IsLoaded() && images_.Api().GetGCompressionCodec(kTypeAvi, &avi) == 0) {
      avi.CodecId = 0;
      avi.Quality = 10000;
      images_.Api().SetGCompressionCodec(kTypeAvi, &avi);
    }
  }
  CodecInfo LibraryCodec(int type) {
    CodecInfo codec{};
    images_.Api().GetGCompressionCodec(type, &codec);
    return codec;
  }
  CImageFileLibrary images_;
};

TEST_F(SaveSequenceDlg, OpensWithTheRecordAndItsRanges) {
  struct {
    std::wstring info, from, to, step, folder, prefix, rate;
    int low = 0, high = 0, selected = -1, prefixLimit = 0;
    std::vector<std::wstring> types;
    std::vector<LRESULT> data;
    bool codec = true, ok = false, icon = false;
  } seen;
  CameraSettings s = Thousand();
  s.FileType = 4;
  CSaveSequenceDlg dialog(s, s.AcquisitionFrames, images_.Api(), nullptr);
  RunDialogScript(kSaveTitle, [&](HWND d) {
    seen.info = ItemText(d, IDC_SAVE_INFO);
    seen.from = ItemText(d, IDC_SAVE_FROM);
    seen.to = ItemText(d, IDC_SAVE_TO);
    seen.step = ItemText(d, IDC_SAVE_STEP);
    seen.folder = ItemText(d, IDC_SAVE_FOLDER);
    seen.prefix = ItemText(d, IDC_SAVE_PREFIX);
    seen.rate = ItemText(d, IDC_SAVE_RATE);
    SendDlgItemMessageW(d, IDC_SAVE_TO_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&seen.low),
                        reinterpret_cast<LPARAM>(&seen.high));
    HWND list = GetDlgItem(d, IDC_SAVE_FILE_TYPE);
    for (int i = 0; i < static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0)); ++i) {
      wchar_t text[96] = L"";
      SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      seen.types.push_back(text);
      seen.data.push_back(SendMessageW(list, CB_GETITEMDATA, i, 0));
    }
    seen.selected = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    seen.prefixLimit = static_cast<int>(SendDlgItemMessageW(d, IDC_SAVE_PREFIX, EM_GETLIMITTEXT, 0, 0));
    seen.codec = Enabled(d, IDC_SAVE_CODEC);
    seen.ok = Enabled(d, IDOK);
    seen.icon = BrowseIconShown(d);
    Press(d, IDOK);
  }, [&] { EXPECT_EQ(dialog.DoModal(), IDOK); });
  EXPECT_EQ(seen.info, L"1000 Frames (10 bit)");
  EXPECT_EQ(seen.from, L"1");
  EXPECT_EQ(seen.to, L"1000");
  EXPECT_EQ(seen.step, L"1");
  EXPECT_EQ(seen.low, 1);
  EXPECT_EQ(seen.high, 1000);
  EXPECT_EQ(seen.folder, L"C:\\windows");
  EXPECT_EQ(seen.prefix, L"Img");
  EXPECT_EQ(seen.rate, L"5");
  EXPECT_EQ(seen.types, (std::vector<std::wstring>{
                            L"Single TIFF Files (*.tif)", L"Single BITMAP Files (*.bmp)",
                            L"Single JPEG Files (*.jpg)", L"Single PNG File (*.png)",
                            L"Multipage TIFF File (*.mpt)", L"Multipage RAW File (*.mrf)",
                            L"Multiple Compressed File (*.mcf)", L"Audio Video Interleaved (*.avi)",
                            L"Apple QuickTime (*.mov)"}));
  EXPECT_EQ(seen.data, (std::vector<LRESULT>{1, 2, 3, 4, 11, 12, 14, 17, 20}));
  EXPECT_EQ(seen.selected, 3) << "PNG";
  EXPECT_EQ(seen.prefixLimit, 66);
  EXPECT_FALSE(seen.codec);
  EXPECT_TRUE(seen.ok);
  EXPECT_TRUE(seen.icon) << "the folder icon on the Browse button";
  const CameraSettings& out = dialog.Settings();
  EXPECT_EQ(out.SaveFirst, 0u);
  EXPECT_EQ(out.SaveLast, 999u);
  EXPECT_EQ(out.SaveStep, 1u);
  EXPECT_EQ(out.FileType, 4u);
  EXPECT_STREQ(out.ImageFolder, "C:\\windows");
}

TEST_F(SaveSequenceDlg, EditsReachTheRecordCorrectedOnOk) {
  const struct {
    const char* name;
    std::function<void(HWND)> edit;
    std::uint32_t first, last, step, rate, type;
    const char* prefix;
  } cases[] = {
      {"Step 0 and Rate 0 are stored as 1",
       [](HWND d) { Type(d, IDC_SAVE_STEP, L"0"); Type(d, IDC_SAVE_RATE, L"0"); }, 0, 999, 1, 1, 1, "Img"},
      {"From and To are held to the recording",
       [](HWND d) { Type(d, IDC_SAVE_FROM, L"0"); Type(d, IDC_SAVE_TO, L"5000"); }, 0, 999, 1, 5, 1, "Img"},
      {"a range, a step, a rate, a type and a prefix",
       [](HWND d) {
         Type(d, IDC_SAVE_FROM, L"11");
         Type(d, IDC_SAVE_TO, L"20");
         Type(d, IDC_SAVE_STEP, L"3");
         Type(d, IDC_SAVE_RATE, L"25");
         Type(d, IDC_SAVE_PREFIX, L"Run");
         ChooseItem(d, IDC_SAVE_FILE_TYPE, FileTypeIndex(17));
       },
       10, 19, 3, 25, 17, "Run"},
  };
  for (const auto& c : cases) {
    CSaveSequenceDlg dialog(Thousand(), 1000, images_.Api(), nullptr);
    RunDialogScript(kSaveTitle, [&](HWND d) { c.edit(d); Press(d, IDOK); },
                    [&] { EXPECT_EQ(dialog.DoModal(), IDOK) << c.name; });
    const CameraSettings& out = dialog.Settings();
    EXPECT_EQ(out.SaveFirst, c.first) << c.name;
    EXPECT_EQ(out.SaveLast, c.last) << c.name;
    EXPECT_EQ(out.SaveStep, c.step) << c.name;
    EXPECT_EQ(out.OutputRate, c.rate) << c.name;
    EXPECT_EQ(out.FileType, c.type) << c.name;
    EXPECT_STREQ(out.ImageNamePrefix, c.prefix) << c.name;
  }
}

TEST_F(SaveSequenceDlg, CodecAndOkFollowTheTypeAndThePrefix) {
  std::vector<bool> codec, ok;
  CSaveSequenceDlg dialog(Thousand(), 1000, images_.Api(), nullptr);
  RunDialogScript(kSaveTitle, [&](HWND d) {
    codec.push_back(Enabled(d, IDC_SAVE_CODEC));  // TIFF
    for (int type : {17, 4, 3, 20, 12}) {
      ChooseItem(d, IDC_SAVE_FILE_TYPE, FileTypeIndex(type));
      codec.push_back(Enabled(d, IDC_SAVE_CODEC));
    }
    Type(d, IDC_SAVE_PREFIX, L"");
    ok.push_back(Enabled(d, IDOK));
    Type(d, IDC_SAVE_PREFIX, L"x");
    ok.push_back(Enabled(d, IDOK));
    Press(d, IDCANCEL);
  }, [&] { EXPECT_EQ(dialog.DoModal(), IDCANCEL); });
  EXPECT_EQ(codec, (std::vector<bool>{false, true, false, true, true, false}));
  EXPECT_EQ(ok, (std::vector<bool>{false, true}));
}

// More than 65535 frames: the spins keep 32-bit positions.
TEST_F(SaveSequenceDlg, LongRecordingsKeepTheirRange) {
  CameraSettings s = Thousand();
  s.AcquisitionFrames = 70000;
  s.SaveLast = 69999;
  CSaveSequenceDlg dialog(s, s.AcquisitionFrames, images_.Api(), nullptr);
  std::wstring to;
  RunDialogScript(kSaveTitle, [&](HWND d) {
    to = ItemText(d, IDC_SAVE_TO);
    SendDlgItemMessageW(d, IDC_SAVE_FROM_SPIN, UDM_SETPOS32, 0, 66000);
    Press(d, IDOK);
  }, [&] { dialog.DoModal(); });
  EXPECT_EQ(to, L"70000");
  EXPECT_EQ(dialog.Settings().SaveFirst, 65999u);
  EXPECT_EQ(dialog.Settings().SaveLast, 69999u);
}

// The browser's callback preselects the folder; a drive root is shown with its backslash and kept
// without it.
TEST_F(SaveSequenceDlg, BrowsingToADriveRoot) {
  std::wstring shown, selected;
  CSaveSequenceDlg dialog(Thousand(), 1000, images_.Api(), nullptr);
  const int stages = RunDialogStages(
      {{DialogTitled(kSaveTitle), [](HWND d) { PostPress(d, IDC_SAVE_BROWSE); }},
       {DialogHolding(L"SysTreeView32"),
        [&](HWND browser) {
          HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
          wchar_t text[MAX_PATH] = L"";
          TVITEMW item{};
          item.mask = TVIF_TEXT;
          item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
          item.pszText = text;
          item.cchTextMax = MAX_PATH;
          SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
          selected = text;
          SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(L"C:\\"));
          Press(browser, IDOK);
        }},
       {DialogTitled(kSaveTitle),
        [&](HWND d) {
          shown = ItemText(d, IDC_SAVE_FOLDER);
          Press(d, IDOK);
        }}},
      [&] { dialog.DoModal(); });
  EXPECT_EQ(stages, 3);
  EXPECT_EQ(selected, L"windows") << "preselected from the record";
  EXPECT_EQ(shown, L"C:\\");
  EXPECT_STREQ(dialog.Settings().ImageFolder, "C:");
}

// A codec confirmed in the Codec dialog is the library's at once, even when the save dialog is
// then cancelled; the record copy keeps it per type.
TEST_F(SaveSequenceDlg, ConfirmedCodecReachesTheLibraryAtOnce) {
  ASSERT_TRUE(images_.IsLoaded());
  struct {
    std::vector<std::wstring> names;
    bool trackAtStart = true, trackAfterChoice = false;
    std::wstring quality;
    Screenshot shot;
  } seen;
  CameraSettings s = Thousand();
  s.FileType = kTypeAvi;
  CSaveSequenceDlg dialog(s, s.AcquisitionFrames, images_.Api(), nullptr);
  RunDialogStages(
      {{DialogTitled(kSaveTitle), [](HWND d) { PostPress(d, IDC_SAVE_CODEC); }},
       {DialogTitled(L"Codec"),
        [&](HWND c) {
          HWND list = GetDlgItem(c, IDC_CODEC_LIST);
          for (int i = 0; i < static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0)); ++i) {
            wchar_t text[128] = L"";
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            seen.names.push_back(text);
          }
          seen.trackAtStart = Enabled(c, IDC_CODEC_QUALITY);  // uncompressed, identifier 0
          ChooseItem(c, IDC_CODEC_LIST, 1);
          seen.trackAfterChoice = Enabled(c, IDC_CODEC_QUALITY);
          DragQuality(c, 75);
          seen.quality = ItemText(c, IDC_CODEC_QUALITY_TEXT);
          seen.shot = CaptureWindow(c, ArtefactPath(L"CodecDlg.bmp").c_str(),
                                    [](const Screenshot&) { return true; });
          Press(c, IDOK);
        }},
       {DialogTitled(kSaveTitle), [](HWND d) { Press(d, IDCANCEL); }}},
      [&] { EXPECT_EQ(dialog.DoModal(), IDCANCEL); });
  EXPECT_EQ(seen.names, (std::vector<std::wstring>{L"Uncompressed (full frames)", L"Motion JPEG"}));
  EXPECT_FALSE(seen.trackAtStart);
  EXPECT_TRUE(seen.trackAfterChoice);
  EXPECT_EQ(seen.quality, L"75");
  EXPECT_GT(seen.shot.width, 0);
  EXPECT_EQ(dialog.Settings().CodecAVI, 1u);
  EXPECT_EQ(dialog.Settings().CodecAVIQual, 7500u);
  const CodecInfo library = LibraryCodec(kTypeAvi);
  EXPECT_EQ(library.CodecId, 1u) << "Motion JPEG is the library's AVI codec";
  EXPECT_EQ(library.Quality, 7500u);
}

TEST_F(SaveSequenceDlg, CodecDialogShowsTheCurrentQualityAndKeepsItOnCancel) {
  ASSERT_TRUE(images_.IsLoaded());
  const struct {
    int type;
    std::uint32_t id, quality;
    bool track;
  } cases[] = {{kTypeJpeg, 1, 4200, true}, {kTypeAvi, 0, 6000, false}, {kTypeAvi, 1, 300, true}};
  for (const auto& c : cases) {
    CodecInfo current = LibraryCodec(c.type);
    current.CodecId = c.id;
    current.Quality = c.quality;
    CCodecDlg codec(images_.Api(), nullptr);
    codec.SetFileType(c.type);
    codec.SetCodec(current);
    std::wstring quality;
    bool track = !c.track;
    RunDialogScript(L"Codec", [&](HWND d) {
      quality = ItemText(d, IDC_CODEC_QUALITY_TEXT);
      track = Enabled(d, IDC_CODEC_QUALITY);
      DragQuality(d, 10);
      Press(d, IDCANCEL);
    }, [&] { EXPECT_EQ(codec.DoModal(), IDCANCEL); });
    EXPECT_EQ(quality, std::to_wstring(c.quality / 100)) << c.type;
    EXPECT_EQ(track, c.track) << c.type << " " << c.id;
    EXPECT_EQ(codec.Codec().Quality, c.quality) << "cancel keeps the record";
  }
}

}  // namespace
