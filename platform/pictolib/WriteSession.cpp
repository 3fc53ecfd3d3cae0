// Frames go into "<name>.part" next to the target; the file takes its name only once it is a
// valid file: after its last frame, or closed early with the frames it holds (on request, after
// a failed frame, or when the library goes). An older file of the name stays until then.
#include "platform/pictolib/WriteSession.h"

#include "platform/files/FileReplace.h"

WriteSession::WriteSession(std::string target, int type, const SequenceParams& params)
    : target_(std::move(target)), temp_(target_ + ".part"), type_(type), params_(params),
      out_(params.limits.diskCapacity) {}

WriteSession::~WriteSession() {
  if (!closed_) Salvage(kPictoOk);
}

int WriteSession::Open() {
  const int status = CreateFrameWriter(type_, params_, writer_);
  if (status != kPictoOk) {
    closed_ = true;
    return status;
  }
  if (out_.Open(temp_)) return kPictoOk;
  closed_ = true;
  RemoveFileQuietly(temp_.c_str());
  return kPictoOpenFailed;
}

bool WriteSession::Continues(int type, const FrameLayout& layout, std::uint32_t index, std::uint32_t count) const {
  const FrameLayout& l = params_.layout;
  return !closed_ && type == type_ && index == FramesWritten() && count == params_.frameCount &&
         layout.width == l.width && layout.height == l.height && layout.depth == l.depth;
}

int WriteSession::AddFrame(const std::uint8_t* pixels, const FrameText& text) {
  writer_->Describe(text);
  const int status = writer_->WriteFrame(out_, pixels);
  if (status != kPictoOk) return Salvage(status);
  frameEnds_.push_back(out_.Size());
  if (FramesWritten() < params_.frameCount) return kPictoOk;
  const int closed = Close(FramesWritten());
  complete_ = closed == kPictoOk;
  return closed_ ? closed : Salvage(closed);
}

int WriteSession::End() {
  const int status = Close(FramesWritten());
  return closed_ ? status : Salvage(status);
}

// A complete file that cannot take its name (a read-only file or a folder there) stays as the
// temporary, so its frames are not lost.
int WriteSession::Close(std::uint32_t frames) {
  if (frames == 0 || !out_.Truncate(frameEnds_[frames - 1])) return kPictoWriteFailed;
  const int status = writer_->Finish(out_, frames);
  if (status != kPictoOk) return status;
  if (!out_.Close()) return kPictoWriteFailed;
  closed_ = true;
  return ReplaceWithTemporary(temp_.c_str(), target_.c_str()) == 0 ? kPictoOk : kPictoWriteFailed;
}

// Each try drops one more frame from the end, which frees room for the indexes and trailers
// that a full disk refused. Without a single frame there is nothing to keep.
int WriteSession::Salvage(int failure) {
  if (!closed_) {
    for (std::uint32_t frames = FramesWritten(); frames > 0; --frames)
      if (Close(frames) == kPictoOk) break;
  }
  if (!closed_) {
    out_.Discard();
    RemoveFileQuietly(temp_.c_str());
    closed_ = true;
  }
  return failure;
}
