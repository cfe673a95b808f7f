// A Windows profile file ("Talvex2.ini", "device.ini", ".par", ".rtc"): sections in square
// brackets, one "key=value" line per key, other sections and keys kept as they are. Each
// use opens the file, reads or writes a few keys and closes it, so the next reader sees
// what the last writer wrote.
#pragma once

#include <filesystem>
#include <memory>
#include <string>


namespace talvex {

class IniFile {
public:
    // Loads the file if it exists; a missing or unreadable file reads as empty.
    explicit IniFile(std::filesystem::path file);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Integers in decimal; a value that is not one reads as the default, as the
    // platform's profile reader does.
    long readInteger(const std::string& section, const std::string& key, long defaultValue) const;
    // Booleans stored as "1"/"0" (other integers: non-zero is true).
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;
    double readFloat(const std::string& section, const std::string& key, double defaultValue) const;
    bool hasKey(const std::string& section, const std::string& key) const;

    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, long value);
    void writeBool(const std::string& section, const std::string& key, bool value);
    void eraseSection(const std::string& section);

    // Writes the file (through a temporary file and a rename). Throws ConversionError.
    void save() const;

    const std::filesystem::path& path() const { return file_; }

private:
    struct Impl;
    std::filesystem::path file_;
    std::unique_ptr<Impl> impl_;
};

} // namespace talvex
