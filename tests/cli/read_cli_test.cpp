// End to end: the built probe simulator on a pseudo-terminal, read by the built
// talvex2-cli. Every wait is bounded, so a broken run fails instead of hanging.
#include "data/bm2_file.h"
#include "data/instant.h"
#include "link/reading.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace talvex;
using namespace talvex::testing;
using namespace std::chrono_literals;

namespace {

const fs::path BinaryDir = TALVEX2_BINARY_DIR;

// A child process with its stdout and stderr on pipes.
class Child {
public:
    Child(const fs::path& program, const std::vector<std::string>& args,
          const std::vector<std::string>& env = {}) {
        int out[2], err[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            for (const std::string& e : env)
                ::putenv(const_cast<char*>(e.c_str()));
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Child() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGTERM);
            wait(5s);
            if (!exited_) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
            }
        }
        ::close(out_);
        ::close(err_);
    }

    // The first line of standard output, or "" after `limit`.
    std::string firstLine(std::chrono::milliseconds limit) {
        std::string line;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (line.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            if (left <= 0ms)
                return "";
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                continue;
            char c;
            if (::read(out_, &c, 1) != 1)
                return "";
            line += c;
        }
        line.pop_back();
        return line;
    }

    // Waits for the exit (collecting stderr); -1 when it did not end within `limit`.
    int wait(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!exited_) {
            pollfd p{err_, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) {
                char buffer[4096];
                const ssize_t n = ::read(err_, buffer, sizeof buffer);
                if (n > 0)
                    stderr_.append(buffer, static_cast<size_t>(n));
            }
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                char buffer[4096];
                ssize_t n;
                while ((n = ::read(err_, buffer, sizeof buffer)) > 0)
                    stderr_.append(buffer, static_cast<size_t>(n));
                break;
            }
            if (std::chrono::steady_clock::now() > end)
                return -1;
        }
        return status_;
    }
    const std::string& errors() const { return stderr_; }

private:
    pid_t pid_ = -1;
    int out_ = -1, err_ = -1;
    bool exited_ = false;
    int status_ = -1;
    std::string stderr_;
};

struct Simulated {
    ScratchDir dir;
    std::unique_ptr<Child> sim;
    std::string port;

    explicit Simulated(std::vector<std::string> args) {
        args.insert(args.begin(), {"--state", (dir / "probe.state").string(), "--reset"});
        sim = std::make_unique<Child>(BinaryDir / "probe-sim", args);
        port = sim->firstLine(10s);
    }
    // Runs talvex2-cli read; the exit status, or -1 when it hung.
    int read(std::vector<std::string> args, std::string* errors = nullptr) {
        args.insert(args.begin(), {"read", "--port", port});
        Child cli(BinaryDir / "talvex2-cli", args, {"TALVEX2_HOME=" + (dir / "home").string()});
        const int status = cli.wait(90s);
        if (errors)
            *errors = cli.errors();
        return status;
    }
};

std::string today(int daysBack = 0) {
    const std::time_t t = std::time(nullptr) - daysBack * 86400;
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%d/%m/%y", &local);
    return text;
}

TEST(ReadCommand, CompleteReadingWritesTheWholeMemory) {
    for (const char* firmware : {"24", "23"}) {
        Simulated probe({"--measures", "300", "--period", "15", "--firmware", firmware});
        ASSERT_THAT(probe.port, ::testing::StartsWith("/dev/"));
        const fs::path out = probe.dir / "probe.bm2";
        std::string errors;
        ASSERT_EQ(probe.read({"-o", out.string()}, &errors), 0) << errors;
        const LoadedFile loaded = load_bm2_in_memory(out);
        EXPECT_EQ(loaded.measurement.size(), 300u);
        EXPECT_FALSE(loaded.report.continuityError);
        EXPECT_EQ(loaded.measurement.header.value(0), firmware);
        EXPECT_EQ(loaded.measurement.header.value(45), "300");
        EXPECT_NEAR(loaded.measurement.EndAll - loaded.measurement.StartAll, 299 * 15 / 1440.0,
                    1e-6);
        EXPECT_THAT(errors, ::testing::HasSubstr("300 mesures écrites"));
    }
}

