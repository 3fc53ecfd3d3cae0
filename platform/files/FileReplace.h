// Durable replacement of a file by a finished temporary, for every file the system must not lose:
// the new file takes the old one's place only when it is complete.
#pragma once

#include <cstdio>

// Forces the stream's written data to the disk; non-zero on failure.
int FlushFileToDisk(std::FILE* file);

// Puts the complete file temporary in place of target. On failure target is as it was and
// temporary is still there for the caller to remove; returns non-zero. With a backup name, the
// file that was at target stays under that name (in place of any file there).
int ReplaceWithTemporary(const char* temporary, const char* target, const char* backup = nullptr);

// Removes a file, if there is one, without a word.
void RemoveFileQuietly(const char* path);
