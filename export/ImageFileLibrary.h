// PictoLib as the system sees it: the six exports by name, loaded from PictoLib.dll, and the
// texts for saved frames where the library offers them.
#pragma once

#include "platform/pictolib/PictoTypes.h"
#include "platform/win32/UniqueHandle.h"

struct PictoLibApi {
  int(__stdcall* EnumGCompressionCodecs)(int type, CodecInfo* array, int* count);
  int(__stdcall* GetGCompressionCodec)(int type, CodecInfo* out);
  int(__stdcall* SetGCompressionCodec)(int type, const CodecInfo* in);
  int(__stdcall* ValidateGFileType)(int type, int pixelClass);
  int(__stdcall* GetExtFromGFileType)(int type, char ext[8]);
  int(__stdcall* WriteGFile)(const char* fileName, int frameIndex, int type, const ImageInfo* info,
                             int, int, const void* pixels, int frameCount);
  // Optional: null with a library that has no place for texts.
  int(__stdcall* SetGFileText)(const char* fileName, const char* description, const char* dateTime);
};

class CImageFileLibrary {
 public:
  // Returns 0 when the DLL and all six required exports were found; otherwise the table stays empty.
  int Load(const wchar_t* path = L"PictoLib.dll");
  bool IsLoaded() const { return api_.WriteGFile != nullptr; }
  const PictoLibApi& Api() const { return api_; }

 private:
  UniqueModule module_;
  PictoLibApi api_{};
};

// The file type the library accepts for frames of the pixel class; the given type when the
// library is missing, so a setting is never lost for want of it.
int ValidFileType(const PictoLibApi& library, int type, int pixelClass);

// Makes the settings record's AVI, JPEG and MOV codec choices current in the library.
struct CameraSettings;
void ApplyCompressionSettings(const PictoLibApi& library, const CameraSettings& settings);
