// The high-score reader on arbitrary bytes, in memory and as the file the
// game loads: both must read the same table, every entry one the file can
// carry again. (Saving has a fuzzer of its own: it costs file operations.)
#include "FuzzFiles.h"

#include "scores/HighScores.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void CheckEntries(const sk::HighScoreTable& table) {
    for (const std::string& name : table.HiName) {
        if (name.size() > 19) std::abort();
        for (char c : name) {
            const auto b = static_cast<unsigned char>(c);
            if (b == ' ' || (b >= '\t' && b <= '\r') || b == 0) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sk::HighScoreTable table;
    sk::ParseHighScores(table, std::string_view(reinterpret_cast<const char*>(data), size));
    CheckEntries(table);

    sk::HighScoreTable loaded;
    sk::LoadHighScores(loaded, fuzzfiles::AsFile(std::span(data, size)).c_str());
    if (loaded.HiName != table.HiName || loaded.HiScore != table.HiScore) std::abort();

    sk::RankFor(table, static_cast<std::int32_t>(size));
    sk::Cp932ToUtf8(table.HiName[0]);
    return 0;
}
