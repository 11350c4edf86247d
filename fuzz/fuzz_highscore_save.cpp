// Saving whatever table the reader makes of arbitrary bytes: the save must
// succeed and load back as written (names the file cannot carry as they
// are come back as SanitizeName gives them).
#include "FuzzFiles.h"

#include "scores/HighScores.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string saved = (fuzzfiles::ScratchFolder() / "Hi-Score.dat").string();
    sk::HighScoreTable table;
    sk::ParseHighScores(table, std::string_view(reinterpret_cast<const char*>(data), size));
    if (sk::SaveHighScores(table, saved.c_str()) != sk::SaveResult::Saved) std::abort();
    sk::HighScoreTable back;
    sk::LoadHighScores(back, saved.c_str());
    if (back.HiScore != table.HiScore) std::abort();
    for (int i = 0; i < sk::kRanks; ++i) {
        const std::string written = sk::SanitizeName(table.HiName[i]);
        if (back.HiName[i] != (written.empty() ? "Somebody" : written)) std::abort();
    }
    return 0;
}
