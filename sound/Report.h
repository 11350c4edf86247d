// How the library tells about its failures.
#pragma once

namespace sonobox {

// Both take the library's own texts (Texts.h) and show them in the language
// the host chose.

// Effect failures: a modal message window when a display is there, else one
// line on stderr. SONOBOX_NO_DIALOGS=1 always takes stderr.
void ShowMessage(const char* text);

// Music diagnostics: one line on stderr.
void Diagnostic(const char* text);

}  // namespace sonobox
