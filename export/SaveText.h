// The folder and prefix texts that automation hands to saving by address: 8-bit or UTF-16.
#pragma once

#include <cstddef>

// Copies the text at `text` into out (capacity characters plus a terminator). A text exactly one
// byte long before its zero byte is UTF-16, and its characters are the low bytes of its units up
// to the first unit whose low byte is 0; any other text is 8-bit and copied as it is. Nothing is
// read beyond capacity characters, nor beyond the `readable` bytes from text on: a one-character
// 8-bit text looks like UTF-16, and where memory ends after its zero byte it stays one character.
void SaveTextFromAddress(const void* text, std::size_t readable, char* out, std::size_t capacity);
