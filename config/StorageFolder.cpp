// Storage folder rule: registered shared documents folder, else the process's current directory.
#include "config/StorageFolder.h"

#include <windows.h>

#include <cstring>

#include "config/ConfigPath.h"

void GetStorageFolder(char* out) {
  out[0] = '\0';
  GetSharedDocumentsFolder(out);
  if (out[0] == '\0') {
    const DWORD length = GetCurrentDirectoryA(kFolderChars, out);
    // A current directory too long for the folder text still names the current directory.
    if (length == 0 || length >= kFolderChars) std::strcpy(out, ".");
  }
  RemoveTrailingBackslash(out);
}
