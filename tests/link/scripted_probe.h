// An in-process probe on a virtual clock for the link tests: the bytes the link writes are
// logged and handed to a script, which schedules the probe's reply bytes at virtual
// instants. The port's read time-outs are applied in virtual time, so a 7-second failed
// handshake runs in microseconds and every byte count can be checked exactly.
#pragma once

#include "data/probe_header.h"
#include "link/serial_port.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace talvex::testing {

// The bytes a probe puts around its replies.
inline const std::string Esc(1, '\x1B');
inline const std::string LfCr = "\n\r";

// The probe's header reply to "RH": the lines as a probe sends them (LF CR), then ESC;
// `extra` goes in after entry 10 (a stray line in the middle of the header).
inline std::string header_reply(const ProbeHeader& h, const std::string& extra = {}) {
    std::string s = "RH\r\n";
    for (int i = 0; i < HeaderEntryCount; ++i) {
        char index[4];
        std::snprintf(index, sizeof index, "%02d", i);
        s += std::string(index) + ";" + h.key(i) + ";" + h.value(i) + ";" + LfCr;
        if (i == 10)
            s += extra;
    }
    return s + Esc;
}

class VirtualClock : public LinkClock {
public:
    Micros now() override { return time; }
    void pump() override {
        ++pumps;
        if (onPump)
            onPump();
    }
    void idle(Micros atMost) override { time += std::max(atMost, Micros(1)); }

    Micros time{0};
    long pumps = 0;
    std::function<void()> onPump;
};

class ScriptedProbe : public SerialPort {
public:
    explicit ScriptedProbe(VirtualClock& clock) : clock_(clock) {}

    // Called with the bytes of each write, after they are logged.
    std::function<void(const std::string& bytes)> onWrite;

    // Schedules reply bytes: the first `delay` after now, then one every `spacing`.
    void reply(const std::string& bytes, Micros delay = Micros(0), Micros spacing = Micros(0)) {
        Micros at = std::max(clock_.time, lastScheduled_) + delay;
        for (char c : bytes) {
            incoming_.push_back({at, c});
            lastScheduled_ = at;
            at += spacing;
        }
    }
    // Replies at an absolute virtual instant.
    void replyAt(Micros at, const std::string& bytes) {
        for (char c : bytes)
            incoming_.push_back({at, c});
        std::stable_sort(incoming_.begin(), incoming_.end(),
                         [](const Byte& a, const Byte& b) { return a.at < b.at; });
        lastScheduled_ = std::max(lastScheduled_, at);
    }
    // From this virtual instant on, every port operation fails (the line is hung up).
    std::optional<Micros> failFrom;
    bool failOpen = false;

    std::string sent;      // everything the link wrote, in order
    int opens = 0, closes = 0;
    bool open = false;
    ReadTimeOuts timeOuts = ReadTimeOuts::fromMilliseconds(100);

    // SerialPort
    void setName(const std::string& name) override { name_ = name; }
    std::string name() const override { return name_; }
    void Open() override {
        if (failOpen)
            throw EComError("Périphérique introuvable");
        ++opens;
        open = true;
    }
    void Close() override {
        ++closes;
        open = false;
    }
    bool isOpen() const override { return open; }
    void WriteStr(std::string_view bytes) override {
        check();
        sent.append(bytes);
        if (onWrite)
            onWrite(std::string(bytes));
    }
    std::size_t InputCount() override {
        check();
        std::size_t n = 0;
        for (const Byte& b : incoming_) {
            if (b.at > clock_.time)
                break;
            ++n;
        }
        return n;
    }
    std::string ReadStr(std::size_t n) override {
        check();
        const Micros start = clock_.time;
        const Micros deadline = start + timeOuts.total(n);
        std::string out;
        std::optional<Micros> last;
        Micros end = start;
        while (out.size() < n) {
            if (incoming_.empty()) {
                end = last ? std::min(*last + timeOuts.interval, deadline) : deadline;
                break;
            }
            const Micros arrival = std::max(incoming_.front().at, start);
            if (arrival > deadline) {
                end = last ? std::min(*last + timeOuts.interval, deadline) : deadline;
                break;
            }
            if (last && arrival - *last > timeOuts.interval) {
                end = *last + timeOuts.interval;
                break;
            }
            out += incoming_.front().c;
            incoming_.pop_front();
            last = arrival;
            end = arrival;
        }
        clock_.time = std::max(clock_.time, end);
        check();
        return out;
    }
    void SetTimeOuts(const ReadTimeOuts& t) override { timeOuts = t; }

