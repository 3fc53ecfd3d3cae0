// What the vector kernels share: on x86 each one is compiled for the instruction set it names,
// beside the plain loops, and used only where the processor has that set (the 32-bit build cannot
// assume even SSE2). Elsewhere SELVAR_VECTORS is not defined and no processor has either set.
#pragma once

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#define SELVAR_VECTORS 1

#define SELVAR_SSE2 __attribute__((target("sse2")))
#define SELVAR_SSSE3 __attribute__((target("ssse3")))
// Vector values pass between these only inlined: the 32-bit calling convention has no SSE registers.
#define SELVAR_SSE2_INLINE inline __attribute__((target("sse2"), always_inline))
#define SELVAR_SSSE3_INLINE inline __attribute__((target("ssse3"), always_inline))

inline bool HasSse2() { return __builtin_cpu_supports("sse2"); }
inline bool HasSsse3() { return __builtin_cpu_supports("ssse3"); }
#else
inline bool HasSse2() { return false; }
inline bool HasSsse3() { return false; }
#endif
