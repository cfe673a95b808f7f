#include "data/instant.h"
#include "data/standard_header.h"
#include "link/reading.h"
#include "link/scripted_probe.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;
using namespace std::chrono_literals;

namespace {


std::string record(int k) {
    std::string r(25, '\0');
    r[0] = static_cast<char>(k >> 8);
    r[1] = static_cast<char>(k & 255);
    r[2] = 0x12;
    r[3] = 0x03;
    r[4] = 0x20;
    r[6] = 0x10;
    return r;
}

double day(const char* text) { return *parse_date_time(text); }

struct Bench {
    VirtualClock clock;
    ScriptedProbe port{clock};
    ProbeBehaviour probe;
    ProbeLink link{port, clock};
    ScratchDir dir;
    WorkingFiles files{dir.path()};
    std::vector<Notice> notices;
    std::vector<std::pair<long, bool>> windows;
    std::vector<std::string> maintenance;
    ReadingHooks hooks;

    explicit Bench(long measures = 3, const std::string& period = "60") {
        attach(port, probe);
        ProbeHeader h = example_header("24", measures);
        h.setValue(entry::Period, period);
        h.setValue(entry::LastMaintYear, "19");
        h.setValue(entry::LastMaintMonth, "6");
        h.setValue(entry::MaintInterval, "1");
        probe.rhReply = header_reply(h);
        probe.rfReply = "RF\r\n";
        for (int k = 1; k <= measures; ++k)
            probe.rfReply += record(k) + LfCr;
        hooks.notify = [this](const Notice& n) { notices.push_back(n); };
        hooks.showReadingWindow = [this](long n, const std::string& notice, bool partial) {
            windows.push_back({n, partial});
            maintenance.push_back(notice);
        };
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const Notice& n : notices)
            t.push_back(n.text);
        return t;
    }
};

TEST(CompleteReading, ConnectsReadsHeaderAndMeasuresPausesAndReleases) {
    Bench b(3);
    const ReadingOutcome out = run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_TRUE(out.connected);
    EXPECT_TRUE(out.succeeded);
    EXPECT_TRUE(b.notices.empty());
    EXPECT_EQ(b.port.sent, Esc + "SLIDRHRFSL");
    EXPECT_EQ(b.port.opens, 1);
    EXPECT_EQ(b.port.closes, 1);
    EXPECT_FALSE(b.port.open);
    EXPECT_EQ(b.windows, (std::vector<std::pair<long, bool>>{{3, false}}));
    EXPECT_EQ(b.maintenance[0], "  Prochaine maintenance avant : juin 2020");
    EXPECT_EQ(read_bytes(b.files.measure()),
              crlf_lines({"MESURES", "1 12/3/20 10:0 0 0 0 0 0 0 0 0 0 ",
                          "2 12/3/20 10:0 0 0 0 0 0 0 0 0 0 ",
                          "3 12/3/20 10:0 0 0 0 0 0 0 0 0 0 "}));
    EXPECT_EQ(out.header.value(entry::MeasureCount), "3");
    // The 3-second pause after "RF" and the 2-second pause before "SL".
    EXPECT_GE(b.clock.time, 5s);
}

TEST(CompleteReading, TwoMeasuresAreEnough) {
    Bench b(2);
    EXPECT_TRUE(run_complete_reading(b.link, b.files, b.hooks).succeeded);
    EXPECT_EQ(b.windows.at(0).first, 2);
}

