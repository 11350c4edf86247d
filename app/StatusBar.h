// The status bar below the play field: the picture `StatusPicture` at y 404,
// the stage and score numbers in white over black copies, and the lime gauge
// `BulletLeftBar` of the shots left. Mirror() sets only what changed and
// tells where.
#pragma once

#include "game/GameState.h"
#include "game/Raster.h"

#include <QRegion>

#include <string>

class QLabel;
class QString;
class QWidget;

class GaugeBar;

class StatusBar {
public:
    StatusBar(const sk::Bitmap& picture, QWidget* parent);
    // Returns the part of the parent that now looks different.
    QRegion Mirror(const sk::ShellState& shell);
    // The caption at the bar's left end that says a replay is showing;
    // hidden when empty. Returns the part of the parent it changed.
    QRegion SetReplayCaption(const QString& caption);

    QLabel* StatusPicture = nullptr;
    QLabel* StageLabelB = nullptr;
    QLabel* StageLabelW = nullptr;
    QLabel* ScoreLabelB = nullptr;
    QLabel* ScoreLabelW = nullptr;
    GaugeBar* BulletLeftBar = nullptr;
    QLabel* ReplayLabel = nullptr;

private:
    static QRegion SetCaption(QLabel* black, QLabel* white, const std::string& caption, std::string& shown);

    std::string stageShown_, scoreShown_;
};
