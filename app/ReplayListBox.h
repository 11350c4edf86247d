// "リプレイ...": the kept replays of the high-score table (rank, name,
// points, stage reached, date, length) and the last game; Play hands the
// chosen one's bytes back to the main window, which shows it.
#pragma once

#include "game/Game.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QPushButton;
class QTreeWidget;

class TReplayListBox : public QDialog {
    Q_OBJECT
public:
    TReplayListBox(const sk::Game& game, QWidget* parent);

    // Fills the list from the game's index and the files; true when one
    // was chosen, with its bytes.
    bool Choose(std::vector<std::uint8_t>& file);

    QTreeWidget* List() const { return list_; }
    // The rows and the texts, in the language in force (each opening fills
    // it anew).
    void Fill();

private:
    void AddRow(const QString& rank, const QString& name, const std::vector<std::uint8_t>& file);

    const sk::Game& game_;
    QTreeWidget* list_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* close_ = nullptr;
    std::vector<std::vector<std::uint8_t>> files_;  // by row
};
