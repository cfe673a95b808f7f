#include "app/ini_file.h"

#include "data/probe_header.h"
#include "data/text_file.h"

#include <SimpleIni.h>

namespace talvex {

struct IniFile::Impl {
    CSimpleIniA ini{false, false, false};
};

IniFile::IniFile(std::filesystem::path file) : file_(std::move(file)), impl_(new Impl) {
    impl_->ini.SetSpaces(false);
    std::error_code ec;
    if (std::filesystem::exists(file_, ec))
        impl_->ini.LoadFile(file_.c_str());
}

IniFile::~IniFile() = default;

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const char* value = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    return value ? std::string(value) : defaultValue;
}

bool IniFile::hasKey(const std::string& section, const std::string& key) const {
    return impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

long IniFile::readInteger(const std::string& section, const std::string& key,
                          long defaultValue) const {
    std::int64_t value = 0;
    if (!parse_integer(readString(section, key, ""), value))
        return defaultValue;
    return static_cast<long>(value);
}

bool IniFile::readBool(const std::string& section, const std::string& key,
                       bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::readFloat(const std::string& section, const std::string& key,
                          double defaultValue) const {
    double value = 0;
    if (!parse_decimal(readString(section, key, ""), value))
        return defaultValue;
    return value;
}

void IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    impl_->ini.SetValue(section.c_str(), key.c_str(), value.c_str());
}

void IniFile::writeInteger(const std::string& section, const std::string& key, long value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(const std::string& section) {
    impl_->ini.Delete(section.c_str(), nullptr);
}

void IniFile::save() const {
    std::string text;
    impl_->ini.Save(text);
    // The profile layout uses CR LF line ends.
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n' && (crlf.empty() || crlf.back() != '\r'))
            crlf += '\r';
        crlf += c;
    }
    write_file_atomically(file_, [&](std::ostream& out) { out << crlf; });
}

} // namespace talvex
