// Small helpers shared by the tests: a scratch folder removed at the end of each test,
// and writing/reading fixture files as exact bytes.
#pragma once

#include <filesystem>
#include <string>

namespace talvex::testing {

namespace fs = std::filesystem;

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

void write_bytes(const fs::path& file, const std::string& bytes);
std::string read_bytes(const fs::path& file);
// Joins lines with CR LF after each one.
std::string crlf_lines(std::initializer_list<std::string> lines);
fs::path test_data(const std::string& name);

// A complete 58-entry header text ("HEADER" + lines) with realistic values; entries can be
// overridden by index.
std::string sample_header_text(std::initializer_list<std::pair<int, std::string>> values = {});

} // namespace talvex::testing
