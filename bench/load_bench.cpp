// Opening a measurement file: split, header load and measure load, against a plain read of
// the same bytes (the floor any loader must pay).
#include "bench_files.h"

#include "data/bm2_file.h"

#include <benchmark/benchmark.h>
#include <fstream>

using namespace talvex;

static void BM_ReadBytes(benchmark::State& state) {
    const auto file = bench::bm2_file(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(read_file_bytes(file));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(file)));
}

static void BM_SplitAndLoadInMemory(benchmark::State& state) {
    const auto file = bench::bm2_file(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(load_bm2_in_memory(file));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

static void BM_DispatchThenLoadWorkingFiles(benchmark::State& state) {
    const auto file = bench::bm2_file(state.range(0));
    const WorkingFiles work{std::filesystem::temp_directory_path()};
    for (auto _ : state) {
        Dispatch_bm2file(file, work.header(), work.measure());
        Measurement m;
        m.header = Load_Probe_Param(work.header());
        benchmark::DoNotOptimize(Load_Probe_Measures(work.measure(), m));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ReadBytes)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitAndLoadInMemory)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DispatchThenLoadWorkingFiles)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
