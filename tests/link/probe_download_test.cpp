#include "data/bm2_file.h"
#include "data/conversion_error.h"
#include "data/instant.h"
#include "data/standard_header.h"
#include "link/probe_download.h"
#include "link/scripted_probe.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;
using namespace std::chrono_literals;

namespace {

struct Bench {
    VirtualClock clock;
    ScriptedProbe port{clock};
    ProbeBehaviour probe;
    ProbeLink link{port, clock};
    ScratchDir dir;
    WorkingFiles files{dir.path()};
    std::vector<Notice> notices;
    NoticeSink notify = [this](const Notice& n) { notices.push_back(n); };
    std::vector<int> bar;
    std::vector<long> read;
    std::vector<std::string> labels;
    DownloadView view;
    Bench() {
        attach(port, probe);
        view.headerProgress = [this](int p) { bar.push_back(p); };
        view.progress = [this](int p) { bar.push_back(p); };
        view.measuresRead = [this](long k) { read.push_back(k); };
        view.timeLeft = [this](const std::string& t) { labels.push_back(t); };
    }
};

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}


// A record whose number is k and whose other fields are fixed.
std::string record(int k) {
    return bytes({k >> 8, k & 255, 0x05, 0x03, 0x19, 0x07, 0x09, 0x00, 0x00, 0x0B, 0xB8, 0x02,
                  0x71, 0x97, 0x00, 0x00, 0x10, 0x00, 0x02, 0x00, 0x00, 0x01, 0xF4, 0x03, 0x01});
}
std::string records(int n) {
    std::string s;
    for (int k = 1; k <= n; ++k)
        s += record(k) + LfCr;
    return s;
}
std::string line(int k) { return std::to_string(k) + " 5/3/19 9:7 625 3000 151 500 16 2 0 3 1 "; }


struct RecordCase {
    const char* name;
    std::string record;
    int version;
    std::string line;
};
class Traitement : public ::testing::TestWithParam<RecordCase> {};

