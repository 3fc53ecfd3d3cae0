// File replacement for the native build, where rename() replaces atomically.
#include "platform/files/FileReplace.h"

#include <unistd.h>

int FlushFileToDisk(std::FILE* file) { return fsync(fileno(file)) == 0 ? 0 : 1; }

int ReplaceWithTemporary(const char* temporary, const char* target, const char* backup) {
  // The old file gets its second name before the new one takes the first.
  if (backup) {
    std::remove(backup);
    if (link(target, backup) != 0) return 1;
  }
  if (std::rename(temporary, target) == 0) return 0;
  if (backup) std::remove(backup);
  return 1;
}

void RemoveFileQuietly(const char* path) { std::remove(path); }
