#include "sound/Report.h"

#include "sound/ChildProcess.h"
#include "sound/Language.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace sonobox {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

bool DialogsWanted() {
    const char* off = std::getenv("SONOBOX_NO_DIALOGS");
    if (off != nullptr && std::strcmp(off, "1") == 0) return false;
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

void WriteLine(const char* text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    line += '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace

// The box is shown by a child process that holds nothing of the caller's
// and ends with it: killed, the caller leaves no box (and no lock) behind.
void ShowMessage(const char* original) {
    const char* text = Localized(original);
    if (DialogsWanted() && RunInChild([text] {
            return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "sonobox", text, nullptr) == 0 ? 0 : 1;
        }) == 0) {
        return;
    }
    WriteLine(text);
}

void Diagnostic(const char* text) { WriteLine(Localized(text)); }

}  // namespace sonobox
