// Every type can hold every pixel class (lossless ones keep all bits, 8-bit ones the upper
// eight), so only numbers that are no file type are replaced: by TIFF of the same kind.
#include "platform/pictolib/FileTypes.h"

#include "platform/pictolib/PictoTypes.h"

namespace {

const FileTypeInfo kFileTypes[] = {
    {kTypeTiff, "tif", false},
    {kTypeBmp, "bmp", false},
    {kTypeJpeg, "jpg", false},
    {kTypePng, "png", false},
    {kTypeMultipageTiff, "mpt", true},
    {kTypeMultipageRaw, "mrf", true},
    {kTypePnmStream, "pnm", true},
    {kTypeCompressedSequence, "mcf", true},
    {kTypeAvi, "avi", true},
    {kTypeMov, "mov", true},
};

}  // namespace

const FileTypeInfo* FindFileType(int type) {
  for (const FileTypeInfo& t : kFileTypes)
    if (t.type == type) return &t;
  return nullptr;
}

int ValidateFileType(int type, int pixelClass) {
  (void)pixelClass;
  if (FindFileType(type) != nullptr) return type;
  return type >= kTypeMultipageTiff ? int(kTypeMultipageTiff) : int(kTypeTiff);
}
