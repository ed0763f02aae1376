#include "sim/text_rules.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

double leadingNumber(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // Measure the number first, so that from_chars sees exactly the forms we
    // accept and nothing it would take on its own ("inf", "nan", hex).
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;

    // The decimal order of magnitude, to tell "too large" from "too small"
    // when from_chars cannot represent the value: the mantissa lies in
    // [10^(order-1), 10^order), shifted by the exponent (saturated).
    long order = 0;
    {
        std::size_t k = start;
        long intDigits = 0;
        while (k < n && text[k] == '0')
            ++k;
        while (k < n && isDigit(text[k])) {
            ++k;
            ++intDigits;
        }
        if (intDigits > 0) {
            order = intDigits;
        } else if (k < n && text[k] == '.') {
            ++k;
            while (k < i && text[k] == '0') {
                ++k;
                --order;
            }
        }
    }

    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < n && isDigit(text[j])) {
            long exponent = 0;
            while (j < n && isDigit(text[j])) {
                if (exponent < 1'000'000'000L)
                    exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            order += negativeExponent ? -exponent : exponent;
            i = j;
        }
        // "1e" or "1e+" ends the number before the 'e'.
    }

    double magnitude = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + i;
    const auto [end, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        magnitude = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (ec != std::errc() || end != last)
        return 0; // cannot happen for the shapes scanned above
    return negative ? -magnitude : magnitude;
}

std::string numberToText(double value)
{
    if (value == 0)
        return " 0"; // also for -0, which has no sign to show
    char buf[400];
    const double magnitude = std::fabs(value);
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed);
    if (ec != std::errc())
        return value < 0 ? "-0" : " 0";
    std::string out(1, value < 0 ? '-' : ' ');
    out.append(buf, end);
    return out;
}
