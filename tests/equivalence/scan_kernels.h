#pragma once

// Every kernel the pair scan may pick, so that each one is held against the
// plain tick here, not just the one this machine happens to choose.

#include <gtest/gtest.h>

#include "sim/pair_scan.h"

namespace equivalence {

inline constexpr const char* kScanKernels[] = {"avx512", "avx", "sse2", "scalar"};

// Switches the scan to `kind` for one test and back afterwards; the test is
// skipped where the processor or the build lacks the kernel.
class ScopedScanKernel {
public:
    explicit ScopedScanKernel(const char* kind)
        : previous_(physics::pairScanKind()), selected_(physics::selectPairScan(kind))
    {
    }
    ~ScopedScanKernel() { physics::selectPairScan(previous_); }
    ScopedScanKernel(const ScopedScanKernel&) = delete;
    ScopedScanKernel& operator=(const ScopedScanKernel&) = delete;
    bool selected() const { return selected_; }

private:
    const char* previous_;
    bool selected_;
};

} // namespace equivalence
