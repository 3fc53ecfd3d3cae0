// Picks the encoder for a file type and, for the movie types, the codec made current for it.
#include "platform/pictolib/AviWriter.h"
#include "platform/pictolib/BmpWriter.h"
#include "platform/pictolib/CodecSettings.h"
#include "platform/pictolib/CompressedSequenceWriter.h"
#include "platform/pictolib/FrameWriter.h"
#include "platform/pictolib/JpegWriter.h"
#include "platform/pictolib/MovWriter.h"
#include "platform/pictolib/PngWriter.h"
#include "platform/pictolib/PnmStreamWriter.h"
#include "platform/pictolib/RawSequenceWriter.h"
#include "platform/pictolib/TiffWriter.h"

int CreateFrameWriter(int type, const SequenceParams& params, std::unique_ptr<FrameWriter>& writer) {
  const FrameLayout& l = params.layout;
  const bool jpegCodec = params.codec.CodecId == kCodecJpeg;
  RateFraction rate;
  if ((type == kTypeAvi || type == kTypeMov) && !ToRateFraction(params.frameRate, rate)) return kPictoBadArgument;
  switch (type) {
    case kTypeTiff: writer = std::make_unique<TiffWriter>(params, false); break;
    case kTypeMultipageTiff: writer = std::make_unique<TiffWriter>(params, true); break;
    case kTypeBmp: writer = std::make_unique<BmpWriter>(l); break;
    case kTypeJpeg: writer = std::make_unique<JpegWriter>(params); break;
    case kTypePng: writer = std::make_unique<PngWriter>(l); break;
    case kTypeMultipageRaw: writer = std::make_unique<RawSequenceWriter>(params); break;
    case kTypePnmStream: writer = std::make_unique<PnmStreamWriter>(l); break;
    case kTypeCompressedSequence: writer = std::make_unique<CompressedSequenceWriter>(params); break;
    case kTypeAvi:
      writer = std::make_unique<AviWriter>(params, rate, jpegCodec ? MovieCodec::Jpeg : MovieCodec::Dib);
      break;
    case kTypeMov:
      writer = std::make_unique<MovWriter>(params, rate, jpegCodec ? MovieCodec::Jpeg : MovieCodec::RawRgb);
      break;
    default: return kPictoUnknownType;
  }
  return kPictoOk;
}
