// The Codec dialog: picks one of PictoLib's codecs for a file type and its quality.
#pragma once

#include "export/ImageFileLibrary.h"
#include "platform/framework/Dialog.h"

class CCodecDlg : public CDialog {
 public:
  CCodecDlg(const PictoLibApi& images, HWND owner);

  void SetFileType(int type) { fileType_ = type; }
  void SetCodec(const CodecInfo& codec) { current_ = codec; }
  // After OK: the chosen entry, whole, with the quality set in the dialog.
  const CodecInfo& Codec() const { return current_; }

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnOK() override;

 private:
  static constexpr int kRoom = 128;
  static constexpr int kAskedFor = 64;

  int Selected() const;
  void ShowQuality(std::uint32_t quality);
  void ShowEntry(int index);
  void OnQualityScroll(int code);

  const PictoLibApi& images_;
  CodecInfo current_{};
  int fileType_ = kTypeAvi;
  CodecInfo entries_[kRoom]{};
  int count_ = 0;
};
