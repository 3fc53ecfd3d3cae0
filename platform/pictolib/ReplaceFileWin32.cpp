// The C runtime's rename() refuses an existing target on Windows; MoveFileEx replaces it.
#include "platform/pictolib/ReplaceFile.h"

#include <windows.h>

bool MoveOverTarget(const std::string& temp, const std::string& target) {
  return MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFileQuietly(const std::string& path) { DeleteFileA(path.c_str()); }
