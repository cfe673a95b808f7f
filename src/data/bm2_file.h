// The ".bm2" measurement file and its two working files ("header.tmp", "measure.tmp"):
// splitting, loading into the in-memory model, and writing back.
#pragma once

#include "data/measurement.h"
#include "data/text_file.h"

#include <functional>
#include <string>
#include <string_view>

namespace talvex {

// The working files of the measurement pipeline, all in the installation folder.
struct WorkingFiles {
    fs::path directory;
    fs::path header() const { return directory / "header.tmp"; }
    fs::path measure() const { return directory / "measure.tmp"; }
    fs::path tempBm2() const { return directory / "temp.bm2"; }
};

// Percent done, 0..100; called only when the figure changes.
using ProgressCallback = std::function<void(int percent)>;

struct MeasureLoadReport {
    bool continuityError = false;
    long firstBreakLine = 0; // line number in the measure text, 0 when none
};

inline constexpr const char* ContinuityWarning = "Erreur de continuité. Recommencer la lecture.";

// The two halves of a ".bm2" text: everything before the first line "MESURES" (the "HEADER"
// line included), and "MESURES" followed by every later line. Lines come out with CR LF.
struct SplitText {
    std::string header;
    std::string measure;
};
SplitText split_bm2_text(std::string_view bm2);

// Splits a ".bm2" file into the two working files (each written completely, then renamed).
void Dispatch_bm2file(const fs::path& bm2, const fs::path& headerFile, const fs::path& measureFile);

// Header text (first line ignored) -> table. `fileName` names the source in errors.
ProbeHeader parse_header_text(std::string_view text, const std::string& fileName);
ProbeHeader Load_Probe_Param(const fs::path& headerFile);

// Measure text (first line ignored) -> instants, raw series and bounds of `into`, whose
// header must already be loaded (entries 45 and 46 are read). Throws ConversionError;
// `into` is then partly filled and must be discarded by the caller.
// `lineOffset` is added to line numbers in errors (the measure text's place in its file).
MeasureLoadReport parse_measure_text(std::string_view text, const std::string& fileName,
                                     Measurement& into, const ProgressCallback& progress = {},
                                     long lineOffset = 0);
MeasureLoadReport Load_Probe_Measures(const fs::path& measureFile, Measurement& into,
                                      const ProgressCallback& progress = {});

// Header table -> "HEADER" and the 58 lines "ii;key;value;".
std::string header_text(const ProbeHeader& header);
void Save_Probe_Param(const ProbeHeader& header, const fs::path& headerFile);

// Concatenates the two working files into a ".bm2" file, replacing it only once complete.
void write_bm2_file(const fs::path& destination, const fs::path& headerFile,
                    const fs::path& measureFile);

// A whole ".bm2" file read in memory, without touching any working file: header, raw
// series and bounds, and the two working-file texts. Errors name the ".bm2" file and its
// own line numbers. Opening a file loads it this way and writes the working files only
// once the load (and the calculation) succeeded, so a bad file leaves everything as it was.
struct LoadedFile {
    Measurement measurement;
    MeasureLoadReport report;
    SplitText texts;
};
LoadedFile load_bm2_in_memory(const fs::path& bm2, const ProgressCallback& progress = {});
LoadedFile load_bm2_text(std::string_view bm2, const std::string& fileName,
                         const ProgressCallback& progress = {});
void commit_working_files(const SplitText& texts, const WorkingFiles& files);

} // namespace talvex
