// The name-entry window "A New Record !" (non-modal).
#pragma once

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

}  // namespace sk

class TEnterScore : public QDialog {
    Q_OBJECT
public:
    TEnterScore(sk::Game& game, QWidget* parent = nullptr);

    // Shows the window for a new record at `rank` (1..10) with `points`,
    // with an empty name; a later offer replaces an open one.
    void Offer(int rank, int points);

private:
    void BitBtn1Click();

    sk::Game& game_;
    QLabel* StLabel = nullptr;
    QLabel* LabelS = nullptr;
    QLineEdit* PName = nullptr;
};
