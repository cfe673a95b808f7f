// The physical values of a measurement: the eighteen calculated series (radon counts per
// hour and activities, temperature, pressure, humidity, rain, battery voltage, status flags)
// computed from the raw series with the probe header's calibration coefficients and the
// sensor equipment of the probe type.
#pragma once

#include "data/bm2_file.h"
#include "data/measurement.h"

#include <filesystem>

namespace talvex {

class IniFile;

// Bits of the sensor mask kept in "Talvex2.ini", section "SENSORS", key "type<probe type>".
namespace sensor {
constexpr int Radon1 = 1, Radon2 = 2, Radon3 = 4, Temperature = 8, Pressure = 16,
              Humidity = 32, Rain = 64, Battery = 128,
              // Offer the placeholder curve names 12 and 13 (nothing is calculated).
              Placeholder12 = 256, Placeholder13 = 512,
              // Offer "Chocs" in the control lists.
              Shocks = 1024,
              // Divide the radon activities by the humidity factor.
              HumidityCorrection = 2048,
              // Offer the "(Bq/l)" names of the present radon channels.
              BqPerLitre = 4096;
}

// The sensor mask of the header's probe type (entry 57), default 0 when the settings file has
// no key for it. Throws ConversionError when entry 57 or the stored value is not an integer.
int read_sensor_mask(const IniFile& settings, const ProbeHeader& header);
int read_sensor_mask(const std::filesystem::path& settingsFile, const ProbeHeader& header);

// The factor of the GSM spike filter ("GSM FILTER"/"Factor", default 2.5).
double read_gsm_filter_factor(const IniFile& settings);

// Rebuilds the eighteen calculated series of `measurement` from its raw series and header,
// one point per raw point, every value rounded to 15 significant digits. `progress` receives
// the percentage of acquisitions done (when it changes). Throws ConversionError naming the
// header entry when one that a formula needs is empty or not a number, or when the period
// (entry 46) is not above 0; the calculated series are then incomplete and the measurement
// must not be shown.
void Calcul(Measurement& measurement, int sensorMask, const ProgressCallback& progress = {});

} // namespace talvex
