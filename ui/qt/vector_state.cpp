#include "ui/qt/vector_state.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define THERMAL_VZEROUPPER_GNU 1
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#include <immintrin.h>
#include <intrin.h>
#define THERMAL_VZEROUPPER_MSVC 1
#endif

namespace vector_state {

namespace {

#if THERMAL_VZEROUPPER_GNU
// Built for AVX on its own, so the rest of the program stays baseline and
// runs on processors without it; called only where AVX is there.
__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

bool haveAvx()
{
    static const bool have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return have;
}
#elif THERMAL_VZEROUPPER_MSVC
void zeroUpper()
{
    _mm256_zeroupper();
}

// AVX in the processor (CPUID 1: ECX bit 28) and its registers saved by the
// system (OSXSAVE, bit 27, and XCR0 bits 1 and 2).
bool haveAvx()
{
    static const bool have = [] {
        constexpr int kOsxsave = 1 << 27;
        constexpr int kAvx = 1 << 28;
        constexpr unsigned long long kSseAndAvxState = 0x6;
        int info[4] = {};
        __cpuid(info, 1);
        if ((info[2] & kOsxsave) == 0 || (info[2] & kAvx) == 0)
            return false;
        return (_xgetbv(0) & kSseAndAvxState) == kSseAndAvxState;
    }();
    return have;
}
#endif

} // namespace

void clearUpperHalves()
{
#if THERMAL_VZEROUPPER_GNU || THERMAL_VZEROUPPER_MSVC
    if (haveAvx())
        zeroUpper();
#endif
}

} // namespace vector_state
