#include "data/text_conversion.h"

#include "data/conversion_error.h"
#include "data/instant.h"
#include "data/number_text.h"
#include "data/text_file.h"
#include "display/calculation.h"

#include <cmath>
#include <limits>
#include <sstream>

namespace talvex {

const ConversionTexts& french_conversion_texts() {
    static const ConversionTexts texts = {
        french_header_labels(),
        {"Date / Heure", "Température", "Pression", "Tension Pile", "Humidité", "Radon 1",
         "Radon 2", "Radon 3", "Pluviométrie", "Etat"},
        {"Date / Heure", "Radon1 (Cps/h)", "Radon1 (Bq/m3)", "Radon2 (Cps/h)", "Radon2 (Bq/m3)",
         "Radon3 (Cps/h)", "Radon3 (Bq/m3)", "Temperature (°C)", "Pression (mBar)",
         "Humidite (%HR)", "Pluviométrie (mm H2O)", "Tension Pile (V)", "Chocs", "Batterie",
         "Pompe", "Chauffage", "Alarme 1", "Alarme 2", "Connexion"},
    };
    return texts;
}

const char* conversion_extension(ConversionKind kind) {
    return kind == CalculatedValues ? ".xls" : ".txt";
}

fs::path converted_file_name(const fs::path& source, const fs::path& folder, ConversionKind kind) {
    fs::path name = source.filename();
    name.replace_extension(conversion_extension(kind));
    return folder / name;
}

namespace {

constexpr const char* CrLf = "\r\n";

// Entries 47 and 48 hold tenths of a volt.
std::string tenths(const ProbeHeader& header, int index) {
    return format_number(static_cast<double>(header.integer(index)) / 10);
}

std::string maintenance_year(const ProbeHeader& header) {
    const std::int64_t year = header.integer(entry::LastMaintYear);
    if (year > std::numeric_limits<std::int64_t>::max() - 2000)
        throw ConversionError("'" + header.value(entry::LastMaintYear) +
                              "' n'est pas une année correcte (entrée 38 de l'en-tête)");
    return std::to_string(year + 2000);
}

// Order of the raw series in the raw file: temperature before pressure.
constexpr RawSeries RawColumns[] = {Raw_Series_Temperature, Raw_Series_Pression,
                                    Raw_Series_TensionPile, Raw_Series_Humidite,
                                    Raw_Series_Radon1,      Raw_Series_Radon2,
                                    Raw_Series_Radon3,      Raw_Series_Pluviometrie,
                                    Raw_Series_Etat};

// "dd/MM/yyyy HH:mm:ss" as format_date_time writes it, with the date text kept while the
// day does not change (a million measure lines hold a few tens of thousands of days).
class DateTimeWriter {
public:
    void append(std::string& out, double instant) {
        if (!std::isfinite(instant)) {
            out += format_date_time(instant);
            return;
        }
        const DaySeconds t = split_instant(instant);
        if (!hasDay_ || t.day != day_) {
            date_ = format_date(static_cast<double>(t.day)) + ' ';
            day_ = t.day;
            hasDay_ = true;
        }
        out += date_;
        const long parts[3] = {t.seconds / 3600, t.seconds / 60 % 60, t.seconds % 60};
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                out += ':';
            out += static_cast<char>('0' + parts[i] / 10);
            out += static_cast<char>('0' + parts[i] % 10);
        }
    }

private:
    bool hasDay_ = false;
    long day_ = 0;
    std::string date_;
};

template <size_t N> std::string title_line(const std::array<std::string, N>& titles) {
    std::string line;
    for (size_t i = 0; i < N; ++i) {
        if (i > 0)
            line += '\t';
        line += utf8_to_cp1252(titles[i]);
    }
    return line + CrLf;
}

} // namespace

