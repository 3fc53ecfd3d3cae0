// Registry lookup of the shared documents folder.
#include "config/SharedFolder.h"

#include <windows.h>

#include <cstring>

int GetSharedDocumentsFolder(char* out) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                    KEY_READ, &key) != ERROR_SUCCESS) {
    return 1;
  }
  // One byte more than the caller's buffer, so that an unterminated value is still cut safely.
  char value[kFolderChars + 1] = {};
  DWORD bytes = kFolderChars;
  const LONG status =
      RegQueryValueExA(key, "Common Documents", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(value), &bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return 1;
  value[kFolderChars - 1] = '\0';
  std::memcpy(out, value, kFolderChars);
  return 0;
}
