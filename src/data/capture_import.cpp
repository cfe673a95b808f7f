#include "data/capture_import.h"

#include "data/text_file.h"

#include <string>

namespace talvex {

namespace {

constexpr int HeaderLineCount = 58;
constexpr size_t ShortestMeasureLine = 21;
constexpr int MeasureLineBlanks = 12;
constexpr char Escape = '\x1b';

// Lines of a capture. Terminal programs record the probe's line ends as CR LF, LF alone or
// the probe's own LF CR; a CR is never part of a reply, so it is dropped at both ends.
class CaptureLines {
public:
    explicit CaptureLines(std::string_view text) : lines_(text) {}
    bool next(std::string_view& line) {
        if (!lines_.next(line))
            return false;
        while (!line.empty() && line.front() == '\r')
            line.remove_prefix(1);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }
    // Reads up to and including the first line that contains `text`; false if none does.
    bool skipPast(std::string_view text) {
        std::string_view line;
        while (next(line))
            if (line.find(text) != std::string_view::npos)
                return true;
        return false;
    }

private:
    LineReader lines_;
};

// The header line up to and including its third ";" (the index, the key and the value),
// without what the terminal recorded behind them; a line with fewer is kept whole.
std::string_view cut_header_line(std::string_view line) {
    size_t pos = 0;
    for (int found = 0; found < 3; ++found) {
        const size_t semicolon = line.find(';', pos);
        if (semicolon == std::string_view::npos)
            return line;
        pos = semicolon + 1;
    }
    return line.substr(0, pos);
}

// The fields after the probe's measure number, each with its blank: from just after the
// first blank up to and including the twelfth (or the end of a line with fewer).
std::string_view measure_fields(std::string_view line) {
    const size_t first = line.find(' ');
    if (first == std::string_view::npos)
        return {};
    size_t pos = first + 1;
    for (int blank = 2; blank <= MeasureLineBlanks; ++blank) {
        const size_t next = line.find(' ', pos);
        if (next == std::string_view::npos)
            return line.substr(first + 1);
        pos = next + 1;
    }
    return line.substr(first + 1, pos - first - 1);
}

} // namespace

int classify_capture_text(std::string_view capture) {
    if (!CaptureLines(capture).skipPast("RH"))
        return CaptureInvalid;
    if (CaptureLines(capture).skipPast("RM"))
        return CaptureComplete;
    CaptureLines lines(capture);
    if (!lines.skipPast("RI"))
        return CaptureInvalid;
    // The probe answers "NOTHING" when the interval holds no measure.
    if (lines.skipPast("NOTHING"))
        return CaptureInvalid;
    return CaptureInterval;
}

int ClassifyCapture(const fs::path& capture) {
    return classify_capture_text(read_file_bytes(capture));
}

std::string capture_to_bm2_text(std::string_view capture, int captureClass) {
    std::string out;
    out.reserve(capture.size() + 64);
    out += "HEADER\r\n";

    CaptureLines header(capture);
    std::string_view line;
    if (header.skipPast("RH")) {
        int taken = 0;
        while (taken < HeaderLineCount && header.next(line)) {
            if (line.empty())
                continue;
            out += cut_header_line(line);
            out += "\r\n";
            ++taken;
        }
    }

    out += "MESURES\r\n";
    const bool interval = captureClass == CaptureInterval;
    CaptureLines measures(capture);
    if (!measures.skipPast(interval ? "RI" : "RM"))
        return out;
    long count = 0;
    while (measures.next(line)) {
        const bool lastLine = line.find(Escape) != std::string_view::npos;
        if (line.empty()) {
            if (!interval)
                break;
            line = " "; // an interval reply may hold empty lines: they do not end it
        }
        if (line.size() >= ShortestMeasureLine) {
            ++count;
            // Renumbered from 1, so that an interval loads without a continuity break.
            out += std::to_string(count);
            out += ' ';
            out += measure_fields(line);
            out += "\r\n";
        }
        if (lastLine)
            break;
    }
    return out;
}

std::optional<std::string> read_capture_as_bm2(const fs::path& capture, int* captureClass) {
    const std::string text = read_file_bytes(capture);
    const int found = classify_capture_text(text);
    if (captureClass)
        *captureClass = found;
    if (found == CaptureInvalid)
        return std::nullopt;
    return capture_to_bm2_text(text, found);
}

int import_capture(const fs::path& capture, const fs::path& destination) {
    int captureClass = CaptureInvalid;
    if (const auto bm2 = read_capture_as_bm2(capture, &captureClass))
        write_file_atomically(destination, [&](std::ostream& out) { out << *bm2; });
    return captureClass;
}

} // namespace talvex
