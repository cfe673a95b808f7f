// The one number format of the program's outputs: the shortest decimal form of a value with
// at most 15 significant digits, as the calculated series keep them and the text
// conversions write them.
#pragma once

#include <string>

namespace talvex {

constexpr int SignificantDigits = 15;

// The value rounded to 15 significant digits, as writing it in the general format and
// reading the text back gives. Integers below 10^15 and values that already have at most
// 15 significant digits come back unchanged; NaN and infinities too.
double round_to_significant_digits(double value);

// The general format: at most 15 significant digits, no trailing zeros, "." as the decimal
// point, no thousands separator; fixed notation for magnitudes from 0.00001 up to 10^15,
// otherwise "E" notation without a plus sign or leading exponent zeros ("1.5E-6", "1E15").
// Zero is "0"; NaN and infinities are "NAN", "INF" and "-INF".
std::string format_number(double value);
// The same, appended to `out` (the conversions write millions of numbers).
void append_number(std::string& out, double value);

} // namespace talvex
