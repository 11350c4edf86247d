// Every text the core hands the window, in the original Japanese. The core
// shows them as they stand (headless runs, the driver, tests); the shell
// shows them translated, in the context "CoreText". `Translatable` marks a
// text for Qt's lupdate (it reads it as QT_TRANSLATE_NOOP) and stands for
// the text itself.
#pragma once

#include <string>

namespace sk {

constexpr const char* Translatable(const char* /*context*/, const char* text) { return text; }

// The context the shell translates these texts in.
inline constexpr const char* kCoreTextContext = "CoreText";

namespace text {
inline constexpr const char* kLapCaption = Translatable("CoreText", "祝辞");
inline constexpr const char* kLapEasy = Translatable("CoreText", "Easyモードクリアおめでとう！！");
inline constexpr const char* kLapNormal = Translatable("CoreText", "Normalモードクリアおめでとう！！");
inline constexpr const char* kLapHard = Translatable("CoreText", "Hardモードクリアおめでとう！！");
inline constexpr const char* kProgramTitle = "Skarbolt 98";
// "%1" stands for the stage file's name.
inline constexpr const char* kStageUnreadable =
    Translatable("CoreText", "ステージデータを読み込めませんでした: %1");
// The hints of the settings dialog's difficulty group.
inline constexpr const char* kDifficultyHint = Translatable("CoreText", "難易度の設定");
inline constexpr const char* kDifficultyLocked = Translatable("CoreText", "タイトル画面時に設定してください");
}  // namespace text

// A message box of the game: caption and text as source texts above, the
// text's "%1" standing for `Value` (empty where the text has none).
struct Message {
    const char* Caption;
    const char* Text;
    std::string Value;

    // The text as the core means it, with the value in place of "%1".
    std::string Composed() const;
};

}  // namespace sk
