#include "game/Extras.h"

#include "game/Settings.h"

#include <climits>

namespace sk {

namespace {

// Below any range a stored value can have: marks "not a number".
constexpr int kInvalid = INT_MIN;

}  // namespace

bool ParseExtraFlag(std::string_view text, bool fallback) {
    const int value = ParseSettingValue(text, kInvalid);
    if (value != 0 && value != 1) return fallback;
    return value == 1;
}

Zoom ParseZoom(std::string_view text) {
    const int value = ParseSettingValue(text, kInvalid);
    if (value < 1 || value > 4) return ExtraSettings{}.ZoomMode;
    return static_cast<Zoom>(value);
}

FullScreenScaling ParseScaling(std::string_view text) {
    const int value = ParseSettingValue(text, kInvalid);
    if (value != 1 && value != 2) return ExtraSettings{}.Scaling;
    return static_cast<FullScreenScaling>(value);
}

int ParseKeyCode(std::string_view text, int fallback) {
    const int value = ParseSettingValue(text, kInvalid);
    if (value < 1 || value > kMaxKeyCode) return fallback;
    return value;
}

int ParseVolume(std::string_view text) {
    const int value = ParseSettingValue(text, kInvalid);
    if (value < 0 || value > 100) return 100;
    return value;
}

Language ParseLanguage(std::string_view text) {
    const int value = ParseSettingValue(text, kInvalid);
    if (value < 0 || value > 2) return Language::Automatic;
    return static_cast<Language>(value);
}

float VolumeGain(int percent) {
    if (percent <= 0) return 0.0f;
    if (percent >= 100) return 1.0f;
    const float linear = static_cast<float>(percent) / 100.0f;
    return linear * linear;
}

}  // namespace sk
