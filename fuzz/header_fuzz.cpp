// Any bytes as "header.tmp": the loader fills at most the 58 entries or throws, and what it
// loaded writes back and loads again to the same table.
#include "data/bm2_file.h"
#include "data/conversion_error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const talvex::ProbeHeader header = talvex::parse_header_text(text, "fuzz.tmp");
        bool plain = true; // keys and values without ';' or line ends survive a round trip
        for (int i = 0; i < talvex::HeaderEntryCount; ++i)
            for (const std::string* s : {&header.key(i), &header.value(i)})
                if (s->find_first_of(";\r\n") != std::string::npos)
                    plain = false;
        if (plain && talvex::parse_header_text(talvex::header_text(header), "again") != header)
            __builtin_trap();
    } catch (const talvex::ConversionError&) {
    }
    return 0;
}
