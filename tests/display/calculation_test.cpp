#include "app/ini_file.h"
#include "data/conversion_error.h"
#include "data/standard_header.h"
#include "display/calculation.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;
using ::testing::HasSubstr;

namespace {

// One raw acquisition, in measure-line order.
struct Raw {
    double pressure = 0, temperature = 0, battery = 0, humidity = 0;
    double radon1 = 0, radon2 = 0, radon3 = 0, rain = 0, state = 0;
};

Measurement measurement_of(const ProbeHeader& header, std::initializer_list<Raw> points) {
    Measurement m;
    m.header = header;
    double instant = 45000;
    for (const Raw& r : points) {
        m.instants.push_back(instant);
        instant += 1.0 / 24;
        const double values[RawSeriesCount] = {r.pressure, r.temperature, r.battery,
                                               r.humidity, r.radon1,      r.radon2,
                                               r.radon3,   r.rain,        r.state};
        for (int s = 0; s < RawSeriesCount; ++s)
            m.raw[static_cast<size_t>(s)].push_back(values[s]);
    }
    return m;
}

ProbeHeader header_with(const std::string& firmware,
                        std::initializer_list<std::pair<int, std::string>> values = {}) {
    ProbeHeader h = example_header(firmware, 1);
    for (const auto& [index, value] : values)
        h.setValue(index, value);
    return h;
}

double calculated(const ProbeHeader& header, int mask, const Raw& raw, CalculatedSeries series) {
    Measurement m = measurement_of(header, {raw});
    Calcul(m, mask, {});
    return m.calculated[series].at(0);
}

// Digital sensor constants C1 to C5 all 0 but C4 = 1.
const std::vector<std::pair<int, std::string>> DigitalTieHeader = {
    {18, "0"}, {19, "0"}, {20, "0"}, {21, "1"}, {22, "0"}};

// The MS5607 readings of the benchmark files (header constants of example_header("24")).
const Raw DigitalSensor{6465444, 8077636, 200, 300, 100, 50, 33, 2, 0};

} // namespace

struct FormulaCase {
    const char* name;
    const char* firmware;
    std::vector<std::pair<int, std::string>> header;
    int mask;
    Raw raw;
    CalculatedSeries series;
    double expected;
};

class CalculationFormulas : public ::testing::TestWithParam<FormulaCase> {};

