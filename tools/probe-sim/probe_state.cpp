#include "probe_state.h"

#include "data/bm2_file.h"
#include "data/instant.h"
#include "data/standard_header.h"
#include "data/text_file.h"
#include "link/probe_download.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <fstream>
#include <numbers>
#include <sstream>

namespace probesim {

using namespace talvex;

namespace {

// A repeatable pseudo-random number in [0, 1) for (seed, k, channel).
double noise(std::uint32_t seed, long k, int channel) {
    std::uint64_t x = (static_cast<std::uint64_t>(seed) << 32) ^
                      (static_cast<std::uint64_t>(k) * 0x9E3779B97F4A7C15ull) ^
                      (static_cast<std::uint64_t>(channel) * 0xBF58476D1CE4E5B9ull);
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return static_cast<double>(x >> 11) / static_cast<double>(1ull << 53);
}

double decimal_or(const ProbeHeader& h, int index, double fallback) {
    double v = 0;
    return parse_decimal(h.value(index), v) ? v : fallback;
}

std::uint32_t clamp_to(double v, std::uint32_t max) {
    if (!(v > 0))
        return 0;
    return v >= max ? max : static_cast<std::uint32_t>(std::llround(v));
}

void put(std::string& r, size_t at, size_t width, std::uint32_t v) {
    for (size_t i = 0; i < width; ++i)
        r[at + i] = static_cast<char>((v >> (8 * (width - 1 - i))) & 0xFF);
}

char bcd(int v) { return static_cast<char>(((v / 10) % 10) << 4 | (v % 10)); }

} // namespace

long long local_minute_now() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return static_cast<long long>(days_from_civil(local.tm_year + 1900, local.tm_mon + 1,
                                                  local.tm_mday)) *
               1440 +
           local.tm_hour * 60 + local.tm_min;
}

long long ProbeState::clockMinute() const { return local_minute_now() + clockOffsetMinutes; }

void ProbeState::setClockMinute(long long minute) {
    clockOffsetMinutes = minute - local_minute_now();
}

long ProbeState::period() const {
    std::int64_t p = 0;
    if (!parse_integer(header.value(entry::Period), p) || p < 1)
        return 1;
    return static_cast<long>(std::min<std::int64_t>(p, 255));
}

int ProbeState::firmware() const {
    std::int64_t v = 0;
    return parse_integer(header.value(entry::Soft), v) ? static_cast<int>(v) : 24;
}

long ProbeState::count() const {
    if (erasedCount >= 0)
        return erasedCount;
    const long long until = running ? clockMinute() : stopMinute;
    const long long n = (until - startMinute) / period();
    return static_cast<long>(std::clamp<long long>(n, 0, MemoryCapacity));
}

