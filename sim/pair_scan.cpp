#include "sim/pair_scan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

#include "sim/physics.h"

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

namespace physics {

namespace {

// How the test can rule a pair out without changing any result.
//
// A partner is ruled out when its single-precision squared distance from the
// scan centre reaches (S + M)². Three things part that test from the exact
// one, which rules out exactly the pairs whose double squared distance
// reaches S²:
//  - rounding both centres to single precision, under 2^-11 px per coordinate
//    within ±kLaneRange, so under 0.003 px in their distance (clamping a
//    centre into that range, see laneOf, only brings the lanes closer);
//  - the single-precision arithmetic, a few parts in 2^24 of the distance;
//  - after a push, the scan centre being an estimate of the molecule's new
//    centre (see estimateAfterPush), off by at most 1.5 S e px, where e bounds
//    the relative error of the kernel's reciprocal square root.
// M = 1/64 + S (2^-16 + 3 e) px is larger than all three together for every
// S, with the estimate's share doubled, so a pair the test rules out is one
// the pair step would have left alone. The margin is kept this tight because
// every pair it lets through costs a pair step: in a dense gas many pairs sit
// just outside contact.
double marginFor(double S, double e)
{
    return 1.0 / 64 + S * (0x1p-16 + 2 * kPushFactor * e);
}

float thresholdFor(double S, double e)
{
    const double reach = S + marginFor(S, e);
    return static_cast<float>(reach * reach);
}

// Lanes tested at once: the bits of one mask.
constexpr int kWindow = 64;

static_assert(kLanePadding >= kWindow, "a window starting at the last molecule must fit");

// Reciprocal square roots from the processor's estimate instructions are
// specified for normal inputs only; below this the scan keeps the exact
// centre.
constexpr double kSmallestEstimated = 0x1p-100;

// Each kernel: near() gives, for the kWindow lanes from w, the bits of those
// the test cannot rule out from the scan centre (cx, cy), NaN lanes among
// them: the compare is "not >=", which holds for unordered values and leaves
// no negation on the path to the next partner; kEstimates says whether
// reciprocalSqrt() exists, and kEstimateError bounds its relative error.

struct ScalarKernel {
    static constexpr bool kEstimates = false;
    static constexpr double kEstimateError = 0;

    static std::uint64_t near(const float* x, const float* y, int w, float cx, float cy, float t)
    {
        std::uint64_t bits = 0;
        for (int k = 0; k < kWindow; ++k) {
            const float dx = cx - x[w + k];
            const float dy = cy - y[w + k];
            bits |= static_cast<std::uint64_t>(!(dx * dx + dy * dy >= t)) << k;
        }
        return bits;
    }
};

#if THERMAL_SCAN_SSE2

// The SSE estimate, on the single-precision value of q (whose rounding adds
// a relative 2^-25, well inside the margin's doubling). A q this test hands
// it is below S² and at least kSmallestEstimated, well inside that range.
inline double reciprocalSqrtSse(double q)
{
    return _mm_cvtss_f32(_mm_rsqrt_ss(_mm_cvtsd_ss(_mm_setzero_ps(), _mm_set_sd(q))));
}

// The processor's estimate is specified within a relative 1.5 · 2^-12.
constexpr double kSseEstimateError = 1.5 * 0x1p-12;

struct Sse2Kernel {
    static constexpr bool kEstimates = true;
    static constexpr double kEstimateError = kSseEstimateError;
    static constexpr int kLanes = 4;

    static std::uint64_t near(const float* x, const float* y, int w, float cx, float cy, float t)
    {
        const __m128 vx = _mm_set1_ps(cx);
        const __m128 vy = _mm_set1_ps(cy);
        const __m128 vt = _mm_set1_ps(t);
        std::uint64_t bits = 0;
        for (int b = 0; b < kWindow / kLanes; ++b) {
            const __m128 dx = _mm_sub_ps(vx, _mm_loadu_ps(x + w + b * kLanes));
            const __m128 dy = _mm_sub_ps(vy, _mm_loadu_ps(y + w + b * kLanes));
            const __m128 q = _mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy));
            const auto block = static_cast<unsigned>(_mm_movemask_ps(_mm_cmpnge_ps(q, vt)));
            bits |= static_cast<std::uint64_t>(block) << (b * kLanes);
        }
        return bits;
    }

