#include "display/display_curves.h"

#include "data/probe_header.h"

namespace talvex {

namespace {

// Series 1 to 6: counts per hour and Bq/m3 of the three radon channels, the only ones a
// GSM transfer spikes.
constexpr int LastRadonSeries = 6;

} // namespace

DisplayCurves Display_Charts(const Measurement& measurement, const MeasureNameTable& names,
                             const DisplayRequest& request) {
    DisplayCurves out;
    const long n = static_cast<long>(measurement.header.integer(entry::MeasureCount));
    out.cumul = clamp_cumul(request.cumul, n);
    for (int w = 0; w < CurveWindowCount; ++w)
        for (int c = 0; c < CurvesPerWindow; ++c)
            out.lissage[w][c] = clamp_lissage(request.curves[w][c].lissage, n);

    const auto& reference = measurement.calculated[Calc_Series_Radon1Coups];
    if (!reference.empty()) {
        out.first = measurement.instants.front();
        out.last = measurement.instants.back();
    }

    Curve filtered, averaged;
    for (int w = 0; w < CurveWindowCount; ++w) {
        if (!request.shown[w])
            continue;
        for (int c = 0; c < CurvesPerWindow; ++c) {
            const SeriesChoice choice = Numero_Serie(request.curves[w][c].name, names);
            if (choice.number == 0)
                continue;
            filtered.clear();
            averaged.clear();
            const SeriesView series = calculated_series(measurement, choice.number);
            if (request.gsmFilter && choice.number <= LastRadonSeries) {
                Filtre_GSM(series, filtered, request.interval, request.gsmFactor);
                Cumul_Serie(view(filtered), averaged, out.cumul, request.interval);
            } else {
                Cumul_Serie(series, averaged, out.cumul, request.interval);
            }
            Lissage_Serie(view(averaged), out.curves[w][c], out.lissage[w][c], request.interval,
                          choice.BqPerLitreDivisor);
        }
    }

    if (request.shown[3]) {
        for (int s = 0; s < StripCount; ++s) {
            const SeriesChoice choice = Numero_Serie(request.controls[s], names);
            if (choice.number != 0)
                Copie_Serie(calculated_series(measurement, choice.number), out.strips[s],
                            request.interval);
        }
    }
    return out;
}

} // namespace talvex
