#include "data/instant.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace talvex {

namespace {

// Days from 1970-01-01 (Howard Hinnant's algorithm).
long days_from_epoch(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void civil_from_epoch(long z, int& year, int& month, int& day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

const long EpochOffset = days_from_epoch(1899, 12, 30);

// Reads up to max_digits decimal digits; false when there are none or too many.
bool read_number(std::string_view& text, int max_digits, int& value, int& digits) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* p = begin;
    while (p < end && *p >= '0' && *p <= '9')
        ++p;
    digits = static_cast<int>(p - begin);
    if (digits == 0 || digits > max_digits)
        return false;
    std::from_chars(begin, p, value);
    text.remove_prefix(static_cast<size_t>(digits));
    return true;
}

bool expect(std::string_view& text, char c) {
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool parse_date(std::string_view text, CivilDateTime& dt) {
    int digits = 0;
    if (!read_number(text, 2, dt.day, digits) || !expect(text, '/') ||
        !read_number(text, 2, dt.month, digits) || !expect(text, '/') ||
        !read_number(text, 4, dt.year, digits) || !text.empty())
        return false;
    if (digits <= 2)
        dt.year += 2000;
    else if (digits != 4)
        return false;
    return is_valid_date(dt.year, dt.month, dt.day);
}

bool parse_time(std::string_view text, CivilDateTime& dt) {
    int digits = 0;
    dt.second = 0;
    if (!read_number(text, 2, dt.hour, digits) || !expect(text, ':') ||
        !read_number(text, 2, dt.minute, digits))
        return false;
    if (!text.empty() && (!expect(text, ':') || !read_number(text, 2, dt.second, digits)))
        return false;
    return text.empty() && dt.hour < 24 && dt.minute < 60 && dt.second < 60;
}

} // namespace

bool is_valid_date(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = month == 2 && leap ? 29 : lengths[month - 1];
    return day <= length;
}

long days_from_civil(int year, int month, int day) {
    return days_from_epoch(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
           EpochOffset;
}

std::optional<double> make_instant(const CivilDateTime& dt) {
    if (!is_valid_date(dt.year, dt.month, dt.day) || dt.hour < 0 || dt.hour > 23 ||
        dt.minute < 0 || dt.minute > 59 || dt.second < 0 || dt.second > 59)
        return std::nullopt;
    const double seconds = dt.hour * 3600.0 + dt.minute * 60.0 + dt.second;
    return static_cast<double>(days_from_civil(dt.year, dt.month, dt.day)) + seconds / 86400.0;
}

DaySeconds split_instant(double instant) {
    const double total_seconds = std::round(instant * 86400.0);
    const double days = std::floor(total_seconds / 86400.0);
    return {static_cast<long>(days), static_cast<long>(total_seconds - days * 86400.0)};
}

CivilDateTime civil_from_instant(double instant) {
    CivilDateTime dt;
    const DaySeconds t = split_instant(instant);
    civil_from_epoch(t.day + EpochOffset, dt.year, dt.month, dt.day);
    dt.hour = static_cast<int>(t.seconds / 3600);
    dt.minute = static_cast<int>(t.seconds / 60 % 60);
    dt.second = static_cast<int>(t.seconds % 60);
    return dt;
}

std::optional<double> parse_date_time(std::string_view date, std::string_view time) {
    CivilDateTime dt;
    if (!parse_date(trim(date), dt) || !parse_time(trim(time), dt))
        return std::nullopt;
    return make_instant(dt);
}

std::optional<double> parse_date_time(std::string_view text) {
    text = trim(text);
    const auto blank = text.find(' ');
    if (blank == std::string_view::npos) {
        CivilDateTime dt;
        if (!parse_date(text, dt))
            return std::nullopt;
        return make_instant(dt);
    }
    return parse_date_time(text.substr(0, blank), text.substr(blank + 1));
}

std::string format_date_time(double instant) {
    const CivilDateTime dt = civil_from_instant(instant);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", dt.day, dt.month, dt.year,
                  dt.hour, dt.minute, dt.second);
    return text;
}

std::string format_date(double instant) {
    return format_date_time(instant).substr(0, 10);
}

} // namespace talvex
