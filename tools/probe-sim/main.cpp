// probe-sim: a simulated radon probe on a pseudo-terminal. It prints the path of the
// terminal to open (as a serial port) and answers the probe's command set: identification,
// header, complete and interval downloads, clock, stop, parameter frames, period, memory
// erase and start. Its header, clock and acquisition persist in a state file, so that what
// one command writes the next reads back. It can pace its bytes at 19200 baud and play a
// few faults of a real line.
#include "probe_state.h"

#include "data/instant.h"
#include "data/standard_header.h"
#include "data/text_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

using namespace probesim;
using namespace talvex;
namespace fs = std::filesystem;
using Micros = std::chrono::microseconds;
using namespace std::chrono_literals;

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void on_signal(int) { stopRequested = 1; }

Micros now() {
    return std::chrono::duration_cast<Micros>(
        std::chrono::steady_clock::now().time_since_epoch());
}

struct Options {
    fs::path state = "probe-sim.state";
    bool reset = false;
    int firmware = 24;
    long measures = 2000;
    long period = 15;
    std::uint32_t seed = 1;
    bool stopped = false;
    bool pace = false;
    std::string fault;
    long faultAt = -1;
    Micros search = 400ms;
    fs::path link;
    bool verbose = false;
};

const char* Help =
    R"(Usage: probe-sim [OPTIONS]

A simulated radon probe on a pseudo-terminal. Prints the terminal's path on the first line
of its output; open that path as the serial port (in the application's "Communications"
dialog, or with talvex2-cli read --port PATH). Runs until interrupted.

State (header, clock, acquisition) is kept in the state file and survives restarts:
  --state FILE        state file (default ./probe-sim.state)
  --reset             start from a fresh probe even if the state file exists
A fresh probe (no state file, or --reset) is made from:
  --measures N        measures in memory, the last one now (default 2000, at most 65535)
  --period MIN        acquisition period in minutes, 1 to 240 (default 15)
  --firmware 23|24    firmware version: record layout and sensors (default 24)
  --seed N            seed of the generated values (default 1)
  --stopped           acquisition stopped (the memory does not grow)

Line:
  --pace              send at the pace of a 19200-baud line (about 1920 bytes/s)
  --search-ms MS      time the probe searches before an interval download (default 400)
  --link PATH         also make PATH a symbolic link to the terminal
  --verbose           log commands on stderr

Faults (--fault MODE, with --fault-at K for the measure where it happens, default the
middle of the download):
  silent        never answers
  wrong-id      answers the identification with another name
  nak-header    puts a NAK (corrupt mark) in the header
  no-esc        sends the header without its closing ESC, then nothing
  short-record  cuts record K short and goes quiet
  extra-bytes   sends one byte too many after record K
  stall         stops sending before record K (the download waits, then gives up)
  hang-up       hangs up the line before record K (the terminal closes)

Commands answered: ESC, SL, ID, RH, RF, RI, RD, RT, SD, ST, SS, SH (parameter frames),
SP, SM, SB.
)";

class Simulator {
public:
    Simulator(int master, ProbeState state, Options options)
        : master_(master), st_(std::move(state)), opt_(std::move(options)) {}

    int run();

private:
    struct Chunk {
        std::string bytes;
        Micros notBefore;
    };
    enum class Mode { Command, RiStart, RiEnd, SetDate, SetTime, SetPeriod, Frames };
    enum class Stream { None, Records, Text };

    void send(const std::string& bytes, Micros delay = Micros(0)) {
        out_.push_back({bytes, now() + delay});
    }
    void save() {
        try {
            st_.save(opt_.state);
        } catch (const std::exception& e) {
            std::cerr << "probe-sim: " << e.what() << "\n";
        }
    }
    void log(const std::string& what) {
        if (opt_.verbose)
            std::cerr << "probe-sim: " << what << "\n";
    }
    long faultAt(long first, long last) const {
        return opt_.faultAt > 0 ? opt_.faultAt : first + (last - first) / 2;
    }

    void onByte(char c);
    void command(const std::string& cmd);
    void frameDone();
    void refill();
    void startStream(Stream kind, long first, long last);
    void hangUp();

    int master_;
    ProbeState st_;
    Options opt_;
    std::deque<Chunk> out_;
    Micros lineFreeAt_{0};
    Mode mode_ = Mode::Command;
    std::string cmd_, arg_, frame_;
    int frameSeparators_ = 0;
    long riStartDay_ = 0;
    Stream stream_ = Stream::None;
    long next_ = 0, last_ = 0, fault_ = -1;
    bool hungUp_ = false;
};

void Simulator::hangUp() {
    log("hanging up");
    ::close(master_);
    master_ = -1;
    hungUp_ = true;
}

