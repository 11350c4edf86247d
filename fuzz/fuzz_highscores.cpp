// The high-score reader on arbitrary bytes: every entry it makes must be
// one the file can carry again.
#include "scores/HighScores.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sk::HighScoreTable table;
    sk::ParseHighScores(table, std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& name : table.HiName) {
        if (name.size() > 19) std::abort();
        for (char c : name) {
            const auto b = static_cast<unsigned char>(c);
            if (b == ' ' || (b >= '\t' && b <= '\r') || b == 0) std::abort();
        }
    }
    sk::RankFor(table, static_cast<std::int32_t>(size));
    sk::Cp932ToUtf8(table.HiName[0]);
    return 0;
}
