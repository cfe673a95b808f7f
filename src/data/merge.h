// Merging measurement files, typically successive readings of one probe: the header part of
// the last file, then the measure lines of every file in the order given. The file texts are
// copied line by line; nothing is decoded, sorted or checked but the "MESURES" line.
#pragma once

#include "data/bm2_file.h"

#include <string>
#include <vector>

namespace talvex {

// Merges `sources` into `destination`, which is replaced only once the merge is complete,
// so a destination that is also one of the sources is read intact. `progress` receives
// i x 100 / n, rounded, after file i. Throws ConversionError naming the file when a source
// cannot be read or has no line "MESURES"; the destination is then left as it was.
void merge_bm2_files(const std::vector<fs::path>& sources, const fs::path& destination,
                     const ProgressCallback& progress = {});

// The destination the merge window proposes for a first file: its path with the extension
// replaced by "_all.bm2" ("sonde12.bm2" -> "sonde12_all.bm2").
fs::path merged_file_name(const fs::path& firstSource);

} // namespace talvex
