#include "app/TuneSoundFont.h"

#include "app/SoundFontSubset.h"
#include "app/TunePresets.h"
#include "game/SoundCatalogue.h"

#include <QStandardPaths>
#include <QTimer>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace sk {
namespace {

// The SoundFont the sound library loads when nobody names one.
constexpr const char* kGeneralMidiSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr const char* kStampFormat = "tune SoundFont subset 1";
constexpr int kLowestPriority = 19;

// "path size time" of a file (links followed), or nothing when it is not there.
std::string Described(const std::filesystem::path& file) {
    std::error_code error;
    const auto real = std::filesystem::canonical(file, error);
    if (error) return {};
    const auto size = std::filesystem::file_size(real, error);
    if (error) return {};
    const auto changed = std::filesystem::last_write_time(real, error);
    if (error) return {};
    std::ostringstream line;
    line << real.string() << ' ' << size << ' ' << changed.time_since_epoch().count();
    return line.str();
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes beside `file` and renames, so a reader sees the old or the new one.
bool ReplaceWith(const std::filesystem::path& file, const std::string& text) {
    const std::filesystem::path part = file.string() + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!(out << text).flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(part, file, error);
    return !error;
}

}  // namespace

std::vector<std::filesystem::path> CatalogueTunes() {
    std::vector<std::filesystem::path> tunes;
    for (int t = static_cast<int>(Tune::Opening); t <= static_cast<int>(Tune::GameOver); ++t) {
        std::string name = TuneFile(static_cast<Tune>(t));
        std::replace(name.begin(), name.end(), '\\', '/');
        tunes.push_back(name);
    }
    return tunes;
}

TuneSoundFont::TuneSoundFont(std::filesystem::path source, std::vector<std::filesystem::path> tunes,
                             std::filesystem::path cache)
    : source_(std::move(source)), tunes_(std::move(tunes)), subset_(cache / "tunes.sf2"), stamp_(cache / "tunes.stamp") {}

TuneSoundFont TuneSoundFont::ForThisProcess() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    std::error_code error;
    const bool wanted = !qEnvironmentVariableIsSet("SONOBOX_SOUNDFONT") && !cache.isEmpty() &&
                        std::filesystem::is_regular_file(kGeneralMidiSoundFont, error);
    return TuneSoundFont(wanted ? kGeneralMidiSoundFont : "", CatalogueTunes(),
                         std::filesystem::path(cache.toStdString()) / "SK98");
}

std::string TuneSoundFont::Stamp() const {
    std::string stamp = std::string(kStampFormat) + "\n";
    std::vector<std::filesystem::path> files{source_};
    files.insert(files.end(), tunes_.begin(), tunes_.end());
    for (const auto& file : files) {
        const std::string line = Described(file);
        if (line.empty()) return {};
        stamp += line + "\n";
    }
    return stamp;
}

bool TuneSoundFont::Current() const {
    if (!Wanted()) return false;
    std::error_code error;
    if (!std::filesystem::is_regular_file(subset_, error)) return false;
    const std::string stamp = Stamp();
    return !stamp.empty() && ReadAll(stamp_) == stamp;
}

bool TuneSoundFont::Build(std::string& error) const {
    const std::string stamp = Stamp();
    const auto presets = PresetsSoundedBy(tunes_);
    if (stamp.empty() || !presets || presets->empty()) {
        error = "the tunes cannot be read";
        return false;
    }
    std::error_code fileError;
    std::filesystem::create_directories(subset_.parent_path(), fileError);
    const std::filesystem::path part = subset_.string() + ".part";
    if (!WriteSoundFontSubset(source_, *presets, part, error)) return false;
    std::filesystem::rename(part, subset_, fileError);
    if (fileError || !ReplaceWith(stamp_, stamp)) {
        error = "cannot write into " + subset_.parent_path().string();
        return false;
    }
    return true;
}

void TuneSoundFont::BuildInBackground() const {
    std::thread([made = *this] {
        // On Linux this lowers only the calling thread.
        setpriority(PRIO_PROCESS, 0, kLowestPriority);
        std::string error;
        if (!made.Build(error)) std::fprintf(stderr, "no SoundFont for the tunes alone: %s\n", error.c_str());
    }).detach();
}

void UseTuneSoundFont(int delayMs) {
    const TuneSoundFont plan = TuneSoundFont::ForThisProcess();
    if (!plan.Wanted()) return;
    if (plan.Current()) {
        qputenv("SONOBOX_SOUNDFONT", QByteArray::fromStdString(plan.Subset().string()));
        return;
    }
    QTimer::singleShot(delayMs, [plan] { plan.BuildInBackground(); });
}

}  // namespace sk