void Simulator::startStream(Stream kind, long first, long last) {
    stream_ = kind;
    next_ = first;
    last_ = last;
    fault_ = faultAt(first, last);
}

void Simulator::refill() {
    size_t pending = 0;
    for (const Chunk& c : out_)
        pending += c.bytes.size();
    while (stream_ != Stream::None && pending < 16384) {
        if (next_ > last_) {
            if (stream_ == Stream::Text)
                send("E");
            stream_ = Stream::None;
            break;
        }
        const bool atFault = next_ == fault_;
        if (atFault && opt_.fault == "stall") {
            stream_ = Stream::None;
            break;
        }
        if (atFault && opt_.fault == "hang-up") {
            stream_ = Stream::None;
            hangUp();
            return;
        }
        std::string piece;
        if (stream_ == Stream::Records) {
            const std::string record = st_.record(next_);
            if (atFault && opt_.fault == "short-record") {
                send(record.substr(0, 20));
                stream_ = Stream::None;
                break;
            }
            piece = record + (atFault && opt_.fault == "extra-bytes" ? "!" : "") + "\n\r";
        } else {
            piece = st_.textLine(next_) + "\n\r";
        }
        send(piece);
        pending += piece.size();
        ++next_;
    }
}

void Simulator::frameDone() {
    // key ";" value ";": the value is text, or raw bytes for the one- and two-byte entries.
    const size_t sep = frame_.find(';');
    const std::string key = frame_.substr(0, sep);
    const std::string value = frame_.substr(sep + 1, frame_.size() - sep - 2);
    const auto& keys = standard_header_keys();
    for (int i = 0; i < HeaderEntryCount; ++i) {
        if (keys[static_cast<size_t>(i)] != key || i == entry::Soft || i == entry::MeasureCount)
            continue;
        std::string text = value;
        if ((i >= 46 && i <= 53) || i == 57) {
            text = value.empty() ? "0" : std::to_string(static_cast<unsigned char>(value[0]));
        } else if (i >= 54 && i <= 56) {
            const unsigned hi = value.size() > 0 ? static_cast<unsigned char>(value[0]) : 0;
            const unsigned lo = value.size() > 1 ? static_cast<unsigned char>(value[1]) : 0;
            text = std::to_string(hi * 256 + lo);
        }
        st_.header.set(i, key, text);
        break;
    }
    send("\r\n");
    log("frame " + key);
    frame_.clear();
    frameSeparators_ = 0;
    if (key == "PROBE_TYPE") {
        send("OK\r\n\r\n");
        mode_ = Mode::Command;
        save();
    }
}

void Simulator::onByte(char c) {
    if (opt_.fault == "silent")
        return;
    if (mode_ == Mode::Frames) {
        std::string echo(1, c);
        send(echo);
        frame_ += c;
        if (c == ';' && ++frameSeparators_ == 2)
            frameDone();
        return;
    }
    if (c == '\x1B') {
        // Stop whatever is being sent and answer with one byte.
        out_.clear();
        stream_ = Stream::None;
        mode_ = Mode::Command;
        cmd_.clear();
        send(">");
        log("ESC");
        return;
    }
    if (mode_ != Mode::Command) {
        if (c < '0' || c > '9')
            return;
        arg_ += c;
        const size_t need = mode_ == Mode::SetTime ? 4 : mode_ == Mode::SetPeriod ? 3 : 6;
        if (arg_.size() < need)
            return;
        const std::string a = arg_;
        arg_.clear();
        auto two = [&](size_t at) { return std::stoi(a.substr(at, 2)); };
        const Mode m = mode_;
        mode_ = Mode::Command;
        if (m == Mode::RiStart || m == Mode::RiEnd) {
            const long day = days_from_civil(2000 + two(4), two(2), two(0));
            if (m == Mode::RiStart) {
                riStartDay_ = day;
                mode_ = Mode::RiEnd;
                send("FIN:");
                return;
            }
            send("\r\n");
            send("Recherche...\r\n");
            send("\r\n");
            const long long from = static_cast<long long>(riStartDay_) * 1440;
            const long long to = (static_cast<long long>(day) + 1) * 1440 - 1;
            const long p = st_.period();
            const long long kFrom =
                std::max<long long>(1, (from - st_.startMinute + p - 1) / p);
            const long long kTo =
                std::min<long long>(st_.count(), (to - st_.startMinute) / p);
            log("RI " + std::to_string(kFrom) + ".." + std::to_string(kTo));
            send(">", opt_.search);
            startStream(Stream::Text, static_cast<long>(kFrom), static_cast<long>(kTo));
            if (kFrom > kTo)
                next_ = last_ + 1;
        } else if (m == Mode::SetDate) {
            const long long time = st_.clockMinute() % 1440;
            st_.setClockMinute(static_cast<long long>(days_from_civil(2000 + two(4), two(2), two(0))) *
                                   1440 + time);
            send("\r\n");
            save();
        } else if (m == Mode::SetTime) {
            const long long day = st_.clockMinute() / 1440;
            st_.setClockMinute(day * 1440 + two(0) * 60 + two(2));
            send("\r\n");
            save();
        } else if (m == Mode::SetPeriod) {
            st_.header.setValue(entry::Period, std::to_string(std::stoi(a)));
            send("\r\n");
            save();
        }
        return;
    }
    if (c < 'A' || c > 'Z') {
        cmd_.clear();
        return;
    }
    cmd_ += c;
    if (cmd_.size() == 2) {
        const std::string cmd = cmd_;
        cmd_.clear();
        command(cmd);
    }
}

