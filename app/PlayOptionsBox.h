// The "操作と表示" dialog: keyboard and pad control (the keys and the pad's
// mapping in a dialog of their own), zoom and full-screen scaling, the music
// and effect volumes (heard at once while the sliders move), and the pause
// on focus loss. Opened from the options menu like the settings dialog: the
// game pauses while it is open and runs again when it closes.
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

    // Shows `settings`; the volumes heard while the dialog is open go to
    // `preview`, and back to the shown ones on cancel.
    void Load(const sk::ExtraSettings& settings, std::function<void(int music, int effects)> preview);
    sk::ExtraSettings Chosen() const;

protected:
    void done(int result) override;

private:
    void AddControlGroup();
    void AddViewGroup();
    void VolumeMoved();
    void ChooseKeys();

    sk::Game& game_;
    sk::ExtraSettings loaded_;
    std::function<void(int, int)> preview_;
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
};
