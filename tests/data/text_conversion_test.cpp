#include "data/conversion_error.h"
#include "data/instant.h"
#include "data/text_conversion.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;
using ::testing::HasSubstr;

namespace {

// The sample is a firmware 2.4 probe of type 3; 2303 is every sensor with the humidity
// correction of the radon activities.
fs::path settings_with_mask(const ScratchDir& dir, const std::string& mask = "2303") {
    const fs::path ini = dir / "Talvex2.ini";
    write_bytes(ini, "[SENSORS]\r\ntype3=" + mask + "\r\n");
    return ini;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

} // namespace

TEST(TextConversion, SampleFileGivesTheExpectedBytesOfBothKinds) {
    // The expected files hold the file layout: 51 labelled header lines (6/2019, 3.6, 4),
    // the measure at midnight with "00:00:00", a TAB after every data field.
    ScratchDir dir;
    const fs::path source = test_data("conversion_sample.bm2");
    const auto written = convert_bm2_file(source, dir.path(), true, true, settings_with_mask(dir),
                                          french_conversion_texts());
    ASSERT_EQ(written, (std::vector<fs::path>{dir / "conversion_sample.txt",
                                              dir / "conversion_sample.xls"}));
    EXPECT_EQ(read_bytes(written[0]), read_bytes(test_data("conversion_sample.txt")));
    EXPECT_EQ(read_bytes(written[1]), read_bytes(test_data("conversion_sample.xls")));
}

TEST(TextConversion, LineShapesOfBothKinds) {
    ScratchDir dir;
    const Measurement m =
        load_for_conversion(test_data("conversion_sample.bm2"), settings_with_mask(dir), true);
    for (auto [kind, fields] : {std::pair{RawValues, 10}, std::pair{CalculatedValues, 19}}) {
        const auto lines = lines_of(values_text(m, kind, french_conversion_texts()));
        ASSERT_EQ(lines.size(), 1u + 51 + 1 + 1 + 1 + 3);
        EXPECT_EQ(lines[0], "HEADER");
        EXPECT_EQ(lines[52], "");
        EXPECT_EQ(lines[53], "MESURES");
        EXPECT_EQ(std::count(lines[54].begin(), lines[54].end(), '\t'), fields - 1);
        EXPECT_NE(lines[54].back(), '\t');
        for (size_t i = 55; i < lines.size(); ++i) {
            EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), fields);
            EXPECT_EQ(lines[i].back(), '\t');
        }
        EXPECT_EQ(lines[57].substr(0, 20), "01/01/2025 00:00:00\t");
    }
}

TEST(TextConversion, CompositeHeaderValues) {
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        // entry 38, entry 47, entry 48 -> maintenance year, minimum, reference
        {"19", "36", "40", "2019|3.6|4"},
        {"0", "0", "-7", "2000|0|-0.7"},
        {"-1", "123", "5", "1999|12.3|0.5"},
    };
    for (const auto& [year, vmin, vref, expected] : cases) {
        ProbeHeader h;
        h.setValue(38, year);
        h.setValue(39, "6");
        h.setValue(47, vmin);
        h.setValue(48, vref);
        const auto lines = lines_of(header_block(h, french_header_labels()));
        const std::string got = lines[39].substr(lines[39].find("\t6/") + 3) + "|" +
                                lines[47].substr(lines[47].find('\t') + 1) + "|" +
                                lines[48].substr(lines[48].find('\t') + 1);
        EXPECT_EQ(got, expected);
    }
}

TEST(TextConversion, NonIntegerEntryStopsWithoutTouchingTheOutput) {
    for (const auto& [entry, value] : {std::pair{38, "19.5"}, std::pair{47, "3.6"},
                                       std::pair{48, ""}}) {
        ScratchDir dir;
        std::string text = read_bytes(test_data("conversion_sample.bm2"));
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "%02d;", entry);
        const size_t line = text.find(std::string("\r\n") + prefix) + 2;
        const size_t valueStart = text.find(';', line + 3) + 1;
        text.replace(valueStart, text.find(';', valueStart) - valueStart, value);
        const fs::path source = dir / "bad.bm2";
        write_bytes(source, text);
        write_bytes(dir / "bad.txt", "earlier output");
        try {
            convert_bm2_file(source, dir.path(), true, true, settings_with_mask(dir),
                             french_conversion_texts());
            FAIL() << "expected a conversion error for entry " << entry;
        } catch (const ConversionError& e) {
            EXPECT_THAT(e.what(), HasSubstr("entrée " + std::to_string(entry)));
            EXPECT_THAT(e.what(), HasSubstr("bad.bm2"));
        }
        EXPECT_EQ(read_bytes(dir / "bad.txt"), "earlier output");
        EXPECT_FALSE(fs::exists(dir / "bad.xls"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 3);
    }
}