    static double reciprocalSqrt(double q) { return reciprocalSqrtSse(q); }
};

#endif

#if THERMAL_SCAN_WIDE

// The wide kernels are compiled for their instruction set alone, so the
// compiler ends each pass with vzeroupper and the SSE code after it pays no
// transition cost; the same also cleans up after any drawing code that left
// the upper halves dirty (see the benchmarks).
#define THERMAL_AVX __attribute__((target("avx")))
#define THERMAL_AVX512 __attribute__((target("avx512f,fma"))) // every AVX-512 chip has FMA

struct AvxKernel {
    static constexpr bool kEstimates = true;
    static constexpr double kEstimateError = kSseEstimateError;
    static constexpr int kLanes = 8;

    THERMAL_AVX static std::uint64_t near(const float* x, const float* y, int w, float cx,
                                          float cy, float t)
    {
        const __m256 vx = _mm256_set1_ps(cx);
        const __m256 vy = _mm256_set1_ps(cy);
        const __m256 vt = _mm256_set1_ps(t);
        std::uint64_t bits = 0;
        for (int b = 0; b < kWindow / kLanes; ++b) {
            const __m256 dx = _mm256_sub_ps(vx, _mm256_loadu_ps(x + w + b * kLanes));
            const __m256 dy = _mm256_sub_ps(vy, _mm256_loadu_ps(y + w + b * kLanes));
            const __m256 q = _mm256_add_ps(_mm256_mul_ps(dx, dx), _mm256_mul_ps(dy, dy));
            const auto block =
                static_cast<unsigned>(_mm256_movemask_ps(_mm256_cmp_ps(q, vt, _CMP_NGE_UQ)));
            bits |= static_cast<std::uint64_t>(block) << (b * kLanes);
        }
        return bits;
    }

    THERMAL_AVX static double reciprocalSqrt(double q) { return reciprocalSqrtSse(q); }
};

struct Avx512Kernel {
    static constexpr bool kEstimates = true;
    static constexpr double kEstimateError = 0x1p-14;
    static constexpr int kLanes = 16;

    THERMAL_AVX512 static std::uint64_t near(const float* x, const float* y, int w, float cx,
                                             float cy, float t)
    {
        const __m512 vx = _mm512_set1_ps(cx);
        const __m512 vy = _mm512_set1_ps(cy);
        const __m512 vt = _mm512_set1_ps(t);
        std::uint64_t bits = 0;
        for (int b = 0; b < kWindow / kLanes; ++b) {
            const __m512 dx = _mm512_sub_ps(vx, _mm512_loadu_ps(x + w + b * kLanes));
            const __m512 dy = _mm512_sub_ps(vy, _mm512_loadu_ps(y + w + b * kLanes));
            const __m512 q = _mm512_add_ps(_mm512_mul_ps(dx, dx), _mm512_mul_ps(dy, dy));
            const auto block = static_cast<unsigned>(_mm512_cmp_ps_mask(q, vt, _CMP_NGE_UQ));
            bits |= static_cast<std::uint64_t>(block) << (b * kLanes);
        }
        return bits;
    }

    THERMAL_AVX512 static double reciprocalSqrt(double q)
    {
        return _mm_cvtsd_f64(_mm_rsqrt14_sd(_mm_setzero_pd(), _mm_set_sd(q)));
    }

    // The estimate's own arithmetic, fused: it is on the path from one push
    // to the next partner.
    THERMAL_AVX512 static double fma(double a, double b, double c)
    {
        return _mm_cvtsd_f64(_mm_fmadd_sd(_mm_set_sd(a), _mm_set_sd(b), _mm_set_sd(c)));
    }
};

