// The Save Sequence dialog: folder, prefix, range, file type, rate and codec of a save, edited on
// a copy of the settings record.
#pragma once

#include <cstdint>

#include "acquisition/CameraSettings.h"
#include "export/ImageFileLibrary.h"
#include "platform/framework/Dialog.h"

class CSaveSequenceDlg : public CDialog {
 public:
  // sequenceFrames: the frames of the recorded sequence, which the range may name.
  CSaveSequenceDlg(const CameraSettings& settings, std::uint32_t sequenceFrames,
                   const PictoLibApi& images, HWND owner);

  // After OK: the operator's choices; the caller copies the record back whole.
  const CameraSettings& Settings() const { return settings_; }

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int code, HWND control) override;
  void OnOK() override;

 private:
  void InitSpin(int spinId, std::uint32_t position);
  std::uint32_t SpinValue(int editId, int spinId) const;
  void FillFileTypes();
  int SelectedFileType() const;
  void UpdateCodecButton();
  void UpdateOkButton();
  void OnBrowse();
  void OnCodec();

  CameraSettings settings_;
  std::uint32_t sequenceFrames_;
  const PictoLibApi& images_;
};