std::string header_block(const ProbeHeader& h, const HeaderLabelTable& utf8Labels) {
    HeaderLabelTable labels;
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i] = utf8_to_cp1252(utf8Labels[i]);
    // The integer entries first, so that a bad one stops before anything is written.
    const std::string year = maintenance_year(h);
    const std::string minimumVoltage = tenths(h, entry::VminBat);
    const std::string referenceVoltage = tenths(h, entry::VrefBat);

    std::string text = "HEADER\r\n";
    for (int i = 0; i <= 37; ++i)
        text += labels[static_cast<size_t>(i)] + h.value(i) + CrLf;
    text += labels[38] + h.value(entry::LastMaintMonth) + "/" + year + CrLf;
    for (int i = 39; i <= 45; ++i)
        text += labels[static_cast<size_t>(i)] + h.value(i + 1) + CrLf;
    text += labels[46] + minimumVoltage + CrLf;
    text += labels[47] + referenceVoltage + CrLf;
    text += labels[48] + h.value(entry::StartDay) + "/" + h.value(entry::StartMonth) + "/" +
            h.value(entry::StartYear) + CrLf;
    text += labels[49] + h.value(entry::StartHour) + ":" + h.value(entry::StartMinute) + CrLf;
    text += labels[50] + h.value(entry::ProbeType) + CrLf;
    text += CrLf;
    text += "MESURES\r\n";
    return text;
}

void write_values(std::ostream& out, const Measurement& m, ConversionKind kind,
                  const ConversionTexts& texts) {
    const size_t count = m.raw[Raw_Series_Pression].size();
    if (kind == CalculatedValues)
        for (const auto& series : m.calculated)
            if (series.size() != count)
                throw ConversionError("Les valeurs calculées ne correspondent pas aux mesures chargées");

    std::string buffer = header_block(m.header, texts.headerLabels);
    buffer += kind == CalculatedValues ? title_line(texts.calculatedTitles)
                                       : title_line(texts.rawTitles);
    constexpr size_t FlushSize = 1 << 20;
    buffer.reserve(FlushSize + 4096);
    DateTimeWriter dates;
    for (size_t r = 0; r < count; ++r) {
        dates.append(buffer, m.instants[r]);
        buffer += '\t';
        if (kind == CalculatedValues) {
            for (const auto& series : m.calculated) {
                append_number(buffer, series[r]);
                buffer += '\t';
            }
        } else {
            for (RawSeries s : RawColumns) {
                append_number(buffer, m.raw[s][r]);
                buffer += '\t';
            }
        }
        buffer += CrLf;
        if (buffer.size() >= FlushSize) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

std::string values_text(const Measurement& m, ConversionKind kind, const ConversionTexts& texts) {
    std::ostringstream out;
    write_values(out, m, kind, texts);
    return std::move(out).str();
}

void write_values_file(const fs::path& destination, const Measurement& m, ConversionKind kind,
                       const ConversionTexts& texts) {
    // The header block is built first: a bad entry leaves no file behind.
    header_block(m.header, texts.headerLabels);
    write_file_atomically(destination,
                          [&](std::ostream& out) { write_values(out, m, kind, texts); });
}

Measurement load_for_conversion(const fs::path& source, const fs::path& settingsFile,
                                bool calculate) {
    try {
        LoadedFile loaded = load_bm2_in_memory(source);
        if (calculate)
            Calcul(loaded.measurement, read_sensor_mask(settingsFile, loaded.measurement.header));
        return std::move(loaded.measurement);
    } catch (const ConversionError& error) {
        // A bad header entry is named by its number; in a batch the user needs the file too.
        if (!error.file().empty())
            throw;
        throw ConversionError(display_name(source), 0, error.what());
    }
}

std::vector<fs::path> convert_bm2_file(const fs::path& source, const fs::path& folder,
                                       bool rawValues, bool calculatedValues,
                                       const fs::path& settingsFile, const ConversionTexts& texts) {
    std::vector<fs::path> written;
    if (!rawValues && !calculatedValues)
        return written;
    const Measurement m = load_for_conversion(source, settingsFile, calculatedValues);
    try {
        header_block(m.header, texts.headerLabels);
    } catch (const ConversionError& error) {
        throw ConversionError(display_name(source), 0, error.what());
    }
    for (ConversionKind kind : {RawValues, CalculatedValues}) {
        if ((kind == RawValues && !rawValues) || (kind == CalculatedValues && !calculatedValues))
            continue;
        const fs::path destination = converted_file_name(source, folder, kind);
        write_values_file(destination, m, kind, texts);
        written.push_back(destination);
    }
    return written;
}

int batch_percent(size_t done, size_t total) {
    if (total == 0)
        return 0;
    return static_cast<int>(std::nearbyint(static_cast<double>(done) * 100 / static_cast<double>(total)));
}

} // namespace talvex
