// A serial port on a POSIX terminal device (a real port or a pseudo-terminal) and a clock
// on the system's steady time, for the command-line tool and the benchmarks, which have no
// window events to process.
#pragma once

#include "link/serial_port.h"

#include <functional>

namespace talvex {

// 19200 baud, 8 data bits, no parity, 1 stop bit, no flow control, DTR and RTS inactive.
class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort() = default;
    explicit PosixSerialPort(std::string name) : name_(std::move(name)) {}
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    void setName(const std::string& name) override { name_ = name; }
    std::string name() const override { return name_; }
    void Open() override;
    void Close() override;
    bool isOpen() const override { return fd_ >= 0; }
    void WriteStr(std::string_view bytes) override;
    std::size_t InputCount() override;
    std::string ReadStr(std::size_t n) override;
    void SetTimeOuts(const ReadTimeOuts& timeOuts) override { timeOuts_ = timeOuts; }

private:
    void fail(const std::string& what) const;

    std::string name_;
    int fd_ = -1;
    ReadTimeOuts timeOuts_ = ReadTimeOuts::fromMilliseconds(100);
};

// Steady time; pump() runs an optional callback (a progress display, a signal check);
// idle() sleeps.
class SystemLinkClock : public LinkClock {
public:
    Micros now() override;
    void pump() override {
        if (onPump)
            onPump();
    }
    void idle(Micros atMost) override;

    std::function<void()> onPump;
};

} // namespace talvex
