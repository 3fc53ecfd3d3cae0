// File replacement on Windows: ReplaceFileW over an existing file, else a write-through move.
#include "config/FileReplace.h"

#include <io.h>
#include <windows.h>

#include "config/ConfigPath.h"

namespace {
// The configuration paths are ANSI texts (the registry folder is read as ANSI).
bool Widen(const char* text, wchar_t (&out)[kConfigPathChars + 8]) {
  return MultiByteToWideChar(CP_ACP, 0, text, -1, out, kConfigPathChars + 8) > 0;
}
}  // namespace

int FlushFileToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 0 : 1; }

int ReplaceWithTemporary(const char* temporary, const char* target) {
  wchar_t wideTemporary[kConfigPathChars + 8];
  wchar_t wideTarget[kConfigPathChars + 8];
  if (!Widen(temporary, wideTemporary) || !Widen(target, wideTarget)) return 1;
  const DWORD attributes = GetFileAttributesW(wideTarget);
  // Never put a file in place of a folder (Wine's ReplaceFileW would), nor over a read-only file,
  // which could not have been opened for writing either.
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    return 1;
  }
  BOOL done;
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    done = ReplaceFileW(wideTarget, wideTemporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr);
  } else {
    done = MoveFileExW(wideTemporary, wideTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  return done ? 0 : 1;
}
