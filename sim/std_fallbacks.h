#pragma once

// What the core takes from C++17's library and the web build's does not have:
// emscripten's libc++ of Debian 12 lacks the floating-point <charconv>. The
// build forces this header into every source only where a configure check
// finds it missing, so the core's sources stay as they are.

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <version>
#include <algorithm>

// Defined everywhere, so that the tests hold them to the library's own.
namespace std_fallbacks {

// Only the forms the text rules hand over (digits, a point, an exponent),
// read by strtod: this libc's is correctly rounded and knows only the "C"
// form of a number. As the library's own, a value past double's range either
// way is "out of range" and leaves `value` alone; a subnormal is a value.
inline std::from_chars_result from_chars(const char* first, const char* last, double& value,
                                         std::chars_format = std::chars_format::general)
{
    const std::string text(first, last); // strtod needs its end marked
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str())
        return {first, std::errc::invalid_argument};
    const char* ptr = first + (end - text.c_str());
    if (errno == ERANGE && (std::isinf(v) || v == 0))
        return {ptr, std::errc::result_out_of_range};
    value = v;
    return {ptr, std::errc{}};
}

// The shortest fixed form that reads back as `value`: the fewest decimals
// with which printf's correctly rounded output round-trips, as the library's
// own gives (infinity and NaN as printf writes them).
inline std::to_chars_result to_chars(char* first, char* last, double value, std::chars_format)
{
    const auto size = static_cast<std::size_t>(last - first);
    for (int decimals = 0;; ++decimals) {
        const int n = std::snprintf(first, size, "%.*f", decimals, value);
        if (n < 0 || static_cast<std::size_t>(n) >= size)
            return {last, std::errc::value_too_large};
        if (!std::isfinite(value) || std::strtod(first, nullptr) == value)
            return {first + n, std::errc{}};
    }
}

} // namespace std_fallbacks

#if !defined(__cpp_lib_to_chars)
namespace std {
using std_fallbacks::from_chars;
using std_fallbacks::to_chars;
} // namespace std
#endif
