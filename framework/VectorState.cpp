#include "framework/VectorState.h"

void ClearUpperVectorState() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool hasAVX = __builtin_cpu_supports("avx");
    // The program's own code uses no AVX registers, so nothing of its state is lost.
    if (hasAVX)
        asm volatile("vzeroupper");
#endif
}
