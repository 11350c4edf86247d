// The SoundFont the sound library plays the tunes with. A General MIDI
// SoundFont holds every instrument; the tunes use a few dozen. At a first
// start the program cuts the installed SoundFont down to the presets the
// tunes in the data folder sound (SoundFontSubset.h) into the player's cache
// folder, in the background after the title is on screen; from the next
// start on the sound library loads that subset (through SONOBOX_SOUNDFONT,
// set before the library starts). The subset is made again when the
// SoundFont or a tune changes. A player who names a SoundFont in
// SONOBOX_SOUNDFONT keeps it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace sk {

// The catalogue's tune files, relative to the data folder.
std::vector<std::filesystem::path> CatalogueTunes();

class TuneSoundFont {
public:
    // `source`: the SoundFont to cut; `tunes`: the MIDI files; `cache`: the
    // folder the subset and its stamp go into.
    TuneSoundFont(std::filesystem::path source, std::vector<std::filesystem::path> tunes, std::filesystem::path cache);

    // The plan for this process: the Debian General MIDI SoundFont, the
    // catalogue's tunes in the current folder, $XDG_CACHE_HOME/SK98 (else
    // ~/.cache/SK98). Nothing to do when SONOBOX_SOUNDFONT is set or the
    // SoundFont is missing.
    static TuneSoundFont ForThisProcess();

    bool Wanted() const { return !source_.empty(); }
    // A subset made from the SoundFont and the tunes as they are now.
    bool Current() const;
    const std::filesystem::path& Subset() const { return subset_; }

    // Makes the subset (to a temporary file, renamed when complete) and then
    // its stamp. False, with the reason in `error`, when it cannot.
    bool Build(std::string& error) const;
    // Build() on a thread of its own at the lowest priority; a failure is
    // written to stderr. The thread ends with the process.
    void BuildInBackground() const;

private:
    // What the subset is made from: the SoundFont's and each tune's path,
    // size and time of change.
    std::string Stamp() const;

    std::filesystem::path source_;
    std::vector<std::filesystem::path> tunes_;
    std::filesystem::path subset_, stamp_;
};

// Points the sound library at the subset when it is current; otherwise,
// when one is wanted, starts making it `delayMs` after the event loop runs
// (the full SoundFont plays until the next start). Call before the sound
// library starts.
void UseTuneSoundFont(int delayMs);

}  // namespace sk
