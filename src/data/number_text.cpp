#include "data/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace talvex {

namespace {

// The powers of ten that doubles hold exactly.
constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int MaxExactPower = 22;

// A positive value rounded to 15 significant digits: digits * 10^(exponent - 14), with
// 10^14 <= digits <= 10^15 (10^15 when the rounding carries into a 16th digit).
struct Rounded {
    std::int64_t digits = 0;
    int exponent = 0; // decimal exponent of the first digit before a carry
};

// a * b = product + error exactly (Dekker's product; no fused multiply-add needed).
void exact_product(double a, double b, double& product, double& error) {
    constexpr double Splitter = 134217729.0; // 2^27 + 1
    auto split = [](double x, double& high, double& low) {
        const double c = Splitter * x;
        high = c - (c - x);
        low = x - high;
    };
    double ah, al, bh, bl;
    split(a, ah, al);
    split(b, bh, bl);
    product = a * b;
    error = ((ah * bh - product) + ah * bl + al * bh) + al * bl;
}

// The fast exact rounding: scale by an exact power of ten, round the scaled value to an
// integer with the exact error of the scaling, so that the decision never depends on the
// rounding of the multiplication. Gives up (false) outside the exactly scalable range and
// on an exact tie, which the slow path settles as the text conversion does.
bool round_fast(double ax, Rounded& r) {
    if (!(ax >= 1e-7 && ax < 1e36))
        return false;
    int binaryExponent = 0;
    std::frexp(ax, &binaryExponent);
    int e = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398120));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - e; // scale so that the first digit lands at 10^14
        double p, err;
        if (k >= 0) {
            if (k > MaxExactPower)
                return false;
            exact_product(ax, ExactPowersOfTen[k], p, err);
        } else {
            if (-k > MaxExactPower)
                return false;
            // Division is not exact: a large value is first checked for enough integer digits.
            const double q = ax / ExactPowersOfTen[-k];
            double back, backErr;
            exact_product(q, ExactPowersOfTen[-k], back, backErr);
            // ax = q * 10^-k + (ax - back - backErr): the scaled remainder corrects q.
            p = q;
            err = ((ax - back) - backErr) / ExactPowersOfTen[-k];
        }
        if (p >= 1e15) {
            ++e;
            continue;
        }
        if (p < 1e14) {
            --e;
            continue;
        }
        const double m = std::nearbyint(p);
        const double diff = (p - m) + err; // p - m is exact: both are close and below 2^53
        double digits = m;
        if (diff > 0.5)
            digits += 1;
        else if (diff < -0.5)
            digits -= 1;
        else if (diff == 0.5 || diff == -0.5 || std::fabs(std::fabs(diff) - 0.5) < 1e-9)
            return false; // a tie or too close to call
        r.digits = static_cast<std::int64_t>(digits);
        r.exponent = e;
        return true;
    }
    return false;
}

// The slow, always exact rounding: the standard library's correctly rounded conversion.
void round_slow(double ax, Rounded& r) {
    char buffer[48];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, ax, std::chars_format::scientific,
                                   SignificantDigits - 1)
                         .ptr;
    std::int64_t digits = 0;
    const char* p = buffer;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.')
            digits = digits * 10 + (*p - '0');
    int exponent = 0;
    if (p < end) {
        ++p;
        std::from_chars(*p == '+' ? p + 1 : p, end, exponent);
    }
    r.digits = digits;
    r.exponent = exponent;
}

Rounded round15(double ax) {
    Rounded r;
    if (!round_fast(ax, r))
        round_slow(ax, r);
    if (r.digits == 1000000000000000) { // 9.99...95 carried into 10.0
        r.digits = 100000000000000;
        ++r.exponent;
    }
    return r;
}

// digits * 10^(exponent - 14) as the nearest double (a correctly rounded product or
// quotient of two exact doubles), or through the text reader outside that range.
double to_double(const Rounded& r) {
    const int scale = r.exponent - 14;
    const double digits = static_cast<double>(r.digits);
    if (scale >= 0 && scale <= MaxExactPower)
        return digits * ExactPowersOfTen[scale];
    if (scale < 0 && -scale <= MaxExactPower)
        return digits / ExactPowersOfTen[-scale];
    char text[48];
    auto end = std::to_chars(text, text + 24, r.digits).ptr;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, scale).ptr;
    double value = 0;
    std::from_chars(text, end, value);
    return value;
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
    const double rounded = to_double(round15(std::fabs(value)));
    return value < 0 ? -rounded : rounded;
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
    const Rounded r = round15(std::fabs(value));
    char digits[24];
    int count = static_cast<int>(std::to_chars(digits, digits + sizeof digits, r.digits).ptr - digits);
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (value < 0)
        out += '-';
    const int e = r.exponent;
    if (e < -5 || e >= 15) {
        out += digits[0];
        if (count > 1) {
            out += '.';
            out.append(digits + 1, static_cast<size_t>(count - 1));
        }
        append_exponent(out, e);
    } else if (e < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-e - 1), '0');
        out.append(digits, static_cast<size_t>(count));
    } else if (count <= e + 1) {
        out.append(digits, static_cast<size_t>(count));
        out.append(static_cast<size_t>(e + 1 - count), '0');
    } else {
        out.append(digits, static_cast<size_t>(e + 1));
        out += '.';
        out.append(digits + e + 1, static_cast<size_t>(count - e - 1));
    }
}

std::string format_number(double value) {
    std::string text;
    append_number(text, value);
    return text;
}

} // namespace talvex
