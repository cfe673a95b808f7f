// Generated ".bm2" files of a given number of measures, written once per run into the
// temporary folder and shared by the benchmarks.
#pragma once

#include <filesystem>
#include <string>

namespace talvex::bench {

// A realistic hourly measurement of `measures` lines (firmware 2.4 header).
std::string make_bm2_text(long measures);
// Path of a generated file with `measures` lines (created on first request).
std::filesystem::path bm2_file(long measures);

} // namespace talvex::bench
