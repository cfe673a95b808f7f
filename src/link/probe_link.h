// The probe link: the low-level operations every probe exchange uses (flush, write, the
// waiting and the direct read, pauses), the shared time-out and abort flags, and the
// handshake that opens (ProbeConnect) and ends (ProbeDisconnect) an exchange.
//
// Everything runs on the caller's thread. A wait polls the port's input count and pumps
// the clock at each turn, so the user interface stays alive and a Cancel button can raise
// AbortFlag in the middle of a download.
#pragma once

#include "link/serial_port.h"

#include <functional>
#include <string>
#include <string_view>

namespace talvex {

// Results of ProbeConnect and ProbeDisconnect.
enum LinkCode { LinkOk = 0, LinkNoReply = 1, LinkWrongReply = 2 };

inline constexpr const char* NoReplyMessage =
    "Pas de réponse.\n\rVérifiez que la sonde est connectée";
inline constexpr const char* WrongReplyMessage = "Réponse incorrecte. Recommencer la";

// The text each error code of the handshake shows (the windows refill it with the texts of
// the language in force).
struct LinkMessages {
    std::string noReply = NoReplyMessage;
    std::string wrongReply = WrongReplyMessage;
    const std::string& text(int code) const { return code == LinkNoReply ? noReply : wrongReply; }
};

// The text the waiting read returns when the bytes did not come in time.
inline constexpr std::string_view TimeOutText = "TimeOut";

inline constexpr char ESC = '\x1B';
inline constexpr char NAK = '\x15';
inline constexpr char LF = '\x0A';
inline constexpr char CR = '\x0D';

// The link's timings.
namespace link_timing {
inline constexpr Micros OpeningWait = milliseconds(1000); // after ESC "SL"
inline constexpr Micros IdentityWait = milliseconds(2000); // after "ID", after "SL"
inline constexpr Micros ReplyWait = milliseconds(3000);    // the waiting read
inline constexpr int PortTimeOut = 100;                    // SetTimeOuts(100)
// A flush gives up after this long when the probe keeps sending.
inline constexpr Micros FlushLimit = milliseconds(3000);
// How long a wait lets pass between two polls of the port when nothing has come.
inline constexpr Micros PollInterval = milliseconds(1);
} // namespace link_timing

class ProbeLink {
public:
    ProbeLink(SerialPort& port, LinkClock& clock);

    SerialPort& port() { return port_; }
    LinkClock& clock() { return clock_; }

    // Raised when a timed wait expires; cleared by whoever starts one.
    bool TimeOutFlag = false;
    // Raised by the reading window's Cancel button and by download errors; cleared at the
    // start of a download.
    bool AbortFlag = false;

    // 0 direct cable, 1 GSM modem.
    int ConnectionType = 0;
    // Over the modem the port stays open for the whole call; opening and closing the link
    // then stops and restarts the main window's idle timer instead.
    std::function<void(bool running)> onlineTimer;

    // Opens the link for one probe exchange: over the cable, opens the port.
    void openLink();
    // Ends it: over the cable, closes the port. Never throws: a port that fails to close
    // is closed as far as the program is concerned.
    void closeLink() noexcept;

    // Discards every received byte.
    void ComPortFlush();
    // Sends the bytes as they are: no line end is added.
    void ComPortWriteStr(std::string_view bytes);
    // With `useglobaltimeouts`, waits up to 3 s for `c` bytes and reads them, or returns
    // "TimeOut" and leaves whatever came in the input. Without it, reads at once under the
    // port's time-outs (the result may be shorter).
    std::string ComPortReadStr(std::size_t c, bool useglobaltimeouts);
    // The port's direct read under its own time-outs.
    std::string ReadStr(std::size_t n);
    // Pauses `duree` milliseconds, the interface kept alive.
    void Delay(int duree);

    // ESC, "SL", then "ID" up to three times; 0 identified, 1 no reply, 2 wrong reply.
    int ProbeConnect();
    // "SL" up to three times; 0 released, 1 no reply, 2 wrong reply.
    int ProbeDisconnect();

    // Pumps the clock until `done()` holds or `limit` has passed; at the limit raises
    // TimeOutFlag and returns false.
    bool waitUntil(const std::function<bool()>& done, Micros limit);

private:
    bool waitForExactCount(std::size_t count, Micros deadline);

    SerialPort& port_;
    LinkClock& clock_;
};

} // namespace talvex
