// The control module's object: the camera driver and the image-file library, loaded once from
// the control's own folder, whatever program hosts it.
#pragma once

#include "camera/TessaLibrary.h"
#include "export/ImageFileLibrary.h"

class CSelvarApp {
 public:
  static CSelvarApp& Instance();

  // Loaded on first use; a missing library leaves its table empty (no camera, no saving).
  const TessaDriverApi& Driver();
  const PictoLibApi& Images();

 private:
  void Load();

  bool loaded_ = false;
  TessaLibrary driver_;
  CImageFileLibrary images_;
};
