// The texts of the chart windows: value read-outs, axis labels, the instant read-out and the
// date fields of the display options and scale dialogs, with the decimal point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvex {

// Fixed-point form with `digits` decimals of a value first rounded to at most `precision`
// significant digits (halves away from zero); a value with more than `precision` integer
// digits is written in exponent form. (21.3749, 6, 2) -> "21.37"; (12345.678, 6, 2) ->
// "12345.70".
std::string format_fixed(double value, int precision, int digits);

// A curve's value under the cursor: radon curves as whole numbers (halves to even), the
// others in fixed-point form with 2 decimals.
std::string format_readout(double value, bool radon);
// Whether a measure label names a radon curve (its first five characters are "Radon").
bool is_radon_label(std::string_view label);

// Vertical axis labels: at most three decimals, no trailing zeros ("####0.###").
std::string format_axis_value(double value);

// "dd/MM/yy HH:mm", the time axis labels and the instant read-out.
std::string format_chart_instant(double instant);
// "dd/MM/yy", the date fields of the display options.
std::string format_date_field(double instant);

// The dialog fields back to instants: "dd/MM/yy" (a day at 00:00) and "dd/MM/yy HH:mm";
// nothing for an impossible date or time or a field not filled in.
std::optional<double> parse_date_field(std::string_view text);
std::optional<double> parse_date_time_field(std::string_view text);
// A number with the decimal point, blanks around it allowed.
std::optional<double> parse_real(std::string_view text);

} // namespace talvex
