// The state the windows share for one run: settings, the working files, the current
// measurement and the flags of the shell. Created once in main and handed to the windows.
#pragma once

#include "app/app_settings.h"
#include "data/bm2_file.h"
#include "data/measurement.h"
#include "display/chart_layout.h"

#include <memory>
#include <string>

namespace talvex {

struct Session {
    Locations where;
    AppSettings settings;
    WorkingFiles working;

    // The measurement on display; replaced whole by each successful load, never half-filled.
    std::shared_ptr<const Measurement> current;
    std::string currentFile; // the file shown in the title, empty for a probe reading
    // The chart windows shown and the displayed interval, set by the display options.
    DisplayState display;

    bool MeasuresSaved = true;
    int AccessLevel = 1;
    bool GsmOnline = false;
    // The language modules' file name without its extension ("talvex2" of "talvex2.ENG");
    // empty: the executable's own.
    fs::path languageModuleBase;

    MeasureNameTable MeasureNames = french_measure_names();
    HeaderLabelTable HeaderLabels = french_header_labels();

    fs::path settingsFile() const { return settings.settingsFile(); }
};

} // namespace talvex
