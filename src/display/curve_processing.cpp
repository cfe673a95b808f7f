#include "display/curve_processing.h"

#include <stdexcept>

namespace talvex {

SeriesView calculated_series(const Measurement& measurement, int number) {
    if (number < 1 || number > CalculatedSeriesCount)
        throw std::out_of_range("calculated series number " + std::to_string(number));
    return {measurement.instants, measurement.calculated[static_cast<size_t>(number - 1)]};
}

SeriesChoice Numero_Serie(const std::string& name, const MeasureNameTable& names) {
    SeriesChoice choice;
    for (int i = 0; i < MeasureNameCount; ++i) {
        if (names[static_cast<size_t>(i)] != name)
            continue;
        choice.BqPerLitreDivisor = 1;
        if (i >= 1 && i <= 11)
            choice.number = i;
        else if (i >= 14 && i <= 20)
            choice.number = i - 2; // the status series 12 to 18
        else if (i >= 21)
            choice.number = 2 * (i - 20), choice.BqPerLitreDivisor = 1000;
        else
            choice.number = 0; // "<Aucune>" and the two placeholders name no series
    }
    return choice;
}

void Filtre_GSM(SeriesView source, Curve& target, const DisplayInterval& interval, double factor) {
    const size_t count = source.size();
    for (size_t i = 0; i < count; ++i) {
        if (!interval.contains(source.x[i]))
            continue;
        double y = source.y[i];
        if (i > 0 && i + 1 < count) {
            const double a = source.y[i - 1], b = source.y[i + 1];
            if (y > factor * a && y > factor * b)
                y = (a + b) / 2;
        }
        target.append(source.x[i], y);
    }
}

void Cumul_Serie(SeriesView source, Curve& target, int n, const DisplayInterval& interval) {
    const size_t block = n < 1 ? 1 : static_cast<size_t>(n);
    const size_t blocks = source.size() / block;
    for (size_t j = 0; j < blocks; ++j) {
        const size_t first = j * block, last = first + block - 1;
        if (!interval.contains(source.x[first]))
            continue;
        double sum = 0;
        for (size_t i = first; i <= last; ++i)
            sum += source.y[i];
        target.append(source.x[last], sum / static_cast<double>(block));
    }
}

void Lissage_Serie(SeriesView source, Curve& target, int width, const DisplayInterval& interval,
                   double bqPerLitreDivisor) {
    const size_t L = width < 1 ? 1 : static_cast<size_t>(width);
    const size_t count = source.size();
    const size_t before = L / 2;
    const size_t after = L % 2 == 1 ? before : before - 1;
    for (size_t i = 0; i < count; ++i) {
        if (!interval.contains(source.x[i]))
            continue;
        double y;
        if (i < before || i + after >= count) {
            y = source.y[i] / bqPerLitreDivisor;
        } else {
            double sum = 0;
            for (size_t j = i - before; j <= i + after; ++j)
                sum += source.y[j] / bqPerLitreDivisor;
            y = sum / static_cast<double>(L);
        }
        target.append(source.x[i], y);
    }
}

void Copie_Serie(SeriesView source, Curve& target, const DisplayInterval& interval) {
    for (size_t i = 0; i < source.size(); ++i)
        if (interval.contains(source.x[i]))
            target.append(source.x[i], source.y[i]);
}

} // namespace talvex