TEST_P(Traitement, DecodesTheRecord) {
    EXPECT_EQ(traitement(GetParam().record, GetParam().version), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Records, Traitement,
    ::testing::Values(
        RecordCase{"worked_example", record(42), 23, "42 5/3/19 9:7 625 3000 151 500 16 2 0 3 1 "},
        RecordCase{"version_23_splits_4_and_2",
                   bytes({0, 1, 1, 1, 0x20, 0, 0, 0x00, 0x01, 0x86, 0xA0, 0x01, 0xF4, 0, 0, 0, 0,
                          0, 0, 0, 0, 0, 0, 0, 0}),
                   23, "1 1/1/20 0:0 500 100000 0 0 0 0 0 0 0 "},
        RecordCase{"version_24_splits_3_and_3",
                   bytes({0, 1, 1, 1, 0x20, 0, 0, 0x00, 0x01, 0x86, 0xA0, 0x01, 0xF4, 0, 0, 0, 0,
                          0, 0, 0, 0, 0, 0, 0, 0}),
                   24, "1 1/1/20 0:0 10486260 390 0 0 0 0 0 0 0 "},
        RecordCase{"bcd_without_leading_zeros",
                   bytes({0, 2, 0x31, 0x12, 0x99, 0x05, 0x23, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                          0, 0, 0, 0, 0, 0, 0}),
                   24, "2 31/12/99 23:5 0 0 0 0 0 0 0 0 0 "},
        RecordCase{"largest_values",
                   bytes({0xFF, 0xFF, 1, 1, 0x20, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                          0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
                   24, "65535 1/1/20 0:0 16777215 16777215 255 65535 16777215 65535 65535 255 255 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadProbeParam, WritesTheHeaderFileAndReportsProgressOnEveryByte) {
    Bench b;
    b.probe.rhReply = header_reply(example_header("24", 120));
    ProbeHeader header = example_header("23", 5); // cleared before "RH"
    const DownloadResult r =
        Read_Probe_Param(b.link, header, b.files.header(), b.view, b.notify);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.lines, 58);
    EXPECT_EQ(header, ProbeHeader());
    EXPECT_EQ(b.port.sent, "RH");
    EXPECT_TRUE(b.notices.empty());
    EXPECT_EQ(read_bytes(b.files.header()), header_text(example_header("24", 120)));
    EXPECT_EQ(Load_Probe_Param(b.files.header()), example_header("24", 120));
    // floor(n x 100 / 58): 1 for the first byte, 100 from the 58th byte on, never above.
    ASSERT_GT(b.bar.size(), 58u);
    EXPECT_EQ(b.bar[0], 1);
    EXPECT_EQ(b.bar[56], 98);
    EXPECT_EQ(b.bar[57], 100);
    EXPECT_EQ(b.bar.back(), 100);
}

TEST(ReadProbeParam, NakAnywhereReadsOnToEscWarnsAndReturnsOne) {
    Bench b;
    b.probe.rhReply = header_reply(example_header("24", 120), std::string(1, '\x15'));
    ProbeHeader header;
    const DownloadResult r = Read_Probe_Param(b.link, header, b.files.header(), b.view, b.notify);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.lines, 58);
    ASSERT_EQ(b.notices.size(), 1u);
    EXPECT_EQ(b.notices[0].kind, NoticeKind::Warning);
    EXPECT_EQ(b.notices[0].text, "Le header de la sonde est corrompu.\n\rPour corriger le "
                                 "problème, refaites un paramétrage.");
    EXPECT_EQ(b.port.pending(), 0u) << "the rest of the header is read up to ESC";
}

TEST(ReadProbeParam, HeaderWithoutClosingEscEndsAfterThreeSecondsOfSilence) {
    Bench b;
    std::string reply = header_reply(example_header("24", 120));
    reply.pop_back(); // no ESC
    b.probe.rhReply = reply.substr(0, reply.size() - 200);
    ProbeHeader header;
    const DownloadResult r = Read_Probe_Param(b.link, header, b.files.header(), b.view, b.notify);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.stop, DownloadStop::Unterminated);
    ASSERT_EQ(b.notices.size(), 1u);
    EXPECT_EQ(b.notices[0].text, HeaderIncompleteMessage);
    EXPECT_LT(b.clock.time, 10s);
    EXPECT_GT(r.lines, 40);
}

TEST(ReadProbeParam, ProbeStreamingWithoutEndIsCutOff) {
    Bench b;
    b.probe.rhReply = "RH\r\n" + std::string(200000, 'x');
    ProbeHeader header;
    const DownloadResult r = Read_Probe_Param(b.link, header, b.files.header(), b.view, b.notify);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.stop, DownloadStop::Unterminated);
}

TEST(ReadProbeParam, SerialErrorEndsAtOnceWithTheLinesSoFarAndNoMessage) {
    Bench b;
    b.probe.byteTime = 500us;
    b.probe.rhReply = header_reply(example_header("24", 120));
    b.port.failFrom = 200ms;
    ProbeHeader header;
    const DownloadResult r = Read_Probe_Param(b.link, header, b.files.header(), b.view, b.notify);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.stop, DownloadStop::SerialError);
    EXPECT_FALSE(r.serialError.empty());
    EXPECT_TRUE(b.notices.empty());
    const std::string written = read_bytes(b.files.header());
    EXPECT_THAT(written, ::testing::StartsWith("HEADER\r\n00;SOFT;24;\r\n"));
    EXPECT_GT(r.lines, 5);
}

TEST(ReadProbeMeasures, ReadsEveryRecordThenPausesThreeSeconds) {
    Bench b;
    b.probe.rfReply = "RF\r\n" + records(5);
    const DownloadResult r = Read_Probe_Measures(b.link, example_header("23", 5), 5,
                                                 b.files.measure(), b.view, false);
    EXPECT_FALSE(b.link.AbortFlag);
    EXPECT_EQ(r.stop, DownloadStop::None);
    EXPECT_EQ(r.lines, 5);
    EXPECT_EQ(b.port.sent, "RF") << "no ESC after a complete download";
    EXPECT_EQ(read_bytes(b.files.measure()),
              crlf_lines({"MESURES", line(1), line(2), line(3), line(4), line(5)}));
    EXPECT_EQ(b.read, (std::vector<long>{1, 2, 3, 4, 5}));
    EXPECT_EQ(b.bar, (std::vector<int>{20, 40, 60, 80, 100}));
    EXPECT_GE(b.clock.time, 3000ms);
    EXPECT_EQ(b.labels.back(), "");
}

