#include "data/standard_header.h"

namespace talvex {

const std::array<std::string, HeaderEntryCount>& standard_header_keys() {
    static const std::array<std::string, HeaderEntryCount> keys = {
        "SOFT",         "#PROBE",       "RN1_C",        "RN1_BCKG",     "RN1_BCKG_TIME",
        "RN2_C",        "RN2_BCKG",     "RN3_C",        "RN3_BCKG",     "PRESS_OFFSET",
        "COM_TYPE",     "GSM_ON_HOUR",  "GSM_OFF_HOUR", "RESERVED",     "GSM_ON_DAYS",
        "RESERVED",     "COEF_BATT",    "P_REF",        "PRESS_A0",     "PRESS_A1",
        "PRESS_A2",     "PRESS_A3",     "PRESS_B0",     "PRESS_B1",     "PRESS_B2",
        "PRESS_B3",     "PRESS_C0",     "PRESS_C1",     "PRESS_C2",     "PRESS_C3",
        "TEMP_COEF",    "HUM_COEF_A1",  "HUM_COEF_B1",  "HUM_COEF_A2",  "HUM_COEF_B2",
        "HUM_COEF_C2",  "HUM_COEF_A3",  "HUM_COEF_B3",  "LAST_MAINT_Y", "LAST_MAINT_M",
        "INT_MAINT",    "RN1_ALM1_A",   "RN2_ALM1_A",   "TEMP_HEAT_A",  "COMMENT",
        "#MEAS",        "INT_TIME",     "VMIN_BAT",     "VREF_BAT",     "START_Y",
        "START_M",      "START_D",      "START_h",      "START_m",      "RN1_ALM1_H",
        "RN1_ALM2_H",   "TEMP_HEAT_H",  "PROBE_TYPE",
    };
    return keys;
}

ProbeHeader example_header(const std::string& firmware, long measureCount) {
    const bool digital = firmware >= "24";
    // Firmware 2.4 keeps the six MS5607 calibration constants in entries 18 to 23; older
    // firmware keeps the polynomial pressure coefficients there.
    const std::array<std::string, 12> pressure =
        digital ? std::array<std::string, 12>{"46372", "43981", "29059", "27842", "31553",
                                              "28165", "0", "0", "0", "0", "0", "0"}
                : std::array<std::string, 12>{"0.0012", "-0.00004", "0", "0", "1.02", "0.0001",
                                              "0", "0", "0", "0", "0", "0"};
    const std::array<std::string, HeaderEntryCount> values = {
        firmware, "0142",    "1.5",     "20",  "48",     "1.6",  "18", "0",   "0",
        "0",      "1",       "8",       "18",  "0",      "1111100", "0", "1.0", "0.2",
        pressure[0], pressure[1], pressure[2], pressure[3], pressure[4], pressure[5],
        pressure[6], pressure[7], pressure[8], pressure[9], pressure[10], pressure[11],
        "0",      "0.1",     "-5",      "1",   "0",      "0",    "0",  "1",   "25",
        "6",      "1",       "300",     "1000", "5",     " ",    std::to_string(measureCount),
        "60",     "60",      "33",      "26",  "11",     "1",    "0",  "0",   "450",
        "1500",   "1200",    "3",
    };
    ProbeHeader header;
    const auto& keys = standard_header_keys();
    for (int i = 0; i < HeaderEntryCount; ++i)
        header.set(i, keys[static_cast<size_t>(i)], values[static_cast<size_t>(i)]);
    return header;
}

} // namespace talvex
