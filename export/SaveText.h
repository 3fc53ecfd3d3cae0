// The folder and prefix texts that automation hands to saving by address: 8-bit or UTF-16.
#pragma once

#include <cstddef>

enum SaveTextStatus : int {
  kSaveTextRead = 0,
  kSaveTextUnreadable = 1,  // memory ends before the text's terminator
  kSaveTextTooLong = 2,     // more characters than capacity
};

// Copies the text at `text` into out (capacity characters plus a terminator), reading nothing
// beyond the `readable` bytes from text on. Only a complete text is copied; otherwise out is
// left empty and the status says why.
SaveTextStatus SaveTextFromAddress(const void* text, std::size_t readable, char* out,
                                   std::size_t capacity);
