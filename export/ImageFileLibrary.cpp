// Loading PictoLib and the calls the view makes around it.
#include "export/ImageFileLibrary.h"

#include "acquisition/CameraSettings.h"

namespace {

template <typename Entry>
bool Bind(HMODULE module, const char* name, Entry& entry) {
  entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return entry != nullptr;
}

}  // namespace

int CImageFileLibrary::Load(const wchar_t* path) {
  api_ = PictoLibApi{};
  module_.reset(LoadLibraryW(path));
  if (!module_) return 1;
  PictoLibApi api{};
  HMODULE m = module_.get();
  if (!Bind(m, "EnumGCompressionCodecs", api.EnumGCompressionCodecs) ||
      !Bind(m, "GetGCompressionCodec", api.GetGCompressionCodec) ||
      !Bind(m, "SetGCompressionCodec", api.SetGCompressionCodec) ||
      !Bind(m, "ValidateGFileType", api.ValidateGFileType) ||
      !Bind(m, "GetExtFromGFileType", api.GetExtFromGFileType) ||
      !Bind(m, "WriteGFile", api.WriteGFile)) {
    module_.reset();
    return 1;
  }
  Bind(m, "SetGFileText", api.SetGFileText);
  api_ = api;
  return 0;
}

int ValidFileType(const PictoLibApi& library, int type, int pixelClass) {
  return library.ValidateGFileType ? library.ValidateGFileType(type, pixelClass) : type;
}

void ApplyCompressionSettings(const PictoLibApi& library, const CameraSettings& settings) {
  if (!library.GetGCompressionCodec || !library.SetGCompressionCodec) return;
  CodecInfo codec{};
  // AVI keeps the library's codec unless the record names one.
  if (library.GetGCompressionCodec(kTypeAvi, &codec) == 0) {
    if (settings.CodecAVI != 0) codec.CodecId = settings.CodecAVI;
    codec.Quality = settings.CodecAVIQual;
    library.SetGCompressionCodec(kTypeAvi, &codec);
  }
  if (library.GetGCompressionCodec(kTypeJpeg, &codec) == 0) {
    codec.Quality = settings.CodecJPGQual;
    library.SetGCompressionCodec(kTypeJpeg, &codec);
  }
  if (library.GetGCompressionCodec(kTypeMov, &codec) == 0) {
    codec.CodecId = settings.CodecMOV;
    library.SetGCompressionCodec(kTypeMov, &codec);
  }
}
