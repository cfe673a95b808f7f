// Conversion of measurement files to tab-separated text that a spreadsheet opens directly:
// the raw values (".txt") and the calculated values (".xls", plain text despite the name).
// Both start with the labelled header block and end with one line per measure.
#pragma once

#include "data/bm2_file.h"
#include "data/measurement.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace talvex {

constexpr int RawTitleCount = 10;
constexpr int CalculatedTitleCount = 19;

// The texts a conversion writes, from the language in force (UTF-8; written in Windows-1252).
struct ConversionTexts {
    HeaderLabelTable headerLabels;
    std::array<std::string, RawTitleCount> rawTitles;
    std::array<std::string, CalculatedTitleCount> calculatedTitles;
};
const ConversionTexts& french_conversion_texts();

enum ConversionKind { CalculatedValues = 1, RawValues = 2 };

// The extension of a kind: ".xls" for calculated values, ".txt" for raw values.
const char* conversion_extension(ConversionKind kind);
// `folder` / the source's name with the extension of the kind.
fs::path converted_file_name(const fs::path& source, const fs::path& folder, ConversionKind kind);

// "HEADER", the 51 labelled header lines, an empty line and "MESURES", in Windows-1252 with
// CR LF. Throws ConversionError naming the entry when entry 38, 47 or 48 is not an integer.
std::string header_block(const ProbeHeader& header, const HeaderLabelTable& labels);

// The whole output of a kind, written to `out`. The measurement must be loaded and, for
// calculated values, calculated. Throws ConversionError before writing anything when the
// header block cannot be built.
void write_values(std::ostream& out, const Measurement& measurement, ConversionKind kind,
                  const ConversionTexts& texts);
std::string values_text(const Measurement& measurement, ConversionKind kind,
                        const ConversionTexts& texts);
// Writes the output of a kind into `destination`, replacing it only once complete.
void write_values_file(const fs::path& destination, const Measurement& measurement,
                       ConversionKind kind, const ConversionTexts& texts);

// Loads a ".bm2" file for conversion without touching the application's working files, and
// calculates it with the sensor mask of its probe type from `settingsFile` when asked.
Measurement load_for_conversion(const fs::path& source, const fs::path& settingsFile,
                                bool calculate);

// Converts one ".bm2" file into `folder`: the raw-values file first, then the
// calculated-values file, as asked. Returns the files written.
std::vector<fs::path> convert_bm2_file(const fs::path& source, const fs::path& folder,
                                       bool rawValues, bool calculatedValues,
                                       const fs::path& settingsFile, const ConversionTexts& texts);

// Progress of a batch after file i of n: i x 100 / n rounded to the nearest integer.
int batch_percent(size_t done, size_t total);

} // namespace talvex