struct RefusalCase {
    const char* name;
    long measures;
    const char* message;
};
class TooFewMeasures : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(TooFewMeasures, WarnsThenStillReleasesTheProbeAfterThePause) {
    Bench b(GetParam().measures);
    const ReadingOutcome out = run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_FALSE(out.succeeded);
    EXPECT_EQ(b.texts(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(b.notices[0].kind, NoticeKind::Warning);
    EXPECT_EQ(b.port.sent, Esc + "SLIDRHSL");
    EXPECT_TRUE(b.windows.empty());
    EXPECT_GE(b.clock.time, 2s);
}

INSTANTIATE_TEST_SUITE_P(Reading, TooFewMeasures,
                         ::testing::Values(RefusalCase{"none", 0, "Il n'y a pas de mesures."},
                                           RefusalCase{"one", 1,
                                                       "Il n'y a pas assez de mesures."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CompleteReading, NoReplyShowsTheLinkMessageClosesThePortAndSendsNoSl) {
    Bench b;
    b.probe.silent = true;
    const ReadingOutcome out = run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_FALSE(out.connected);
    EXPECT_EQ(b.texts(), std::vector<std::string>{NoReplyMessage});
    EXPECT_EQ(b.notices[0].kind, NoticeKind::Error);
    EXPECT_EQ(b.port.sent, Esc + "SLIDIDID");
    EXPECT_FALSE(b.port.open);
}

TEST(CompleteReading, PortThatCannotOpenCountsAsNoReply) {
    Bench b;
    b.port.failOpen = true;
    run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_EQ(b.texts(), std::vector<std::string>{NoReplyMessage});
    EXPECT_EQ(b.port.sent, "");
}

TEST(CompleteReading, CorruptHeaderWarnsReadsNoMeasuresAndReleasesAfterThePause) {
    Bench b;
    b.probe.rhReply.insert(100, 1, '\x15');
    const ReadingOutcome out = run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_FALSE(out.succeeded);
    EXPECT_EQ(b.texts(), std::vector<std::string>{HeaderCorruptMessage});
    EXPECT_EQ(b.port.sent, Esc + "SLIDRHSL");
}

TEST(CompleteReading, ProbeCuttingTheDownloadShortIsTold) {
    Bench b(5);
    b.probe.rfReply = "RF\r\n" + record(1) + LfCr + record(2).substr(0, 10);
    const ReadingOutcome out = run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_FALSE(out.succeeded);
    EXPECT_EQ(b.texts(), std::vector<std::string>{DownloadStoppedMessage});
    EXPECT_EQ(b.port.sent, Esc + "SLIDRHRF" + Esc + "SL");
}

TEST(CompleteReading, CancelShowsNothingAndStillReleasesTheProbe) {
    Bench b(50);
    b.hooks.view.measuresRead = [&](long k) {
        if (k == 10)
            b.link.AbortFlag = true;
    };
    const ReadingOutcome out = run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_FALSE(out.succeeded);
    EXPECT_TRUE(b.notices.empty());
    EXPECT_EQ(out.download.lines, 10);
    EXPECT_THAT(b.port.sent, ::testing::EndsWith("RF" + Esc + "SL"));
}

TEST(CompleteReading, SerialFailureMidDownloadIsToldOnceAndThePortClosed) {
    Bench b(200);
    b.probe.byteTime = 500us;
    b.port.failFrom = 500ms;
    const ReadingOutcome out = run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_FALSE(out.succeeded);
    ASSERT_EQ(b.notices.size(), 1u);
    EXPECT_EQ(b.notices[0].text, SerialFailureMessage);
    EXPECT_FALSE(b.notices[0].detail.empty());
    EXPECT_FALSE(b.port.open);
}

TEST(CompleteReading, DisconnectFailureIsToldButTheReadingStands) {
    Bench b(3);
    int sl = 0;
    auto wired = b.port.onWrite;
    b.port.onWrite = [&](const std::string& bytes) {
        if (bytes == "SL" && ++sl > 1)
            return; // silent at the end
        wired(bytes);
    };
    const ReadingOutcome out = run_complete_reading(b.link, b.files, b.hooks);
    EXPECT_TRUE(out.succeeded);
    EXPECT_EQ(b.texts(), std::vector<std::string>{NoReplyMessage});
}

TEST(PartialReading, PreparationReadsHeaderAndClockWithoutPause) {
    Bench b(100, "60");
    const PartialPreparation p = prepare_partial_reading(b.link, b.files, b.hooks);
    EXPECT_TRUE(p.ready);
    EXPECT_EQ(b.port.sent, Esc + "SLIDRHRDRTSL");
    EXPECT_EQ(p.probeClock, day("12/03/2020 10:30:00"));
    EXPECT_EQ(short_date(p.firstDate), "08/03/20");
    EXPECT_EQ(short_date(p.probeClock), "12/03/20");
    EXPECT_EQ(p.period, 60);
    EXPECT_LT(b.clock.time, 1s);
    EXPECT_FALSE(b.port.open);
}

TEST(PartialReading, PeriodThatIsNotAnIntegerIsToldAndTheProbeReleased) {
    for (const char* period : {"1.5", "x", "0"}) {
        Bench b(100, period);
        const PartialPreparation p = prepare_partial_reading(b.link, b.files, b.hooks);
        EXPECT_FALSE(p.ready) << period;
        EXPECT_EQ(b.texts(), std::vector<std::string>{PeriodInvalidMessage}) << period;
        EXPECT_EQ(b.port.sent, Esc + "SLIDRHSL") << period;
    }
}

TEST(PartialReading, IntervalReadingShowsTheMaximumAndLoadsTheLines) {
    Bench b(100, "15");
    const PartialPreparation p = prepare_partial_reading(b.link, b.files, b.hooks);
    ASSERT_TRUE(p.ready);
    b.port.sent.clear();
    b.probe.riData = ">1 12/3/20 10:0 1 2 3 4 5 6 7 8 9 \n\r2 12/3/20 10:15 1 2 3 4 5 6 7 8 9 \n\rE";
    const ReadingOutcome out = run_interval_reading(b.link, b.files, p, day("11/03/2020"),
                                                    day("12/03/2020"), b.hooks);
    EXPECT_TRUE(out.succeeded);
    EXPECT_EQ(b.windows, (std::vector<std::pair<long, bool>>{{192, true}}));
    EXPECT_EQ(b.port.sent, Esc + "SLIDRI110320120320SL");
    EXPECT_EQ(read_bytes(b.files.measure()),
              crlf_lines({"MESURES", "1 12/3/20 10:0 1 2 3 4 5 6 7 8 9 ",
                          "2 12/3/20 10:15 1 2 3 4 5 6 7 8 9 "}));
    EXPECT_THAT(read_bytes(b.files.header()), ::testing::HasSubstr("45;#MEAS;100;"));
}

TEST(PartialReading, CancelDuringTheSearchLoadsNothing) {
    Bench b(100, "15");
    const PartialPreparation p = prepare_partial_reading(b.link, b.files, b.hooks);
    b.probe.search = 100s;
    b.probe.riData = ">1 12/3/20 10:0 1 2 3 4 5 6 7 8 9 \n\rE";
    b.hooks.view.searching = [&](bool on) {
        if (on)
            b.clock.onPump = [&] { b.link.AbortFlag = true; };
        else
            b.clock.onPump = nullptr;
    };
    const ReadingOutcome out = run_interval_reading(b.link, b.files, p, day("11/03/2020"),
                                                    day("12/03/2020"), b.hooks);
    EXPECT_FALSE(out.succeeded);
    EXPECT_TRUE(b.notices.empty());
    EXPECT_THAT(b.port.sent, ::testing::EndsWith("120320" + Esc + "SL"));
}

struct IntervalCase {
    const char* start;
    const char* end;
    bool accepted;
};
class IntervalCheck : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalCheck, AgainstFirstDateAndProbeClock) {
    // Clock 12/03/20 10:30, 100 measures of 60 minutes: the first date is 08/03/20.
    const double clock = day("12/03/2020 10:30:00");
    const double first = ProbeFirstDate(clock, 100, 60);
    EXPECT_EQ(first, day("08/03/2020"));
    EXPECT_EQ(interval_accepted(*parse_short_date(GetParam().start),
                                *parse_short_date(GetParam().end), first, clock),
              GetParam().accepted)
        << GetParam().start << " " << GetParam().end;
}

INSTANTIATE_TEST_SUITE_P(Reading, IntervalCheck,
                         ::testing::Values(IntervalCase{"08/03/20", "12/03/20", true},
                                           IntervalCase{"07/03/20", "12/03/20", false},
                                           IntervalCase{"08/03/20", "13/03/20", false},
                                           IntervalCase{"10/03/20", "10/03/20", true},
                                           // Start after end is refused too.
                                           IntervalCase{"11/03/20", "10/03/20", false}));

TEST(ReadingArithmetic, ExpectedCount) {
    EXPECT_EQ(expected_count(day("12/03/2020"), day("12/03/2020"), 15), 96);
    EXPECT_EQ(expected_count(day("11/03/2020"), day("12/03/2020"), 15), 192);
    // 1440 / 64 = 22.5 goes to 22, 4320 / 64 = 67.5 to 68: halves to the even integer.
    EXPECT_EQ(expected_count(day("12/03/2020"), day("12/03/2020"), 64), 22);
    EXPECT_EQ(expected_count(day("10/03/2020"), day("12/03/2020"), 64), 68);
    EXPECT_EQ(expected_count(day("12/03/2020"), day("12/03/2020"), 0), 0);
}

TEST(ReadingArithmetic, FirstDateStaysOnItsDayAtMidnight) {
    // 11/03/20 00:00 exactly, whatever the binary fractions of 10:31.
    EXPECT_EQ(ProbeFirstDate(day("12/03/2020 10:31:00"), 631, 1), day("12/03/2020"));
    EXPECT_EQ(ProbeFirstDate(day("12/03/2020 10:31:00"), 632, 1), day("11/03/2020"));
}

TEST(ReadingArithmetic, MaintenanceNoticeInBothLanguages) {
    ProbeHeader h = example_header("24", 0);
    h.setValue(entry::LastMaintYear, "19");
    h.setValue(entry::LastMaintMonth, "6");
    h.setValue(entry::MaintInterval, "1");
    EXPECT_EQ(maintenance_notice(h, false), "  Prochaine maintenance avant : juin 2020");
    EXPECT_EQ(maintenance_notice(h, true), "  Prochaine maintenance avant : june 2020");
    h.setValue(entry::LastMaintMonth, "2");
    h.setValue(entry::LastMaintYear, "18");
    h.setValue(entry::MaintInterval, "2");
    EXPECT_EQ(maintenance_notice(h, false), "  Prochaine maintenance avant : février 2020");
    h.setValue(entry::MaintInterval, "x");
    EXPECT_EQ(maintenance_notice(h, false), "") << "an unreadable date gives no notice";
}

TEST(ReadingArithmetic, ShortDates) {
    EXPECT_EQ(short_date(day("05/01/2020 23:59:00")), "05/01/20");
    EXPECT_EQ(parse_short_date("08/03/20"), day("08/03/2020"));
    EXPECT_FALSE(parse_short_date("31/02/20"));
    EXPECT_FALSE(parse_short_date("__/03/20"));
}

TEST(StopProbe, ConfirmedStop) {
    Bench b;
    EXPECT_TRUE(stop_probe(b.link, b.hooks));
    EXPECT_EQ(b.port.sent, Esc + "SLIDSS") << "no SL after the stop";
    EXPECT_EQ(b.texts(), std::vector<std::string>{ProbeStoppedMessage});
    EXPECT_EQ(b.notices[0].kind, NoticeKind::Information);
    EXPECT_FALSE(b.port.open);
}

TEST(StopProbe, OtherReplyShowsAnErrorAndNoInformation) {
    Bench b;
    b.probe.ssReply = "S?";
    EXPECT_FALSE(stop_probe(b.link, b.hooks));
    EXPECT_EQ(b.texts(), std::vector<std::string>{ProbeNotStoppedMessage});
    EXPECT_EQ(b.notices[0].kind, NoticeKind::Error);
}

TEST(StopProbe, SerialFailureEndsWithoutMessageAndClosesThePort) {
    Bench b;
    b.port.failFrom = 1ms;
    EXPECT_FALSE(stop_probe(b.link, b.hooks));
    EXPECT_TRUE(b.notices.empty());
    EXPECT_FALSE(b.port.open);
}

} // namespace
