// File replacement on Windows: ReplaceFileW over an existing file, else a write-through move.
#include "platform/files/FileReplace.h"

#include <io.h>
#include <windows.h>

#include <string>

namespace {

// The system's paths are ANSI texts (the registry folder is read as ANSI).
bool Widen(const char* text, std::wstring& out) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return false;
  out.resize(static_cast<std::size_t>(length));
  return MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), length) > 0;
}

}  // namespace

int FlushFileToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 0 : 1; }

int ReplaceWithTemporary(const char* temporary, const char* target, const char* backup) {
  std::wstring wideTemporary;
  std::wstring wideTarget;
  std::wstring wideBackup;
  if (!Widen(temporary, wideTemporary) || !Widen(target, wideTarget)) return 1;
  if (backup && !Widen(backup, wideBackup)) return 1;
  // A new name first: the move refuses any target there, and costs one look-up of the name
  // (under Wine a read of the whole folder) where asking about the target first cost two.
  if (MoveFileExW(wideTemporary.c_str(), wideTarget.c_str(), MOVEFILE_WRITE_THROUGH)) return 0;
  const DWORD attributes = GetFileAttributesW(wideTarget.c_str());
  // Never put a file in place of a folder (Wine's ReplaceFileW would), nor over a read-only file,
  // which could not have been opened for writing either.
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    return 1;
  }
  return ReplaceFileW(wideTarget.c_str(), wideTemporary.c_str(), backup ? wideBackup.c_str() : nullptr,
                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
             ? 0
             : 1;
}

void RemoveFileQuietly(const char* path) { DeleteFileA(path); }
