// The probe header table: 58 entries (0..57), each a key and a value kept as the exact text
// the probe sent or the file held. Consumers convert the entries they need.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace talvex {

constexpr int HeaderEntryCount = 58;

// Indices of the entries that the program reads by meaning.
namespace entry {
constexpr int Soft = 0, ProbeNumber = 1, Rn1Coefficient = 2, Rn1Background = 3,
              Rn1BackgroundTime = 4, Rn2Coefficient = 5, Rn2Background = 6, Rn3Coefficient = 7,
              Rn3Background = 8, PressOffset = 9, ComType = 10, CoefBatt = 16, PRef = 17,
              PressA0 = 18, HumCoefA1 = 31, LastMaintYear = 38, LastMaintMonth = 39,
              MaintInterval = 40, Comment = 44, MeasureCount = 45, Period = 46, VminBat = 47,
              VrefBat = 48, StartYear = 49, StartMonth = 50, StartDay = 51, StartHour = 52,
              StartMinute = 53, ProbeType = 57;
}

class ProbeHeader {
public:
    void clear();
    void set(int index, std::string key, std::string value);
    void setValue(int index, std::string value);

    const std::string& key(int index) const { return keys_.at(static_cast<size_t>(index)); }
    const std::string& value(int index) const { return values_.at(static_cast<size_t>(index)); }

    // Conversions for consumers: decimal digits with an optional sign, or a decimal number
    // with "." as the decimal point. Both throw ConversionError naming the entry when the
    // value is empty or not a number.
    std::int64_t integer(int index) const;
    double decimal(int index) const;

    bool operator==(const ProbeHeader&) const = default;

private:
    std::array<std::string, HeaderEntryCount> keys_;
    std::array<std::string, HeaderEntryCount> values_;
};

// Strict conversions of a whole text, shared by every reader of numbers in files and headers.
bool parse_integer(std::string_view text, std::int64_t& value);
bool parse_decimal(std::string_view text, double& value);

// The next maintenance month "mm/yyyy" from the last maintenance "m/yy" (or "mm/yyyy") and
// the interval in years. Throws ConversionError when either is not a complete date/number.
std::string next_maint(const std::string& lastMaintenance, const std::string& intervalYears);

} // namespace talvex
