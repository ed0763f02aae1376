#include "sim/pair_scan.h"

#include <bit>
#include <cstring>
#include <iterator>

#if defined(__x86_64__) || defined(_M_X64) || defined(__SSE2__)
#define THERMAL_SCAN_SSE2 1
#include <emmintrin.h>
#endif

// Picking a wider kernel at run time needs the GCC/Clang target attribute and
// CPU query; other compilers keep the SSE2 kernel, which every x86-64 has.
#if THERMAL_SCAN_SSE2 && (defined(__GNUC__) || defined(__clang__))
#define THERMAL_SCAN_WIDE 1
#include <immintrin.h>
#endif

// A fused multiply-add would round the squared distance differently from
// interact(); the build turns contraction off, and clang hears it here too.
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#endif

namespace physics {

namespace {

// kShared: every molecule has view.commonRadius, so S² is one number for the
// whole pass. Either way S = ri + r_j takes the same value.

template <bool kShared>
inline double partnerRadius(const PairScanView& v, int j)
{
    return kShared ? v.commonRadius : v.radius[j];
}

// The exact test of one pair, for the tails of the vector kernels and for
// targets without them. Written as !(q >= S²) so that a NaN counts as a hit.
template <bool kShared>
inline bool mayTouch(const PairScanView& v, int j, double xi, double yi, double ri)
{
    const double dx = xi - v.x[j];
    const double dy = yi - v.y[j];
    const double s = ri + partnerRadius<kShared>(v, j);
    const double q = dx * dx + dy * dy;
    return !(q >= s * s);
}

template <bool kShared>
int scanScalar(const PairScanView& v, int from, int to, double xi, double yi, double ri)
{
    int j = from;
    while (j < to && !mayTouch<kShared>(v, j, xi, yi, ri))
        ++j;
    return j;
}

#if THERMAL_SCAN_SSE2

// Lanes whose pair is certainly apart, as bits of a mask. The ordered
// comparison is false for a NaN, so a NaN lane is reported as a possible hit.
template <bool kShared>
inline int apartMask2(const PairScanView& v, int j, __m128d xi, __m128d yi, __m128d ri, __m128d s2)
{
    const __m128d dx = _mm_sub_pd(xi, _mm_loadu_pd(v.x + j));
    const __m128d dy = _mm_sub_pd(yi, _mm_loadu_pd(v.y + j));
    const __m128d q = _mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy));
    if constexpr (!kShared) {
        const __m128d s = _mm_add_pd(ri, _mm_loadu_pd(v.radius + j));
        s2 = _mm_mul_pd(s, s);
    }
    return _mm_movemask_pd(_mm_cmpge_pd(q, s2));
}

// Bits of a mask with one bit per lane of a round, all set.
constexpr unsigned allLanes(int lanes)
{
    return lanes >= 32 ? ~0u : (1u << lanes) - 1;
}

// A round tests kBlocks vector blocks and branches once: in a sparse gas
// nearly every round finds nothing, and the branch is the costly part.
constexpr int kSse2Blocks = 4;

template <bool kShared>
int scanSse2(const PairScanView& v, int from, int to, double xi, double yi, double ri)
{
    constexpr int kLanes = 2;
    constexpr int kRound = kLanes * kSse2Blocks;
    const double s = ri + v.commonRadius;
    const __m128d vxi = _mm_set1_pd(xi);
    const __m128d vyi = _mm_set1_pd(yi);
    const __m128d vri = _mm_set1_pd(ri);
    const __m128d vs2 = _mm_set1_pd(s * s);
    int j = from;
    for (; j + kRound <= to; j += kRound) {
        unsigned apart = 0;
        for (int b = 0; b < kSse2Blocks; ++b) {
            const auto block = static_cast<unsigned>(
                apartMask2<kShared>(v, j + b * kLanes, vxi, vyi, vri, vs2));
            apart |= block << (b * kLanes);
        }
        if (apart != allLanes(kRound))
            return j + std::countr_zero(~apart);
    }
    return scanScalar<kShared>(v, j, to, xi, yi, ri);
}

#endif

#if THERMAL_SCAN_WIDE

// The wide kernels are compiled for their instruction set alone, without FMA,
// so no product and sum can be fused whatever the build flags say. The
// compiler ends each with vzeroupper, so the SSE code that runs after them
// pays no transition cost; the same vzeroupper also cleans up after any
// drawing code that left the upper halves dirty (see the benchmarks).

template <bool kShared>
__attribute__((target("avx"))) inline int apartMask4(const PairScanView& v, int j, __m256d xi,
                                                      __m256d yi, __m256d ri, __m256d s2)
{
    const __m256d dx = _mm256_sub_pd(xi, _mm256_loadu_pd(v.x + j));
    const __m256d dy = _mm256_sub_pd(yi, _mm256_loadu_pd(v.y + j));
    const __m256d q = _mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy));
    if constexpr (!kShared) {
        const __m256d s = _mm256_add_pd(ri, _mm256_loadu_pd(v.radius + j));
        s2 = _mm256_mul_pd(s, s);
    }
    return _mm256_movemask_pd(_mm256_cmp_pd(q, s2, _CMP_GE_OQ));
}

constexpr int kAvxBlocks = 4;

