// The PictoLib.dll exports: thin stdcall wrappers over one library object that lives as long as the DLL.
#include "platform/pictolib/PictoLibrary.h"

namespace {

PictoLibrary& Library() {
  static PictoLibrary library;
  return library;
}

// Nothing may unwind into the caller: an allocation failure becomes a status.
template <class Call>
int Guarded(Call call) {
  try {
    return call();
  } catch (...) {
    return kPictoInternal;
  }
}

}  // namespace

extern "C" {

int PICTO_CALL EnumGCompressionCodecs(int type, CodecInfo* entries, int* count) {
  return Guarded([&] { return Library().EnumCodecs(type, entries, count); });
}

int PICTO_CALL GetGCompressionCodec(int type, CodecInfo* out) {
  return Guarded([&] { return Library().GetCodec(type, out); });
}

int PICTO_CALL SetGCompressionCodec(int type, const CodecInfo* in) {
  return Guarded([&] { return Library().SetCodec(type, in); });
}

int PICTO_CALL ValidateGFileType(int type, int pixelClass) {
  return Guarded([&] { return Library().ValidateType(type, pixelClass); });
}

int PICTO_CALL GetExtFromGFileType(int type, char* ext) {
  return Guarded([&] { return Library().GetExtension(type, ext); });
}

int PICTO_CALL WriteGFile(const char* fileName, int frameIndex, int type, const ImageInfo* info, int, int,
                          const void* pixels, int frameCount) {
  return Guarded([&] { return Library().WriteFile(fileName, frameIndex, type, info, pixels, frameCount); });
}

int PICTO_CALL SetGFileText(const char* fileName, const char* description, const char* dateTime) {
  return Guarded([&] { return Library().SetFileText(fileName, description, dateTime); });
}

}  // extern "C"
