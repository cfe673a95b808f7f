// The curves the chart windows draw, built from the calculated series of a measurement with
// the choices of the display options: GSM spike filter (radon series only), block means,
// smoothing (with the Bq/l divisor) for windows 1 to 3, plain copies for the status strips.
#pragma once

#include "display/chart_layout.h"
#include "display/curve_processing.h"

#include <array>
#include <string>

namespace talvex {

struct CurveChoice {
    std::string name; // a measure name; "<Aucune>" or an unknown name draws nothing
    int lissage = 0;
};

struct DisplayRequest {
    std::array<bool, 4> shown{};
    std::array<std::array<CurveChoice, CurvesPerWindow>, CurveWindowCount> curves;
    std::array<std::string, StripCount> controls;
    int cumul = 1;
    bool gsmFilter = true;
    double gsmFactor = 2.5;
    DisplayInterval interval;
};

struct DisplayCurves {
    std::array<std::array<Curve, CurvesPerWindow>, CurveWindowCount> curves;
    std::array<Curve, StripCount> strips;
    // The averaging count and smoothing widths as used, written back into the dialog.
    int cumul = 1;
    std::array<std::array<int, CurvesPerWindow>, CurveWindowCount> lissage{};
    // First and last instant of the radon 1 counts series: the range the zoom and the
    // scroll bar work in.
    double first = 0, last = 0;
};

DisplayCurves Display_Charts(const Measurement& measurement, const MeasureNameTable& names,
                             const DisplayRequest& request);

} // namespace talvex
