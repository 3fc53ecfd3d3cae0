// Frames go into "<name>.part" next to the target, which only appears, complete, after the last frame.
#include "platform/pictolib/WriteSession.h"

#include "platform/files/FileReplace.h"

WriteSession::WriteSession(std::string target, int type, const SequenceParams& params)
    : target_(std::move(target)), temp_(target_ + ".part"), type_(type), params_(params),
      out_(params.limits.diskCapacity) {}

WriteSession::~WriteSession() {
  if (complete_) return;
  out_.Close();
  RemoveFileQuietly(temp_.c_str());
}

int WriteSession::Open() {
  const int status = CreateFrameWriter(type_, params_, writer_);
  if (status != kPictoOk) return status;
  return out_.Open(temp_) ? kPictoOk : kPictoOpenFailed;
}

bool WriteSession::Continues(int type, const FrameLayout& layout, std::uint32_t index, std::uint32_t count) const {
  const FrameLayout& l = params_.layout;
  return !complete_ && type == type_ && index == next_ && count == params_.frameCount && layout.width == l.width &&
         layout.height == l.height && layout.depth == l.depth;
}

int WriteSession::AddFrame(const std::uint8_t* pixels) {
  int status = writer_->WriteFrame(out_, pixels);
  if (status != kPictoOk) return status;
  if (++next_ < params_.frameCount) return kPictoOk;
  status = writer_->Finish(out_);
  if (status != kPictoOk) return status;
  if (!out_.Close()) return kPictoWriteFailed;
  if (ReplaceWithTemporary(temp_.c_str(), target_.c_str()) != 0) return kPictoWriteFailed;
  complete_ = true;
  return kPictoOk;
}
