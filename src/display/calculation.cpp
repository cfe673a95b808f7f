#include "display/calculation.h"

#include "app/ini_file.h"
#include "data/conversion_error.h"
#include "data/instant.h"
#include "data/number_text.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace talvex {

namespace {

// Callendar-Van Dusen coefficients of the platinum bridge of the older probes (above 0 °C).
constexpr double CallendarA = 0.00390802;
constexpr double CallendarB = -5.80195200854e-07;

// x / divisor rounded to the nearest integer, ties to the even one, as every rounding of the
// program does; exact in integers (the products of the sensor compensation are far below the
// 64-bit mantissa where a long double would give the same result, only slower).
__int128 divide_to_nearest(__int128 x, std::int64_t divisor) {
    __int128 q = x / divisor;
    __int128 r = x % divisor;
    if (r < 0) {
        r += divisor;
        q -= 1;
    }
    if (2 * r > divisor || (2 * r == divisor && (q & 1) != 0))
        ++q;
    return q;
}

// A raw count read as an integer (the bridge and digital sensors deliver whole counts; a
// fractional value from a hand-edited file rounds to the nearest one).
std::int64_t raw_integer(double value, double instant, const char* what) {
    const double rounded = std::nearbyint(value);
    if (!(std::fabs(rounded) < 9.2e18))
        throw ConversionError("La valeur brute de " + std::string(what) + " de la mesure du " +
                              format_date_time(instant) + " n'est pas un entier utilisable");
    return static_cast<std::int64_t>(rounded);
}

double text_value(double value) { return round_to_significant_digits(value); }

// Everything the formulas read from the header, converted once per calculation. Only the
// entries of the sensors the probe type carries are read, so a probe without a pressure
// sensor may leave its pressure coefficients empty.
struct Coefficients {
    double period = 0;
    bool digital = false; // firmware 2.4 and later: MS5607 pressure and temperature sensor
    std::int64_t C[7] = {}; // C1..C6 of the digital sensor (C[0] unused)
    double A[4] = {}, B[4] = {}, Cp[4] = {}; // pressure polynomials of the older firmware
    double pressureAdjust = 0;
    double hum[38] = {}; // humidity coefficients, by header index 31..37
    double radonCoefficient[3] = {}, radonBackground[3] = {};
    double rain = 0, battery = 1;

    Coefficients(const ProbeHeader& h, int mask) {
        period = h.decimal(entry::Period);
        if (!(period > 0))
            throw ConversionError("La période de mesure '" + h.value(entry::Period) +
                                  "' (entrée 46 de l'en-tête) doit être supérieure à 0 : "
                                  "les coups par heure ne peuvent pas être calculés");
        if (mask & (sensor::Temperature | sensor::Pressure))
            digital = h.integer(entry::Soft) >= 24;
        if ((mask & sensor::Temperature) && digital) {
            C[5] = h.integer(22);
            C[6] = h.integer(23);
        }
        if (mask & sensor::Pressure) {
            if (digital) {
                for (int i = 1; i <= 5; ++i)
                    C[i] = h.integer(17 + i);
            } else {
                for (int i = 0; i < 4; ++i) {
                    A[i] = h.decimal(18 + i);
                    B[i] = h.decimal(22 + i);
                    Cp[i] = h.decimal(26 + i);
                }
                pressureAdjust = h.decimal(entry::PressOffset);
            }
        }
        if (mask & sensor::Humidity)
            for (int i = 31; i <= 37; ++i)
                hum[i] = h.decimal(i);
        const int radonEntries[3][2] = {{2, 3}, {5, 6}, {7, 8}};
        for (int k = 0; k < 3; ++k)
            if (mask & (1 << k)) {
                radonCoefficient[k] = h.decimal(radonEntries[k][0]);
                radonBackground[k] = h.decimal(radonEntries[k][1]);
            }
        if (mask & sensor::Rain)
            rain = h.decimal(entry::PRef);
        if (mask & sensor::Battery) {
            battery = h.decimal(entry::CoefBatt);
            if (battery == 0)
                battery = 1.0;
        }
    }
};

double polynomial(const double (&c)[4], double t) { return c[0] + c[1] * t + c[2] * t * t + c[3] * t * t * t; }

} // namespace

int read_sensor_mask(const IniFile& settings, const ProbeHeader& header) {
    const std::int64_t type = header.integer(entry::ProbeType);
    const std::string key = "type" + std::to_string(type);
    const std::string text = settings.readString("SENSORS", key, "0");
    std::int64_t mask = 0;
    if (!parse_integer(text, mask) || mask < std::numeric_limits<int>::min() ||
        mask > std::numeric_limits<int>::max())
        throw ConversionError("'" + text + "' n'est pas une valeur entière correcte (section SENSORS, clé " +
                              key + " de " + settings.path().filename().string() + ")");
    return static_cast<int>(mask);
}

int read_sensor_mask(const std::filesystem::path& settingsFile, const ProbeHeader& header) {
    return read_sensor_mask(IniFile(settingsFile), header);
}

double read_gsm_filter_factor(const IniFile& settings) {
    return settings.readFloat("GSM FILTER", "Factor", 2.5);
}