TEST(TextConversion, CalculationErrorNamesFileAndEntryAndWritesNothing) {
    ScratchDir dir;
    std::string text = read_bytes(test_data("conversion_sample.bm2"));
    const size_t at = text.find("02;RN1_C;1.5;");
    text.replace(at, 13, "02;RN1_C;1,5;");
    write_bytes(dir / "c.bm2", text);
    try {
        convert_bm2_file(dir / "c.bm2", dir.path(), true, true, settings_with_mask(dir),
                         french_conversion_texts());
        FAIL() << "expected a conversion error";
    } catch (const ConversionError& e) {
        EXPECT_THAT(e.what(), HasSubstr("entrée 02"));
        EXPECT_THAT(e.what(), HasSubstr("c.bm2"));
    }
    EXPECT_FALSE(fs::exists(dir / "c.txt"));
    EXPECT_FALSE(fs::exists(dir / "c.xls"));
    // Raw values need no calculation.
    EXPECT_NO_THROW(convert_bm2_file(dir / "c.bm2", dir.path(), true, false,
                                     settings_with_mask(dir), french_conversion_texts()));
    EXPECT_TRUE(fs::exists(dir / "c.txt"));
}

TEST(TextConversion, OutputNamesAndBatchProgress) {
    EXPECT_EQ(converted_file_name("/data/sonde.12.bm2", "/out", RawValues), "/out/sonde.12.txt");
    EXPECT_EQ(converted_file_name("/data/a.BM2", "/out", CalculatedValues), "/out/a.xls");
    const std::tuple<size_t, size_t, int> cases[] = {{1, 2, 50}, {2, 2, 100}, {1, 3, 33},
                                                     {2, 3, 67}, {1, 8, 12},  {3, 8, 38},
                                                     {0, 0, 0}};
    for (const auto& [done, total, percent] : cases)
        EXPECT_EQ(batch_percent(done, total), percent) << done << "/" << total;
}

TEST(TextConversion, TranslatedTextsAreWrittenInWindows1252) {
    ScratchDir dir;
    const Measurement m =
        load_for_conversion(test_data("conversion_sample.bm2"), settings_with_mask(dir), false);
    ConversionTexts texts = french_conversion_texts();
    texts.rawTitles[0] = "Date/Time";
    texts.rawTitles[1] = "Temperature (€)";
    const std::string text = values_text(m, RawValues, texts);
    EXPECT_THAT(text, HasSubstr("\r\nDate/Time\tTemperature (\x80)\tPression"));
    EXPECT_THAT(text, HasSubstr("\r\nNum\xE9ro de sonde\t0142\r\n"));
    EXPECT_THAT(text, HasSubstr("\r\nCommentaires\tCave\tnord\r\n"));
}

TEST(TextConversion, DatesOfEveryLineAsTheInstantFormatWritesThem) {
    ScratchDir dir;
    Measurement m =
        load_for_conversion(test_data("conversion_sample.bm2"), settings_with_mask(dir), false);
    // Instants a second either side of midnight, a half second that rounds up into the next
    // day, and days far apart.
    const std::vector<double> instants = {45658.0 - 1.0 / 86400, 45658.0, 45658.0 + 1.0 / 86400,
                                          45658.0 - 0.4 / 86400, 45658.0 - 0.6 / 86400,
                                          2.5, 45700.999988};
    m.instants = instants;
    for (auto& series : m.raw)
        series.assign(instants.size(), 1);
    const auto lines = lines_of(values_text(m, RawValues, french_conversion_texts()));
    for (size_t i = 0; i < instants.size(); ++i)
        EXPECT_EQ(lines[55 + i].substr(0, 20), format_date_time(instants[i]) + "\t") << i;
    EXPECT_EQ(lines[55].substr(0, 19), "31/12/2024 23:59:59");
    EXPECT_EQ(lines[56].substr(0, 19), "01/01/2025 00:00:00");
    EXPECT_EQ(lines[59].substr(0, 19), "31/12/2024 23:59:59");
}