TEST(ReadCommand, PartialReadingKeepsToTheInterval) {
    Simulated probe({"--measures", "400", "--period", "15"});
    const fs::path out = probe.dir / "part.bm2";
    std::string errors;
    ASSERT_EQ(probe.read({"--from", today(1), "--to", today(0), "-o", out.string()}, &errors), 0)
        << errors;
    const LoadedFile loaded = load_bm2_in_memory(out);
    const double from = *parse_short_date(today(1));
    ASSERT_GT(loaded.measurement.size(), 90u);
    EXPECT_LE(loaded.measurement.size(), 192u);
    EXPECT_GE(loaded.measurement.StartAll, from);
    EXPECT_LT(loaded.measurement.StartAll, from + 15 / 1440.0 + 1e-9);
    EXPECT_FALSE(loaded.report.continuityError);
}

TEST(ReadCommand, IntervalOutsideTheProbeDataIsRefusedWithoutAFile) {
    Simulated probe({"--measures", "100", "--period", "15"});
    const fs::path out = probe.dir / "part.bm2";
    std::string errors;
    EXPECT_EQ(probe.read({"--from", "01/01/20", "--to", today(0), "-o", out.string()}, &errors),
              1);
    EXPECT_THAT(errors, ::testing::HasSubstr(IntervalIncorrectMessage));
    EXPECT_FALSE(fs::exists(out));
}

struct FaultCase {
    const char* fault;
    const char* message; // part of what the tool says
};
class ReadFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ReadFaults, FailWithTheApplicationsMessageAndLeaveTheOutputAlone) {
    Simulated probe({"--measures", "300", "--fault", GetParam().fault, "--fault-at", "120"});
    const fs::path out = probe.dir / "probe.bm2";
    write_bytes(out, "an older reading");
    fs::create_directories(probe.dir / "home");
    write_bytes(probe.dir / "home" / "measure.tmp", "MESURES\r\n");
    std::string errors;
    EXPECT_EQ(probe.read({"-o", out.string()}, &errors), 1) << errors;
    EXPECT_THAT(errors, ::testing::HasSubstr(GetParam().message)) << errors;
    EXPECT_EQ(read_bytes(out), "an older reading");
    EXPECT_EQ(read_bytes(probe.dir / "home" / "measure.tmp"), "MESURES\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Simulator, ReadFaults,
    ::testing::Values(FaultCase{"silent", "Pas de réponse.\nVérifiez que la sonde est connectée"},
                      FaultCase{"wrong-id", "Réponse incorrecte. Recommencer la"},
                      FaultCase{"nak-header", "Le header de la sonde est corrompu."},
                      FaultCase{"no-esc", "Le header de la sonde est incomplet"},
                      FaultCase{"short-record", "La lecture des mesures a été interrompue"},
                      FaultCase{"extra-bytes", "La lecture des mesures a été interrompue"},
                      FaultCase{"stall", "La lecture des mesures a été interrompue"},
                      FaultCase{"hang-up", "Erreur de communication avec la sonde"}),
    [](const auto& info) {
        std::string n = info.param.fault;
        for (char& c : n)
            if (c == '-')
                c = '_';
        return n;
    });

TEST(ReadCommand, PortThatDoesNotExistIsNoReply) {
    ScratchDir dir;
    Child cli(BinaryDir / "talvex2-cli",
              {"read", "--port", (dir / "no-such-port").string(), "-o", (dir / "x.bm2").string()});
    EXPECT_EQ(cli.wait(30s), 1);
    EXPECT_THAT(cli.errors(), ::testing::HasSubstr("Pas de réponse."));
    EXPECT_FALSE(fs::exists(dir / "x.bm2"));
}

TEST(ReadCommand, BadDatesAreRefusedBeforeConnecting) {
    ScratchDir dir;
    Child cli(BinaryDir / "talvex2-cli", {"read", "--port", "/dev/null", "--from", "31/02/20",
                                          "--to", "01/03/20", "-o", (dir / "x.bm2").string()});
    EXPECT_EQ(cli.wait(30s), 2);
    EXPECT_THAT(cli.errors(), ::testing::HasSubstr("'31/02/20' n'est pas une date correcte"));
}

} // namespace
