// Argument checks and the per-file state of multi-frame writes. A multi-frame file starts at
// index 0, takes each next index in turn and is completed by index count - 1, or earlier by a
// call without pixels whose index and count are the frames written. A file left unfinished (a
// new start of its name, a frame out of order, a failed write, the library unloaded) is closed
// with the frames it holds, so nothing written is ever thrown away.
#include "platform/pictolib/PictoLibrary.h"

#include "platform/pictolib/FileTypes.h"

#include <cstring>

int PictoLibrary::EnumCodecs(int type, CodecInfo* entries, int* count) {
  std::lock_guard<std::mutex> lock(mutex_);
  return codecs_.Enumerate(type, entries, count);
}

int PictoLibrary::GetCodec(int type, CodecInfo* out) {
  std::lock_guard<std::mutex> lock(mutex_);
  return codecs_.Get(type, out);
}

int PictoLibrary::SetCodec(int type, const CodecInfo* in) {
  std::lock_guard<std::mutex> lock(mutex_);
  return codecs_.Set(type, in);
}

int PictoLibrary::ValidateType(int type, int pixelClass) { return ValidateFileType(type, pixelClass); }

int PictoLibrary::GetExtension(int type, char ext[8]) {
  if (ext == nullptr) return kPictoBadArgument;
  ext[0] = 0;
  const FileTypeInfo* info = FindFileType(type);
  if (info == nullptr) return kPictoUnknownType;
  std::strncpy(ext, info->extension, 7);
  ext[7] = 0;
  return kPictoOk;
}

std::size_t PictoLibrary::OpenFiles() {
  std::lock_guard<std::mutex> lock(mutex_);
  return sessions_.size();
}

int PictoLibrary::StartSession(const std::string& name, int type, const FrameLayout& layout, const ImageInfo& info,
                               std::uint32_t count, std::unique_ptr<WriteSession>& session) {
  SequenceParams params;
  params.layout = layout;
  params.frameCount = count;
  params.frameRate = info.FrameRate;
  params.codec = codecs_.Current(type);
  params.limits = limits_;
  session = std::make_unique<WriteSession>(name, type, params);
  return session->Open();
}

int PictoLibrary::EndFile(const std::string& name, int frames, int type, int frameCount) {
  const auto found = sessions_.find(name);
  if (found == sessions_.end() || frames < 1 || frames != frameCount ||
      !found->second->EndsAt(type, std::uint32_t(frames)))
    return kPictoBadArgument;
  const int status = found->second->End();
  sessions_.erase(found);
  return status;
}

int PictoLibrary::SetFileText(const char* fileName, const char* description, const char* dateTime) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (fileName == nullptr || fileName[0] == 0) return kPictoBadArgument;
  FrameText text;
  if (!ReadFrameText(description, dateTime, text)) return kPictoBadArgument;
  if (text.Empty()) {
    texts_.erase(fileName);
  } else {
    texts_[fileName] = std::move(text);
  }
  return kPictoOk;
}

// A text goes with exactly one frame, whatever becomes of it, so none lingers for a later file.
FrameText PictoLibrary::TakeText(const std::string& name) {
  FrameText text;
  const auto found = texts_.find(name);
  if (found == texts_.end()) return text;
  text = std::move(found->second);
  texts_.erase(found);
  return text;
}

int PictoLibrary::WriteFile(const char* fileName, int frameIndex, int type, const ImageInfo* info,
                            const void* pixels, int frameCount) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (fileName == nullptr || fileName[0] == 0) return kPictoBadArgument;
  const std::string name(fileName);
  const FrameText text = TakeText(name);
  if (pixels == nullptr) return EndFile(name, frameIndex, type, frameCount);
  const FileTypeInfo* fileType = FindFileType(type);
  if (fileType == nullptr) return kPictoUnknownType;
  FrameLayout layout;
  const int described = DescribeFrame(info, layout);
  if (described != kPictoOk) return described;
  const auto* frame = static_cast<const std::uint8_t*>(pixels);

  if (!fileType->multiFrame) {
    if (frameIndex != 0 || frameCount != 1) return kPictoBadArgument;
    std::unique_ptr<WriteSession> session;
    const int status = StartSession(name, type, layout, *info, 1, session);
    return status != kPictoOk ? status : session->AddFrame(frame, text);
  }

  if (frameCount < 1 || std::uint32_t(frameCount) > kMaxSequenceFrames || frameIndex < 0 ||
      frameIndex >= frameCount) {
    sessions_.erase(name);
    return kPictoBadArgument;
  }
  auto found = sessions_.find(name);
  if (frameIndex == 0) {
    if (found != sessions_.end()) sessions_.erase(found);
    std::unique_ptr<WriteSession> session;
    const int status = StartSession(name, type, layout, *info, std::uint32_t(frameCount), session);
    if (status != kPictoOk) return status;
    found = sessions_.emplace(name, std::move(session)).first;
  } else if (found == sessions_.end() ||
             !found->second->Continues(type, layout, std::uint32_t(frameIndex), std::uint32_t(frameCount))) {
    if (found != sessions_.end()) sessions_.erase(found);
    return kPictoOutOfOrder;
  }
  const int status = found->second->AddFrame(frame, text);
  if (status != kPictoOk || found->second->Complete()) sessions_.erase(found);
  return status;
}
