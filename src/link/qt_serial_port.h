// The link's port and clock in the program: Qt SerialPort at 19200 baud 8N1 without flow
// control, DTR and RTS inactive, reads under the link's read time-outs; the clock
// processes the pending window events at each turn of a wait.
#pragma once

#include "link/serial_port.h"

#include <QSerialPort>

namespace talvex {

class QtSerialPort : public SerialPort {
public:
    QtSerialPort();

    void setName(const std::string& name) override { name_ = name; }
    std::string name() const override { return name_; }
    void Open() override;
    void Close() override;
    bool isOpen() const override { return port_.isOpen(); }
    void WriteStr(std::string_view bytes) override;
    std::size_t InputCount() override;
    std::string ReadStr(std::size_t n) override;
    void SetTimeOuts(const ReadTimeOuts& timeOuts) override { timeOuts_ = timeOuts; }

private:
    [[noreturn]] void fail();
    // Pulls what the system holds into the port's buffer; false when nothing came.
    bool pull(Micros wait);

    QSerialPort port_;
    std::string name_;
    ReadTimeOuts timeOuts_ = ReadTimeOuts::fromMilliseconds(100);
};

class QtLinkClock : public LinkClock {
public:
    Micros now() override;
    void pump() override;
    void idle(Micros atMost) override;
};

} // namespace talvex
