// The regional-format guard: every number and date in the system's files is written and read
// with a decimal point, "dd/MM/yyyy" and "HH:mm:ss". The user's four regional values live in
// the per-user store; a value absent there comes from the system locale.
#pragma once

#include <filesystem>
#include <string>

namespace talvex {

struct RegionalFormats {
    std::string decimalSeparator;
    std::string longDate;
    std::string shortDate;
    std::string timeFormat;
    bool operator==(const RegionalFormats&) const = default;
};

const RegionalFormats& required_regional_formats();

inline constexpr const char* RegionalWarning =
    "Les options régionales de Windows ont été modifiées.\n\rRelancer Talvex 2 pour prendre en "
    "compte ces modifications.";

// Exact text comparison, stopping at the first mismatch as the guard does.
bool regional_formats_match(const RegionalFormats& current);

RegionalFormats read_regional_formats(const std::filesystem::path& perUserStore,
                                      const RegionalFormats& systemDefaults);
// Writes all four required values (whichever differed). Throws ConversionError.
void write_required_regional_formats(const std::filesystem::path& perUserStore);

// The guard of the start-up: true when the formats in force match; otherwise writes the
// required ones (taking effect at the next start) and answers false.
bool pass_regional_guard(const std::filesystem::path& perUserStore,
                         const RegionalFormats& systemDefaults);

} // namespace talvex
