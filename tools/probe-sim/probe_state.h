// What the simulated probe remembers between runs: its header, its clock (an offset from
// the computer's clock), its acquisition (start, period, running or stopped) and the seed
// of its measures. Measures are not stored: measure k is generated from the seed, its
// instant and the header, the same every time it is asked for.
#pragma once

#include "data/probe_header.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace probesim {

using talvex::ProbeHeader;

constexpr long MemoryCapacity = 65535;

struct ProbeState {
    ProbeHeader header;
    long long clockOffsetMinutes = 0; // probe clock = computer's local time + offset
    long long startMinute = 0;        // acquisition start, minutes since 30/12/1899
    bool running = true;
    long long stopMinute = 0;         // when the acquisition was stopped
    long erasedCount = -1;            // memory just erased and not started: 0 measures
    std::uint32_t seed = 1;

    // The probe's clock now, in whole minutes since 30/12/1899.
    long long clockMinute() const;
    void setClockMinute(long long minute);

    long period() const; // entry 46, at least 1
    // Measures stored at the probe's clock now.
    long count() const;
    // The instant (minutes) of measure k (1-based).
    long long measureMinute(long k) const { return startMinute + static_cast<long long>(k) * period(); }
    int firmware() const; // entry 0, 24 when unreadable

    // The 25-byte record of measure k, in the layout of the firmware.
    std::string record(long k) const;
    // The same measure as the probe prints it for an interval ("RI").
    std::string textLine(long k) const;

    // A fresh probe with `measures` stored measures ending now.
    static ProbeState fresh(int firmware, long measures, long periodMinutes, std::uint32_t seed);
    static ProbeState load(const std::filesystem::path& file);
    void save(const std::filesystem::path& file) const;
};

// The computer's local time in whole minutes since 30/12/1899.
long long local_minute_now();

} // namespace probesim
