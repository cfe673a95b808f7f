#include "app/regional_guard.h"

#include "app/ini_file.h"

namespace talvex {

namespace {
constexpr const char* Section = "International";
}

const RegionalFormats& required_regional_formats() {
    static const RegionalFormats required{".", "dddd d MMMM yyyy", "dd/MM/yyyy", "HH:mm:ss"};
    return required;
}

bool regional_formats_match(const RegionalFormats& current) {
    const RegionalFormats& required = required_regional_formats();
    return current.decimalSeparator == required.decimalSeparator &&
           current.longDate == required.longDate && current.shortDate == required.shortDate &&
           current.timeFormat == required.timeFormat;
}

RegionalFormats read_regional_formats(const std::filesystem::path& perUserStore,
                                      const RegionalFormats& systemDefaults) {
    const IniFile store(perUserStore);
    return {store.readString(Section, "sDecimal", systemDefaults.decimalSeparator),
            store.readString(Section, "sLongDate", systemDefaults.longDate),
            store.readString(Section, "sShortDate", systemDefaults.shortDate),
            store.readString(Section, "sTimeFormat", systemDefaults.timeFormat)};
}

void write_required_regional_formats(const std::filesystem::path& perUserStore) {
    std::error_code ec;
    std::filesystem::create_directories(perUserStore.parent_path(), ec);
    IniFile store(perUserStore);
    const RegionalFormats& required = required_regional_formats();
    store.writeString(Section, "sDecimal", required.decimalSeparator);
    store.writeString(Section, "sLongDate", required.longDate);
    store.writeString(Section, "sShortDate", required.shortDate);
    store.writeString(Section, "sTimeFormat", required.timeFormat);
    store.save();
}

bool pass_regional_guard(const std::filesystem::path& perUserStore,
                         const RegionalFormats& systemDefaults) {
    if (regional_formats_match(read_regional_formats(perUserStore, systemDefaults)))
        return true;
    write_required_regional_formats(perUserStore);
    return false;
}

} // namespace talvex
