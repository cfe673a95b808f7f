#include "data/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace talvex {

namespace {

// A value as decimal digits d1 d2 ... dk (no trailing zeros, k <= 15) times 10^(exponent - k + 1),
// i.e. d1.d2...dk E exponent.
struct Decimal {
    char digits[24];
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

// Reads the mantissa digits and exponent of a text in the form "-d.ddde+XX".
void read_scientific(const char* begin, const char* end, Decimal& d) {
    const char* p = begin;
    d.negative = *p == '-';
    if (d.negative)
        ++p;
    d.count = 0;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.')
            d.digits[d.count++] = *p;
    int exponent = 0;
    if (p < end) {
        ++p; // 'e'
        std::from_chars(*p == '+' ? p + 1 : p, end, exponent);
    }
    d.exponent = exponent;
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
}

// Subnormal doubles are too sparse for the shortcut below.
bool is_normal(double value) { return std::fabs(value) >= std::numeric_limits<double>::min(); }

// Correctly rounded to 15 significant digits. The shortest text that reads back as the same
// double is tried first: when it has no more than 15 digits it is also the nearest 15-digit
// decimal (the 15-digit grid is coarser than the doubles), which spares the slower
// fixed-precision conversion for most values.
void to_decimal(double value, Decimal& d) {
    char buffer[48];
    auto shortest = std::to_chars(buffer, buffer + 40, value, std::chars_format::scientific);
    read_scientific(buffer, shortest.ptr, d);
    if (d.count <= SignificantDigits && is_normal(value))
        return;
    auto rounded = std::to_chars(buffer, buffer + 40, value, std::chars_format::scientific,
                                 SignificantDigits - 1);
    read_scientific(buffer, rounded.ptr, d);
}

bool is_small_integer(double value) {
    return std::fabs(value) < 1e15 && value == std::trunc(value);
}

void append_exponent(std::string& out, int exponent) {
    out += 'E';
    if (exponent < 0) {
        out += '-';
        exponent = -exponent;
    }
    char text[8];
    auto end = std::to_chars(text, text + sizeof text, exponent).ptr;
    out.append(text, end);
}

} // namespace

double round_to_significant_digits(double value) {
    if (value == 0)
        return 0.0; // the text "0" reads back as +0
    if (!std::isfinite(value) || is_small_integer(value))
        return value;
    char buffer[48];
    auto shortest = std::to_chars(buffer, buffer + 40, value, std::chars_format::scientific);
    Decimal d;
    read_scientific(buffer, shortest.ptr, d);
    if (d.count <= SignificantDigits && is_normal(value))
        return value;
    auto rounded = std::to_chars(buffer, buffer + 40, value, std::chars_format::scientific,
                                 SignificantDigits - 1);
    double back = value;
    std::from_chars(buffer, rounded.ptr, back);
    return back;
}

void append_number(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "NAN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    if (is_small_integer(value)) {
        char text[24];
        auto end = std::to_chars(text, text + sizeof text, static_cast<long long>(value)).ptr;
        out.append(text, end);
        return;
    }
    Decimal d;
    to_decimal(value, d);
    if (d.negative)
        out += '-';
    const int e = d.exponent;
    if (e < -5 || e >= 15) {
        out += d.digits[0];
        if (d.count > 1) {
            out += '.';
            out.append(d.digits + 1, static_cast<size_t>(d.count - 1));
        }
        append_exponent(out, e);
    } else if (e < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-e - 1), '0');
        out.append(d.digits, static_cast<size_t>(d.count));
    } else if (d.count <= e + 1) {
        out.append(d.digits, static_cast<size_t>(d.count));
        out.append(static_cast<size_t>(e + 1 - d.count), '0');
    } else {
        out.append(d.digits, static_cast<size_t>(e + 1));
        out += '.';
        out.append(d.digits + e + 1, static_cast<size_t>(d.count - e - 1));
    }
}

std::string format_number(double value) {
    std::string text;
    append_number(text, value);
    return text;
}

} // namespace talvex
