#include "framework/VectorState.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cpuid.h>

namespace {

// Whether the upper halves of the AVX registers are in use (the processor's XINUSE bit 2); false
// where the processor cannot tell.
bool UpperHalvesInUse(bool& known) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    known = __get_cpuid_count(0x0D, 1, &a, &b, &c, &d) && (a & 4) != 0 && __builtin_cpu_supports("avx");
    if (!known)
        return false;
    unsigned low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & 4) != 0;
}

// Filling an image is the case met: it left the state in use, which halved the speed of all the
// program's arithmetic after it.
TEST(VectorState, HandlersAndLongComputationsStartWithTheUpperHalvesClear) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    ClearUpperVectorState();
    bool known = false;
    const bool inUse = UpperHalvesInUse(known);
    if (!known)
        GTEST_SKIP() << "the processor does not report its vector state";
    EXPECT_FALSE(inUse);
}

} // namespace