void Simulator::command(const std::string& cmd) {
    log(cmd);
    if (cmd == "SL") {
        send("SL\r\n");
    } else if (cmd == "ID") {
        send(opt_.fault == "wrong-id" ? "IDTALVEX\r\n" : "IDORVANE\r\n");
    } else if (cmd == "RH") {
        st_.header.setValue(entry::MeasureCount, std::to_string(st_.count()));
        std::string text = "RH\r\n";
        for (int i = 0; i < HeaderEntryCount; ++i) {
            char index[8];
            std::snprintf(index, sizeof index, "%02d", i);
            text += std::string(index) + ";" + st_.header.key(i) + ";" + st_.header.value(i) + ";\n\r";
            if (i == 20 && opt_.fault == "nak-header")
                text += '\x15';
        }
        if (opt_.fault != "no-esc")
            text += '\x1B';
        send(text);
    } else if (cmd == "RF") {
        send("RF\r\n");
        startStream(Stream::Records, 1, st_.count());
    } else if (cmd == "RI") {
        send("\r\n");
        send("DEB:");
        mode_ = Mode::RiStart;
    } else if (cmd == "RD" || cmd == "RT") {
        const CivilDateTime dt = civil_from_instant(static_cast<double>(st_.clockMinute()) / 1440.0);
        char text[16];
        if (cmd == "RD")
            std::snprintf(text, sizeof text, "%02d/%02d/%02d", dt.day, dt.month, dt.year % 100);
        else
            std::snprintf(text, sizeof text, "%02d:%02d", dt.hour, dt.minute);
        send(std::string("\r\n") + text + "\r\n");
    } else if (cmd == "SD") {
        send("\r\n");
        mode_ = Mode::SetDate;
    } else if (cmd == "ST") {
        send("\r\n");
        mode_ = Mode::SetTime;
    } else if (cmd == "SS") {
        send("SS");
        if (st_.running) {
            st_.stopMinute = st_.clockMinute();
            st_.running = false;
        }
        save();
    } else if (cmd == "SH") {
        send("SH OK\r\n\r\n");
        for (int i = 0; i < HeaderEntryCount; ++i)
            if (i != entry::Soft && i != entry::MeasureCount)
                st_.header.setValue(i, "");
        mode_ = Mode::Frames;
        frame_.clear();
        frameSeparators_ = 0;
    } else if (cmd == "SP") {
        send("\r\n");
        mode_ = Mode::SetPeriod;
    } else if (cmd == "SM") {
        send("\r\n");
        for (int i = 1; i <= 15; ++i)
            send("E", std::chrono::milliseconds(60 * i));
        send("OK\r\n", std::chrono::milliseconds(60 * 16));
        st_.erasedCount = 0;
        st_.running = false;
        save();
    } else if (cmd == "SB") {
        send("SB\r\n");
        st_.erasedCount = -1;
        st_.running = true;
        st_.startMinute = st_.clockMinute();
        save();
    }
}

