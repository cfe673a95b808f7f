#include "data/bm2_file.h"
#include "data/capture_import.h"
#include "data/instant.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace talvex;
using namespace talvex::testing;

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The 58 header lines a probe sends, as the test header has them.
std::vector<std::string> probe_header_lines() {
    std::vector<std::string> lines = lines_of(sample_header_text({{45, "3"}}));
    lines.erase(lines.begin()); // "HEADER"
    return lines;
}

std::string measure_line(int number, const std::string& time) {
    return std::to_string(number) + " 2/11/26 " + time + " 6310686 7834160 74 597 58 55 25 0 0 ";
}

// A terminal session: prompt and "RH", the header, then the measure command and its lines.
std::string capture(const std::vector<std::string>& beforeHeader, const std::string& command,
                    const std::vector<std::string>& measures,
                    const std::vector<std::string>& header = probe_header_lines()) {
    std::string text = "> RH\r\n";
    for (const auto& l : beforeHeader)
        text += l + "\r\n";
    for (const auto& l : header)
        text += l + "\r\n";
    text += "\x1b\r\n> " + command + "\r\n";
    for (const auto& l : measures)
        text += l + "\r\n";
    return text;
}

} // namespace

TEST(ClassifyCapture, TellsCompleteIntervalAndInvalidCaptures) {
    struct Case {
        const char* name;
        std::string text;
        int expected;
    };
    const Case cases[] = {
        {"no header command", "> RM\r\n1 2 3\r\n", CaptureInvalid},
        {"header and all measures", "> RH\r\n00;SOFT;24;\r\n> RM\r\n", CaptureComplete},
        {"header and an interval", "> RH\r\n> RI\r\nDate ?\r\n1 2/11/26\r\n", CaptureInterval},
        {"interval the probe found empty", "> RH\r\n> RI\r\n020126\r\nNOTHING\r\n",
         CaptureInvalid},
        {"NOTHING before the interval command", "NOTHING\r\n> RH\r\n> RI\r\n", CaptureInterval},
        {"header only", "> RH\r\n00;SOFT;24;\r\n", CaptureInvalid},
        {"search is case-exact", "> rh\r\n> rm\r\n", CaptureInvalid},
        {"text found inside a line", "xxRHxx\nyyRMyy\n", CaptureComplete},
        {"empty file", "", CaptureInvalid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(classify_capture_text(c.text), c.expected) << c.name;
}

TEST(CaptureImport, CompleteCaptureGivesHeaderFiftyEightLinesAndRenumberedMeasures) {
    const std::string text = capture(
        {}, "RM", {measure_line(1, "0:0"), measure_line(2, "1:0"), measure_line(3, "2:0"), "\x1b"});
    ASSERT_EQ(classify_capture_text(text), CaptureComplete);
    const std::vector<std::string> out = lines_of(capture_to_bm2_text(text, CaptureComplete));
    ASSERT_EQ(out.size(), 1u + 58u + 1u + 3u);
    EXPECT_EQ(out[0], "HEADER");
    EXPECT_EQ(out[1], "00;SOFT;24;");
    EXPECT_EQ(out[58], probe_header_lines()[57]);
    EXPECT_EQ(out[59], "MESURES");
    EXPECT_EQ(out[60], measure_line(1, "0:0"));
    EXPECT_EQ(out[62], measure_line(3, "2:0"));

    const LoadedFile loaded = load_bm2_text(capture_to_bm2_text(text, CaptureComplete), "temp.bm2");
    EXPECT_EQ(loaded.measurement.size(), 3u);
    EXPECT_FALSE(loaded.report.continuityError);
}

TEST(CaptureImport, IntervalCaptureIsRenumberedFromOneKeepingEachLinesValues) {
    std::vector<std::string> measures;
    for (int n = 1201; n <= 1250; ++n)
        measures.push_back(std::to_string(n) + " 3/11/26 " + std::to_string((n - 1201) % 24) +
                           ":0 " + std::to_string(6300000 + n) + " 7834160 74 597 58 55 25 0 0 ");
    measures.push_back("E");
    const std::string text = capture({}, "RI", measures);
    ASSERT_EQ(classify_capture_text(text), CaptureInterval);
    const std::string bm2 = capture_to_bm2_text(text, CaptureInterval);
    const std::vector<std::string> out = lines_of(bm2);
    ASSERT_EQ(out.size(), 1u + 58u + 1u + 50u);
    EXPECT_EQ(out[60], "1 3/11/26 0:0 6301201 7834160 74 597 58 55 25 0 0 ");
    EXPECT_EQ(out[109], "50 3/11/26 1:0 6301250 7834160 74 597 58 55 25 0 0 ");

    const LoadedFile loaded = load_bm2_text(bm2, "temp.bm2");
    EXPECT_FALSE(loaded.report.continuityError);
    EXPECT_EQ(loaded.measurement.size(), 50u);
    EXPECT_DOUBLE_EQ(loaded.measurement.raw[Raw_Series_Pression][49], 6301250);
}

TEST(CaptureImport, MeasureLineRules) {
    struct Case {
        const char* name;
        int captureClass;
        std::vector<std::string> measures;
        std::vector<std::string> expected;
    };
    const std::string twenty = "12345678901234567890";
    const Case cases[] = {
        {"a line of 20 characters is skipped and not counted", CaptureComplete,
         {twenty, measure_line(7, "0:0"), "\x1b"}, {measure_line(1, "0:0")}},
        {"an empty line ends a complete reading", CaptureComplete,
         {measure_line(1, "0:0"), "", measure_line(2, "1:0")}, {measure_line(1, "0:0")}},
        {"an empty line does not end an interval", CaptureInterval,
         {measure_line(1, "0:0"), "", measure_line(2, "1:0")},
         {measure_line(1, "0:0"), measure_line(2, "1:0")}},
        {"the line holding the escape character is the last one", CaptureComplete,
         {measure_line(1, "0:0"), measure_line(2, "1:0") + "\x1b", measure_line(3, "2:0")},
         {measure_line(1, "0:0"), measure_line(2, "1:0")}},
        {"what follows the twelfth blank is not copied", CaptureComplete,
         {measure_line(5, "0:0") + "[12:00:03] echo"}, {measure_line(1, "0:0")}},
        {"the end of the capture ends the copy", CaptureInterval,
         {measure_line(9, "0:0")}, {measure_line(1, "0:0")}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> out = lines_of(
            capture_to_bm2_text(capture({}, c.captureClass == CaptureComplete ? "RM" : "RI",
                                        c.measures),
                                c.captureClass));
        const std::vector<std::string> measures(out.begin() + 60, out.end());
        EXPECT_EQ(measures, c.expected) << c.name;
    }
}

TEST(CaptureImport, HeaderLinesAreCutAfterTheirThirdSemicolon) {
    std::vector<std::string> header = probe_header_lines();
    header[1] = "01;#PROBE;0142;  [10:42:17]";
    header[2] = "02;RN1_C"; // fewer than three ";": kept whole
    const std::vector<std::string> out =
        lines_of(capture_to_bm2_text(capture({}, "RM", {"\x1b"}, header), CaptureComplete));
    EXPECT_EQ(out[2], "01;#PROBE;0142;");
    EXPECT_EQ(out[3], "02;RN1_C");
}

TEST(CaptureImport, ALineBetweenRhAndTheHeaderTakesTheLastProbeLinesPlace) {
    const std::vector<std::string> header = probe_header_lines();
    const std::vector<std::string> out = lines_of(
        capture_to_bm2_text(capture({"", "> RH"}, "RM", {"\x1b"}), CaptureComplete));
    EXPECT_EQ(out[1], "> RH");
    EXPECT_EQ(out[2], header[0]);
    EXPECT_EQ(out[58], header[56]);
    EXPECT_EQ(out[59], "MESURES");
}

TEST(CaptureImport, ShortHeaderKeepsTheLinesFound) {
    const std::string text = "> RH\r\n00;SOFT;24;\r\n01;#PROBE;0142;\r\n";
    EXPECT_EQ(capture_to_bm2_text(text, CaptureComplete),
              "HEADER\r\n00;SOFT;24;\r\n01;#PROBE;0142;\r\nMESURES\r\n");
}

TEST(CaptureImport, ProbeLineEndsLfCrAreReadAsOneLineEnd) {
    std::string text = capture({}, "RM", {measure_line(1, "0:0"), measure_line(2, "1:0"), "\x1b"});
    std::string lfcr;
    for (char c : text)
        if (c != '\r')
            lfcr += c == '\n' ? std::string("\n\r") : std::string(1, c);
    const std::vector<std::string> out = lines_of(capture_to_bm2_text(lfcr, CaptureComplete));
    ASSERT_EQ(out.size(), 62u);
    EXPECT_EQ(out[1], "00;SOFT;24;");
    EXPECT_EQ(out[61], measure_line(2, "1:0"));
}

TEST(CaptureImport, ImportWritesTheFileOnlyForAValidCapture) {
    ScratchDir dir;
    write_bytes(dir / "bad.txt", "> RH\r\n> RI\r\nNOTHING\r\n");
    EXPECT_EQ(import_capture(dir / "bad.txt", dir / "out.bm2"), CaptureInvalid);
    EXPECT_FALSE(fs::exists(dir / "out.bm2"));

    const std::string text = capture({}, "RM", {measure_line(4, "0:0"), "\x1b"});
    write_bytes(dir / "good.TXT", text);
    EXPECT_EQ(import_capture(dir / "good.TXT", dir / "out.bm2"), CaptureComplete);
    EXPECT_EQ(read_bytes(dir / "out.bm2"), capture_to_bm2_text(text, CaptureComplete));
}
