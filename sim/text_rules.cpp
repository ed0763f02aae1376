#include "sim/text_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

constexpr std::string_view kBlanks = " \t\n\r\v\f";
// An exponent is read up to this and no further: far beyond any double's
// range, and far from where the arithmetic on it could overflow.
constexpr std::int64_t kExponentCap = std::numeric_limits<std::int32_t>::max();
// Long enough for the shortest fixed form of any double: 5e-324 is 0,
// a point, 323 zeros and a 5.
constexpr std::size_t kLongestFixed = 400;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

double leadingNumber(std::string_view text)
{
    // The character at k, or NUL past the end, which ends every form.
    const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
    const auto digitsFrom = [&](std::size_t k) {
        while (isDigit(at(k)))
            ++k;
        return k;
    };
    std::size_t i = std::min(text.find_first_not_of(kBlanks), text.size());
    const bool negative = at(i) == '-';
    if (at(i) == '+' || negative)
        ++i;

    // Measure the number first, so that from_chars sees exactly the forms we
    // accept and nothing it would take on its own ("inf", "nan", hex).
    const std::size_t start = i;
    const std::size_t point = digitsFrom(start);
    i = at(point) == '.' ? digitsFrom(point + 1) : point;
    const std::size_t first = text.substr(start, i - start).find_first_not_of("0.");
    if (first == std::string_view::npos)
        return 0; // no digit at all, or zeros only

    // The decimal order of magnitude, to within one: the place of the first
    // significant digit, moved by the exponent. When from_chars cannot hold
    // the value it is hundreds from zero, and its sign tells "too large"
    // from "too small".
    std::int64_t order =
        static_cast<std::int64_t>(point - start) - static_cast<std::int64_t>(first);
    if (at(i) == 'e' || at(i) == 'E') {
        std::size_t j = i + 1;
        const bool negativeExponent = at(j) == '-';
        if (at(j) == '+' || negativeExponent)
            ++j;
        std::int64_t exponent = 0;
        for (const std::size_t end = digitsFrom(j); j < end; i = ++j)
            exponent = std::min(exponent * 10 + (text[j] - '0'), kExponentCap);
        order += negativeExponent ? -exponent : exponent;
        // "1e" or "1e+" ends the number before the 'e': i has not moved.
    }

    double magnitude = 0;
    const std::errc ec = std::from_chars(text.data() + start, text.data() + i, magnitude,
                                         std::chars_format::general).ec;
    if (ec == std::errc::result_out_of_range)
        magnitude = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

std::string numberToText(double value)
{
    if (value == 0)
        return " 0"; // also for -0, which has no sign to show
    char buf[kLongestFixed];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed).ptr;
    std::string out(1, std::signbit(value) ? '-' : ' ');
    out.append(buf, end);
    return out;
}
