#include "bench_files.h"

#include "data/bm2_file.h"
#include "data/instant.h"
#include "data/standard_header.h"

#include <cmath>
#include <fstream>

namespace talvex::bench {

std::string make_bm2_text(long measures) {
    std::string text = header_text(example_header("24", measures));
    text += "MESURES\r\n";
    text.reserve(text.size() + static_cast<size_t>(measures) * 64);
    const double start = *make_instant({2024, 1, 1, 0, 0, 0});
    char line[128];
    for (long n = 1; n <= measures; ++n) {
        const CivilDateTime dt = civil_from_instant(start + static_cast<double>(n - 1) / 24.0);
        const int radon = 40 + static_cast<int>(30 * (1 + std::sin(n / 12.0))) + static_cast<int>(n % 7);
        std::snprintf(line, sizeof line, "%ld %d/%d/%d %d:%d %d %d %d %d %d %d %d %d %d \r\n", n,
                      dt.day, dt.month, dt.year - 2000, dt.hour, dt.minute,
                      6465444 + static_cast<int>(n % 500), 8077636 + static_cast<int>(n % 300),
                      200 - static_cast<int>(n / 100000), 300 + static_cast<int>(n % 400), radon,
                      radon / 2, radon / 3, static_cast<int>(n % 5 == 0), static_cast<int>(n % 3 ? 0 : 64));
        text += line;
    }
    return text;
}

std::filesystem::path bm2_file(long measures) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("talvex2-bench-" + std::to_string(measures) + ".bm2");
    if (!std::filesystem::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        out << make_bm2_text(measures);
    }
    return path;
}

} // namespace talvex::bench
