// The calculation of physical values, against a plain read of the file's bytes, and the cost
// of keeping every value to 15 significant digits (the text round trip).
#include "bench_files.h"

#include "data/bm2_file.h"
#include "data/number_text.h"
#include "display/calculation.h"

#include <benchmark/benchmark.h>

#include <map>
#include <vector>

using namespace talvex;

namespace {

// Every sensor of the three-channel probe, with the humidity correction of the radon.
constexpr int AllSensors = 255 | sensor::HumidityCorrection;

const Measurement& loaded(long measures) {
    static std::map<long, Measurement> cache;
    auto it = cache.find(measures);
    if (it == cache.end())
        it = cache.emplace(measures, load_bm2_in_memory(bench::bm2_file(measures)).measurement).first;
    return it->second;
}

} // namespace

static void BM_ReadBytes(benchmark::State& state) {
    const auto file = bench::bm2_file(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(read_file_bytes(file));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(file)));
}

static void BM_Calcul(benchmark::State& state) {
    Measurement m = loaded(state.range(0));
    int last = 0;
    for (auto _ : state) {
        Calcul(m, static_cast<int>(state.range(1)), [&](int percent) { last = percent; });
        benchmark::DoNotOptimize(m.calculated[Calc_Series_Pression].data());
    }
    benchmark::DoNotOptimize(last);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Opening a file for display: load and calculate.
static void BM_LoadAndCalcul(benchmark::State& state) {
    const auto file = bench::bm2_file(state.range(0));
    for (auto _ : state) {
        LoadedFile f = load_bm2_in_memory(file);
        Calcul(f.measurement, AllSensors);
        benchmark::DoNotOptimize(f.measurement.calculated[0].data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The 15-digit round trip alone, per value kind: whole numbers (counts, activities, status
// bits), short decimals (rain, volts, humidity) and full-precision results (temperature,
// pressure), 1,000,000 values each.
static void BM_RoundTrip(benchmark::State& state) {
    std::vector<double> values(1000000);
    for (size_t i = 0; i < values.size(); ++i) {
        const double x = static_cast<double>(i % 5000);
        values[i] = state.range(0) == 0 ? x : state.range(0) == 1 ? x / 10 + 0.2 : 20 + x / 7.3;
    }
    for (auto _ : state) {
        double sum = 0;
        for (double v : values)
            sum += round_to_significant_digits(v);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}

BENCHMARK(BM_ReadBytes)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calcul)
    ->Args({65535, AllSensors})
    ->Args({1000000, AllSensors})
    ->Args({65535, 7})
    ->Args({1000000, 7})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndCalcul)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundTrip)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
