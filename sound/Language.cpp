#include "sound/Language.h"

#include "sound/Texts.h"
#include "sound/sonobox_language.h"

#include <atomic>
#include <cstring>

namespace sonobox {
namespace {

// Messages may come from the audio thread too.
std::atomic<bool> english{false};

bool IsEnglish(const char* language) {
    if (language == nullptr || std::strncmp(language, "en", 2) != 0) return false;
    return language[2] == '\0' || language[2] == '-' || language[2] == '_';
}

}  // namespace

void SetLanguage(const char* language) { english.store(IsEnglish(language), std::memory_order_relaxed); }

const char* Localized(const char* text) {
    if (!english.load(std::memory_order_relaxed) || text == nullptr) return text;
    for (const text::Translation& pair : text::kEnglish) {
        if (std::strcmp(pair.Japanese, text) == 0) return pair.English;
    }
    return text;
}

}  // namespace sonobox

extern "C" SONOBOX_API void SonoboxSetLanguage(const char* language) {
    sonobox::SetLanguage(language);
}
