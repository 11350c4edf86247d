// The "操作と表示" dialog: keyboard and pad control (the keys and the pad's
// mapping in a dialog of their own), zoom and full-screen scaling, the music
// and effect volumes (heard at once while the sliders move), the pause on
// focus loss and the language (every window speaks it at once). Opened from
// the options menu like the settings dialog: the game pauses while it is
// open and runs again when it closes.
#pragma once

#include "game/Extras.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QSlider;

namespace sk {
class Game;
}

class TPlayOptionsBox : public QDialog {
    Q_OBJECT
public:
    TPlayOptionsBox(sk::Game& game, QWidget* parent = nullptr);

    // What the player hears and reads while the dialog is open: the volumes
    // and the language shown, before OK.
    struct Preview {
        std::function<void(int music, int effects)> Volumes;
        std::function<void(sk::Language)> Language;
    };

    // Shows `settings`; every change of volume or language goes to
    // `preview`, and cancel previews the loaded ones again.
    void Load(const sk::ExtraSettings& settings, Preview preview);
    // The windowed zooms above `largest` are greyed out: their window would
    // not fit the screen. 1x and full screen are always offered.
    void OfferZoomsUpTo(sk::Zoom largest);
    sk::ExtraSettings Chosen() const;

protected:
    void done(int result) override;

private:
    void AddControlGroup();
    void AddViewGroup();
    void AddLanguageGroup();
    void VolumeMoved();
    void ShowVolumes();
    void ChooseKeys();

    sk::Game& game_;
    sk::ExtraSettings loaded_;
    Preview preview_;
    QCheckBox* KeyControlB = nullptr;
    QCheckBox* PadControlB = nullptr;
    sk::KeyBindings keys_;
    QButtonGroup* zoomButtons_ = nullptr;
    QButtonGroup* scalingButtons_ = nullptr;
    QSlider* MusicVolumeB = nullptr;
    QSlider* EffectVolumeB = nullptr;
    QLabel* musicValue_ = nullptr;
    QLabel* effectValue_ = nullptr;
    QCheckBox* FocusPauseB = nullptr;
    QButtonGroup* languageButtons_ = nullptr;
};
