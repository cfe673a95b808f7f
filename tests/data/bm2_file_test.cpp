#include "data/bm2_file.h"
#include "data/conversion_error.h"
#include "data/instant.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

namespace {

double at(const char* date, const char* time) { return *parse_date_time(date, time); }

Measurement load_measures(const std::string& measureLines, const std::string& period = "60",
                          MeasureLoadReport* report = nullptr) {
    Measurement m;
    m.header = parse_header_text(sample_header_text({{46, period}, {45, "5"}}), "h");
    const auto r = parse_measure_text("MESURES\r\n" + measureLines, "m", m);
    if (report)
        *report = r;
    return m;
}

} // namespace

TEST(HeaderLoad, ReadsIndexKeyAndValueIgnoringTextAfterThirdSemicolon) {
    const ProbeHeader h = parse_header_text(
        crlf_lines({"HEADER", "00;SOFT;24;", "57;PROBE_TYPE;3;trailing", "02;RN1_C;12.50;"}), "f");
    EXPECT_EQ(h.key(0), "SOFT");
    EXPECT_EQ(h.value(0), "24");
    EXPECT_EQ(h.key(57), "PROBE_TYPE");
    EXPECT_EQ(h.value(57), "3");
    EXPECT_EQ(h.value(2), "12.50");
    EXPECT_DOUBLE_EQ(h.decimal(2), 12.5);
    EXPECT_EQ(h.key(13), "");
}

TEST(HeaderLoad, ShortLinesIndexOutOfRangeAndLfAlone) {
    const ProbeHeader h = parse_header_text("HEADER\n01;#PROBE\n03\n64;X;1;\n05;RN2_C;1.6", "f");
    EXPECT_EQ(h.key(1), "#PROBE");
    EXPECT_EQ(h.value(1), "");
    EXPECT_EQ(h.key(3), "");
    EXPECT_EQ(h.value(5), "1.6");
}

TEST(HeaderLoad, NonNumericIndexNamesFileAndLine) {
    try {
        parse_header_text(crlf_lines({"HEADER", "00;SOFT;24;", "x1;K;V;"}), "probe.bm2");
        FAIL() << "expected a conversion error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.file(), "probe.bm2");
        EXPECT_EQ(e.line(), 3);
        EXPECT_THAT(e.what(), ::testing::HasSubstr("'x1'"));
    }
}

TEST(HeaderSave, WritesHeaderAndFiftyEightLinesThatLoadBack) {
    const ProbeHeader original = parse_header_text(sample_header_text(), "f");
    const std::string text = header_text(original);
    EXPECT_EQ(text.substr(0, 20), "HEADER\r\n00;SOFT;24;\r");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 59);
    EXPECT_EQ(parse_header_text(text, "f"), original);
}

TEST(MeasureLoad, NumberingBreakGivesZeroPointsOnePeriodApartAndWarns) {
    MeasureLoadReport report;
    const Measurement m = load_measures(crlf_lines({
                                            "1 5/3/19 14:0 100 200 150 300 10 11 12 1 0 ",
                                            "2 5/3/19 15:0 101 201 150 301 10 11 12 1 0 ",
                                            "3 5/3/19 16:0 102 202 150 302 10 11 12 1 0 ",
                                            "5 5/3/19 18:0 103 203 150 303 10 11 12 1 0 ",
                                            "6 5/3/19 19:0 104 204 150 304 10 11 12 1 0 ",
                                        }),
                                        "60", &report);
    ASSERT_EQ(m.size(), 5u);
    EXPECT_TRUE(report.continuityError);
    EXPECT_EQ(report.firstBreakLine, 5);
    const double third = at("5/3/19", "16:0");
    EXPECT_DOUBLE_EQ(m.instants[2], third);
    EXPECT_NEAR(m.instants[3], third + 1.0 / 24, 1e-9);
    EXPECT_NEAR(m.instants[4], third + 2.0 / 24, 1e-9);
    for (const auto& series : m.raw) {
        EXPECT_EQ(series[3], 0);
        EXPECT_EQ(series[4], 0);
    }
    EXPECT_EQ(m.raw[Raw_Series_Pression][2], 102);
    EXPECT_DOUBLE_EQ(m.EndAll, at("5/3/19", "19:0"));
    EXPECT_DOUBLE_EQ(m.StartAll, at("5/3/19", "14:0"));
}

TEST(MeasureLoad, SecondMeasureReplacesFirstHumidityOnly) {
    const Measurement m = load_measures(crlf_lines({
        "1 1/1/26 0:0 100 200 150 999 10 11 12 1 0 ",
        "2 1/1/26 1:0 101 201 151 400 13 14 15 2 1 ",
    }));
    EXPECT_EQ(m.raw[Raw_Series_Humidite][0], 400);
    EXPECT_EQ(m.raw[Raw_Series_Pression][0], 100);
    EXPECT_EQ(m.raw[Raw_Series_Radon1][0], 10);
}