template <bool kShared>
__attribute__((target("avx"))) int scanAvx(const PairScanView& v, int from, int to, double xi,
                                            double yi, double ri)
{
    constexpr int kLanes = 4;
    constexpr int kRound = kLanes * kAvxBlocks;
    const double s = ri + v.commonRadius;
    const __m256d vxi = _mm256_set1_pd(xi);
    const __m256d vyi = _mm256_set1_pd(yi);
    const __m256d vri = _mm256_set1_pd(ri);
    const __m256d vs2 = _mm256_set1_pd(s * s);
    int j = from;
    for (; j + kRound <= to; j += kRound) {
        unsigned apart = 0;
        for (int b = 0; b < kAvxBlocks; ++b) {
            const auto block = static_cast<unsigned>(
                apartMask4<kShared>(v, j + b * kLanes, vxi, vyi, vri, vs2));
            apart |= block << (b * kLanes);
        }
        if (apart != allLanes(kRound))
            return j + std::countr_zero(~apart);
    }
    for (; j + kLanes <= to; j += kLanes) {
        const auto apart =
            static_cast<unsigned>(apartMask4<kShared>(v, j, vxi, vyi, vri, vs2));
        if (apart != allLanes(kLanes))
            return j + std::countr_zero(~apart);
    }
    return scanScalar<kShared>(v, j, to, xi, yi, ri);
}

template <bool kShared>
__attribute__((target("avx512f"))) inline unsigned apartMask8(const PairScanView& v, int j,
                                                              __m512d xi, __m512d yi, __m512d ri,
                                                              __m512d s2)
{
    const __m512d dx = _mm512_sub_pd(xi, _mm512_loadu_pd(v.x + j));
    const __m512d dy = _mm512_sub_pd(yi, _mm512_loadu_pd(v.y + j));
    const __m512d q = _mm512_add_pd(_mm512_mul_pd(dx, dx), _mm512_mul_pd(dy, dy));
    if constexpr (!kShared) {
        const __m512d s = _mm512_add_pd(ri, _mm512_loadu_pd(v.radius + j));
        s2 = _mm512_mul_pd(s, s);
    }
    return _mm512_cmp_pd_mask(q, s2, _CMP_GE_OQ);
}

constexpr int kAvx512Blocks = 4;

template <bool kShared>
__attribute__((target("avx512f"))) int scanAvx512(const PairScanView& v, int from, int to,
                                                  double xi, double yi, double ri)
{
    constexpr int kLanes = 8;
    constexpr int kRound = kLanes * kAvx512Blocks;
    const double s = ri + v.commonRadius;
    const __m512d vxi = _mm512_set1_pd(xi);
    const __m512d vyi = _mm512_set1_pd(yi);
    const __m512d vri = _mm512_set1_pd(ri);
    const __m512d vs2 = _mm512_set1_pd(s * s);
    int j = from;
    for (; j + kRound <= to; j += kRound) {
        unsigned apart = 0;
        for (int b = 0; b < kAvx512Blocks; ++b)
            apart |= apartMask8<kShared>(v, j + b * kLanes, vxi, vyi, vri, vs2) << (b * kLanes);
        if (apart != allLanes(kRound))
            return j + std::countr_zero(~apart);
    }
    // The rest, fewer than a round, under a mask: lanes past `to` are neither
    // loaded nor reported.
    while (j < to) {
        const int left = to - j;
        const auto live = static_cast<__mmask8>(left >= kLanes ? 0xFF : (1u << left) - 1);
        const __m512d dx = _mm512_sub_pd(vxi, _mm512_maskz_loadu_pd(live, v.x + j));
        const __m512d dy = _mm512_sub_pd(vyi, _mm512_maskz_loadu_pd(live, v.y + j));
        const __m512d q = _mm512_add_pd(_mm512_mul_pd(dx, dx), _mm512_mul_pd(dy, dy));
        __m512d s2 = vs2;
        if constexpr (!kShared) {
            const __m512d sj = _mm512_add_pd(vri, _mm512_maskz_loadu_pd(live, v.radius + j));
            s2 = _mm512_mul_pd(sj, sj);
        }
        const unsigned apart = _mm512_mask_cmp_pd_mask(live, q, s2, _CMP_GE_OQ);
        const unsigned hits = ~apart & live;
        if (hits != 0)
            return j + std::countr_zero(hits);
        j += kLanes;
    }
    return to;
}

#endif

using ScanFn = int (*)(const PairScanView&, int, int, double, double, double);

struct Kernel {
    ScanFn shared;
    ScanFn mixed;
    const char* name;
};

bool runsHere(const Kernel& k)
{
#if THERMAL_SCAN_WIDE
    __builtin_cpu_init();
    if (std::strcmp(k.name, "avx512") == 0)
        return __builtin_cpu_supports("avx512f");
    if (std::strcmp(k.name, "avx") == 0)
        return __builtin_cpu_supports("avx");
#endif
    (void)k;
    return true;
}

// Widest first; the last one runs everywhere.
constexpr Kernel kKernels[] = {
#if THERMAL_SCAN_WIDE
    {scanAvx512<true>, scanAvx512<false>, "avx512"},
    {scanAvx<true>, scanAvx<false>, "avx"},
#endif
#if THERMAL_SCAN_SSE2
    {scanSse2<true>, scanSse2<false>, "sse2"},
#endif
    {scanScalar<true>, scanScalar<false>, "scalar"},
};

Kernel widest()
{
    for (const Kernel& k : kKernels) {
        if (runsHere(k))
            return k;
    }
    return kKernels[std::size(kKernels) - 1];
}

Kernel& active()
{
    static Kernel chosen = widest();
    return chosen;
}

} // namespace

bool selectPairScan(const char* kind)
{
    for (const Kernel& k : kKernels) {
        if (std::strcmp(k.name, kind) == 0 && runsHere(k)) {
            active() = k;
            return true;
        }
    }
    return false;
}

int nextContact(const PairScanView& view, int from, int to, double xi, double yi, double ri)
{
    const Kernel& k = active();
    return (view.radius ? k.mixed : k.shared)(view, from, to, xi, yi, ri);
}

const char* pairScanKind()
{
    return active().name;
}

} // namespace physics
