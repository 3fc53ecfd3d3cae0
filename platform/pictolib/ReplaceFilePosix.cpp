// rename() replaces an existing target atomically on POSIX systems.
#include "platform/pictolib/ReplaceFile.h"

#include <cstdio>

bool MoveOverTarget(const std::string& temp, const std::string& target) {
  return std::rename(temp.c_str(), target.c_str()) == 0;
}

void RemoveFileQuietly(const std::string& path) { std::remove(path.c_str()); }
