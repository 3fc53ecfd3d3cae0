// The machine's shared documents folder, as registered for all users.
#pragma once

#include <cstddef>

constexpr std::size_t kFolderChars = 260;

// Copies the registered "Common Documents" folder into out (kFolderChars bytes, always
// terminated) and returns 0; returns non-zero and leaves out untouched when it cannot be read.
int GetSharedDocumentsFolder(char* out);