struct FaultCase {
    const char* name;
    std::string reply; // after "RF"
    long lines;        // written to the file
    DownloadStop stop;
};
class MeasureFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(MeasureFaults, StopWithEscAndKeepTheGoodLines) {
    const FaultCase& c = GetParam();
    Bench b;
    b.probe.rfReply = "RF\r\n" + c.reply;
    const DownloadResult r = Read_Probe_Measures(b.link, example_header("23", 5), 5,
                                                 b.files.measure(), b.view, false);
    EXPECT_TRUE(b.link.AbortFlag);
    EXPECT_EQ(r.stop, c.stop);
    EXPECT_EQ(r.lines, c.lines);
    EXPECT_EQ(b.port.sent, "RF" + Esc);
    std::vector<std::string> expected = {"MESURES"};
    std::string text;
    text += "MESURES\r\n";
    for (int k = 1; k <= c.lines; ++k)
        text += line(k) + "\r\n";
    EXPECT_EQ(read_bytes(b.files.measure()), text);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MeasureFaults,
    ::testing::Values(
        FaultCase{"silence_after_two", records(2), 2, DownloadStop::ShortRecord},
        FaultCase{"short_record", records(2) + record(3).substr(0, 20), 2,
                  DownloadStop::ShortRecord},
        FaultCase{"extra_byte_after_a_record", records(2) + record(3) + "!" + LfCr + records(2),
                  3, DownloadStop::BadTerminator},
        FaultCase{"cr_lf_instead_of_lf_cr", records(1) + record(2) + "\r\n", 2,
                  DownloadStop::BadTerminator},
        FaultCase{"the_bytes_TimeOut", records(1) + "TimeOut", 1, DownloadStop::ShortRecord}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadProbeMeasures, CancelSendsEscAfterTheCurrentRecordAndAwaitsOneByte) {
    Bench b;
    b.probe.rfReply = "RF\r\n" + records(10);
    b.view.measuresRead = [&](long k) {
        if (k == 3)
            b.clock.onPump = [&] { b.link.AbortFlag = true; };
    };
    const DownloadResult r = Read_Probe_Measures(b.link, example_header("24", 10), 10,
                                                 b.files.measure(), b.view, false);
    EXPECT_TRUE(b.link.AbortFlag);
    EXPECT_EQ(r.stop, DownloadStop::Cancelled);
    // The pump before record 4 raises the flag; record 4 is still read, then ESC.
    EXPECT_EQ(r.lines, 4);
    EXPECT_EQ(b.port.sent, "RF" + Esc);
}

TEST(ReadProbeMeasures, SerialErrorKeepsTheLinesSoFarAndRaisesAbort) {
    Bench b;
    b.probe.byteTime = 500us;
    b.probe.rfReply = "RF\r\n" + records(20);
    b.port.failFrom = 100ms; // about 7 records in
    const DownloadResult r = Read_Probe_Measures(b.link, example_header("23", 20), 20,
                                                 b.files.measure(), b.view, false);
    EXPECT_TRUE(b.link.AbortFlag);
    EXPECT_EQ(r.stop, DownloadStop::SerialError);
    EXPECT_GT(r.lines, 3);
    EXPECT_LT(r.lines, 20);
    const std::string text = read_bytes(b.files.measure());
    EXPECT_THAT(text, ::testing::StartsWith("MESURES\r\n" + line(1) + "\r\n"));
    EXPECT_LT(b.clock.time, 1s) << "no pause after a serial error";
}

TEST(ReadProbeMeasures, FirmwareVersionThatIsNotANumberStopsBeforeAnythingIsSent) {
    Bench b;
    EXPECT_THROW(Read_Probe_Measures(b.link, example_header("2.4", 5), 5, b.files.measure(),
                                     b.view, false),
                 ConversionError);
    EXPECT_EQ(b.port.sent, "");
}

TEST(RemainingTime, WorkedExamples) {
    RemainingTime estimate(0s, false);
    EXPECT_FALSE(estimate.update(119, 1000, 10s)) << "nothing in the first 10 seconds";
    EXPECT_EQ(estimate.update(120, 1000, 12s), "Temps restant estimé : 1 mn");
    EXPECT_EQ(remaining_time_text(0.6, false), "Temps restant estimé : 36 s");
    EXPECT_EQ(remaining_time_text(0.5, false), "Temps restant estimé : < 30 s");
    EXPECT_EQ(remaining_time_text(2.5, false), "Temps restant estimé : 2 mn") << "ties to even";
    EXPECT_EQ(remaining_time_text(3.5, true), "Estimated time left : 4 mn");
    EXPECT_EQ(remaining_time_text(0.5125, false), "Temps restant estimé : 31 s");
}

TEST(RemainingTime, RefreshedAtMostEveryTenSecondsFromTheLastEstimate) {
    RemainingTime estimate(0s, true);
    ASSERT_TRUE(estimate.update(100, 1000, 11s));
    EXPECT_FALSE(estimate.update(150, 1000, 20s));
    // 10.5 s for the 100 records since the last estimate: 0.175 min x 801 / 100.
    EXPECT_EQ(estimate.update(200, 1000, 21500ms), "Estimated time left : 1 mn");
}

std::string ri_line(const std::string& text) { return text + "\n\r"; }

TEST(ReadProbeInterval, DialogueAndTextFilter) {
    Bench b;
    b.probe.riData = ">" + ri_line("2301 12/3/20 9:15 625 3000 151 500 16 2 0 3 1 \r") +
                     ri_line("M2302 12/3/20 9:30 -625 3000 151 500 16 2 0 3 1 x") + "E";
    const double s = *parse_date_time("12/03/2020"), e = *parse_date_time("13/03/2020");
    std::vector<bool> searching;
    b.view.searching = [&](bool on) { searching.push_back(on); };
    const DownloadResult r =
        Read_Probe_Interval(b.link, s, e, 192, b.files.measure(), b.view, false);
    EXPECT_FALSE(b.link.AbortFlag);
    EXPECT_EQ(b.port.sent, "RI120320130320");
    EXPECT_EQ(read_bytes(b.files.measure()),
              crlf_lines({"MESURES", "2301 12/3/20 9:15 625 3000 151 500 16 2 0 3 1 ",
                          "2302 12/3/20 9:30 625 3000 151 500 16 2 0 3 1 "}));
    EXPECT_EQ(r.lines, 2);
    EXPECT_EQ(b.read, (std::vector<long>{1, 2}));
    EXPECT_EQ(b.bar, (std::vector<int>{0, 1}));
    EXPECT_EQ(searching, (std::vector<bool>{true, false}));
}

TEST(ReadProbeInterval, DialogueRepliesAreConsumedByExactCounts) {
    Bench b;
    // Replies of exactly 2 + 4, 4 and 2 + 14 + 2 bytes; the first data byte is a digit.
    b.probe.riPrompt = "ab" "cdef";
    b.probe.riStartReply = "ghij";
    b.probe.riEndReply = "kl" "mnopqrstuvwxyz" "AB";
    b.probe.riData = ri_line("7 1/1/20 0:0 1 2 3 4 5 6 7 8 9 ") + "E";
    Read_Probe_Interval(b.link, 43831, 43831, 96, b.files.measure(), b.view, false);
    EXPECT_EQ(read_bytes(b.files.measure()),
              crlf_lines({"MESURES", "7 1/1/20 0:0 1 2 3 4 5 6 7 8 9 "}));
}

TEST(ReadProbeInterval, FirstByteEMeansAnEmptyInterval) {
    Bench b;
    b.probe.riData = "E";
    const DownloadResult r = Read_Probe_Interval(b.link, 43831, 43832, 96, b.files.measure(),
                                                 b.view, false);
    EXPECT_FALSE(b.link.AbortFlag);
    EXPECT_EQ(r.lines, 0);
    EXPECT_EQ(read_bytes(b.files.measure()), crlf_lines({"MESURES"}));
}

TEST(ReadProbeInterval, CancelDuringTheSearchSendsEscAndReadsNothing) {
    Bench b;
    b.probe.search = 60s;
    b.probe.riData = ">" + ri_line("1 1/1/20 0:0 1 2 3 4 5 6 7 8 9 ") + "E";
    b.view.searching = [&](bool on) {
        if (on)
            b.clock.onPump = [&] {
                if (b.clock.time > 2s)
                    b.link.AbortFlag = true;
            };
    };
    const DownloadResult r =
        Read_Probe_Interval(b.link, 43831, 43832, 96, b.files.measure(), b.view, false);
    EXPECT_TRUE(b.link.AbortFlag);
    EXPECT_EQ(r.stop, DownloadStop::Cancelled);
    EXPECT_EQ(b.port.sent, "RI010120020120" + Esc);
    EXPECT_EQ(read_bytes(b.files.measure()), crlf_lines({"MESURES"}));
    EXPECT_LT(b.clock.time, 10s);
}

TEST(ReadProbeInterval, SearchThatNeverEndsIsBounded) {
    Bench b;
    DownloadLimits limits;
    limits.intervalSearch = 30s;
    const DownloadResult r = Read_Probe_Interval(b.link, 43831, 43832, 96, b.files.measure(),
                                                 b.view, false, limits);
    EXPECT_TRUE(b.link.AbortFlag);
    EXPECT_EQ(r.stop, DownloadStop::SearchTimedOut);
    EXPECT_THAT(b.port.sent, ::testing::EndsWith(Esc));
}

TEST(ReadProbeInterval, ThreeSecondsWithoutAByteStopTheDownload) {
    Bench b;
    b.probe.riData = ">" + ri_line("1 1/1/20 0:0 1 2 3 4 5 6 7 8 9 ") + "2 1/1";
    const DownloadResult r =
        Read_Probe_Interval(b.link, 43831, 43832, 96, b.files.measure(), b.view, false);
    EXPECT_TRUE(b.link.AbortFlag);
    EXPECT_EQ(r.stop, DownloadStop::ReplyTimedOut);
    EXPECT_EQ(r.lines, 1);
    EXPECT_THAT(b.port.sent, ::testing::EndsWith(Esc));
}

TEST(ReadProbeInterval, EmptyLinesAreNotMeasures) {
    Bench b;
    b.probe.riData = ">" + ri_line("") + ri_line("abc") + ri_line("1 1/1/20 0:0 1 2 3 4 5 6 7 8 9 ") +
                     "E";
    const DownloadResult r =
        Read_Probe_Interval(b.link, 43831, 43832, 96, b.files.measure(), b.view, false);
    EXPECT_EQ(r.lines, 1);
    EXPECT_EQ(read_bytes(b.files.measure()),
              crlf_lines({"MESURES", "1 1/1/20 0:0 1 2 3 4 5 6 7 8 9 "}));
}

TEST(ReadClock, ReadsDateAndTime) {
    Bench b;
    EXPECT_EQ(ReadClock(b.link), *parse_date_time("12/03/2020 10:30:00"));
    EXPECT_EQ(b.port.sent, "RDRT");
    b.probe.rdReply = "\r\n31/02/20\r\n";
    EXPECT_THROW(ReadClock(b.link), ConversionError);
}

TEST(Dates, SixDigitDate) {
    EXPECT_EQ(six_digit_date(*parse_date_time("12/03/2020 10:30:00")), "120320");
    EXPECT_EQ(six_digit_date(*parse_date_time("05/01/1999")), "050199");
}

} // namespace
