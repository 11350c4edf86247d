#include "Script.h"

#include <charconv>
#include <sstream>

namespace driver {

namespace {

bool ToInt(const std::string& word, int& value) {
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool ToFlag(const std::string& word, bool& value) {
    int number = 0;
    if (!ToInt(word, number) || (number != 0 && number != 1)) return false;
    value = number == 1;
    return true;
}

bool KnownEvent(const std::vector<std::string>& w) {
    if (w.empty()) return false;
    const std::string& verb = w[0];
    if (verb == "key") return w.size() == 2 && (w[1] == "F1" || w[1] == "F2" || w[1] == "F3");
    if (verb == "move") {
        int x = 0, y = 0;
        return w.size() == 3 && ToInt(w[1], x) && ToInt(w[2], y);
    }
    if (verb == "press") return w.size() == 2 && (w[1] == "left" || w[1] == "right");
    if (verb == "dblclick") return w.size() == 1;
    if (verb == "autoplay") return w.size() == 2 && (w[1] == "on" || w[1] == "off");
    if (verb == "cheat") return w.size() == 2 && w[1] == "invincible";
    return false;
}

bool ParseLine(const std::vector<std::string>& w, Script& s) {
    const std::string& verb = w[0];
    int number = 0;
    if (verb == "seed" && w.size() == 2 && ToInt(w[1], number) && number >= 0) {
        s.Seed = static_cast<unsigned>(number);
        return true;
    }
    if (verb == "frames" && w.size() == 2 && ToInt(w[1], number) && number >= 0) {
        s.Frames = number;
        return true;
    }
    if (verb == "music" && w.size() == 2) return ToFlag(w[1], s.Music);
    if (verb == "sound" && w.size() == 2) return ToFlag(w[1], s.Sound);
    if (verb == "lock" && w.size() == 2) return ToFlag(w[1], s.MouseLock);
    if (verb == "difficulty" && w.size() == 2) return ToInt(w[1], s.Difficulty);
    if (verb == "item" && w.size() == 2) return ToInt(w[1], s.DifficultyItem);
    if (verb == "autoplay" && w.size() == 1) {
        s.AutoPlay = true;
        return true;
    }
    if (verb == "at" && w.size() >= 3 && ToInt(w[1], number) && number >= 0) {
        Event event{number, {w.begin() + 2, w.end()}};
        if (!KnownEvent(event.Words)) return false;
        s.Events.push_back(std::move(event));
        return true;
    }
    if (verb == "expect" && w.size() == 3 && ToInt(w[2], number)) {
        if (w[1] == "stage") s.ExpectStage = number;
        if (w[1] == "score") s.ExpectScore = number;
        return w[1] == "stage" || w[1] == "score";
    }
    if (verb == "png" && (w.size() == 3 || (w.size() == 4 && w[3] == "scr")) && ToInt(w[1], number) &&
        number >= 0) {
        s.Snapshots.push_back({number, w[2], w.size() == 4});
        return true;
    }
    return false;
}

}  // namespace

bool ParseScript(const std::string& text, Script& script, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(lines, line)) {
        ++lineNo;
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty() || w[0][0] == '#') continue;
        if (!ParseLine(w, script)) {
            error = "line " + std::to_string(lineNo) + ": cannot use \"" + line + "\"";
            return false;
        }
    }
    return true;
}

}  // namespace driver
