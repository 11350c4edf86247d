// Setting values on arbitrary text: a value is either the number the text
// spells or the fallback.
#include "game/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int a = sk::ParseSettingValue(text, 4);
    const int b = sk::ParseSettingValue(text, -77);
    if (a != b) {
        // Only the fallback may differ, and then both are fallbacks.
        if (a != 4 || b != -77) std::abort();
        return 0;
    }
    // A number read back from its own decimal text is itself.
    if (sk::ParseSettingValue(std::to_string(a), 0) != a) std::abort();
    return 0;
}
