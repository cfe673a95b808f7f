#include "display/chart_text.h"

#include "data/instant.h"
#include "data/probe_header.h"

#include <cmath>
#include <cstdio>

namespace talvex {

namespace {

// Decimal rounding at `decimals` places, halves away from zero, as the probe software's
// formats round.
double round_away(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return rounded == 0 ? 0.0 : rounded; // never "-0"
}

int integer_digits(double value) {
    const double a = std::fabs(value);
    return a < 1 ? 0 : static_cast<int>(std::floor(std::log10(a))) + 1;
}

std::string printf_fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string format_fixed(double value, int precision, int digits) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    int intDigits = integer_digits(value);
    double rounded = value;
    if (intDigits <= precision) {
        const int decimals = std::min(digits, precision - intDigits);
        rounded = round_away(value, decimals);
        intDigits = integer_digits(rounded);
    }
    if (intDigits > precision) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*E", precision - 1, value);
        return buffer;
    }
    return printf_fixed(rounded, digits);
}

std::string format_readout(double value, bool radon) {
    if (radon && std::isfinite(value))
        return printf_fixed(std::nearbyint(value) == 0 ? 0.0 : std::nearbyint(value), 0);
    return format_fixed(value, 6, 2);
}

bool is_radon_label(std::string_view label) { return label.substr(0, 5) == "Radon"; }

std::string format_axis_value(double value) {
    if (!std::isfinite(value))
        return format_fixed(value, 15, 3);
    std::string text = printf_fixed(round_away(value, 3), 3);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string format_chart_instant(double instant) {
    const CivilDateTime t = civil_from_instant(instant);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d %02d:%02d", t.day, t.month,
                  t.year % 100, t.hour, t.minute);
    return buffer;
}

std::string format_date_field(double instant) {
    const CivilDateTime t = civil_from_instant(instant);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", t.day, t.month, t.year % 100);
    return buffer;
}

std::optional<double> parse_date_field(std::string_view text) {
    text = trim(text);
    if (text.find('_') != std::string_view::npos || text.find(' ') != std::string_view::npos)
        return std::nullopt;
    return parse_date_time(text, "0:0");
}

std::optional<double> parse_date_time_field(std::string_view text) {
    text = trim(text);
    const size_t blank = text.find(' ');
    if (blank == std::string_view::npos || text.find('_') != std::string_view::npos)
        return std::nullopt;
    return parse_date_time(text.substr(0, blank), trim(text.substr(blank + 1)));
}

std::optional<double> parse_real(std::string_view text) {
    double value = 0;
    if (!parse_decimal(trim(text), value))
        return std::nullopt;
    return value;
}

} // namespace talvex
