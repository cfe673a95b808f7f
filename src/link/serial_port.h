// The two small interfaces the probe link is built on: a serial port (open, close, write,
// count and read the received bytes under the port's read time-outs) and a clock that
// tells the time and lets the user interface run while the link waits. The program plugs
// in the Qt serial port and the event loop; the command-line tool a POSIX terminal; the
// tests a scripted probe and a virtual clock.
#pragma once

#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace talvex {

using Micros = std::chrono::microseconds;
using std::chrono::milliseconds;

// A failure of the serial port (absent, busy, open, write or read failure, line hung up);
// the text is the system's description.
class EComError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The port's read time-outs: a read of n bytes ends when n bytes have arrived, when more
// than `interval` passes between two received bytes, or when `multiplier` x n + `constant`
// has passed in all.
struct ReadTimeOuts {
    Micros interval{0};
    Micros multiplier{0};
    Micros constant{0};

    // The link's setting: `t` ms between bytes, `t` ms per byte, 10 x `t` ms constant.
    static ReadTimeOuts fromMilliseconds(int t) {
        return {milliseconds(t), milliseconds(t), milliseconds(10 * t)};
    }
    Micros total(std::size_t n) const {
        return constant + multiplier * static_cast<Micros::rep>(n);
    }
};

// 8-bit bytes in and out; every failure raises EComError.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // A port name ("/dev/ttyUSB0", a pseudo-terminal path); takes effect at the next Open.
    virtual void setName(const std::string& name) = 0;
    virtual std::string name() const = 0;

    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool isOpen() const = 0;

    // Sends the bytes as they are and returns once they are sent.
    virtual void WriteStr(std::string_view bytes) = 0;
    // Received bytes waiting to be read.
    virtual std::size_t InputCount() = 0;
    // Reads up to n bytes under the read time-outs; may return fewer, or none.
    virtual std::string ReadStr(std::size_t n) = 0;

    virtual void SetTimeOuts(const ReadTimeOuts& timeOuts) = 0;
};

// Time for the link's waits. The waits poll the port and call pump() at each turn, so the
// window's Cancel button (and its timers) keep working during a download.
class LinkClock {
public:
    virtual ~LinkClock() = default;
    // Monotonic time.
    virtual Micros now() = 0;
    // Processes the pending user-interface events and returns.
    virtual void pump() = 0;
    // Nothing has arrived yet: lets at most `atMost` pass before the next poll, rather than
    // spinning (a real clock sleeps briefly; a virtual clock moves time on).
    virtual void idle(Micros atMost) = 0;
};

} // namespace talvex
