#pragma once

#include <cstddef>

namespace bench {

// Calls of the global operator new since the program began. A benchmark
// reads it before and after its loop to show that a tick allocates nothing.
std::size_t allocations();

} // namespace bench
