#include "link/reading.h"

#include "data/conversion_error.h"
#include "data/instant.h"

#include <array>
#include <cmath>

namespace talvex {

namespace {

const std::array<const char*, 12> FrenchMonths = {
    "janvier", "février", "mars",      "avril",   "mai",      "juin",
    "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
const std::array<const char*, 12> EnglishMonths = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};

void tell(const ReadingHooks& hooks, NoticeKind kind, const std::string& text,
          const std::string& detail = {}) {
    if (hooks.notify)
        hooks.notify({kind, text, detail});
}

long long floor_div(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

long long whole_day(double day) { return static_cast<long long>(std::floor(day + 1e-9)); }

// Entry 45 as the reading uses it: 0 when it is not a number.
long measure_count(const ProbeHeader& header) {
    std::int64_t n = 0;
    if (!parse_integer(header.value(entry::MeasureCount), n) || n < 0)
        return 0;
    return static_cast<long>(n);
}

// Opens the link and identifies the probe. A serial error while opening or connecting
// counts as no reply. The link is closed again when the probe is not there.
bool connect(ProbeLink& link, ReadingHooks& hooks) {
    int code = LinkNoReply;
    try {
        link.openLink();
        code = link.ProbeConnect();
    } catch (const EComError&) {
        code = LinkNoReply;
    }
    if (code != LinkOk) {
        link.closeLink();
        tell(hooks, NoticeKind::Error, hooks.messages.text(code));
        return false;
    }
    return true;
}

// Releases the probe (after the 2-second pause when asked) and closes the link; a serial
// failure met anywhere in the exchange is told once, at the end.
void finish(ProbeLink& link, ReadingHooks& hooks, bool pause, std::string serialFailure) {
    if (serialFailure.empty()) {
        try {
            if (pause)
                link.Delay(2000);
            const int code = link.ProbeDisconnect();
            if (code != LinkOk)
                tell(hooks, NoticeKind::Error, hooks.messages.text(code));
        } catch (const EComError& error) {
            serialFailure = error.what();
        }
    }
    link.closeLink();
    if (!serialFailure.empty())
        tell(hooks, NoticeKind::Error, SerialFailureMessage, serialFailure);
}

// What to tell after a measure download that did not run to its end.
void tell_stop(const ReadingHooks& hooks, const DownloadResult& download) {
    switch (download.stop) {
    case DownloadStop::None:
    case DownloadStop::Cancelled:
    case DownloadStop::SerialError:
        return;
    case DownloadStop::SearchTimedOut:
        tell(hooks, NoticeKind::Warning, SearchTimedOutMessage);
        return;
    default:
        tell(hooks, NoticeKind::Warning, DownloadStoppedMessage);
    }
}

} // namespace

std::string maintenance_notice(const ProbeHeader& header, bool english) {
    std::string next;
    try {
        next = next_maint(header.value(entry::LastMaintMonth) + "/" +
                              header.value(entry::LastMaintYear),
                          header.value(entry::MaintInterval));
    } catch (const ConversionError&) {
        return {};
    }
    const int month = std::stoi(next.substr(0, 2));
    if (month < 1 || month > 12)
        return {};
    const auto& names = english ? EnglishMonths : FrenchMonths;
    return std::string("  Prochaine maintenance avant : ") + names[static_cast<size_t>(month - 1)] +
           " " + next.substr(3, 4);
}

double ProbeFirstDate(double probeClock, long count, long periodMinutes) {
    const long long clockMinutes = std::llround(probeClock * MinutesPerDay);
    const long long first =
        clockMinutes - static_cast<long long>(count) * static_cast<long long>(periodMinutes);
    return static_cast<double>(floor_div(first, 1440));
}

long expected_count(double startDay, double endDay, long periodMinutes) {
    if (periodMinutes <= 0)
        return 0;
    const long long minutes = (whole_day(endDay) + 1 - whole_day(startDay)) * 1440;
    long long q = floor_div(minutes, periodMinutes);
    const long long twice = 2 * (minutes - q * periodMinutes);
    if (twice > periodMinutes || (twice == periodMinutes && (q % 2 != 0)))
        ++q;
    return static_cast<long>(q);
}

bool interval_accepted(double startDay, double endDay, double firstDay, double probeClock) {
    return !(startDay < firstDay) && !(endDay > probeClock) && !(startDay > endDay);
}

std::string short_date(double day) {
    const CivilDateTime dt = civil_from_instant(std::floor(day));
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", dt.day % 100, dt.month % 100,
                  dt.year % 100);
    return text;
}

std::optional<double> parse_short_date(std::string_view text) {
    const auto instant = parse_date_time(text);
    if (!instant)
        return std::nullopt;
    return std::floor(*instant);
}

ReadingOutcome run_complete_reading(ProbeLink& link, const WorkingFiles& files,
                                    ReadingHooks& hooks) {
    ReadingOutcome out;
    if (!connect(link, hooks))
        return out;
    out.connected = true;
    std::string serialFailure;
    try {
        const DownloadResult header =
            Read_Probe_Param(link, out.header, files.header(), hooks.view, hooks.notify,
                             hooks.limits);
        if (header.stop == DownloadStop::SerialError) {
            serialFailure = header.serialError;
        } else if (header.code == 0) {
            out.header = Load_Probe_Param(files.header());
            out.expected = measure_count(out.header);
            if (out.expected == 0) {
                tell(hooks, NoticeKind::Warning, NoMeasuresMessage);
            } else if (out.expected == 1) {
                tell(hooks, NoticeKind::Warning, NotEnoughMeasuresMessage);
            } else {
                const std::string notice = maintenance_notice(out.header, hooks.english);
                if (hooks.showReadingWindow)
                    hooks.showReadingWindow(out.expected, notice, false);
                link.AbortFlag = false;
                out.download = Read_Probe_Measures(link, out.header, out.expected, files.measure(),
                                                   hooks.view, hooks.english);
                if (out.download.stop == DownloadStop::SerialError)
                    serialFailure = out.download.serialError;
                out.succeeded = !link.AbortFlag;
                tell_stop(hooks, out.download);
            }
        }
    } catch (const ConversionError& error) {
        tell(hooks, NoticeKind::Error, error.what());
    }
    finish(link, hooks, true, serialFailure);
    return out;
}

PartialPreparation prepare_partial_reading(ProbeLink& link, const WorkingFiles& files,
                                           ReadingHooks& hooks) {
    PartialPreparation prepared;
    if (!connect(link, hooks))
        return prepared;
    prepared.connected = true;
    std::string serialFailure;
    try {
        const DownloadResult header = Read_Probe_Param(link, prepared.header, files.header(),
                                                       hooks.view, hooks.notify, hooks.limits);
        if (header.stop == DownloadStop::SerialError) {
            serialFailure = header.serialError;
        } else if (header.code == 0) {
            prepared.header = Load_Probe_Param(files.header());
            prepared.count = measure_count(prepared.header);
            try {
                const std::int64_t period = prepared.header.integer(entry::Period);
                if (period <= 0)
                    throw ConversionError("'" + prepared.header.value(entry::Period) +
                                          "' minutes (entrée 46)");
                prepared.period = static_cast<long>(period);
            } catch (const ConversionError& error) {
                tell(hooks, NoticeKind::Error, PeriodInvalidMessage, error.what());
                prepared.period = 0;
            }
            if (prepared.period > 0) {
                prepared.probeClock = ReadClock(link);
                prepared.firstDate =
                    ProbeFirstDate(prepared.probeClock, prepared.count, prepared.period);
                if (prepared.count == 0)
                    tell(hooks, NoticeKind::Warning, NoMeasuresMessage);
                else if (prepared.count == 1)
                    tell(hooks, NoticeKind::Warning, NotEnoughMeasuresMessage);
                else
                    prepared.ready = true;
            }
        }
    } catch (const ConversionError& error) {
        tell(hooks, NoticeKind::Error, error.what());
    } catch (const EComError& error) {
        serialFailure = error.what();
    }
    finish(link, hooks, false, serialFailure);
    if (!serialFailure.empty())
        prepared.ready = false;
    return prepared;
}

ReadingOutcome run_interval_reading(ProbeLink& link, const WorkingFiles& files,
                                    const PartialPreparation& prepared, double startDay,
                                    double endDay, ReadingHooks& hooks) {
    ReadingOutcome out;
    out.header = prepared.header;
    if (!connect(link, hooks))
        return out;
    out.connected = true;
    const std::string notice = maintenance_notice(prepared.header, hooks.english);
    out.expected = expected_count(startDay, endDay, prepared.period);
    if (hooks.showReadingWindow)
        hooks.showReadingWindow(out.expected, notice, true);
    link.AbortFlag = false;
    std::string serialFailure;
    try {
        out.download = Read_Probe_Interval(link, startDay, endDay, out.expected, files.measure(),
                                           hooks.view, hooks.english, hooks.limits);
        if (out.download.stop == DownloadStop::SerialError)
            serialFailure = out.download.serialError;
        out.succeeded = !link.AbortFlag;
        tell_stop(hooks, out.download);
    } catch (const ConversionError& error) {
        tell(hooks, NoticeKind::Error, error.what());
    }
    finish(link, hooks, true, serialFailure);
    return out;
}

bool stop_probe(ProbeLink& link, ReadingHooks& hooks) {
    bool stopped = false;
    try {
        link.openLink();
        const int code = link.ProbeConnect();
        if (code != LinkOk) {
            tell(hooks, NoticeKind::Error, hooks.messages.text(code));
        } else {
            link.ComPortFlush();
            link.ComPortWriteStr("SS");
            stopped = link.ReadStr(2) == "SS";
            tell(hooks, stopped ? NoticeKind::Information : NoticeKind::Error,
                 stopped ? ProbeStoppedMessage : ProbeNotStoppedMessage);
        }
    } catch (const EComError&) {
        // A serial failure ends the command without a message.
    }
    link.closeLink();
    return stopped;
}

} // namespace talvex
