// Probe downloads against the probe simulator on a pseudo-terminal, through the same link
// code as the program (POSIX port, system clock).
//
// BM_CompleteDownload: the "RF" records as fast as the simulator sends them, timed from
// the first record to the last; records_per_s and x_line (the multiple of the 71 records a
// second a 19,200-baud line carries: 27 bytes a record, 10 bits a byte).
// BM_PacedCompleteReading: the simulator paced at 19,200 baud, a whole complete reading
// (connect, header, records, the pauses, disconnect); download_vs_line is the records'
// time against their line time, total_vs_line the whole reading against the line time of
// its records.
//
// The simulator is <build>/probe-sim next to this program's folder, or $PROBE_SIM.
#include "data/standard_header.h"
#include "link/posix_serial_port.h"
#include "link/probe_download.h"
#include "link/reading.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace talvex;
namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr double LineBytesPerSecond = 19200.0 / 10.0;
constexpr double RecordBytes = 27.0; // 25 bytes and LF CR

fs::path simulator_path() {
    if (const char* env = std::getenv("PROBE_SIM"))
        return env;
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "probe-sim";
}

// probe-sim in a child process; its first output line is the terminal's path.
class Simulator {
  public:
    Simulator(long measures, bool pace) {
        state_ = fs::temp_directory_path() / ("download-bench-" + std::to_string(::getpid()) +
                                              (pace ? "-paced" : "") + ".state");
        int out[2];
        if (::pipe(out) != 0)
            throw std::runtime_error("pipe");
        const std::string program = simulator_path().string();
        const std::string count = std::to_string(measures);
        const std::string state = state_.string();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            std::vector<const char*> argv{program.c_str(), "--state",   state.c_str(),
                                          "--reset",       "--stopped", "--measures",
                                          count.c_str(),   "--period",  "1"};
            if (pace)
                argv.push_back("--pace");
            argv.push_back(nullptr);
            ::execv(program.c_str(), const_cast<char* const*>(argv.data()));
            ::_exit(127);
        }
        ::close(out[1]);
        pollfd p{out[0], POLLIN, 0};
        std::string line;
        char c = 0;
        while (::poll(&p, 1, 5000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        ::close(out[0]);
        if (line.empty())
            throw std::runtime_error("probe-sim did not start: " + program);
        path_ = line;
    }
    ~Simulator() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        std::error_code ignored;
        fs::remove(state_, ignored);
    }
    const std::string& path() const { return path_; }

  private:
    pid_t pid_ = -1;
    fs::path state_;
    std::string path_;
};

double seconds(SteadyClock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The simulator for one benchmark, or nothing (the benchmark skipped with the reason) when
// it cannot be started.
std::unique_ptr<Simulator> start_simulator(benchmark::State& state, long measures, bool paced) {
    try {
        return std::make_unique<Simulator>(measures, paced);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return nullptr;
    }
}

void BM_CompleteDownload(benchmark::State& state) {
    const long measures = state.range(0);
    const auto started = start_simulator(state, measures, false);
    if (!started)
        return;
    Simulator& sim = *started;
    PosixSerialPort port(sim.path());
    SystemLinkClock clock;
    ProbeLink link(port, clock);
    const fs::path dir =
        fs::temp_directory_path() / ("download-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    port.Open();
    if (link.ProbeConnect() != LinkOk) {
        state.SkipWithError("the simulator did not answer");
        return;
    }
    ProbeHeader header;
    Read_Probe_Param(link, header, dir / "header.tmp", {}, {});
    header = Load_Probe_Param(dir / "header.tmp");

    SteadyClock::time_point first, last;
    DownloadView view;
    view.measuresRead = [&](long k) {
        if (k == 1)
            first = SteadyClock::now();
        last = SteadyClock::now();
    };
    double records = 0, elapsed = 0;
    for (auto _ : state) {
        link.AbortFlag = false;
        const DownloadResult r =
            Read_Probe_Measures(link, header, measures, dir / "measure.tmp", view, false);
        if (link.AbortFlag || r.lines != measures) {
            state.SkipWithError("the download stopped early");
            break;
        }
        state.SetIterationTime(seconds(last - first));
        records += static_cast<double>(measures - 1);
        elapsed += seconds(last - first);
    }
    link.ProbeDisconnect();
    port.Close();
    fs::remove_all(dir);
    const double rate = elapsed > 0 ? records / elapsed : 0;
    state.counters["records_per_s"] = rate;
    state.counters["x_line"] = rate / (LineBytesPerSecond / RecordBytes);
}

void BM_PacedCompleteReading(benchmark::State& state) {
    const long measures = state.range(0);
    const auto started = start_simulator(state, measures, true);
    if (!started)
        return;
    Simulator& sim = *started;
    PosixSerialPort port(sim.path());
    SystemLinkClock clock;
    ProbeLink link(port, clock);
    const fs::path dir =
        fs::temp_directory_path() / ("download-bench-paced-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const WorkingFiles files{dir};
    SteadyClock::time_point first, last;
    ReadingHooks hooks;
    hooks.view.measuresRead = [&](long k) {
        if (k == 1)
            first = SteadyClock::now();
        last = SteadyClock::now();
    };
    const double lineTime = static_cast<double>(measures) * RecordBytes / LineBytesPerSecond;
    double download = 0, total = 0;
    for (auto _ : state) {
        const auto start = SteadyClock::now();
        const ReadingOutcome out = run_complete_reading(link, files, hooks);
        const auto end = SteadyClock::now();
        if (!out.succeeded) {
            state.SkipWithError("the reading failed");
            break;
        }
        state.SetIterationTime(seconds(end - start));
        // The first record's own line time is before `first`.
        download = seconds(last - first) + RecordBytes / LineBytesPerSecond;
        total = seconds(end - start);
    }
    fs::remove_all(dir);
    state.counters["line_s"] = lineTime;
    state.counters["download_s"] = download;
    state.counters["download_vs_line"] = download / lineTime;
    state.counters["total_vs_line"] = total / lineTime;
}

} // namespace

BENCHMARK(BM_CompleteDownload)
    ->Arg(2000)
    ->Arg(65535)
    ->Iterations(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PacedCompleteReading)
    ->Arg(300)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