#endif

// Where a push with offset (dx, dy) and squared distance q took the centre
// (x0, y0), to within the margin: x0 + dx (S/d - 1) 1.5 with 1/d from the
// estimate. The exact centre comes out of a square root and two divisions;
// this one is ready much sooner, so the test of the next partners, and the
// branch on its result, need not wait for them.
template <class Kernel>
inline void estimateAfterPush(double x0, double y0, double dx, double dy, double q, double S,
                              double& x, double& y)
{
    if constexpr (requires { Kernel::fma(0.0, 0.0, 0.0); }) {
        // The same, as (x0 - 1.5 dx) + (1.5 S dx) r: all but the last step
        // can be done before the estimate r is ready.
        const double r = Kernel::reciprocalSqrt(q);
        x = Kernel::fma(kPushFactor * S * dx, r, Kernel::fma(-kPushFactor, dx, x0));
        y = Kernel::fma(kPushFactor * S * dy, r, Kernel::fma(-kPushFactor, dy, y0));
    } else {
        const double f = (S * Kernel::reciprocalSqrt(q) - 1.0) * kPushFactor;
        x = x0 + dx * f;
        y = y0 + dy * f;
    }
}

// laneOf for the test's centre, which is on the path to the next partner: a
// centre in range, as it nearly always is, takes a single conversion instead
// of the clamp's three steps.
inline float centreLane(double c)
{
    return std::fabs(c) < kLaneRange ? static_cast<float>(c) : laneOf(c);
}

template <class Kernel>
inline void passBody(Molecule* mols, int n, int self, const Scan& scan)
{
    const Lanes& lanes = scan.lanes;
    const double S = scan.S;
    Molecule& me = mols[self];
    Mover i{me.x, me.y, me.vx, me.vy};
    // The centre the test measures from: i's own, or an estimate of it.
    float cx = centreLane(i.x);
    float cy = centreLane(i.y);

    const auto candidates = [&](int w) {
        std::uint64_t live = n - w >= kWindow ? ~std::uint64_t{0}
                                              : (std::uint64_t{1} << (n - w)) - 1;
        const auto own = static_cast<unsigned>(self - w);
        if (own < kWindow)
            live &= ~(std::uint64_t{1} << own);
        return Kernel::near(lanes.x, lanes.y, w, cx, cy, scan.threshold) & live;
    };

    int w = 0;
    std::uint64_t pending = candidates(w);
    for (;;) {
        if (pending == 0) {
            w += kWindow;
            if (w >= n)
                break;
            pending = candidates(w);
            continue;
        }
        const int k = w + std::countr_zero(pending);
        pending &= pending - 1;
        Molecule& mj = mols[k];
        // The estimate after a push needs the centre from before it.
        const double x0 = i.x;
        const double y0 = i.y;
        const double dx = x0 - mj.x;
        const double dy = y0 - mj.y;
        const double q = dx * dx + dy * dy;
        // The pair step, told apart by q: an exchange, or no contact after
        // all, moves nothing the test reads, and the rest of the window
        // stands. (A NaN q is an exchange, as in the pair step.)
        if (q >= scan.apartFrom)
            continue;
        if (!(q < scan.pushBelow)) {
            std::swap(i.vx, mj.vx);
            std::swap(i.vy, mj.vy);
            continue;
        }
        const PairOutcome outcome = pushApart(i, mj, dx, dy, std::sqrt(q), S);

        lanes.x[k] = laneOf(mj.x);
        lanes.y[k] = laneOf(mj.y);
        double ex = i.x;
        double ey = i.y;
        if constexpr (Kernel::kEstimates) {
            if (outcome == PairOutcome::Push && q >= kSmallestEstimated)
                estimateAfterPush<Kernel>(x0, y0, dx, dy, q, S, ex, ey);
        }
        cx = centreLane(ex);
        cy = centreLane(ey);
        w = k + 1;
        if (w >= n)
            break;
        pending = candidates(w);
    }

    me.x = i.x;
    me.y = i.y;
    me.vx = i.vx;
    me.vy = i.vy;
}

