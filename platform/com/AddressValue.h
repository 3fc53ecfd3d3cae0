// Turns a number a script handed on into an address of this process, exactly or not at all.
// Script languages carry addresses as 32-bit integers or as doubles (VBScript has no 64-bit
// integer), so both must convert without loss; an address is never truncated.
#pragma once

#include <cstdint>

// pointerBytes 4: -2^31 .. 2^32 - 1, a negative value being the same 32 bits read unsigned (a
// script's signed long); pointerBytes 8: 0 .. 2^64 - 1.
bool AddressFromInteger(std::int64_t value, unsigned pointerBytes, std::uint64_t& address);
bool AddressFromUnsigned(std::uint64_t value, unsigned pointerBytes, std::uint64_t& address);
// A double converts when it is a whole number inside the same ranges.
bool AddressFromDouble(double value, unsigned pointerBytes, std::uint64_t& address);