    std::size_t pending() const { return incoming_.size(); }
    // The probe stops sending: bytes not yet on the line are dropped.
    void dropUnsent() {
        while (!incoming_.empty() && incoming_.back().at > clock_.time)
            incoming_.pop_back();
        lastScheduled_ = clock_.time;
    }

private:
    struct Byte {
        Micros at;
        char c;
    };
    void check() const {
        if (failFrom && clock_.time >= *failFrom)
            throw EComError("Erreur d'entrée/sortie");
    }

    VirtualClock& clock_;
    std::deque<Byte> incoming_;
    Micros lastScheduled_{0};
    std::string name_ = "/dev/ttyS0";
};

// A well-behaved probe answering the link's commands, with hooks to change any answer.
// Replies come after `latency`, one byte every `byteTime` (19200 baud is about 521 us).
struct ProbeBehaviour {
    std::string escReply = ">";
    std::string slReply = "SL\r\n";
    std::vector<std::string> idReplies; // one per "ID"; empty entries mean silence
    std::string idReply = "IDORVANE\r\n";
    std::string rhReply;  // everything after "RH"
    std::string rfReply;  // everything after "RF"
    std::string rdReply = "\r\n12/03/20\r\n";
    std::string rtReply = "\r\n10:30\r\n";
    std::string ssReply = "SS";
    // "RI": the dialogue replies and what comes after the end date (after `search`).
    std::string riPrompt = "\r\nDEB:";
    std::string riStartReply = "FIN:";
    std::string riEndReply = "\r\nRecherche...\r\n\r\n";
    std::string riData;
    Micros search = milliseconds(500);
    Micros latency = milliseconds(5);
    Micros byteTime = Micros(0);
    bool silent = false;
};

// Wires a behaviour to a scripted probe: commands are recognised from the written bytes.
inline void attach(ScriptedProbe& probe, ProbeBehaviour& b) {
    auto state = std::make_shared<std::string>(); // "RI1", "RI2" while reading the dates
    auto idCount = std::make_shared<size_t>(0);
    probe.onWrite = [&probe, &b, state, idCount](const std::string& bytes) {
        if (b.silent)
            return;
        auto send = [&](const std::string& r) {
            if (!r.empty())
                probe.reply(r, b.latency, b.byteTime);
        };
        if (*state == "RI1") {
            *state = "RI2";
            send(b.riStartReply);
            return;
        }
        if (*state == "RI2") {
            *state = "";
            send(b.riEndReply);
            if (!b.riData.empty())
                probe.reply(b.riData, b.search, b.byteTime);
            return;
        }
        if (bytes == std::string(1, '\x1B')) {
            probe.dropUnsent();
            send(b.escReply);
        }
        else if (bytes == "SL")
            send(b.slReply);
        else if (bytes == "ID") {
            const size_t i = (*idCount)++;
            send(i < b.idReplies.size() ? b.idReplies[i] : b.idReply);
        } else if (bytes == "RH")
            send(b.rhReply);
        else if (bytes == "RF")
            send(b.rfReply);
        else if (bytes == "RD")
            send(b.rdReply);
        else if (bytes == "RT")
            send(b.rtReply);
        else if (bytes == "SS")
            send(b.ssReply);
        else if (bytes == "RI") {
            *state = "RI1";
            send(b.riPrompt);
        }
    };
}

} // namespace talvex::testing
