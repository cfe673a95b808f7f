#include "link/probe_link.h"
#include "link/scripted_probe.h"

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
    Bench() { attach(port, probe); }
};


struct HandshakeCase {
    const char* name;
    std::vector<std::string> idReplies; // "" = silence for that attempt
    int expected;
    const char* sent; // what the link wrote
};

class Handshake : public ::testing::TestWithParam<HandshakeCase> {};

TEST_P(Handshake, ResultAndBytesSent) {
    const HandshakeCase& c = GetParam();
    Bench b;
    b.probe.idReplies = c.idReplies;
    b.probe.idReply = "";
    EXPECT_EQ(b.link.ProbeConnect(), c.expected) << c.name;
    EXPECT_EQ(b.port.sent, c.sent) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    ProbeConnect, Handshake,
    ::testing::Values(
        HandshakeCase{"identified", {"IDORVANE\r\n"}, LinkOk, "\x1BSLID"},
        HandshakeCase{"any two trailing bytes", {"IDORVANE!?"}, LinkOk, "\x1BSLID"},
        HandshakeCase{"silent", {"", "", ""}, LinkNoReply, "\x1BSLIDIDID"},
        HandshakeCase{"one byte differs", {"IDORVANX\r\n", "IDORVANX\r\n", "IDORVANX\r\n"},
                      LinkWrongReply, "\x1BSLIDIDID"},
        HandshakeCase{"letter case differs", {"idorvane\r\n", "idorvane\r\n", "idorvane\r\n"},
                      LinkWrongReply, "\x1BSLIDIDID"},
        HandshakeCase{"time-out then correct", {"", "IDORVANE\r\n"}, LinkOk, "\x1BSLIDID"},
        HandshakeCase{"two wrong then time-out", {"IDORVANX\r\n", "IDORVANX\r\n", ""},
                      LinkNoReply, "\x1BSLIDIDID"},
        HandshakeCase{"wrong then correct", {"XXXXXXXX\r\n", "IDORVANE\r\n"}, LinkOk,
                      "\x1BSLIDID"},
        // Eleven bytes at once: the count jumps past 10, so the attempt waits to its end.
        HandshakeCase{"eleven bytes", {"IDORVANE\r\n!", "IDORVANE\r\n!", "IDORVANE\r\n!"},
                      LinkNoReply, "\x1BSLIDIDID"},
        HandshakeCase{"nine bytes", {"IDORVANE\r", "IDORVANE\r", "IDORVANE\r"}, LinkNoReply,
                      "\x1BSLIDIDID"}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(ProbeConnect, SilentProbeCostsOnePlusThreeTimesTwoSeconds) {
    Bench b;
    b.probe.silent = true;
    EXPECT_EQ(b.link.ProbeConnect(), LinkNoReply);
    EXPECT_GE(b.clock.time, 7000ms);
    EXPECT_LT(b.clock.time, 7000ms + 10ms);
    EXPECT_TRUE(b.link.TimeOutFlag);
    EXPECT_GT(b.clock.pumps, 100) << "the waits keep the interface alive";
}

TEST(ProbeConnect, WaitsForExactlyFiveBytesAfterEscSlAndNeverReadsThem) {
    Bench b;
    // Six bytes after ESC "SL": the first wait runs its whole second; the next flush
    // discards them and the identification still succeeds.
    b.probe.slReply = "SL\r\n!";
    EXPECT_EQ(b.link.ProbeConnect(), LinkOk);
    EXPECT_GE(b.clock.time, 1000ms);
    EXPECT_EQ(b.port.pending(), 0u);

    Bench exact;
    EXPECT_EQ(exact.link.ProbeConnect(), LinkOk);
    EXPECT_LT(exact.clock.time, 100ms) << "five bytes end the first wait at once";
}

TEST(ProbeConnect, FlushDiscardsOldInputBeforeSending) {
    Bench b;
    b.port.reply("stale bytes");
    b.clock.time += 1ms;
    EXPECT_EQ(b.link.ProbeConnect(), LinkOk);
}

struct DisconnectCase {
    const char* name;
    std::string reply;
    int expected;
    const char* sent;
};
class Disconnect : public ::testing::TestWithParam<DisconnectCase> {};

TEST_P(Disconnect, ResultAndAttempts) {
    const DisconnectCase& c = GetParam();
    Bench b;
    b.probe.slReply = c.reply;
    EXPECT_EQ(b.link.ProbeDisconnect(), c.expected) << c.name;
    EXPECT_EQ(b.port.sent, c.sent) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    ProbeDisconnect, Disconnect,
    ::testing::Values(DisconnectCase{"released", "SL\r\n", LinkOk, "SL"},
                      DisconnectCase{"any two trailing bytes", "SLxy", LinkOk, "SL"},
                      DisconnectCase{"silent", "", LinkNoReply, "SLSLSL"},
                      DisconnectCase{"three bytes", "SL\r", LinkNoReply, "SLSLSL"},
                      DisconnectCase{"wrong", "XX\r\n", LinkWrongReply, "SLSLSL"}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(ProbeDisconnect, SilentProbeTakesThreeTimesTwoSeconds) {
    Bench b;
    b.probe.silent = true;
    EXPECT_EQ(b.link.ProbeDisconnect(), LinkNoReply);
    EXPECT_GE(b.clock.time, 6000ms);
    EXPECT_LT(b.clock.time, 6000ms + 10ms);
}

TEST(ComPortReadStr, WaitingReadTimesOutAfterThreeSecondsAndLeavesTheBytes) {
    Bench b;
    b.port.reply("abc", 10ms);
    EXPECT_EQ(b.link.ComPortReadStr(4, true), "TimeOut");
    EXPECT_TRUE(b.link.TimeOutFlag);
    EXPECT_GE(b.clock.time, 3000ms);
    EXPECT_LT(b.clock.time, 3000ms + 2ms);
    EXPECT_EQ(b.port.InputCount(), 3u);
    EXPECT_EQ(b.link.ReadStr(3), "abc");
}

TEST(ComPortReadStr, WaitingReadReturnsOnceTheCountIsThere) {
    Bench b;
    b.port.reply("abcdef", 200ms, 1ms);
    EXPECT_EQ(b.link.ComPortReadStr(4, true), "abcd");
    EXPECT_FALSE(b.link.TimeOutFlag);
    EXPECT_LT(b.clock.time, 210ms);
    EXPECT_EQ(b.port.pending(), 2u);
}

TEST(ComPortReadStr, DirectReadReturnsWhatCameAfterAHundredMillisecondsOfSilence) {
    Bench b;
    b.port.reply("1234567", 0ms, 1ms);
    EXPECT_EQ(b.link.ComPortReadStr(25, false), "1234567");
    EXPECT_EQ(b.clock.time, 6ms + 100ms);
}

TEST(ComPortReadStr, DirectReadOfNothingEndsAtTheTotalTimeOut) {
    Bench b;
    EXPECT_EQ(b.link.ComPortReadStr(25, false), "");
    EXPECT_EQ(b.clock.time, 100ms * 25 + 1000ms);
    EXPECT_FALSE(b.link.TimeOutFlag);
}

TEST(ComPortReadStr, SlowTrickleEndsAtTheTotalTimeOut) {
    Bench b;
    // A late first byte, then one every 90 ms (never tripping the interval time-out):
    // 100 ms x 20 + 1000 ms after the start the read ends with what came.
    b.port.reply(std::string(50, 'x'), 2900ms, 90ms);
    EXPECT_EQ(b.link.ReadStr(20), "xx");
    EXPECT_EQ(b.clock.time, 100ms * 20 + 1000ms);
}

TEST(Link, DelayPassesTheTimeWhilePumpingEvents) {
    Bench b;
    b.link.Delay(3000);
    EXPECT_EQ(b.clock.time, 3000ms);
    EXPECT_GE(b.clock.pumps, 3000);
}

TEST(Link, FlushDiscardsEverythingButGivesUpOnAProbeThatNeverStops) {
    Bench b;
    b.port.reply(std::string(10000, 'x'));
    b.clock.time += 1ms;
    b.link.ComPortFlush();
    EXPECT_EQ(b.port.InputCount(), 0u);

    Bench streaming;
    streaming.port.reply(std::string(100000, 'x'), 0ms, 500us); // 50 s of bytes
    streaming.clock.time += 1ms;
    streaming.link.ComPortFlush();
    EXPECT_LT(streaming.clock.time, 4s);
}

TEST(Link, WriteSendsTheBytesAsTheyAre) {
    Bench b;
    b.link.ComPortWriteStr("RH");
    b.link.ComPortWriteStr(std::string("\x00\x1B", 2));
    EXPECT_EQ(b.port.sent, std::string("RH\x00\x1B", 4));
}

TEST(Link, ModemLinkStopsAndRestartsTheIdleTimerInsteadOfOpeningThePort) {
    Bench b;
    std::vector<bool> timer;
    b.link.ConnectionType = 1;
    b.link.onlineTimer = [&](bool running) { timer.push_back(running); };
    b.link.openLink();
    b.link.closeLink();
    EXPECT_EQ(timer, (std::vector<bool>{false, true}));
    EXPECT_EQ(b.port.opens, 0);
}

TEST(Link, MessagesForTheTwoErrorCodes) {
    const LinkMessages m;
    EXPECT_EQ(m.text(LinkNoReply), "Pas de réponse.\n\rVérifiez que la sonde est connectée");
    EXPECT_EQ(m.text(LinkWrongReply), "Réponse incorrecte. Recommencer la");
}

} // namespace
