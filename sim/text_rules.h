#pragma once

// How numbers travel through the text fields. Both rules ignore the process
// locale: a full stop is the only decimal separator, whatever the user's
// regional settings.

#include <string>
#include <string_view>

// The number at the start of `text`: leading white space skipped, then an
// optional sign, digits with an optional fraction after ".", and an optional
// exponent ("1e3"). Reading stops at the first character that cannot continue
// the number. No number at the start (including "", "inf", "nan") gives 0.
// A number beyond the range of a double gives +/-infinity, one too small to
// represent gives 0; the result is never NaN.
double leadingNumber(std::string_view text);

// One blank in place of the sign (or "-"), then the shortest digits that read
// back as exactly `value`, without exponent or thousands separator: 200 is
// " 200", 2.5 is " 2.5". Not meant for infinities or NaN.
std::string numberToText(double value);