TEST(MeasureLoad, PartialReadingStartingAt2301KeepsFirstHumidity) {
    const Measurement m = load_measures(crlf_lines({
        "2301 1/1/26 0:0 100 200 150 999 10 11 12 1 0 ",
        "2302 1/1/26 1:0 101 201 151 400 13 14 15 2 1 ",
    }));
    EXPECT_EQ(m.raw[Raw_Series_Humidite][0], 999);
}

struct BadFieldCase {
    const char* name;
    std::string lines;
    size_t point;
    RawSeries series;
    double expected;
    double instantOffsetMinutes; // from 1/1/26 0:00, -1 for "not checked"
};

void PrintTo(const BadFieldCase& c, std::ostream* out) { *out << c.name; }

class MeasureLoadFields : public ::testing::TestWithParam<BadFieldCase> {};

TEST_P(MeasureLoadFields, RepeatsLastGoodValueOrPlacesZeroPoint) {
    const BadFieldCase& c = GetParam();
    const Measurement m = load_measures(c.lines);
    ASSERT_GT(m.size(), c.point);
    EXPECT_EQ(m.raw[c.series][c.point], c.expected);
    if (c.instantOffsetMinutes >= 0) {
        EXPECT_NEAR(m.instants[c.point], at("1/1/26", "0:0") + c.instantOffsetMinutes / 1440,
                    1e-9);
    }
    for (const auto& s : m.raw)
        EXPECT_EQ(s.size(), m.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MeasureLoadFields,
    ::testing::Values(
        BadFieldCase{"TemperatureXRepeatsPrevious",
                     crlf_lines({"7 1/1/26 0:0 1 55 1 1 1 1 1 1 1 ", "8 1/1/26 1:0 1 x 1 1 1 1 1 1 1 "}),
                     1, Raw_Series_Temperature, 55, 60},
        BadFieldCase{"TemperatureXOnFirstLineIsZero",
                     crlf_lines({"7 1/1/26 0:0 1 x 1 1 1 1 1 1 1 "}), 0, Raw_Series_Temperature, 0, 0},
        BadFieldCase{"ShortLineMissingFieldsRepeat",
                     crlf_lines({"7 1/1/26 0:0 1 2 3 4 5 6 7 8 9 ", "8 1/1/26 0:30 10 20"}), 1,
                     Raw_Series_Etat, 9, 30},
        BadFieldCase{"ImpossibleDateIsZeroPointOnePeriodLater",
                     crlf_lines({"7 1/1/26 0:0 1 2 3 4 5 6 7 8 9 ", "8 31/2/19 1:0 1 2 3 4 5 6 7 8 9 "}),
                     1, Raw_Series_Radon1, 0, 60},
        BadFieldCase{"LfOnlyAndNoFinalLineEnd",
                     "7 1/1/26 0:0 1 2 3 4 5 6 7 8 9 \n8 1/1/26 0:15 1 2 3 4 42 6 7 8 9", 1,
                     Raw_Series_Radon1, 42, 15}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeasureLoad, NonIntegerNumberNamesFileAndLine) {
    Measurement m;
    m.header = parse_header_text(sample_header_text({{45, "2"}}), "h");
    try {
        parse_measure_text(crlf_lines({"MESURES", "1 1/1/26 0:0 1 2 3 4 5 6 7 8 9 ", "x2 1/1/26"}),
                           "data.bm2", m, {}, 60);
        FAIL() << "expected a conversion error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.file(), "data.bm2");
        EXPECT_EQ(e.line(), 63);
    }
}

TEST(MeasureLoad, EmptyMeasureSectionGivesNoPointsAndEqualBounds) {
    const Measurement m = load_measures("");
    EXPECT_EQ(m.size(), 0u);
    EXPECT_EQ(m.StartAll, m.EndAll);
}

TEST(MeasureLoad, UnreadableLastInstantEndsAtLastPoint) {
    const Measurement m =
        load_measures(crlf_lines({"1 1/1/26 0:0 1 2 3 4 5 6 7 8 9 ", "2 1/1/26 1:0 1 2 3 4 5 6 7 8 9 ",
                                  "3 99/1/26 2:0 1 2 3 4 5 6 7 8 9 "}));
    ASSERT_EQ(m.size(), 3u);
    EXPECT_DOUBLE_EQ(m.EndAll, m.instants[2]);
    EXPECT_DOUBLE_EQ(m.EndSelection, m.EndAll);
    EXPECT_DOUBLE_EQ(m.ActivityEnd, m.EndAll);
    EXPECT_GE(m.EndAll, m.StartAll);
}

TEST(MeasureLoad, ProgressNeedsANumericMeasureCount) {
    Measurement m;
    m.header = parse_header_text(sample_header_text({{45, ""}}), "h");
    EXPECT_THROW(parse_measure_text("MESURES\r\n", "m", m), ConversionError);
}

TEST(MeasureLoad, ProgressReachesHundredOnceEachPercent) {
    Measurement m;
    m.header = parse_header_text(sample_header_text({{45, "4"}}), "h");
    std::vector<int> seen;
    parse_measure_text(crlf_lines({"MESURES", "1 1/1/26 0:0 1 2 3 4 5 6 7 8 9 ",
                                   "2 1/1/26 1:0 1 2 3 4 5 6 7 8 9 ", "3 1/1/26 2:0 1 2 3 4 5 6 7 8 9 ",
                                   "4 1/1/26 3:0 1 2 3 4 5 6 7 8 9 "}),
                       "m", m, [&](int p) { seen.push_back(p); });
    EXPECT_THAT(seen, ::testing::ElementsAre(25, 50, 75, 100));
}

TEST(Bm2Split, HeaderBeforeFirstMesuresAndNoMesuresLine) {
    const SplitText a = split_bm2_text("HEADER\n00;SOFT;24;\nMESURES\n1 x\nMESURES\n");
    EXPECT_EQ(a.header, "HEADER\r\n00;SOFT;24;\r\n");
    EXPECT_EQ(a.measure, "MESURES\r\n1 x\r\nMESURES\r\n");
    const SplitText b = split_bm2_text("HEADER\r\n00;SOFT;24;");
    EXPECT_EQ(b.header, "HEADER\r\n00;SOFT;24;\r\n");
    EXPECT_EQ(b.measure, "MESURES\r\n");
}

TEST(Bm2File, DispatchSaveAndReopenGiveSameHeaderAndSeries) {
    ScratchDir dir;
    const std::string original = sample_header_text({{45, "3"}}) +
                                 crlf_lines({"MESURES", "1 5/3/19 14:0 100 200 150 300 10 11 12 1 64 ",
                                             "2 5/3/19 15:0 101 201 151 301 13 14 15 0 0 ",
                                             "3 5/3/19 16:0 102 202 152 302 16 17 18 2 65 "});
    write_bytes(dir / "in.bm2", original);
    WorkingFiles work{dir.path()};
    Dispatch_bm2file(dir / "in.bm2", work.header(), work.measure());
    Measurement first;
    first.header = Load_Probe_Param(work.header());
    Load_Probe_Measures(work.measure(), first);

    write_bm2_file(dir / "out.bm2", work.header(), work.measure());
    EXPECT_EQ(read_bytes(dir / "out.bm2"), original);

    const LoadedFile again = load_bm2_in_memory(dir / "out.bm2");
    EXPECT_EQ(again.measurement.header, first.header);
    EXPECT_EQ(again.measurement.instants, first.instants);
    EXPECT_EQ(again.measurement.raw, first.raw);
}

TEST(Bm2File, InMemoryLoadErrorUsesTheBm2LineNumber) {
    ScratchDir dir;
    write_bytes(dir / "bad.bm2", sample_header_text({{45, "2"}}) +
                                     crlf_lines({"MESURES", "1 5/3/19 14:0 1 2 3 4 5 6 7 8 9 ", "oops"}));
    try {
        load_bm2_in_memory(dir / "bad.bm2");
        FAIL() << "expected a conversion error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.line(), 62); // HEADER + 58 entries + MESURES + first measure, then this
    }
}

TEST(Bm2File, FailedWriteLeavesExistingFile) {
    ScratchDir dir;
    write_bytes(dir / "keep.bm2", "precious");
    EXPECT_THROW(write_bm2_file(dir / "keep.bm2", dir / "missing.tmp", dir / "missing2.tmp"),
                 ConversionError);
    EXPECT_EQ(read_bytes(dir / "keep.bm2"), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Bm2File, BinaryGarbageAndHugeLineFailCleanly) {
    std::string garbage(4096, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 131) % 256);
    EXPECT_THROW(load_bm2_text(garbage, "g.bm2"), ConversionError);
    const std::string huge = sample_header_text({{45, "1"}}) + "MESURES\r\n" +
                             std::string(50'000'000, '7') + " 1/1/26 0:0\r\n";
    EXPECT_THROW(load_bm2_text(huge, "h.bm2"), ConversionError);
}
