// The language of the library's messages, as the host chose it through
// SonoboxSetLanguage: the original Japanese until then.
#pragma once

namespace sonobox {

// "en", "en-..." or "en_..." choose English, anything else Japanese.
void SetLanguage(const char* language);

// One of the texts of Texts.h in the chosen language; any other text as it
// stands.
const char* Localized(const char* text);

}  // namespace sonobox
