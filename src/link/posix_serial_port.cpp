#include "link/posix_serial_port.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace talvex {

namespace {

Micros steady_now() {
    return std::chrono::duration_cast<Micros>(
        std::chrono::steady_clock::now().time_since_epoch());
}

int poll_for(int fd, short events, Micros timeout) {
    pollfd p{fd, events, 0};
    const int ms = static_cast<int>(std::max<Micros::rep>(0, (timeout.count() + 999) / 1000));
    int r;
    do {
        r = ::poll(&p, 1, ms);
    } while (r < 0 && errno == EINTR);
    if (r <= 0)
        return r;
    return p.revents;
}

} // namespace

PosixSerialPort::~PosixSerialPort() {
    if (fd_ >= 0)
        ::close(fd_);
}

void PosixSerialPort::fail(const std::string& what) const {
    throw EComError(name_ + " : " + what + " (" + std::strerror(errno) + ")");
}

void PosixSerialPort::Open() {
    if (fd_ >= 0)
        return;
    if (name_.empty()) {
        errno = ENOENT;
        fail("aucun port choisi");
    }
    fd_ = ::open(name_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        fail("ouverture impossible");
    ::ioctl(fd_, TIOCEXCL);
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) {
        const int saved = errno;
        ::close(fd_);
        fd_ = -1;
        errno = saved;
        fail("ce n'est pas un port série");
    }
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B19200);
    ::cfsetospeed(&t, B19200);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) {
        const int saved = errno;
        ::close(fd_);
        fd_ = -1;
        errno = saved;
        fail("réglage de la ligne impossible");
    }
    // DTR and RTS held inactive; a pseudo-terminal has no modem lines, which is fine.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &lines);
}

void PosixSerialPort::Close() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
}

void PosixSerialPort::WriteStr(std::string_view bytes) {
    if (fd_ < 0) {
        errno = EBADF;
        fail("port fermé");
    }
    const Micros deadline = steady_now() + std::chrono::seconds(5);
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            fail("écriture impossible");
        const Micros left = deadline - steady_now();
        if (left <= Micros(0)) {
            errno = ETIMEDOUT;
            fail("écriture impossible");
        }
        poll_for(fd_, POLLOUT, left);
    }
}

std::size_t PosixSerialPort::InputCount() {
    if (fd_ < 0) {
        errno = EBADF;
        fail("port fermé");
    }
    int count = 0;
    if (::ioctl(fd_, FIONREAD, &count) != 0)
        fail("lecture impossible");
    if (count == 0) {
        // A line that has been hung up (the far end of a pseudo-terminal closed) reads as
        // an error rather than as silence.
        const int events = poll_for(fd_, POLLIN, Micros(0));
        if (events > 0 && (events & (POLLHUP | POLLERR))) {
            errno = EIO;
            fail("ligne coupée");
        }
    }
    return static_cast<std::size_t>(count);
}

std::string PosixSerialPort::ReadStr(std::size_t n) {
    if (fd_ < 0) {
        errno = EBADF;
        fail("port fermé");
    }
    std::string out;
    out.reserve(n);
    const Micros start = steady_now();
    const Micros deadline = start + timeOuts_.total(n);
    Micros last{0};
    char buffer[4096];
    while (out.size() < n) {
        const ssize_t got = ::read(fd_, buffer, std::min(sizeof buffer, n - out.size()));
        if (got > 0) {
            out.append(buffer, static_cast<size_t>(got));
            last = steady_now();
            continue;
        }
        if (got < 0 && errno != EAGAIN && errno != EINTR)
            fail("lecture impossible");
        const Micros now = steady_now();
        Micros wait = deadline - now;
        if (!out.empty())
            wait = std::min(wait, last + timeOuts_.interval - now);
        if (wait <= Micros(0))
            break;
        const int events = poll_for(fd_, POLLIN, wait);
        if (events > 0 && !(events & POLLIN) && (events & (POLLHUP | POLLERR))) {
            errno = EIO;
            fail("ligne coupée");
        }
    }
    return out;
}

Micros SystemLinkClock::now() { return steady_now(); }

void SystemLinkClock::idle(Micros atMost) { std::this_thread::sleep_for(atMost); }

} // namespace talvex
