// Byte shuffles for the loops that spread or gather bytes sixteen at a time:
// SSSE3's on x86 processors that have it (nearly all x86-64 ones; the
// baseline set lacks it, so they ask at run time), and in the WebAssembly
// build the same intrinsics, which emscripten turns into WebAssembly's
// 128-bit vector operations (built with -mssse3 -msimd128; every browser that
// runs the page has them).
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ORBALUX_BYTE_SHUFFLES 1
#define ORBALUX_SHUFFLES_TARGET __attribute__((target("ssse3")))
namespace orbalux {
inline bool HaveByteShuffles() { return __builtin_cpu_supports("ssse3"); }
}  // namespace orbalux
#elif defined(__EMSCRIPTEN__) && defined(__SSSE3__)
#include <tmmintrin.h>
#define ORBALUX_BYTE_SHUFFLES 1
#define ORBALUX_SHUFFLES_TARGET
namespace orbalux {
inline bool HaveByteShuffles() { return true; }
}  // namespace orbalux
#endif
