#include "support/test_support.h"

#include "data/bm2_file.h"
#include "data/standard_header.h"

#include <fstream>
#include <random>
#include <sstream>

namespace talvex::testing {

ScratchDir::ScratchDir() {
    std::random_device random;
    path_ = fs::temp_directory_path() / ("talvex2-test-" + std::to_string(random()));
    fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void write_bytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string read_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string crlf_lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    return text;
}

fs::path test_data(const std::string& name) { return fs::path(TEST_DATA_DIR) / name; }

std::string sample_header_text(std::initializer_list<std::pair<int, std::string>> values) {
    ProbeHeader header = example_header("24", 0);
    for (const auto& [index, value] : values)
        header.setValue(index, value);
    return header_text(header);
}

} // namespace talvex::testing
