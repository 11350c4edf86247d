// The settings dialog "詳細設定".
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QButtonGroup;

namespace sk {
class Game;
}

class TPropatyBox : public QDialog {
    Q_OBJECT
public:
    TPropatyBox(sk::Game& game, QWidget* parent = nullptr);

    // Difficulty 2 -> item 0, 4 -> item 1, 9 -> item 2, anything else keeps
    // the selected item; the three check boxes from the game's settings.
    void TransferSettingsToDialog();

    // The difficulty group's enabled state, hint and selection from the game.
    void SyncDifficultyGroup();

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    void BitBtn1Click();
    void DifficultBtnClick(int index);
    void TabToCheckedItem();
    void ShowDifficultyHint();
    // Check boxes widen to their captions, as far as their group allows.
    void FitTexts();
    void FormClose();

    sk::Game& game_;
    QGroupBox* DifficultBtn = nullptr;
    QButtonGroup* difficultyButtons_ = nullptr;
    QRadioButton* difficultyItems_[3] = {};
    QCheckBox* MouseLockB = nullptr;
    QCheckBox* WaveCheckB = nullptr;
    QCheckBox* BgmCheckB = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
