#include "link/probe_download.h"

#include "data/conversion_error.h"
#include "data/instant.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>

namespace talvex {

namespace {

// A working file written as the bytes come, so that a download cut short keeps every line
// received so far.
class WorkFile {
public:
    WorkFile(const fs::path& file, std::string_view firstLine) : file_(file) {
        out_.open(file, std::ios::binary | std::ios::trunc);
        if (!out_)
            throw ConversionError(display_name(file), 0,
                                  std::string("Impossible de créer le fichier : ") +
                                      std::strerror(errno));
        line(firstLine);
    }
    void line(std::string_view text) {
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        out_.write("\r\n", 2);
    }
    void close() {
        out_.close();
        if (!out_)
            throw ConversionError(display_name(file_), 0, "Erreur d'écriture du fichier");
    }

private:
    fs::path file_;
    std::ofstream out_;
};

void call(const std::function<void()>& f) {
    if (f)
        f();
}
template <typename T> void call(const std::function<void(T)>& f, T value) {
    if (f)
        f(value);
}
void call(const std::function<void(const std::string&)>& f, const std::string& value) {
    if (f)
        f(value);
}

unsigned byte(std::string_view r, size_t i) { return static_cast<unsigned char>(r[i]); }
std::uint32_t big_endian(std::string_view r, size_t from, size_t width) {
    std::uint32_t v = 0;
    for (size_t i = 0; i < width; ++i)
        v = (v << 8) | byte(r, from + i);
    return v;
}
unsigned bcd(std::string_view r, size_t i) { return (byte(r, i) >> 4) * 10 + (byte(r, i) & 15); }

constexpr std::string_view EscByte(&ESC, 1);

void send_escape(ProbeLink& link) { link.ComPortWriteStr(EscByte); }

// Counting after each measure: the label, the bar and the estimate.
void count_measure(long k, long n, RemainingTime& estimate, ProbeLink& link,
                   const DownloadView& view) {
    call(view.measuresRead, k);
    call(view.progress, n > 0 ? static_cast<int>(std::min<long long>(
                                    static_cast<long long>(k) * 100 / n, 100))
                              : 0);
    if (auto text = estimate.update(k, n, link.clock().now()))
        call(view.timeLeft, *text);
}

} // namespace

std::string six_digit_date(double day) {
    const CivilDateTime dt = civil_from_instant(std::floor(day));
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d", dt.day % 100, dt.month % 100, dt.year % 100);
    return text;
}

std::string remaining_time_text(double minutes, bool english) {
    std::string text = english ? "Estimated time left : " : "Temps restant estimé : ";
    // Halves go to the even integer (the default rounding mode).
    if (minutes >= 1)
        return text + std::to_string(static_cast<long long>(std::nearbyint(minutes))) + " mn";
    if (minutes > 0.5)
        return text + std::to_string(static_cast<long long>(std::nearbyint(minutes * 60))) + " s";
    return text + "< 30 s";
}

std::optional<std::string> RemainingTime::update(long k, long n, Micros now) {
    const Micros elapsed = now - t0_;
    if (elapsed <= std::chrono::seconds(10) || k <= l_)
        return std::nullopt;
    const double minutes = std::chrono::duration<double, std::ratio<60>>(elapsed).count();
    const double left = minutes * static_cast<double>(n - k + 1) / static_cast<double>(k - l_);
    t0_ = now;
    l_ = k;
    return remaining_time_text(left, english_);
}

DownloadResult Read_Probe_Param(ProbeLink& link, ProbeHeader& header, const fs::path& headerFile,
                                const DownloadView& view, const NoticeSink& notify,
                                const DownloadLimits& limits) {
    DownloadResult result;
    WorkFile file(headerFile, "HEADER");
    bool corrupt = false;
    bool complete = false;
    try {
        link.ComPortFlush();
        header.clear();
        link.ComPortWriteStr("RH");
        link.ReadStr(4);
        std::string current;
        std::size_t received = 0;
        Micros lastByte = link.clock().now();
        for (long n = 1;; ++n) {
            call(view.headerProgress, static_cast<int>(std::min(n * 100 / 58, 100L)));
            link.clock().pump();
            const std::string b = link.ReadStr(1);
            if (b.empty()) {
                // The probe has gone quiet without its closing ESC.
                if (link.clock().now() - lastByte >= limits.headerSilence)
                    break;
                continue;
            }
            lastByte = link.clock().now();
            if (++received > limits.headerMaxBytes)
                break;
            const char c = b[0];
            if (c == ESC) {
                complete = true;
                break;
            }
            if (c == LF) {
                link.ReadStr(1); // the CR after the LF
                file.line(current);
                current.clear();
                ++result.lines;
            } else if (c == NAK) {
                corrupt = true;
            } else {
                current += c;
            }
        }
        if (!current.empty())
            file.line(current);
    } catch (const EComError& error) {
        result.stop = DownloadStop::SerialError;
        result.serialError = error.what();
    }
    file.close();
    if (result.stop == DownloadStop::SerialError) {
        result.code = 1;
        return result;
    }
    if (corrupt) {
        if (notify)
            notify({NoticeKind::Warning, HeaderCorruptMessage, {}});
        result.code = 1;
    } else if (!complete) {
        result.stop = DownloadStop::Unterminated;
        if (notify)
            notify({NoticeKind::Warning, HeaderIncompleteMessage, {}});
        result.code = 1;
    }
    return result;
}

std::string traitement(std::string_view r, std::int64_t version) {
    std::string line;
    line.reserve(64);
    auto field = [&](std::uint32_t v) {
        line += std::to_string(v);
        line += ' ';
    };
    field(big_endian(r, 0, 2));
    line += std::to_string(bcd(r, 2)) + "/" + std::to_string(bcd(r, 3)) + "/" +
            std::to_string(bcd(r, 4)) + " ";
    line += std::to_string(bcd(r, 6)) + ":" + std::to_string(bcd(r, 5)) + " ";
    if (version < 24) {
        field(big_endian(r, 11, 2)); // pressure
        field(big_endian(r, 7, 4));  // temperature
    } else {
        field(big_endian(r, 10, 3));
        field(big_endian(r, 7, 3));
    }
    field(byte(r, 13));              // battery
    field(big_endian(r, 21, 2));     // humidity
    field(big_endian(r, 14, 3));     // radon 1
    field(big_endian(r, 17, 2));     // radon 2
    field(big_endian(r, 19, 2));     // radon 3
    field(byte(r, 23));              // rain
    field(byte(r, 24));              // state
    return line;
}

DownloadResult Read_Probe_Measures(ProbeLink& link, const ProbeHeader& header, long expected,
                                   const fs::path& measureFile, const DownloadView& view,
                                   bool english) {
    // The record layout must be known before the probe is asked to send anything.
    const std::int64_t version = header.integer(entry::Soft);
    DownloadResult result;
    WorkFile file(measureFile, "MESURES");
    const long n = expected;
    try {
        link.ComPortFlush();
        link.ComPortWriteStr("RF");
        link.ComPortReadStr(4, false);
        RemainingTime estimate(link.clock().now(), english);
        for (long k = 1; k <= n; ++k) {
            link.clock().pump();
            if (link.AbortFlag && result.stop == DownloadStop::None)
                result.stop = DownloadStop::Cancelled;
            const std::string record = link.ComPortReadStr(25, false);
            if (record.size() < 25) {
                // Silence, or the bytes "TimeOut": not a record, nothing to decode.
                link.AbortFlag = true;
                if (result.stop == DownloadStop::None)
                    result.stop = DownloadStop::ShortRecord;
            } else {
                file.line(traitement(record, version));
                ++result.lines;
            }
            const std::string end = link.ComPortReadStr(2, false);
            if (end.size() != 2 || end[0] != LF || end[1] != CR) {
                link.AbortFlag = true;
                if (result.stop == DownloadStop::None)
                    result.stop = DownloadStop::BadTerminator;
            }
            count_measure(k, n, estimate, link, view);
            if (link.AbortFlag) {
                if (result.stop == DownloadStop::None)
                    result.stop = DownloadStop::Cancelled;
                send_escape(link);
                break;
            }
        }
        call(view.timeLeft, std::string());
        call(view.repaint);
        if (link.AbortFlag)
            link.ComPortReadStr(1, true); // the probe's answer to ESC
        link.Delay(3000);
    } catch (const EComError& error) {
        link.AbortFlag = true;
        result.stop = DownloadStop::SerialError;
        result.serialError = error.what();
        call(view.timeLeft, std::string());
    }
    file.close();
    return result;
}

DownloadResult Read_Probe_Interval(ProbeLink& link, double startdate, double enddate,
                                   long expected, const fs::path& measureFile,
                                   const DownloadView& view, bool english,
                                   const DownloadLimits& limits) {
    DownloadResult result;
    WorkFile file(measureFile, "MESURES");
    try {
        link.ComPortFlush();
        link.ComPortWriteStr("RI");
        link.ReadStr(2);
        link.ReadStr(4);
        link.ComPortWriteStr(six_digit_date(startdate));
        link.ReadStr(4);
        link.ComPortWriteStr(six_digit_date(enddate));
        link.ReadStr(2);
        link.ReadStr(14);
        link.ReadStr(2);

        // The probe searches its memory before it sends the first byte.
        call(view.searching, true);
        call(view.repaint);
        link.AbortFlag = false;
        const bool started = link.waitUntil(
            [&] { return link.AbortFlag || link.port().InputCount() >= 1; },
            limits.intervalSearch);
        std::string first;
        if (!started) {
            link.AbortFlag = true;
            result.stop = DownloadStop::SearchTimedOut;
        }
        if (link.AbortFlag) {
            if (result.stop == DownloadStop::None)
                result.stop = DownloadStop::Cancelled;
            send_escape(link);
        } else {
            first = link.ReadStr(1);
        }
        call(view.searching, false);
        call(view.repaint);

        if (!link.AbortFlag) {
            RemainingTime estimate(link.clock().now(), english);
            std::string current;
            long k = 0;
            // Each byte goes through the line filter; the first byte too, unless it is the
            // "E" of an empty interval (a marker byte before the lines is a letter and
            // drops out; a digit is the start of the first line and must not be lost).
            std::string b = first;
            if (b.empty())
                b = link.ComPortReadStr(1, true);
            while (b != "E") {
                if (b == TimeOutText) {
                    link.AbortFlag = true;
                    result.stop = DownloadStop::ReplyTimedOut;
                } else if (b.size() == 1 && b[0] == LF) {
                    const std::string cr = link.ComPortReadStr(1, true);
                    if (cr == TimeOutText) {
                        link.AbortFlag = true;
                        result.stop = DownloadStop::ReplyTimedOut;
                    } else if (!current.empty()) {
                        // A line that filtered down to nothing is not a measure.
                        file.line(current);
                        current.clear();
                        ++result.lines;
                        ++k;
                        count_measure(k, expected, estimate, link, view);
                        if (result.lines > limits.intervalMaxLines) {
                            link.AbortFlag = true;
                            result.stop = DownloadStop::Unterminated;
                        }
                    }
                } else if (b.size() == 1 && (b[0] == ' ' || b[0] == '/' || b[0] == ':' ||
                                             (b[0] >= '0' && b[0] <= '9'))) {
                    current += b[0];
                    if (current.size() > limits.intervalMaxLine) {
                        link.AbortFlag = true;
                        result.stop = DownloadStop::Unterminated;
                    }
                }
                if (link.AbortFlag) {
                    if (result.stop == DownloadStop::None)
                        result.stop = DownloadStop::Cancelled;
                    send_escape(link);
                    break;
                }
                link.clock().pump();
                b = link.ComPortReadStr(1, true);
            }
        }
        call(view.timeLeft, std::string());
        call(view.repaint);
        if (link.AbortFlag)
            link.ComPortReadStr(1, true);
    } catch (const EComError& error) {
        link.AbortFlag = true;
        result.stop = DownloadStop::SerialError;
        result.serialError = error.what();
        call(view.searching, false);
        call(view.timeLeft, std::string());
    }
    file.close();
    return result;
}

ProbeClockText read_probe_clock_text(ProbeLink& link) {
    ProbeClockText clock;
    link.ComPortFlush();
    link.ComPortWriteStr("RD");
    link.ReadStr(2);
    clock.date = link.ReadStr(8);
    link.ReadStr(2);
    link.ComPortWriteStr("RT");
    link.ReadStr(2);
    clock.time = link.ReadStr(5);
    link.ReadStr(2);
    return clock;
}

double ReadClock(ProbeLink& link) {
    const ProbeClockText text = read_probe_clock_text(link);
    const auto instant = parse_date_time(text.date, text.time);
    if (!instant)
        throw ConversionError("'" + text.date + " " + text.time +
                              "' n'est pas une date et heure correcte (horloge de la sonde)");
    return *instant;
}

} // namespace talvex
