#include "link/probe_link.h"

#include <algorithm>

namespace talvex {

using namespace link_timing;

ProbeLink::ProbeLink(SerialPort& port, LinkClock& clock) : port_(port), clock_(clock) {}

void ProbeLink::openLink() {
    if (ConnectionType == 1) {
        if (onlineTimer)
            onlineTimer(false);
        return;
    }
    port_.Open();
}

void ProbeLink::closeLink() noexcept {
    if (ConnectionType == 1) {
        if (onlineTimer)
            onlineTimer(true);
        return;
    }
    try {
        port_.Close();
    } catch (const EComError&) {
        // The port is unusable either way; the next exchange opens it again.
    }
}

void ProbeLink::ComPortFlush() {
    // A probe still streaming a download would keep a byte-by-byte flush busy for ever:
    // the flush reads what is buffered in large pieces and gives up after a few seconds.
    const Micros deadline = clock_.now() + FlushLimit;
    for (std::size_t waiting = port_.InputCount(); waiting != 0; waiting = port_.InputCount()) {
        port_.ReadStr(std::min<std::size_t>(waiting, 4096));
        if (clock_.now() >= deadline)
            break;
    }
}

void ProbeLink::ComPortWriteStr(std::string_view bytes) { port_.WriteStr(bytes); }

std::string ProbeLink::ComPortReadStr(std::size_t c, bool useglobaltimeouts) {
    TimeOutFlag = false;
    if (!useglobaltimeouts)
        return port_.ReadStr(c);
    if (!waitUntil([&] { return port_.InputCount() >= c; }, ReplyWait))
        return std::string(TimeOutText);
    return port_.ReadStr(c);
}

std::string ProbeLink::ReadStr(std::size_t n) { return port_.ReadStr(n); }

void ProbeLink::Delay(int duree) {
    const Micros end = clock_.now() + milliseconds(duree);
    for (Micros now = clock_.now(); now < end; now = clock_.now()) {
        clock_.pump();
        clock_.idle(std::min(PollInterval, end - clock_.now()));
    }
}

bool ProbeLink::waitUntil(const std::function<bool()>& done, Micros limit) {
    const Micros deadline = clock_.now() + limit;
    for (;;) {
        if (done())
            return true;
        const Micros now = clock_.now();
        if (now >= deadline) {
            TimeOutFlag = true;
            return false;
        }
        clock_.pump();
        if (done())
            return true;
        clock_.idle(std::min(PollInterval, deadline - now));
    }
}

// The handshake waits for an exact number of buffered bytes: a reply longer than expected
// that is already complete when the count is polled makes the wait run to its end.
bool ProbeLink::waitForExactCount(std::size_t count, Micros deadline) {
    const Micros now = clock_.now();
    return waitUntil([&] { return port_.InputCount() == count; },
                     deadline > now ? deadline - now : Micros(0));
}

int ProbeLink::ProbeConnect() {
    Micros deadline = clock_.now() + OpeningWait;
    TimeOutFlag = false;
    ComPortFlush();
    ComPortWriteStr(std::string_view(&ESC, 1));
    ComPortWriteStr("SL");
    // The five bytes of the reply are not read here: the next flush discards them.
    waitForExactCount(5, deadline);

    int result = -1;
    for (int attempt = 0; attempt < 3 && result != LinkOk; ++attempt) {
        deadline = clock_.now() + IdentityWait;
        TimeOutFlag = false;
        ComPortFlush();
        ComPortWriteStr("ID");
        if (!waitForExactCount(10, deadline)) {
            result = LinkNoReply;
            continue;
        }
        const std::string reply = port_.ReadStr(10);
        result = reply.compare(0, 8, "IDORVANE") == 0 && reply.size() >= 8 ? LinkOk
                                                                            : LinkWrongReply;
    }
    return result;
}

int ProbeLink::ProbeDisconnect() {
    int result = -1;
    for (int attempt = 0; attempt < 3 && result != LinkOk; ++attempt) {
        const Micros deadline = clock_.now() + IdentityWait;
        TimeOutFlag = false;
        ComPortFlush();
        ComPortWriteStr("SL");
        if (!waitForExactCount(4, deadline)) {
            result = LinkNoReply;
            continue;
        }
        const std::string reply = port_.ReadStr(4);
        result = reply.size() >= 2 && reply.compare(0, 2, "SL") == 0 ? LinkOk : LinkWrongReply;
    }
    return result;
}

} // namespace talvex
