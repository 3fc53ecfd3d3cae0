// The image-file library behind the PictoLib exports: codec settings, the files being written and
// the texts waiting for their next frame.
#pragma once

#include "platform/pictolib/CodecSettings.h"
#include "platform/pictolib/PictoTypes.h"
#include "platform/pictolib/WriteSession.h"
#include "platform/pictolib/WriterLimits.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

class PictoLibrary {
 public:
  explicit PictoLibrary(const WriterLimits& limits = WriterLimits{}) : limits_(limits) {}

  int EnumCodecs(int type, CodecInfo* entries, int* count);
  int GetCodec(int type, CodecInfo* out);
  int SetCodec(int type, const CodecInfo* in);
  int ValidateType(int type, int pixelClass);
  int GetExtension(int type, char ext[8]);
  int WriteFile(const char* fileName, int frameIndex, int type, const ImageInfo* info, const void* pixels,
                int frameCount);
  // Texts for the next frame written under fileName; both null or empty forget them.
  int SetFileText(const char* fileName, const char* description, const char* dateTime);

  // Multi-frame files started and not yet completed.
  std::size_t OpenFiles();

 private:
  FrameText TakeText(const std::string& name);
  int EndFile(const std::string& name, int frames, int type, int frameCount);
  int StartSession(const std::string& name, int type, const FrameLayout& layout, const ImageInfo& info,
                   std::uint32_t count, std::unique_ptr<WriteSession>& session);

  std::mutex mutex_;
  WriterLimits limits_;
  CodecSettings codecs_;
  // Keyed by the file name exactly as the caller spells it.
  std::map<std::string, std::unique_ptr<WriteSession>> sessions_;
  // Waiting for the next frame of their file, by the same spelling of its name.
  std::map<std::string, FrameText> texts_;
};
