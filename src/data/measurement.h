// One measurement in memory: the probe header, the nine raw series read from the measure
// lines, the eighteen calculated series, and the time bounds. All series share one instant
// column (one point per measure line), which keeps a million-point file cheap.
#pragma once

#include "data/probe_header.h"

#include <array>
#include <string>
#include <vector>

namespace talvex {

constexpr int RawSeriesCount = 9;
constexpr int CalculatedSeriesCount = 18;

// Raw series, in measure-line order (fields 4 to 12). Index = series number - 1.
enum RawSeries {
    Raw_Series_Pression,
    Raw_Series_Temperature,
    Raw_Series_TensionPile,
    Raw_Series_Humidite,
    Raw_Series_Radon1,
    Raw_Series_Radon2,
    Raw_Series_Radon3,
    Raw_Series_Pluviometrie,
    Raw_Series_Etat,
};

// Calculated series. Index = series number - 1 (the display addresses them by number).
enum CalculatedSeries {
    Calc_Series_Radon1Coups,
    Calc_Series_Radon1Bq,
    Calc_Series_Radon2Coups,
    Calc_Series_Radon2Bq,
    Calc_Series_Radon3Coups,
    Calc_Series_Radon3Bq,
    Calc_Series_Temperature,
    Calc_Series_Pression,
    Calc_Series_Humidite,
    Calc_Series_Pluviometrie,
    Calc_Series_TensionPile,
    Calc_Series_Chocs,
    Calc_Series_Batterie,
    Calc_Series_Pompe,
    Calc_Series_Chauffage,
    Calc_Series_Alarme1,
    Calc_Series_Alarme2,
    Calc_Series_Connecte,
};

struct Measurement {
    ProbeHeader header;

    // instants[i] is the instant of measure line i; every raw and calculated series holds
    // exactly one value per instant once loaded and calculated.
    std::vector<double> instants;
    std::array<std::vector<double>, RawSeriesCount> raw;
    std::array<std::vector<double>, CalculatedSeriesCount> calculated;

    double StartAll = 0, EndAll = 0;
    double StartSelection = 0, EndSelection = 0;
    // Period of the volumetric activity, reset by each load.
    double ActivityStart = 0, ActivityEnd = 0;

    size_t size() const { return instants.size(); }
};

// The two text tables of the language in force.
constexpr int MeasureNameCount = 24;
constexpr int HeaderLabelCount = 51;
using MeasureNameTable = std::array<std::string, MeasureNameCount>;
using HeaderLabelTable = std::array<std::string, HeaderLabelCount>;

// Built-in French texts (UTF-8). Each header label ends with one tab, as in the files.
const MeasureNameTable& french_measure_names();
const HeaderLabelTable& french_header_labels();

} // namespace talvex
