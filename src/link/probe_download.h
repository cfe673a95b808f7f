// The four downloads that run inside a connected exchange: the header ("RH") into
// "header.tmp", all measures ("RF", 25-byte records decoded by `traitement`) or those of
// an interval ("RI", sent as text) into "measure.tmp", and the probe's clock ("RD", "RT").
// Progress goes to a view the reading window (or the command-line tool) provides.
#pragma once

#include "data/probe_header.h"
#include "data/text_file.h"
#include "link/probe_link.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

// What the reading window shows while a download runs; every member may be left empty.
struct DownloadView {
    std::function<void(int percent)> headerProgress;  // the parameter editor's bar, "RH"
    std::function<void(long count)> measuresRead;     // mesureslues
    std::function<void(int percent)> progress;        // Progressbar
    std::function<void(const std::string& text)> timeLeft; // LabelTime
    std::function<void(bool searching)> searching;    // StaticText_Seek / ImageEyes shown
    std::function<void()> repaint;
};

// A message for the user: the program's own French text (translated at the window), and
// for some a detail from outside (the system's serial error text) shown after it.
enum class NoticeKind { Information, Warning, Error };
struct Notice {
    NoticeKind kind;
    std::string text;
    std::string detail;
};
using NoticeSink = std::function<void(const Notice&)>;

inline constexpr const char* HeaderCorruptMessage =
    "Le header de la sonde est corrompu.\n\rPour corriger le problème, refaites un paramétrage.";
// The probe stopped sending before the end of its header.
inline constexpr const char* HeaderIncompleteMessage =
    "Le header de la sonde est incomplet : la sonde a cessé de répondre.\n\rRecommencez la lecture.";

// Why a download ended early (None: it ran to its end).
enum class DownloadStop {
    None,
    Cancelled,       // the reading window's Cancel
    ShortRecord,     // a record shorter than 25 bytes (silence)
    BadTerminator,   // a record not followed by LF CR
    ReplyTimedOut,   // no byte within 3 s during "RI"
    SearchTimedOut,  // the probe never began sending the interval
    Unterminated,    // header without its closing ESC, or an endless "RI" line
    SerialError,     // the port failed (unplugged, hung up)
};

struct DownloadResult {
    int code = 0; // the procedure's result: 1 for a header that is not usable
    long lines = 0;
    DownloadStop stop = DownloadStop::None;
    std::string serialError; // the system's text when stop is SerialError
};

// Limits of the waits the probe could otherwise keep going for ever.
struct DownloadLimits {
    // Silence that ends a header download missing its closing ESC.
    Micros headerSilence = milliseconds(3000);
    std::size_t headerMaxBytes = 64 * 1024;
    // How long "RI" may search before sending its first byte.
    Micros intervalSearch = std::chrono::minutes(5);
    std::size_t intervalMaxLine = 256;
    long intervalMaxLines = 65535 + 1024;
};

// "RH": writes "HEADER" and the probe's lines to `headerFile`, clears `header` first.
// 0 when the header arrived complete and without a corruption mark, 1 otherwise (the
// warning has then been given).
DownloadResult Read_Probe_Param(ProbeLink& link, ProbeHeader& header, const fs::path& headerFile,
                                const DownloadView& view, const NoticeSink& notify,
                                const DownloadLimits& limits = {});

// One 25-byte record -> its measure line (each field followed by one blank). The layout of
// bytes 7 to 12 depends on the firmware version (below 24, or 24 and above).
std::string traitement(std::string_view reponse, std::int64_t version);

// "RF": `expected` records (entry 45) into `measureFile`. Entry 0 of `header` gives the
// record layout; it is checked before anything is sent (ConversionError when it is not an
// integer). The outcome is in link.AbortFlag, raised when the download stopped early.
DownloadResult Read_Probe_Measures(ProbeLink& link, const ProbeHeader& header, long expected,
                                   const fs::path& measureFile, const DownloadView& view,
                                   bool english);

// "RI": the measures from `startdate` to `enddate` (days, time of day ignored), sent by the
// probe as text; `expected` is used for the progress only. Outcome in link.AbortFlag.
DownloadResult Read_Probe_Interval(ProbeLink& link, double startdate, double enddate,
                                   long expected, const fs::path& measureFile,
                                   const DownloadView& view, bool english,
                                   const DownloadLimits& limits = {});

// The date (8 characters "dd/mm/yy") and time (5 characters "hh:nn") as the probe sent them.
struct ProbeClockText {
    std::string date;
    std::string time;
};
ProbeClockText read_probe_clock_text(ProbeLink& link);
// "RD", "RT" -> the probe's date and time. ConversionError when either is not valid.
double ReadClock(ProbeLink& link);

// The remaining-time estimate shown after each measure, refreshed at most every 10 s.
class RemainingTime {
public:
    RemainingTime(Micros start, bool english) : t0_(start), english_(english) {}
    // After measure k of n: the new label text, or nothing when it is not refreshed.
    std::optional<std::string> update(long k, long n, Micros now);

private:
    Micros t0_;
    long l_ = 0;
    bool english_;
};
// M minutes left -> "Temps restant estimé : 2 mn" / "… : 36 s" / "… : < 30 s".
std::string remaining_time_text(double minutes, bool english);

// "ddmmyy" of a day.
std::string six_digit_date(double day);

} // namespace talvex
