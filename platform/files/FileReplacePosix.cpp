// File replacement for the native build, where rename() replaces atomically.
#include "platform/files/FileReplace.h"

#include <unistd.h>

int FlushFileToDisk(std::FILE* file) { return fsync(fileno(file)) == 0 ? 0 : 1; }

int ReplaceWithTemporary(const char* temporary, const char* target) {
  return std::rename(temporary, target) == 0 ? 0 : 1;
}

void RemoveFileQuietly(const char* path) { std::remove(path); }
