// Folder text rules.
#include "platform/files/FolderText.h"

#include <cstring>

void RemoveTrailingBackslash(char* folder) {
  const std::size_t length = std::strlen(folder);
  if (length > 0 && folder[length - 1] == '\\') folder[length - 1] = '\0';
}
