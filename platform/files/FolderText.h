// Folder texts as the system keeps them: never with a trailing backslash.
#pragma once

// Removes one trailing backslash in place, so that the separator added later never doubles.
void RemoveTrailingBackslash(char* folder);
