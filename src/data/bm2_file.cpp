#include "data/bm2_file.h"

#include "data/conversion_error.h"
#include "data/instant.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace talvex {

namespace {

void append_line(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

// The field that ends at the next blank; the rest of the line follows it.
std::string_view next_field(std::string_view& rest) {
    const size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) {
        std::string_view field = rest;
        rest = {};
        return field;
    }
    std::string_view field = rest.substr(0, blank);
    rest.remove_prefix(blank + 1);
    return field;
}

std::string quoted(std::string_view text) {
    constexpr size_t shown = 40;
    std::string s(text.substr(0, shown));
    if (text.size() > shown)
        s += "...";
    return "'" + s + "'";
}

} // namespace

SplitText split_bm2_text(std::string_view bm2) {
    SplitText split;
    LineReader lines(bm2);
    std::string_view line;
    bool inMeasures = false;
    while (lines.next(line)) {
        if (!inMeasures && line == "MESURES") {
            inMeasures = true;
            split.measure.reserve(bm2.size() - lines.offset() + 16);
            append_line(split.measure, "MESURES");
            continue;
        }
        append_line(inMeasures ? split.measure : split.header, line);
    }
    if (!inMeasures)
        append_line(split.measure, "MESURES");
    return split;
}

void Dispatch_bm2file(const fs::path& bm2, const fs::path& headerFile,
                      const fs::path& measureFile) {
    const SplitText split = split_bm2_text(read_file_bytes(bm2));
    write_file_atomically(headerFile, [&](std::ostream& out) { out << split.header; });
    write_file_atomically(measureFile, [&](std::ostream& out) { out << split.measure; });
}

ProbeHeader parse_header_text(std::string_view text, const std::string& fileName) {
    ProbeHeader header;
    LineReader lines(text);
    std::string_view line;
    lines.next(line); // "HEADER", never interpreted
    while (lines.next(line)) {
        int index = 0;
        const auto digits = line.substr(0, 2);
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size())
            throw ConversionError(fileName, lines.lineNumber(),
                                  quoted(digits) + " n'est pas un index d'en-tête correct");
        if (index < 0 || index >= HeaderEntryCount)
            continue;
        std::string_view rest = line.size() > 3 ? line.substr(3) : std::string_view{};
        const size_t keyEnd = std::min(rest.find(';'), rest.size());
        const std::string_view key = rest.substr(0, keyEnd);
        rest = keyEnd < rest.size() ? rest.substr(keyEnd + 1) : std::string_view{};
        const std::string_view value = rest.substr(0, std::min(rest.find(';'), rest.size()));
        header.set(index, std::string(key), std::string(value));
    }
    return header;
}

ProbeHeader Load_Probe_Param(const fs::path& headerFile) {
    return parse_header_text(read_file_bytes(headerFile), display_name(headerFile));
}

