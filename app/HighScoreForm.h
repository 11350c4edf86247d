// The high-score window "HighScore".
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

namespace sk {
class Game;
}

class THighScoreForm : public QDialog {
    Q_OBJECT
public:
    THighScoreForm(sk::Game& game, QWidget* parent = nullptr);

    // Fills the labels, clears CheckBox1, centres the window and runs it modally.
    void ShowHighScores();

    // Names and points of the ten ranks from the game's table.
    void RefreshLabels();

protected:

private:
    void BitBtn1Click();

    sk::Game& game_;
    QLabel* names_[10] = {};
    QLabel* points_[10] = {};
    QCheckBox* CheckBox1 = nullptr;
};
