#pragma once

#include <benchmark/benchmark.h>

namespace bench {

// The tail of every benchmark main, once its cases are registered.
inline int runRegistered(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
