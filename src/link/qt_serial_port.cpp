#include "link/qt_serial_port.h"

#include <QCoreApplication>
#include <algorithm>
#include <thread>

namespace talvex {

namespace {
// Our own texts beside the system's, in the language in force.
std::string own_text(const char* french) {
    return QCoreApplication::translate("Link", french).toStdString();
}

Micros steady_now() {
    return std::chrono::duration_cast<Micros>(std::chrono::steady_clock::now().time_since_epoch());
}
} // namespace

QtSerialPort::QtSerialPort() = default;

void QtSerialPort::fail() {
    const std::string text = port_.errorString().toStdString();
    port_.clearError();
    throw EComError(name_ + " : " + text);
}

void QtSerialPort::Open() {
    if (port_.isOpen())
        return;
    port_.setPortName(QString::fromStdString(name_));
    if (name_.empty() || !port_.open(QIODevice::ReadWrite)) {
        const std::string text = name_.empty()
                                     ? own_text(QT_TRANSLATE_NOOP("Link", "aucun port choisi"))
                                     : port_.errorString().toStdString();
        port_.clearError();
        throw EComError(name_ + " : " + text);
    }
    if (!port_.setBaudRate(QSerialPort::Baud19200) || !port_.setDataBits(QSerialPort::Data8) ||
        !port_.setParity(QSerialPort::NoParity) || !port_.setStopBits(QSerialPort::OneStop) ||
        !port_.setFlowControl(QSerialPort::NoFlowControl)) {
        const std::string text = port_.errorString().toStdString();
        port_.close();
        port_.clearError();
        throw EComError(name_ + " : " + text);
    }
    // Held inactive; a pseudo-terminal has no modem lines, so a refusal is not a failure.
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
    port_.clearError();
}

void QtSerialPort::Close() {
    if (port_.isOpen())
        port_.close();
    port_.clearError();
}

void QtSerialPort::WriteStr(std::string_view bytes) {
    if (!port_.isOpen())
        throw EComError(name_ + " : " + own_text(QT_TRANSLATE_NOOP("Link", "port fermé")));
    if (port_.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0)
        fail();
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(5000)) {
            if (port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError)
                throw EComError(name_ + " : " +
                                own_text(QT_TRANSLATE_NOOP("Link", "écriture impossible")));
            fail();
        }
    }
}

bool QtSerialPort::pull(Micros wait) {
    const int ms = static_cast<int>(std::max<Micros::rep>(0, (wait.count() + 999) / 1000));
    if (port_.waitForReadyRead(ms))
        return true;
    const QSerialPort::SerialPortError error = port_.error();
    if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
        fail();
    port_.clearError();
    return false;
}

std::size_t QtSerialPort::InputCount() {
    if (!port_.isOpen())
        throw EComError(name_ + " : " + own_text(QT_TRANSLATE_NOOP("Link", "port fermé")));
    if (port_.bytesAvailable() == 0)
        pull(Micros(0));
    if (port_.error() != QSerialPort::NoError && port_.error() != QSerialPort::TimeoutError)
        fail();
    return static_cast<std::size_t>(port_.bytesAvailable());
}

std::string QtSerialPort::ReadStr(std::size_t n) {
    if (!port_.isOpen())
        throw EComError(name_ + " : " + own_text(QT_TRANSLATE_NOOP("Link", "port fermé")));
    std::string out;
    const Micros deadline = steady_now() + timeOuts_.total(n);
    Micros last{0};
    while (out.size() < n) {
        const QByteArray got = port_.read(static_cast<qint64>(n - out.size()));
        if (!got.isEmpty()) {
            out.append(got.constData(), static_cast<size_t>(got.size()));
            last = steady_now();
            continue;
        }
        const Micros now = steady_now();
        Micros wait = deadline - now;
        if (!out.empty())
            wait = std::min(wait, last + timeOuts_.interval - now);
        if (wait <= Micros(0))
            break;
        pull(wait);
    }
    return out;
}

Micros QtLinkClock::now() {
    return steady_now();
}

void QtLinkClock::pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtLinkClock::idle(Micros atMost) {
    std::this_thread::sleep_for(atMost);
}

} // namespace talvex
