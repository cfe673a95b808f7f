// Any bytes as a ".bm2" file: the split and both loaders either load or throw the one
// conversion error; they never crash, hang or read out of bounds.
#include "data/bm2_file.h"
#include "data/conversion_error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const talvex::LoadedFile loaded = talvex::load_bm2_text(text, "fuzz.bm2");
        if (loaded.measurement.EndAll < loaded.measurement.StartAll)
            __builtin_trap();
        for (const auto& series : loaded.measurement.raw)
            if (series.size() != loaded.measurement.instants.size())
                __builtin_trap();
    } catch (const talvex::ConversionError&) {
    }
    return 0;
}
