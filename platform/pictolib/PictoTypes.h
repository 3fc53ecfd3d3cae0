// Records, file types and status codes of the PictoLib image-file library, shared with its callers.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define PICTO_CALL __stdcall
#else
#define PICTO_CALL
#endif

// One codec of a file type, copied whole between library and caller.
struct CodecInfo {
  std::uint32_t FileType;      // library-owned: the file type this entry belongs to
  std::uint32_t Signature;     // library-owned: kCodecSignature
  std::uint32_t CodecId;       // for AVI, 0 is the codec without quality setting
  std::uint32_t FourCC;        // library-owned: the tag written into the movie file
  std::uint32_t Quality;       // 0 to 10000
  char Name[128];
};
static_assert(sizeof(CodecInfo) == 148, "CodecInfo is 148 bytes");
static_assert(offsetof(CodecInfo, CodecId) == 8, "codec identifier at 8");
static_assert(offsetof(CodecInfo, Quality) == 16, "quality at 16");
static_assert(offsetof(CodecInfo, Name) == 20, "name at 20");

// Geometry and timing of the frames handed to WriteGFile.
struct ImageInfo {
  std::uint32_t Size;          // 48
  std::uint32_t Width;
  std::uint32_t Height;
  std::uint32_t PixelDepth;    // 8, 9, 10, 24, 27 or 30
  std::uint32_t ColorKind;     // 0 below 24 bits, else 2
  std::uint32_t Reserved20;
  float FrameRate;             // frames per second, used by the movie types
  std::uint32_t Reserved28[5];
};
static_assert(sizeof(ImageInfo) == 48, "ImageInfo is 48 bytes");
static_assert(offsetof(ImageInfo, Width) == 4, "width at 4");
static_assert(offsetof(ImageInfo, Height) == 8, "height at 8");
static_assert(offsetof(ImageInfo, PixelDepth) == 12, "depth at 12");
static_assert(offsetof(ImageInfo, ColorKind) == 16, "colour kind at 16");
static_assert(offsetof(ImageInfo, FrameRate) == 24, "frame rate at 24");

constexpr std::uint32_t kCodecSignature = 0x49434C50;  // "PLCI"

enum PictoFileType : int {
  kTypeTiff = 1,
  kTypeBmp = 2,
  kTypeJpeg = 3,
  kTypePng = 4,
  kTypeMultipageTiff = 11,
  kTypeMultipageRaw = 12,
  kTypePnmStream = 13,
  kTypeCompressedSequence = 14,
  kTypeAvi = 17,
  kTypeMov = 20,
};

// Statuses of every operation; 0 is success.
enum PictoStatus : int {
  kPictoOk = 0,
  kPictoBadArgument = 1,      // null pointer, bad record size, index or count out of range
  kPictoUnknownType = 2,      // not one of the library's file types
  kPictoBadGeometry = 3,      // zero or absurd width or height, unsupported depth
  kPictoUnknownCodec = 4,     // codec identifier the type does not offer, or quality above 10000
  kPictoOpenFailed = 5,       // the file (or its temporary) cannot be created
  kPictoWriteFailed = 6,      // write, flush, close or rename failed (disk full)
  kPictoOutOfOrder = 7,       // frame index or count does not continue the file's sequence
  kPictoTooLarge = 8,         // the file would exceed what its format can address
  kPictoInternal = 9,         // out of memory or another unexpected failure
};
