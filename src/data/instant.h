// Instants of the measurement model: days since 30/12/1899 00:00 as a double, the time of
// day as the fraction (one minute is 1/1440), and the text forms the files use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvex {

constexpr double MinutesPerDay = 1440.0;

struct CivilDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// Whole days between 30/12/1899 and the given date (proleptic Gregorian).
long days_from_civil(int year, int month, int day);
bool is_valid_date(int year, int month, int day);

std::optional<double> make_instant(const CivilDateTime& dt);
// An instant rounded to the nearest whole second: the day (days since 30/12/1899) and the
// seconds into it.
struct DaySeconds {
    long day = 0;
    long seconds = 0;
};
DaySeconds split_instant(double instant);

// Nearest whole second, so that an instant built from minutes prints back the same minutes.
CivilDateTime civil_from_instant(double instant);

// Reads "d/m/yy" (or a four-digit year) and "h:m" (optionally ":s") as written by the probe;
// a two-digit year YY stands for 20YY. Returns nothing for an impossible date or time.
std::optional<double> parse_date_time(std::string_view date, std::string_view time);
// Reads "dd/MM/yyyy HH:mm:ss" or "dd/MM/yyyy" (the forms the windows show and take).
std::optional<double> parse_date_time(std::string_view text);

// "dd/MM/yyyy HH:mm:ss"
std::string format_date_time(double instant);
// "dd/MM/yyyy"
std::string format_date(double instant);

} // namespace talvex
