// The keys a probe uses for its 58 header entries, and a complete header of a typical
// three-channel probe (firmware 2.4, digital pressure sensor) used by the probe simulator,
// the benchmarks and the tests.
#pragma once

#include "data/probe_header.h"

#include <array>
#include <string>

namespace talvex {

const std::array<std::string, HeaderEntryCount>& standard_header_keys();

// `firmware` is "23" or "24"; `measureCount` goes into entry 45.
ProbeHeader example_header(const std::string& firmware = "24", long measureCount = 0);

} // namespace talvex