void Calcul(Measurement& m, int mask, const ProgressCallback& progress) {
    const size_t n = m.raw[Raw_Series_Pression].size();
    for (auto& series : m.calculated)
        series.clear();
    if (n == 0)
        return;
    for (const auto& series : m.raw)
        if (series.size() != n || m.instants.size() != n)
            throw ConversionError("Les séries de mesures brutes n'ont pas toutes le même nombre de points");

    const Coefficients k(m.header, mask);
    for (auto& series : m.calculated)
        series.resize(n);

    const auto& raw = m.raw;
    auto& out = m.calculated;
    int shownPercent = -1;
    for (size_t c = 0; c < n; ++c) {
        if (progress) {
            const int percent = static_cast<int>((c + 1) * 100 / n);
            if (percent != shownPercent) {
                shownPercent = percent;
                progress(percent);
            }
        }
        const double x = m.instants[c];

        // Temperature, read back from its text: the pressure and humidity formulas use it so.
        double T = 0;
        if (mask & sensor::Temperature) {
            if (k.digital) {
                const __int128 D2 = raw_integer(raw[Raw_Series_Temperature][c], x, "température");
                const __int128 dT = D2 - static_cast<__int128>(k.C[5]) * 256;
                T = static_cast<double>((static_cast<long double>(k.C[6] * dT) / 8388608 + 2000) / 100);
            } else {
                const double v = raw[Raw_Series_Temperature][c] / 1000000;
                const double r = 1 - (2 * v + 2.5) / (2.5 - 2 * v);
                T = (std::sqrt(CallendarA * CallendarA - 4 * CallendarB * r) - CallendarA) /
                    (2 * CallendarB);
            }
            T = text_value(T);
        }

        double p = 0;
        if (mask & sensor::Pressure) {
            if (k.digital) {
                // First-order compensation of the MS5607, without the pressure adjustment.
                const __int128 D1 = raw_integer(raw[Raw_Series_Pression][c], x, "pression");
                const __int128 D2 = raw_integer(raw[Raw_Series_Temperature][c], x, "température");
                const __int128 dT = D2 - static_cast<__int128>(k.C[5]) * 256;
                const __int128 OFF = static_cast<__int128>(k.C[2]) * 131072 + divide_to_nearest(k.C[4] * dT, 64);
                const __int128 SENS = static_cast<__int128>(k.C[1]) * 65536 + divide_to_nearest(k.C[3] * dT, 128);
                const long double P =
                    ((static_cast<long double>(SENS * D1) / 2097152 - static_cast<long double>(OFF)) / 32768) / 100;
                p = static_cast<double>(P);
            } else {
                const double y = ((raw[Raw_Series_Pression][c] - 32767) / 32768) * 1250 / 16;
                p = 1000 * (1 + polynomial(k.A, T) + polynomial(k.B, T) * y + polynomial(k.Cp, T) * y * y) +
                    k.pressureAdjust;
            }
            p = text_value(p);
        }

        // Humidity before radon: each acquisition's activities use its own humidity factor.
        double h = 0;
        double humidityFactor = 1.0;
        if (mask & sensor::Humidity) {
            h = text_value(k.hum[31] * raw[Raw_Series_Humidite][c] + k.hum[32]);
            const double FT = (k.hum[33] + k.hum[34] * T + k.hum[35] * T * T) * h / 100;
            humidityFactor = k.hum[36] * FT + k.hum[37];
            if (humidityFactor == 0)
                humidityFactor = 1.0;
        }

        double activity[3] = {0, 0, 0};
        double countsPerHour[3];
        for (int ch = 0; ch < 3; ++ch) {
            const double rate = raw[Raw_Series_Radon1 + ch][c] * 60 / k.period;
            countsPerHour[ch] = text_value(rate);
            if (mask & (1 << ch)) {
                double a = (rate - k.radonBackground[ch]) * k.radonCoefficient[ch];
                if (mask & sensor::HumidityCorrection)
                    a /= humidityFactor;
                if (!(a > 0)) // negative, or undefined
                    a = 0;
                activity[ch] = text_value(std::nearbyint(a)); // exact in double: ties to even
            }
        }

        double rain = 0;
        if (mask & sensor::Rain)
            rain = text_value(k.rain * raw[Raw_Series_Pluviometrie][c]);

        double volts = 0;
        if (mask & sensor::Battery) {
            // The top bit of the battery byte is not part of the voltage.
            const std::int64_t byte = raw_integer(raw[Raw_Series_TensionPile][c], x, "tension pile") & 127;
            volts = text_value(static_cast<double>(byte) * k.battery / 10);
        }

        const std::int64_t state = raw_integer(raw[Raw_Series_Etat][c], x, "état");
        auto bit = [state](int i) { return static_cast<double>((state >> i) & 1); };

        out[Calc_Series_Temperature][c] = T;
        out[Calc_Series_Pression][c] = p;
        out[Calc_Series_Humidite][c] = h;
        out[Calc_Series_Pluviometrie][c] = rain;
        out[Calc_Series_TensionPile][c] = volts;
        out[Calc_Series_Radon1Bq][c] = activity[0];
        out[Calc_Series_Radon1Coups][c] = countsPerHour[0];
        out[Calc_Series_Radon2Bq][c] = activity[1];
        out[Calc_Series_Radon2Coups][c] = countsPerHour[1];
        out[Calc_Series_Radon3Bq][c] = activity[2];
        out[Calc_Series_Radon3Coups][c] = countsPerHour[2];
        out[Calc_Series_Chocs][c] = bit(0);
        out[Calc_Series_Pompe][c] = bit(1);
        out[Calc_Series_Chauffage][c] = bit(2);
        out[Calc_Series_Alarme1][c] = bit(3);
        out[Calc_Series_Alarme2][c] = bit(4);
        out[Calc_Series_Batterie][c] = bit(5);
        out[Calc_Series_Connecte][c] = bit(6);
    }
}

} // namespace talvex