MeasureLoadReport parse_measure_text(std::string_view text, const std::string& fileName,
                                     Measurement& into, const ProgressCallback& progress,
                                     long lineOffset) {
    MeasureLoadReport report;
    const std::int64_t expectedCount = into.header.integer(entry::MeasureCount);

    // The period is needed only to place zero points; it is converted on first use so that
    // a file without breaks loads whatever entry 46 holds.
    bool periodKnown = false;
    double periodDays = 0;
    auto period = [&]() {
        if (!periodKnown) {
            periodDays = static_cast<double>(into.header.integer(entry::Period)) / MinutesPerDay;
            periodKnown = true;
        }
        return periodDays;
    };

    into.instants.clear();
    for (auto& series : into.raw)
        series.clear();
    for (auto& series : into.calculated)
        series.clear();
    const size_t estimate = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    into.instants.reserve(estimate);
    for (auto& series : into.raw)
        series.reserve(estimate);

    std::array<double, RawSeriesCount> lastGood{};
    double T = 0;
    std::int64_t E = 0;
    long j = 0;
    int shownPercent = -1;
    bool startKnown = false;
    std::string_view lastDate, lastTime;

    LineReader lines(text);
    std::string_view line;
    lines.next(line); // "MESURES", never interpreted
    while (lines.next(line)) {
        ++j;
        if (progress && expectedCount > 0) {
            const int percent = static_cast<int>(std::min<std::int64_t>(j * 100 / expectedCount, 100));
            if (percent != shownPercent) {
                shownPercent = percent;
                progress(percent);
            }
        }

        std::string_view rest = line;
        const std::string_view numberText = next_field(rest);
        std::int64_t number = 0;
        if (!parse_integer(numberText, number))
            throw ConversionError(fileName, lines.lineNumber() + lineOffset,
                                  quoted(numberText) + " n'est pas un numéro de mesure correct");
        lastDate = next_field(rest);
        lastTime = next_field(rest);

        if (j == 1)
            E = number - 1;

        auto appendZeroPoint = [&]() {
            T += period();
            into.instants.push_back(T);
            for (auto& series : into.raw)
                series.push_back(0);
        };

        if (number != E + 1) {
            if (!report.continuityError) {
                report.continuityError = true;
                report.firstBreakLine = lines.lineNumber() + lineOffset;
            }
            ++E;
            appendZeroPoint();
            continue;
        }
        E = number;
        const auto instant = parse_date_time(lastDate, lastTime);
        if (!instant) {
            appendZeroPoint();
            continue;
        }
        T = *instant;
        if (!startKnown) {
            // Normally the first line; when the first line's instant is unreadable the first
            // readable one bounds the data instead of the year 1899.
            startKnown = true;
            into.StartAll = T;
        }
        into.instants.push_back(T);
        for (int s = 0; s < RawSeriesCount; ++s) {
            double value = 0;
            if (parse_decimal(next_field(rest), value))
                lastGood[static_cast<size_t>(s)] = value;
            into.raw[static_cast<size_t>(s)].push_back(lastGood[static_cast<size_t>(s)]);
        }
        auto& humidity = into.raw[Raw_Series_Humidite];
        if (E == 2 && humidity.size() >= 2)
            humidity[0] = humidity[1];
    }

    if (!startKnown)
        into.StartAll = into.instants.empty() ? 0 : into.instants.front();
    const auto end = j > 0 ? parse_date_time(lastDate, lastTime) : std::nullopt;
    into.EndAll = end ? *end : (into.instants.empty() ? into.StartAll : into.instants.back());
    if (into.EndAll < into.StartAll)
        into.EndAll = into.StartAll;
    into.StartSelection = into.ActivityStart = into.StartAll;
    into.EndSelection = into.ActivityEnd = into.EndAll;
    return report;
}

MeasureLoadReport Load_Probe_Measures(const fs::path& measureFile, Measurement& into,
                                      const ProgressCallback& progress) {
    return parse_measure_text(read_file_bytes(measureFile), display_name(measureFile), into,
                              progress);
}

std::string header_text(const ProbeHeader& header) {
    std::string text = "HEADER\r\n";
    char index[4];
    for (int i = 0; i < HeaderEntryCount; ++i) {
        std::snprintf(index, sizeof index, "%02d", i);
        text += index;
        text += ';';
        text += header.key(i);
        text += ';';
        text += header.value(i);
        text += ";\r\n";
    }
    return text;
}

void Save_Probe_Param(const ProbeHeader& header, const fs::path& headerFile) {
    const std::string text = header_text(header);
    write_file_atomically(headerFile, [&](std::ostream& out) { out << text; });
}

void write_bm2_file(const fs::path& destination, const fs::path& headerFile,
                    const fs::path& measureFile) {
    const std::string header = read_file_bytes(headerFile);
    const std::string measure = read_file_bytes(measureFile);
    write_file_atomically(destination, [&](std::ostream& out) {
        std::string_view line;
        for (const std::string* part : {&header, &measure}) {
            std::string buffer;
            buffer.reserve(part->size() + part->size() / 32);
            LineReader lines(*part);
            while (lines.next(line))
                append_line(buffer, line);
            out << buffer;
        }
    });
}

LoadedFile load_bm2_text(std::string_view bm2, const std::string& fileName,
                         const ProgressCallback& progress) {
    LoadedFile loaded;
    loaded.texts = split_bm2_text(bm2);
    loaded.measurement.header = parse_header_text(loaded.texts.header, fileName);
    // The "MESURES" line of the measure text is line (header lines + 1) of the file.
    const long headerLines =
        static_cast<long>(std::count(loaded.texts.header.begin(), loaded.texts.header.end(), '\n'));
    loaded.report = parse_measure_text(loaded.texts.measure, fileName, loaded.measurement,
                                       progress, headerLines);
    return loaded;
}

LoadedFile load_bm2_in_memory(const fs::path& bm2, const ProgressCallback& progress) {
    return load_bm2_text(read_file_bytes(bm2), display_name(bm2), progress);
}

void commit_working_files(const SplitText& texts, const WorkingFiles& files) {
    write_file_atomically(files.header(), [&](std::ostream& out) { out << texts.header; });
    write_file_atomically(files.measure(), [&](std::ostream& out) { out << texts.measure; });
}

} // namespace talvex
