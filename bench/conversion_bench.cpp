// Conversion to text of both kinds, against a plain read of the file's bytes; the number and
// date formatting alone show where the time goes.
#include "bench_files.h"

#include "data/instant.h"
#include "data/number_text.h"
#include "data/text_conversion.h"
#include "display/calculation.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <map>

using namespace talvex;

namespace {

const fs::path& settings_file() {
    static const fs::path file = [] {
        const fs::path f = fs::temp_directory_path() / "talvex2-bench-settings.ini";
        std::ofstream(f) << "[SENSORS]\ntype3=2303\n";
        return f;
    }();
    return file;
}

const Measurement& calculated(long measures) {
    static std::map<long, Measurement> cache;
    auto it = cache.find(measures);
    if (it == cache.end())
        it = cache.emplace(measures, load_for_conversion(bench::bm2_file(measures), settings_file(), true)).first;
    return it->second;
}

// Counts the bytes instead of storing them: the formatting cost without the disk.
class CountingBuffer : public std::streambuf {
public:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += n;
        return n;
    }
    int overflow(int c) override {
        ++count;
        return c;
    }
    std::streamsize count = 0;
};

} // namespace

static void BM_ReadBytes(benchmark::State& state) {
    const auto file = bench::bm2_file(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(read_file_bytes(file));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(file)));
}

// Formatting only: the in-memory model written to a stream that keeps nothing.
static void BM_WriteValues(benchmark::State& state) {
    const Measurement& m = calculated(state.range(0));
    const auto kind = static_cast<ConversionKind>(state.range(1));
    CountingBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : state)
        write_values(out, m, kind, french_conversion_texts());
    state.SetBytesProcessed(buffer.count);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// What the conversion window and talvex2-cli convert do for one file: load, calculate, write
// both files.
static void BM_ConvertFileBothKinds(benchmark::State& state) {
    const auto file = bench::bm2_file(state.range(0));
    const fs::path folder = fs::temp_directory_path() / "talvex2-bench-out";
    fs::create_directories(folder);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            convert_bm2_file(file, folder, true, true, settings_file(), french_conversion_texts()));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

static void BM_FormatNumber(benchmark::State& state) {
    std::vector<double> values(1000000);
    for (size_t i = 0; i < values.size(); ++i) {
        const double x = static_cast<double>(i % 5000);
        values[i] = state.range(0) == 0 ? x : state.range(0) == 1 ? x / 10 + 0.2 : 20 + x / 7.3;
    }
    std::string out;
    for (auto _ : state) {
        out.clear();
        for (double v : values)
            append_number(out, v);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}

static void BM_FormatDateTime(benchmark::State& state) {
    const double start = 45000;
    for (auto _ : state)
        for (int i = 0; i < 1000000; ++i)
            benchmark::DoNotOptimize(format_date_time(start + i / 24.0));
    state.SetItemsProcessed(state.iterations() * 1000000);
}

BENCHMARK(BM_ReadBytes)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteValues)
    ->Args({65535, RawValues})
    ->Args({65535, CalculatedValues})
    ->Args({1000000, RawValues})
    ->Args({1000000, CalculatedValues})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertFileBothKinds)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FormatNumber)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatDateTime)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
