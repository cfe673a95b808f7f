// talvex2-cli read: reads a probe on a serial port into a ".bm2" file, with the link code and
// the messages of the application's reading commands. The application's working files are
// never touched: the reading goes through a private folder, and the file is written only
// when the reading is complete.
#include "cli/commands.h"

#include "data/bm2_file.h"
#include "data/conversion_error.h"
#include "link/posix_serial_port.h"
#include "link/reading.h"

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace talvex::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;
void on_interrupt(int) { interrupted = 1; }

const char* ReadUsage =
    "Usage: talvex2-cli read --port DEV [--from dd/mm/yy --to dd/mm/yy] -o FILE.bm2\n"
    "\n"
    "Connects to the probe on the serial port DEV (a device such as /dev/ttyUSB0, or the\n"
    "pseudo-terminal of probe-sim), reads its header and all its measures (or those from\n"
    "--from to --to, both days included, checked against the probe's first stored date and\n"
    "its clock), releases it and writes FILE.bm2. Progress and messages go to stderr.\n"
    "Ctrl-C cancels the reading as the reading window's Cancel button does. The exit status\n"
    "is 0 only when the file was written; nothing is written otherwise.\n";

// The program's texts use "\n\r" for one line break.
std::string plain(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\r')
            ++i;
    }
    return out;
}

// A private folder for the working files of one reading, removed at the end.
class PrivateFolder {
public:
    PrivateFolder() {
        std::string pattern = (fs::temp_directory_path() / "talvex2-read-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw ConversionError("Impossible de créer un dossier de travail temporaire");
        path_ = pattern;
    }
    ~PrivateFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Progress on stderr: one line rewritten in place on a terminal, a line per 10 % otherwise.
class Progress {
public:
    Progress() : tty_(::isatty(STDERR_FILENO)) {}
    void expected(long n, bool partial) {
        expected_ = n;
        partial_ = partial;
    }
    void read(long k) { read_ = k; }
    void percent(int p) {
        if (p == shown_)
            return;
        shown_ = p;
        if (!tty_ && p % 10 != 0)
            return;
        std::cerr << (tty_ ? "\r" : "") << "Mesures lues : " << read_ << " / " << expected_
                  << (partial_ ? " (max)" : "") << "  " << p << " %";
        if (!timeLeft_.empty())
            std::cerr << "  " << timeLeft_;
        std::cerr << (tty_ ? "   " : "\n") << std::flush;
    }
    void time(const std::string& text) { timeLeft_ = text; }
    void searching(bool on) {
        if (on)
            std::cerr << "Recherche des mesures en cours\n";
    }
    void end() {
        if (tty_ && shown_ >= 0)
            std::cerr << "\n";
        shown_ = -1;
    }

private:
    bool tty_;
    long expected_ = 0, read_ = 0;
    bool partial_ = false;
    int shown_ = -1;
    std::string timeLeft_;
};

} // namespace

int run_read(const Arguments& arguments) {
    std::string port, output, from, to;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= arguments.size()) {
                std::cerr << "talvex2-cli read: " << a << " needs a value\n" << ReadUsage;
                return false;
            }
            into = arguments[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            std::cout << ReadUsage;
            return 0;
        }
        bool ok = true;
        if (a == "--port")
            ok = value(port);
        else if (a == "-o" || a == "--output")
            ok = value(output);
        else if (a == "--from")
            ok = value(from);
        else if (a == "--to")
            ok = value(to);
        else {
            std::cerr << "talvex2-cli read: unknown option '" << a << "'\n" << ReadUsage;
            return 2;
        }
        if (!ok)
            return 2;
    }
    if (port.empty() || output.empty() || from.empty() != to.empty()) {
        std::cerr << ReadUsage;
        return 2;
    }
    // The dates are checked before anything is sent to the probe.
    std::optional<double> startDay, endDay;
    if (!from.empty()) {
        startDay = parse_short_date(from);
        endDay = parse_short_date(to);
        if (!startDay || !endDay) {
            std::cerr << "talvex2-cli read: '" << (startDay ? to : from)
                      << "' n'est pas une date correcte (jj/mm/aa)\n";
            return 2;
        }
    }

    PrivateFolder folder;
    const WorkingFiles files{folder.path()};
    PosixSerialPort serial(port);
    serial.SetTimeOuts(ReadTimeOuts::fromMilliseconds(link_timing::PortTimeOut));
    SystemLinkClock clock;
    ProbeLink link(serial, clock);

    struct sigaction action{};
    action.sa_handler = on_interrupt;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    clock.onPump = [&] {
        if (interrupted)
            link.AbortFlag = true;
    };

    Progress progress;
    bool failed = false;
    ReadingHooks hooks;
    hooks.notify = [&](const Notice& n) {
        progress.end();
        std::cerr << "talvex2-cli read: " << plain(n.text);
        if (!n.detail.empty())
            std::cerr << " " << n.detail;
        std::cerr << "\n";
        if (n.kind != NoticeKind::Information)
            failed = true;
    };
    hooks.showReadingWindow = [&](long expected, const std::string& notice, bool partial) {
        progress.expected(expected, partial);
        if (!notice.empty())
            std::cerr << plain(notice.substr(notice.find_first_not_of(' '))) << "\n";
        std::cerr << "Lecture des mesures en cours\n";
    };
    hooks.view.measuresRead = [&](long k) { progress.read(k); };
    hooks.view.progress = [&](int p) { progress.percent(p); };
    hooks.view.timeLeft = [&](const std::string& t) { progress.time(t); };
    hooks.view.searching = [&](bool on) { progress.searching(on); };

    std::cerr << "Connexion à la sonde sur " << port << "\n";
    ReadingOutcome outcome;
    if (!startDay) {
        outcome = run_complete_reading(link, files, hooks);
    } else {
        const PartialPreparation prepared = prepare_partial_reading(link, files, hooks);
        if (!prepared.ready)
            return 1;
        if (!interval_accepted(*startDay, *endDay, prepared.firstDate, prepared.probeClock)) {
            std::cerr << "talvex2-cli read: " << IntervalIncorrectMessage << " (du "
                      << short_date(prepared.firstDate) << " au "
                      << short_date(prepared.probeClock) << ")\n";
            return 1;
        }
        outcome = run_interval_reading(link, files, prepared, *startDay, *endDay, hooks);
    }
    progress.end();
    if (!outcome.succeeded) {
        if (outcome.download.stop == DownloadStop::Cancelled)
            std::cerr << "talvex2-cli read: lecture annulée\n";
        else if (outcome.connected && !failed)
            std::cerr << "talvex2-cli read: la lecture n'a pas abouti\n";
        return 1;
    }

    // Loaded as the application loads a reading, so that a file this tool writes is one
    // the application opens.
    Measurement check;
    check.header = Load_Probe_Param(files.header());
    const MeasureLoadReport report = Load_Probe_Measures(files.measure(), check);
    if (report.continuityError)
        std::cerr << "talvex2-cli read: " << ContinuityWarning << "\n";
    write_bm2_file(output, files.header(), files.measure());
    std::cerr << check.size() << " mesures écrites dans " << output << "\n";
    return 0;
}

} // namespace talvex::cli
