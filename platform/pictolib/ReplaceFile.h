// Moving a finished temporary file over its target, and removing files, on either platform.
#pragma once

#include <string>

// Replaces target with temp (target may exist); false leaves target as it was.
bool MoveOverTarget(const std::string& temp, const std::string& target);
void RemoveFileQuietly(const std::string& path);
