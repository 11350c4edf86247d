// The name-entry window "A New Record !" (non-modal). Besides the keyboard
// and the input method it takes a game pad, arcade style: up and down step
// the character under the cursor, right and left move, A accepts, B deletes.
#pragma once

#include "app/PadWindows.h"

#include <QDialog>
#include <QValidator>

class QLabel;
class QLineEdit;

namespace sk {
class Game;

// Player names go into a file of blank-separated words: no ASCII white
// space, no control characters, typed or pasted.
class PlayerNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// The characters the pad steps through, in order: A-Z, a-z, 0-9 and a few
// marks. `step` +1 is the next (up), -1 the one before (down), around the
// ring; a character outside it, or none (a null QChar: the free place after
// the name), steps to the first or the last.
QChar StepNameCharacter(QChar c, int step);

}  // namespace sk

class TEnterScore : public QDialog, public sk::PadDrivenWindow {
    Q_OBJECT
public:
    TEnterScore(sk::Game& game, QWidget* parent = nullptr);

    // Shows the window for a new record at `rank` (1..10) with `points`,
    // with an empty name; a later offer replaces an open one.
    void Offer(int rank, int points);

    // The pad's presses; the character under the pad's cursor is shown
    // selected.
    void PadPressed(sk::PadPress press) override;

private:
    void BitBtn1Click();
    int PadCursor() const;
    void ShowPadCursor(int at);

    sk::Game& game_;
    QLabel* StLabel = nullptr;
    QLabel* LabelS = nullptr;
    QLineEdit* PName = nullptr;
};