using PassFn = void (*)(Molecule*, int, int, const Scan&);

void passScalar(Molecule* mols, int n, int self, const Scan& scan)
{
    passBody<ScalarKernel>(mols, n, self, scan);
}

#if THERMAL_SCAN_SSE2
void passSse2(Molecule* mols, int n, int self, const Scan& scan)
{
    passBody<Sse2Kernel>(mols, n, self, scan);
}
#endif

#if THERMAL_SCAN_WIDE
// flatten inlines the whole pass, kernel included, under the target.
THERMAL_AVX __attribute__((flatten)) void passAvx(Molecule* mols, int n, int self,
                                                  const Scan& scan)
{
    passBody<AvxKernel>(mols, n, self, scan);
}

THERMAL_AVX512 __attribute__((flatten)) void passAvx512(Molecule* mols, int n, int self,
                                                        const Scan& scan)
{
    passBody<Avx512Kernel>(mols, n, self, scan);
}
#endif

struct Kernel {
    PassFn pass;
    const char* name;
    double estimateError;
};

bool runsHere(const Kernel& k)
{
#if THERMAL_SCAN_WIDE
    __builtin_cpu_init();
    if (std::strcmp(k.name, "avx512") == 0)
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("fma");
    if (std::strcmp(k.name, "avx") == 0)
        return __builtin_cpu_supports("avx");
#endif
    (void)k;
    return true;
}

// Widest first; the last one runs everywhere.
constexpr Kernel kKernels[] = {
#if THERMAL_SCAN_WIDE
    {passAvx512, "avx512", Avx512Kernel::kEstimateError},
    {passAvx, "avx", AvxKernel::kEstimateError},
#endif
#if THERMAL_SCAN_SSE2
    {passSse2, "sse2", Sse2Kernel::kEstimateError},
#endif
    {passScalar, "scalar", ScalarKernel::kEstimateError},
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

float laneOf(double coordinate)
{
#if THERMAL_SCAN_SSE2
    // No branch on how far out a molecule is: a push can throw it far, and
    // which ones it throws is anyone's guess. max and min give their second
    // operand when either is NaN, so NaN stays NaN.
    const __m128d clamped = _mm_min_sd(_mm_set_sd(kLaneRange),
                                       _mm_max_sd(_mm_set_sd(-kLaneRange), _mm_set_sd(coordinate)));
    return _mm_cvtss_f32(_mm_cvtsd_ss(_mm_setzero_ps(), clamped));
#else
    if (std::isnan(coordinate))
        return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(std::clamp(coordinate, -kLaneRange, kLaneRange));
#endif
}

Scan startScan(const Molecule* mols, int n, std::int16_t radius, const Lanes& lanes)
{
    for (int k = 0; k < n; ++k) {
        lanes.x[k] = laneOf(mols[k].x);
        lanes.y[k] = laneOf(mols[k].y);
    }
    // The last window reads these, and its mask drops them; defined all the
    // same.
    for (int k = n; k < n + kLanePadding; ++k) {
        lanes.x[k] = std::numeric_limits<float>::infinity();
        lanes.y[k] = std::numeric_limits<float>::infinity();
    }
    const auto S = static_cast<double>(radius + radius); // as interact() forms it
    return Scan{lanes, S, leastSquareReaching(S), leastSquareReaching(S - kContactBand),
                thresholdFor(S, active().estimateError)};
}

void passOver(Molecule* mols, int n, int self, const Scan& scan)
{
    active().pass(mols, n, self, scan);
}

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

const char* pairScanKind()
{
    return active().name;
}

} // namespace physics
