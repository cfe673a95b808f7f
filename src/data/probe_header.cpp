#include "data/probe_header.h"

#include "data/conversion_error.h"
#include "data/instant.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace talvex {

void ProbeHeader::clear() {
    for (auto& k : keys_)
        k.clear();
    for (auto& v : values_)
        v.clear();
}

void ProbeHeader::set(int index, std::string key, std::string value) {
    keys_.at(static_cast<size_t>(index)) = std::move(key);
    values_.at(static_cast<size_t>(index)) = std::move(value);
}

void ProbeHeader::setValue(int index, std::string value) {
    values_.at(static_cast<size_t>(index)) = std::move(value);
}

namespace {
std::string describe_entry(int index, const std::string& value) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d", index);
    return "'" + value + "' n'est pas une valeur numérique correcte (entrée " + number +
           " de l'en-tête)";
}
} // namespace

std::int64_t ProbeHeader::integer(int index) const {
    std::int64_t v = 0;
    if (!parse_integer(value(index), v))
        throw ConversionError(describe_entry(index, value(index)));
    return v;
}

double ProbeHeader::decimal(int index) const {
    double v = 0;
    if (!parse_decimal(value(index), v))
        throw ConversionError(describe_entry(index, value(index)));
    return v;
}

bool parse_integer(std::string_view text, std::int64_t& value) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool parse_decimal(std::string_view text, double& value) {
    // Leading and trailing blanks are tolerated as the platform's float reader does.
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    // Raw counts are plain unsigned integers: read them without the general float reader,
    // which dominates the loading of large files otherwise.
    if (text.size() <= 15) {
        std::int64_t whole = 0;
        size_t i = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            whole = whole * 10 + (text[i] - '0');
        if (i == text.size()) {
            value = static_cast<double>(whole);
            return true;
        }
    }
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

std::string next_maint(const std::string& lastMaintenance, const std::string& intervalYears) {
    const auto first = parse_date_time("01/" + lastMaintenance);
    if (!first)
        throw ConversionError("'01/" + lastMaintenance + "' n'est pas une date correcte");
    std::int64_t years = 0;
    if (!parse_integer(intervalYears, years))
        throw ConversionError("'" + intervalYears + "' n'est pas une valeur entière correcte");
    const CivilDateTime dt = civil_from_instant(*first);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%04lld", dt.month,
                  static_cast<long long>(dt.year + years));
    return text;
}

} // namespace talvex