int Simulator::run() {
    constexpr Micros ByteTime{521}; // 10 bits at 19200 baud
    char buffer[4096];
    while (!stopRequested && !hungUp_) {
        refill();
        if (hungUp_)
            break;
        const Micros t = now();
        bool canWrite = false;
        int timeout = 1000;
        if (!out_.empty()) {
            if (out_.front().notBefore > t) {
                timeout = static_cast<int>((out_.front().notBefore - t).count() / 1000) + 1;
            } else if (opt_.pace && lineFreeAt_ > t) {
                timeout = static_cast<int>((lineFreeAt_ - t).count() / 1000);
                if (timeout == 0)
                    canWrite = true;
            } else {
                canWrite = true;
            }
        }
        pollfd p{master_, static_cast<short>(POLLIN | (canWrite ? POLLOUT : 0)), 0};
        const int r = ::poll(&p, 1, canWrite ? 100 : timeout);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            std::cerr << "probe-sim: poll: " << std::strerror(errno) << "\n";
            return 1;
        }
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            for (ssize_t i = 0; i < n; ++i)
                onByte(buffer[i]);
        }
        if ((p.revents & POLLOUT) && canWrite && !out_.empty()) {
            Chunk& c = out_.front();
            size_t allowed = c.bytes.size();
            const Micros w = now();
            if (opt_.pace) {
                if (lineFreeAt_ < w - 2ms)
                    lineFreeAt_ = w - 2ms;
                allowed = std::min<size_t>(
                    allowed, static_cast<size_t>((w - lineFreeAt_) / ByteTime) + 1);
            }
            const ssize_t n = ::write(master_, c.bytes.data(), allowed);
            if (n > 0) {
                c.bytes.erase(0, static_cast<size_t>(n));
                if (opt_.pace)
                    lineFreeAt_ += ByteTime * n;
                if (c.bytes.empty())
                    out_.pop_front();
            }
        }
        if ((p.revents & (POLLHUP | POLLERR)) && !(p.revents & POLLIN))
            ::usleep(10000); // nobody on the line
    }
    return 0;
}

bool read_number(const std::string& text, long& value) {
    std::int64_t v = 0;
    if (!parse_integer(text, v))
        return false;
    value = static_cast<long>(v);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    Options opt;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "probe-sim: " << a << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        auto number = [&]() {
            long v = 0;
            const std::string text = value();
            if (!read_number(text, v)) {
                std::cerr << "probe-sim: " << a << ": '" << text << "' is not a number\n";
                std::exit(2);
            }
            return v;
        };
        if (a == "--help" || a == "-h") {
            std::cout << Help;
            return 0;
        } else if (a == "--state") {
            opt.state = value();
        } else if (a == "--reset") {
            opt.reset = true;
        } else if (a == "--measures") {
            opt.measures = std::clamp(number(), 0L, MemoryCapacity);
        } else if (a == "--period") {
            opt.period = std::clamp(number(), 1L, 240L);
        } else if (a == "--firmware") {
            opt.firmware = static_cast<int>(number());
        } else if (a == "--seed") {
            opt.seed = static_cast<std::uint32_t>(number());
        } else if (a == "--stopped") {
            opt.stopped = true;
        } else if (a == "--pace") {
            opt.pace = true;
        } else if (a == "--search-ms") {
            opt.search = std::chrono::milliseconds(number());
        } else if (a == "--link") {
            opt.link = value();
        } else if (a == "--verbose") {
            opt.verbose = true;
        } else if (a == "--fault") {
            opt.fault = value();
            static const char* known[] = {"silent",       "wrong-id",    "nak-header", "no-esc",
                                          "short-record", "extra-bytes", "stall",      "hang-up"};
            if (std::none_of(std::begin(known), std::end(known),
                             [&](const char* k) { return opt.fault == k; })) {
                std::cerr << "probe-sim: unknown fault '" << opt.fault << "' (see --help)\n";
                return 2;
            }
        } else if (a == "--fault-at") {
            opt.faultAt = number();
        } else {
            std::cerr << "probe-sim: unknown option '" << a << "' (see --help)\n";
            return 2;
        }
    }

    ProbeState state;
    std::error_code ec;
    try {
        if (!opt.reset && fs::exists(opt.state, ec)) {
            state = ProbeState::load(opt.state);
        } else {
            state = ProbeState::fresh(opt.firmware, opt.measures, opt.period, opt.seed);
            if (opt.stopped) {
                state.running = false;
                state.stopMinute = state.clockMinute();
            }
            state.save(opt.state);
        }
    } catch (const std::exception& e) {
        std::cerr << "probe-sim: " << e.what() << "\n";
        return 1;
    }

    int master = -1, slave = -1;
    termios raw{};
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B19200);
    ::cfsetospeed(&raw, B19200);
    if (::openpty(&master, &slave, nullptr, &raw, nullptr) != 0) {
        std::cerr << "probe-sim: openpty: " << std::strerror(errno) << "\n";
        return 1;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    // The slave stays open here too, so that the terminal lives on between the program's
    // openings of the port.
    const std::string path = ::ttyname(slave);
    if (!opt.link.empty()) {
        fs::remove(opt.link, ec);
        fs::create_symlink(path, opt.link, ec);
        if (ec)
            std::cerr << "probe-sim: cannot link " << opt.link << ": " << ec.message() << "\n";
    }
    std::cout << path << std::endl;

    struct sigaction action{};
    action.sa_handler = on_signal;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Simulator sim(master, std::move(state), opt);
    const int status = sim.run();
    if (!opt.link.empty())
        fs::remove(opt.link, ec);
    ::close(slave);
    return status;
}
