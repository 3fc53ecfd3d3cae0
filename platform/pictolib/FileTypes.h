// The library's file types: extension, one or many frames per file, and the type check by pixel class.
#pragma once

#include <cstdint>

struct FileTypeInfo {
  int type;
  const char* extension;   // at most 7 characters
  bool multiFrame;
};

// nullptr for a number that is not one of the library's file types.
const FileTypeInfo* FindFileType(int type);

// Frames one multi-frame file may hold.
constexpr std::uint32_t kMaxSequenceFrames = 4000000;

// The type to use for frames of pixelClass when type was asked for (the rule is in the README).
int ValidateFileType(int type, int pixelClass);
