// The folder and prefix texts that automation hands to saving by address: 8-bit or UTF-16.
#pragma once

#include <cstddef>

enum SaveTextStatus : int {
  kSaveTextRead = 0,
  kSaveTextUnreadable = 1,  // memory ends before the text's terminator
  kSaveTextTooLong = 2,     // more characters than capacity
};

enum class TextEncoding : int { kUnknown, kEightBit, kUtf16 };

// Copies the text at `text` into out (capacity characters plus a terminator), reading nothing
// beyond the `readable` bytes from text on. Only a complete text is copied; otherwise out is
// left empty and the status says why.
//
// A text whose second byte is not 0 is 8-bit. One that starts with a character and a zero byte
// is either a one-character 8-bit text or UTF-16, and its own bytes cannot tell which without
// reading behind the 8-bit text's end: `encoding` says which, when the caller knows it from the
// other text of the same call; when it is kUnknown, the text is UTF-16 if it reads on as UTF-16
// of the 8-bit range up to a zero unit. `encoding` returns the encoding the text was read in.
// UTF-16 gives the low bytes of its units, up to the first unit whose low byte is 0.
SaveTextStatus SaveTextFromAddress(const void* text, std::size_t readable, char* out,
                                   std::size_t capacity, TextEncoding& encoding);