TEST_P(CalculationFormulas, GiveTheWorkedValue) {
    const FormulaCase& c = GetParam();
    ProbeHeader h = example_header(c.firmware, 1);
    for (const auto& [index, value] : c.header)
        h.setValue(index, value);
    EXPECT_EQ(calculated(h, c.mask, c.raw, c.series), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    KnownAnswers, CalculationFormulas,
    ::testing::Values(
        // Radon: (counts * 60 / P - background) * coefficient, negative to 0.
        FormulaCase{"radon below background", "24", {{2, "1.5"}, {3, "20"}, {46, "60"}}, 1,
                    Raw{.radon1 = 10}, Calc_Series_Radon1Bq, 0},
        FormulaCase{"radon above background", "24", {{2, "1.5"}, {3, "20"}, {46, "60"}}, 1,
                    Raw{.radon1 = 100}, Calc_Series_Radon1Bq, 120},
        FormulaCase{"tie 2.5 to even", "24", {{5, "0.5"}, {6, "0"}, {46, "60"}}, 2,
                    Raw{.radon2 = 5}, Calc_Series_Radon2Bq, 2},
        FormulaCase{"tie 3.5 to even", "24", {{7, "0.5"}, {8, "0"}, {46, "60"}}, 4,
                    Raw{.radon3 = 7}, Calc_Series_Radon3Bq, 4},
        FormulaCase{"channel absent", "24", {{2, "1.5"}, {3, "20"}}, 6, Raw{.radon1 = 100},
                    Calc_Series_Radon1Bq, 0},
        FormulaCase{"counts per hour whatever the mask", "24", {{46, "15"}}, 0,
                    Raw{.radon3 = 7}, Calc_Series_Radon3Coups, 28},
        FormulaCase{"counts per hour with 15 digits", "24", {{46, "7"}}, 0, Raw{.radon1 = 1},
                    Calc_Series_Radon1Coups, 8.57142857142857},
        // Battery: (byte AND 127) * coefficient / 10, coefficient 0 taken as 1.
        FormulaCase{"battery top bit, coefficient 0", "24", {{16, "0"}}, 128,
                    Raw{.battery = 200}, Calc_Series_TensionPile, 7.2},
        FormulaCase{"battery coefficient", "24", {{16, "1.1"}}, 128, Raw{.battery = 33},
                    Calc_Series_TensionPile, 3.63},
        FormulaCase{"battery absent", "24", {{16, "1"}}, 0, Raw{.battery = 33},
                    Calc_Series_TensionPile, 0},
        FormulaCase{"rain", "24", {{17, "0.2"}}, 64, Raw{.rain = 3}, Calc_Series_Pluviometrie,
                    0.6},
        // Humidity: e31 * raw + e32.
        FormulaCase{"humidity", "24", {{31, "0.1"}, {32, "-5"}}, 32, Raw{.humidity = 300},
                    Calc_Series_Humidite, 25},
        // Firmware 2.4: MS5607 first-order formulas, no pressure adjustment.
        FormulaCase{"digital temperature", "24", {}, 8, DigitalSensor, Calc_Series_Temperature,
                    20.0022831201553},
        FormulaCase{"digital pressure ignores the adjustment", "24", {{9, "5"}}, 16,
                    DigitalSensor, Calc_Series_Pression, 1100.02957681194},
        // The compensation's C4 * dT / 64 rounds ties to even, negative values included:
        // with only C4 = 1, the pressure is -round(D2 / 64) / 3276800.
        FormulaCase{"digital offset tie down to even", "24", DigitalTieHeader, 16,
                    Raw{.pressure = 1, .temperature = 160}, Calc_Series_Pression, -6.103515625e-07},
        FormulaCase{"digital offset tie up to even", "24", DigitalTieHeader, 16,
                    Raw{.pressure = 1, .temperature = 96}, Calc_Series_Pression, -6.103515625e-07},
        FormulaCase{"digital offset half to zero", "24", DigitalTieHeader, 16,
                    Raw{.pressure = 1, .temperature = 32}, Calc_Series_Pression, 0},
        FormulaCase{"digital offset negative tie", "24", DigitalTieHeader, 16,
                    Raw{.pressure = 1, .temperature = -160}, Calc_Series_Pression, 6.103515625e-07},
        FormulaCase{"digital offset above a half", "24", DigitalTieHeader, 16,
                    Raw{.pressure = 1, .temperature = 100}, Calc_Series_Pression, -6.103515625e-07},
        // Firmware 2.3: platinum bridge and polynomial pressure with the adjustment.
        FormulaCase{"bridge temperature", "23", {}, 8, Raw{.temperature = 37000},
                    Calc_Series_Temperature, 15.6467507007985},
        FormulaCase{"bridge temperature at the reference", "23", {}, 8, Raw{.temperature = 0},
                    Calc_Series_Temperature, 0},
        FormulaCase{"polynomial pressure with adjustment", "23", {{9, "5"}}, 24,
                    Raw{.pressure = 40000, .temperature = 37000}, Calc_Series_Pression,
                    18622.268806328}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(Calculation, HumidityFactorCorrectsTheSameAcquisitionsRadon) {
    // h = 25 %, FT = (1 + 0.02 t + 0.001 t^2) * h / 100 with t = 15.6467507007985 °C,
    // K = 2 FT + 0.5 = 1.27887791075445; (100 - 20) * 1.5 / K = 93.83 -> 94.
    const ProbeHeader h = header_with("23", {{31, "0.1"}, {32, "-5"}, {33, "1"}, {34, "0.02"},
                                             {35, "0.001"}, {36, "2"}, {37, "0.5"}, {2, "1.5"},
                                             {3, "20"}});
    const Raw raw{.temperature = 37000, .humidity = 300, .radon1 = 100};
    const int mask = sensor::Radon1 | sensor::Temperature | sensor::Humidity;
    EXPECT_EQ(calculated(h, mask | sensor::HumidityCorrection, raw, Calc_Series_Radon1Bq), 94);
    EXPECT_EQ(calculated(h, mask, raw, Calc_Series_Radon1Bq), 120);
    // A factor of exactly 0 is taken as 1.
    const ProbeHeader zero = header_with("24", {{31, "0.1"}, {32, "-5"}, {36, "0"}, {37, "0"},
                                                {2, "1.5"}, {3, "20"}});
    EXPECT_EQ(calculated(zero, sensor::Radon1 | sensor::Humidity | sensor::HumidityCorrection,
                         raw, Calc_Series_Radon1Bq),
              120);
}

TEST(Calculation, StatusBitsAlwaysCalculated) {
    Measurement m = measurement_of(example_header("24", 1), {Raw{.state = 0x41}});
    Calcul(m, 0, {});
    const std::pair<CalculatedSeries, double> expected[] = {
        {Calc_Series_Chocs, 1},    {Calc_Series_Pompe, 0},   {Calc_Series_Chauffage, 0},
        {Calc_Series_Alarme1, 0},  {Calc_Series_Alarme2, 0}, {Calc_Series_Batterie, 0},
        {Calc_Series_Connecte, 1},
    };
    for (const auto& [series, value] : expected)
        EXPECT_EQ(m.calculated[series].at(0), value) << series;
    m = measurement_of(example_header("24", 1), {Raw{.state = 0x3E}});
    Calcul(m, 0, {});
    for (CalculatedSeries s : {Calc_Series_Pompe, Calc_Series_Chauffage, Calc_Series_Alarme1,
                               Calc_Series_Alarme2, Calc_Series_Batterie})
        EXPECT_EQ(m.calculated[s].at(0), 1) << s;
    EXPECT_EQ(m.calculated[Calc_Series_Chocs].at(0), 0);
    EXPECT_EQ(m.calculated[Calc_Series_Connecte].at(0), 0);
}

struct MaskCase {
    int mask;
    std::vector<CalculatedSeries> nonZero;
};

class CalculationMasks : public ::testing::TestWithParam<MaskCase> {};

TEST_P(CalculationMasks, OnlyEquippedSensorsCarryValues) {
    Measurement m = measurement_of(header_with("24", {{7, "1.2"}, {8, "5"}}),
                                   {DigitalSensor, DigitalSensor});
    Calcul(m, GetParam().mask, {});
    for (int s = 0; s < CalculatedSeriesCount; ++s) {
        const auto& series = m.calculated[static_cast<size_t>(s)];
        ASSERT_EQ(series.size(), 2u);
        if (s >= Calc_Series_Chocs)
            continue; // status bits of a state of 0
        const bool expected = std::count(GetParam().nonZero.begin(), GetParam().nonZero.end(), s) > 0;
        EXPECT_EQ(series[0] != 0, expected) << "mask " << GetParam().mask << " series " << s;
        EXPECT_EQ(series[1], series[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Masks, CalculationMasks,
    ::testing::Values(
        // No SENSORS entry: only the counts per hour.
        MaskCase{0, {Calc_Series_Radon1Coups, Calc_Series_Radon2Coups, Calc_Series_Radon3Coups}},
        // Three radon channels, no other sensor.
        MaskCase{7,
                 {Calc_Series_Radon1Coups, Calc_Series_Radon2Coups, Calc_Series_Radon3Coups,
                  Calc_Series_Radon1Bq, Calc_Series_Radon2Bq, Calc_Series_Radon3Bq}},
        // Channel 1 with its Bq/l names: bit 12 changes nothing in the calculation.
        MaskCase{4097,
                 {Calc_Series_Radon1Coups, Calc_Series_Radon2Coups, Calc_Series_Radon3Coups,
                  Calc_Series_Radon1Bq}},
        MaskCase{255,
                 {Calc_Series_Radon1Coups, Calc_Series_Radon2Coups, Calc_Series_Radon3Coups,
                  Calc_Series_Radon1Bq, Calc_Series_Radon2Bq, Calc_Series_Radon3Bq,
                  Calc_Series_Temperature, Calc_Series_Pression, Calc_Series_Humidite,
                  Calc_Series_Pluviometrie, Calc_Series_TensionPile}}));

TEST(Calculation, EmptyMeasureGivesEmptySeriesWithoutReadingTheHeader) {
    Measurement m = measurement_of(header_with("24", {{46, ""}}), {});
    m.calculated[Calc_Series_Radon1Coups] = {1, 2, 3};
    Calcul(m, 255, {});
    for (const auto& series : m.calculated)
        EXPECT_TRUE(series.empty());
}

TEST(Calculation, EntriesOfAbsentSensorsAreNotRead) {
    // A radon-only probe may carry no pressure or humidity coefficients at all.
    const ProbeHeader h = header_with("x", {{18, ""}, {22, "?"}, {31, ""}, {16, ""}, {17, ""}});
    Measurement m = measurement_of(h, {Raw{.radon1 = 100}});
    EXPECT_NO_THROW(Calcul(m, 7, {}));
    EXPECT_EQ(m.calculated[Calc_Series_Radon1Bq][0], 120);
}

struct BadEntryCase {
    int mask;
    int entry;
    const char* value;
    const char* mentioned;
};

class CalculationBadEntries : public ::testing::TestWithParam<BadEntryCase> {};

TEST_P(CalculationBadEntries, StopWithAnErrorNamingTheEntry) {
    const BadEntryCase& c = GetParam();
    Measurement m = measurement_of(header_with("24", {{c.entry, c.value}}), {DigitalSensor});
    try {
        Calcul(m, c.mask, {});
        FAIL() << "expected a conversion error for entry " << c.entry;
    } catch (const ConversionError& e) {
        EXPECT_THAT(e.what(), HasSubstr(c.mentioned));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CalculationBadEntries,
    ::testing::Values(BadEntryCase{1, 2, "", "entrée 02"}, BadEntryCase{1, 3, "1,5", "entrée 03"},
                      BadEntryCase{8, 0, "v24", "entrée 00"},
                      BadEntryCase{16, 20, "29059.5", "entrée 20"},
                      BadEntryCase{8, 23, "", "entrée 23"},
                      BadEntryCase{32, 35, "abc", "entrée 35"},
                      BadEntryCase{128, 16, "-", "entrée 16"},
                      BadEntryCase{64, 17, " ", "entrée 17"},
                      BadEntryCase{0, 46, "soixante", "entrée 46"},
                      // A period of 0 would make every count rate infinite.
                      BadEntryCase{0, 46, "0", "entrée 46"},
                      BadEntryCase{1, 46, "-60", "entrée 46"}));

TEST(Calculation, ProgressReachesOneHundredOncePerChange) {
    Measurement m = measurement_of(example_header("24", 3), {Raw{}, Raw{}, Raw{}});
    std::vector<int> seen;
    Calcul(m, 255, [&](int percent) { seen.push_back(percent); });
    EXPECT_EQ(seen, (std::vector<int>{33, 66, 100}));
}

TEST(Calculation, RecalculationReplacesEverySeries) {
    Measurement m = measurement_of(example_header("24", 2), {DigitalSensor, DigitalSensor});
    Calcul(m, 255, {});
    Calcul(m, 255, {});
    for (const auto& series : m.calculated)
        EXPECT_EQ(series.size(), 2u);
}

TEST(SensorMask, ReadFromTheSectionOfTheProbeType) {
    ScratchDir dir;
    const auto ini = dir / "Talvex2.ini";
    write_bytes(ini, "[SENSORS]\r\ntype3=7\r\ntype4=4097\r\ntype5=beaucoup\r\n");
    EXPECT_EQ(read_sensor_mask(ini, header_with("24", {{57, "3"}})), 7);
    EXPECT_EQ(read_sensor_mask(ini, header_with("24", {{57, "4"}})), 4097);
    EXPECT_EQ(read_sensor_mask(ini, header_with("24", {{57, "9"}})), 0);
    try {
        read_sensor_mask(ini, header_with("24", {{57, "5"}}));
        FAIL() << "expected a conversion error";
    } catch (const ConversionError& e) {
        EXPECT_THAT(e.what(), HasSubstr("'beaucoup'"));
        EXPECT_THAT(e.what(), HasSubstr("type5"));
    }
    EXPECT_THROW(read_sensor_mask(ini, header_with("24", {{57, "trois"}})), ConversionError);
}

TEST(SensorMask, GsmFilterFactorDefaultsTo2_5) {
    ScratchDir dir;
    write_bytes(dir / "a.ini", "[GSM FILTER]\r\nFactor=3\r\n");
    EXPECT_EQ(read_gsm_filter_factor(IniFile(dir / "a.ini")), 3.0);
    EXPECT_EQ(read_gsm_filter_factor(IniFile(dir / "missing.ini")), 2.5);
}
