#include "data/merge.h"

#include "data/conversion_error.h"
#include "data/text_conversion.h"
#include "data/text_file.h"

#include <ostream>

namespace talvex {

namespace {

constexpr std::string_view MeasuresLine = "MESURES";

// Offset just after the line "MESURES" (or the end of the text when it is the last line
// and has no line end). Throws when the text has no such line.
size_t after_measures_line(std::string_view text, const std::string& name) {
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line))
        if (line == MeasuresLine)
            return lines.offset();
    throw ConversionError(name, 0, "Ligne \"MESURES\" introuvable : ce n'est pas un fichier de mesures");
}

// Copies the lines of `text`, each ended with CR LF whatever it had.
void copy_lines(std::ostream& out, std::string_view text) {
    std::string buffer;
    buffer.reserve(1 << 20);
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        buffer += line;
        buffer += "\r\n";
        if (buffer.size() >= (1 << 20)) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

void write_header_part(std::ostream& out, std::string_view lastText, const std::string& name) {
    copy_lines(out, lastText.substr(0, after_measures_line(lastText, name)));
}

} // namespace

void merge_bm2_files(const std::vector<fs::path>& sources, const fs::path& destination,
                     const ProgressCallback& progress) {
    if (sources.empty())
        throw ConversionError("Aucun fichier à fusionner");
    // A source that cannot be read or has no measure part stops the merge before the
    // destination is replaced: the partial output is thrown away.
    write_file_atomically(destination, [&](std::ostream& out) {
        write_header_part(out, read_file_bytes(sources.back()), display_name(sources.back()));
        for (size_t i = 0; i < sources.size(); ++i) {
            const std::string text = read_file_bytes(sources[i]);
            const size_t start = after_measures_line(text, display_name(sources[i]));
            copy_lines(out, std::string_view(text).substr(start));
            if (progress)
                progress(batch_percent(i + 1, sources.size()));
        }
    });
}

fs::path merged_file_name(const fs::path& firstSource) {
    fs::path name = firstSource;
    name.replace_extension();
    name += "_all.bm2";
    return name;
}

} // namespace talvex