std::string ProbeState::record(long k) const {
    const long long minute = measureMinute(k);
    const double day = static_cast<double>(minute) / 1440.0;
    const CivilDateTime dt = civil_from_instant(day);
    const double hour = static_cast<double>(minute % 1440) / 60.0;
    const double tau = 2 * std::numbers::pi;
    const long p = period();

    // The air of a cellar: radon high at dawn, a few weather swings over days.
    const double activity = std::max(
        20.0, 260 + 140 * std::sin(tau * (hour - 2) / 24) + 80 * std::sin(tau * day / 5.3) +
                  60 * (noise(seed, k, 1) - 0.5));
    const double temperature = 17.5 + 2.5 * std::sin(tau * (hour - 9) / 24) +
                               1.5 * std::sin(tau * day / 9.1) + 0.3 * (noise(seed, k, 2) - 0.5);
    const double pressure = 1013 + 9 * std::sin(tau * day / 4.2) + 0.6 * (noise(seed, k, 3) - 0.5);
    const double humidity = 58 - 8 * std::sin(tau * (hour - 9) / 24) + 2 * (noise(seed, k, 4) - 0.5);

    auto counts = [&](int coefficientEntry, int backgroundEntry, double share, int channel) {
        const double coefficient = decimal_or(header, coefficientEntry, 0);
        const double background = decimal_or(header, backgroundEntry, 0);
        if (coefficient <= 0)
            return clamp_to(3 * noise(seed, k, channel), 65535);
        const double perHour = share * activity / coefficient + background;
        return static_cast<std::uint32_t>(
            std::max(0.0, std::round(perHour * p / 60 * (0.9 + 0.2 * noise(seed, k, channel)))));
    };

    std::string r(25, '\0');
    put(r, 0, 2, static_cast<std::uint32_t>(k & 0xFFFF));
    r[2] = bcd(dt.day);
    r[3] = bcd(dt.month);
    r[4] = bcd(dt.year % 100);
    r[5] = bcd(dt.minute);
    r[6] = bcd(dt.hour);
    if (firmware() < 24) {
        // Platinum bridge at 2.5 V and a 16-bit pressure count of the header's polynomial.
        const double a = 0.00390802, b = -5.80195200854e-07;
        const double q = 1 + a * temperature + b * temperature * temperature;
        const double v = 2.5 * (q - 1) / (2 * (1 + q));
        put(r, 7, 4, clamp_to(v * 1e6, 0xFFFFFFFFu));
        auto poly = [&](int from) {
            return decimal_or(header, from, 0) + decimal_or(header, from + 1, 0) * temperature +
                   decimal_or(header, from + 2, 0) * temperature * temperature +
                   decimal_or(header, from + 3, 0) * temperature * temperature * temperature;
        };
        const double A = poly(18), B = poly(22), offset = decimal_or(header, 9, 0);
        const double y = B != 0 ? ((pressure - offset) / 1000 - 1 - A) / B : 0;
        put(r, 11, 2, clamp_to(y * 16 / 1250 * 32768 + 32767, 65535));
    } else {
        // MS5607 raw conversions, inverted from the first-order formulas.
        const double c1 = decimal_or(header, 18, 46372), c2 = decimal_or(header, 19, 43981),
                     c3 = decimal_or(header, 20, 29059), c4 = decimal_or(header, 21, 27842),
                     c5 = decimal_or(header, 22, 31553), c6 = decimal_or(header, 23, 28165);
        const double dT = c6 != 0 ? (temperature * 100 - 2000) * 8388608 / c6 : 0;
        const double d2 = c5 * 256 + dT;
        const double off = c2 * 131072 + c4 * dT / 64;
        const double sens = c1 * 65536 + c3 * dT / 128;
        const double d1 = sens != 0 ? (pressure * 100 * 32768 + off) * 2097152 / sens : 0;
        put(r, 7, 3, clamp_to(d2, 0xFFFFFF));
        put(r, 10, 3, clamp_to(d1, 0xFFFFFF));
    }
    const double coefBatt = std::max(0.1, decimal_or(header, entry::CoefBatt, 1.0));
    const double volts = 7.3 - 0.6 * static_cast<double>(k) / MemoryCapacity;
    r[13] = static_cast<char>(clamp_to(volts * 10 / coefBatt, 127));
    put(r, 14, 3, std::min<std::uint32_t>(counts(2, 3, 1.0, 5), 0xFFFFFF));
    put(r, 17, 2, std::min<std::uint32_t>(counts(5, 6, 0.95, 6), 0xFFFF));
    put(r, 19, 2, std::min<std::uint32_t>(counts(7, 8, 0.9, 7), 0xFFFF));
    const double humA = decimal_or(header, 31, 0.1), humB = decimal_or(header, 32, -5);
    put(r, 21, 2, humA != 0 ? clamp_to((humidity - humB) / humA, 0xFFFF) : 0);
    r[23] = static_cast<char>(noise(seed, k, 8) < 0.04 ? 1 + static_cast<int>(noise(seed, k, 9) * 5) : 0);
    int state = 2;                  // pump running
    if (temperature < 16)
        state |= 4;                 // heating
    if (noise(seed, k, 10) < 0.005)
        state |= 1;                 // shock
    if (activity > 380)
        state |= 8;                 // alarm 1
    r[24] = static_cast<char>(state);
    return r;
}

std::string ProbeState::textLine(long k) const { return traitement(record(k), firmware()); }

ProbeState ProbeState::fresh(int firmware, long measures, long periodMinutes, std::uint32_t seed) {
    ProbeState s;
    s.header = example_header(std::to_string(firmware), 0);
    s.header.setValue(entry::Period, std::to_string(periodMinutes));
    s.seed = seed;
    s.running = true;
    const long long now = local_minute_now();
    s.startMinute = now - static_cast<long long>(std::clamp(measures, 0L, MemoryCapacity)) *
                              periodMinutes;
    const CivilDateTime start = civil_from_instant(static_cast<double>(s.startMinute) / 1440.0);
    s.header.setValue(entry::StartYear, std::to_string(start.year % 100));
    s.header.setValue(entry::StartMonth, std::to_string(start.month));
    s.header.setValue(entry::StartDay, std::to_string(start.day));
    s.header.setValue(entry::StartHour, std::to_string(start.hour));
    s.header.setValue(entry::StartMinute, std::to_string(start.minute));
    return s;
}

ProbeState ProbeState::load(const std::filesystem::path& file) {
    const std::string text = read_file_bytes(file);
    ProbeState s;
    const size_t headerAt = text.find("HEADER");
    std::istringstream lines(text.substr(0, headerAt));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "clock_offset_minutes")
            s.clockOffsetMinutes = std::stoll(value);
        else if (key == "start_minute")
            s.startMinute = std::stoll(value);
        else if (key == "running")
            s.running = value == "1";
        else if (key == "stop_minute")
            s.stopMinute = std::stoll(value);
        else if (key == "erased_count")
            s.erasedCount = std::stol(value);
        else if (key == "seed")
            s.seed = static_cast<std::uint32_t>(std::stoul(value));
    }
    if (headerAt != std::string::npos)
        s.header = parse_header_text(text.substr(headerAt), file.string());
    return s;
}

void ProbeState::save(const std::filesystem::path& file) const {
    write_file_atomically(file, [&](std::ostream& out) {
        out << "# probe-sim state: the probe's clock, acquisition and header\n"
            << "clock_offset_minutes=" << clockOffsetMinutes << "\n"
            << "start_minute=" << startMinute << "\n"
            << "running=" << (running ? 1 : 0) << "\n"
            << "stop_minute=" << stopMinute << "\n"
            << "erased_count=" << erasedCount << "\n"
            << "seed=" << seed << "\n"
            << header_text(header);
    });
}

} // namespace probesim
