#include "app/PropatyBox.h"

#include "app/DialogFonts.h"
#include "app/Language.h"
#include "app/WidgetKit.h"
#include "game/Game.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr const char* kDifficultyItems[3] = {
    QT_TRANSLATE_NOOP("TPropatyBox", "簡単　　…　マウスゲーム初心者用"),
    QT_TRANSLATE_NOOP("TPropatyBox", "普通　　…　一般人用　（やや難しい）"),
    QT_TRANSLATE_NOOP("TPropatyBox", "難しい　…　シューティングの達人用"),
};

// The installed fonts run wider than the layout's: a caption that would be
// cut off gets the room it needs, up to its group's inner edge.
void WidenToText(QCheckBox* box) {
    const int room = box->parentWidget()->width() - box->x() - 4;
    const int wanted = std::min(box->sizeHint().width(), room);
    if (wanted > box->width()) box->resize(wanted, box->height());
}

}  // namespace

TPropatyBox::TPropatyBox(sk::Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("PropatyBox"));
    sk::SetText(this, QT_TR_NOOP("詳細設定"));
    sk::SetDialogFrame(this, true);
    setFont(sk::GothicFont(12));
    setFixedSize(266, 306);

    DifficultBtn = sk::AddGroup(this, "DifficultBtn", QT_TR_NOOP("難易度"), QRect(8, 8, 249, 97));
    difficultyButtons_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(DifficultBtn);
        item->setObjectName(QStringLiteral("DifficultBtnItem%1").arg(i));
        sk::SetText(item, kDifficultyItems[i]);
        item->setGeometry(8, 14 + 26 * i, 229, 26);
        difficultyButtons_->addButton(item, i);
        difficultyItems_[i] = item;
    }
    connect(difficultyButtons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) DifficultBtnClick(id);
        TabToCheckedItem();
    });

    auto* groupBox2 = sk::AddGroup(this, "GroupBox2", QT_TR_NOOP("システム設定"), QRect(8, 120, 249, 41));
    MouseLockB = sk::AddCheckBox(groupBox2, "MouseLockB", QT_TR_NOOP("マウスカーソルの動作範囲を制限する"),
                                 QRect(16, 16, 225, 17), QT_TR_NOOP("通常はオンにしてください"));

    auto* groupBox1 = sk::AddGroup(this, "GroupBox1", QT_TR_NOOP("デバッグ設定"), QRect(8, 176, 249, 89));
    WaveCheckB = sk::AddCheckBox(groupBox1, "WaveCheckB", QT_TR_NOOP("効果音の再生"), QRect(16, 16, 169, 17),
                                 QT_TR_NOOP("効果音の再生"));
    BgmCheckB = sk::AddCheckBox(groupBox1, "BgmCheckB", QT_TR_NOOP("BGMを流す（次回の起動から有効）"),
                                QRect(16, 40, 209, 17), QT_TR_NOOP("切り替え後、再起動してください"));
    BgmCheckB->setFont(sk::GothicFont(13));
    auto* keyboardBox = sk::AddCheckBox(groupBox1, "CheckBox1", "", QRect(16, 64, 17, 17), nullptr);
    keyboardBox->setEnabled(false);

    // An engraved caption: the white copy shows one pixel right and below
    // the grey one lying over it.
    Label8 = sk::AddLabel(groupBox1, "Label8", QString(), QRect(36, 67, 160, 12), sk::GothicFont(12),
                          Qt::AlignLeft, Qt::white);
    Label7 = sk::AddLabel(groupBox1, "Label7", QString(), QRect(35, 66, 160, 12), sk::GothicFont(12),
                          Qt::AlignLeft, Qt::gray);
    for (QLabel* label : {Label8, Label7}) {
        sk::SetText(label, QT_TR_NOOP("キーボードで操作する（未対応）"));
        sk::SetHint(label, QT_TR_NOOP("将来、対応するかもしれません"));
    }
    Label7->raise();

    BitBtn1 = sk::AddButton(this, "BitBtn1", QT_TR_NOOP("設定完了"), QRect(16, 272, 113, 25));
    BitBtn1->setDefault(true);
    BitBtn2 = sk::AddButton(this, "BitBtn2", QT_TR_NOOP("キャンセル"), QRect(136, 272, 113, 25));
    connect(BitBtn1, &QPushButton::clicked, this, &TPropatyBox::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BgmCheckB);
    setTabOrder(BgmCheckB, WaveCheckB);
    setTabOrder(WaveCheckB, keyboardBox);
    setTabOrder(keyboardBox, MouseLockB);
    setTabOrder(MouseLockB, difficultyItems_[0]);
    setTabOrder(difficultyItems_[0], difficultyItems_[1]);
    setTabOrder(difficultyItems_[1], difficultyItems_[2]);
    BitBtn1->setFocus(Qt::OtherFocusReason);

    SyncDifficultyGroup();
    sk::UseClassicLook(this);
    FitTexts();
    sk::FollowLanguage(this, [this] {
        ShowDifficultyHint();
        FitTexts();
    });
}

void TPropatyBox::FitTexts() {
    for (QCheckBox* box : {MouseLockB, WaveCheckB, BgmCheckB}) WidenToText(box);
}

void TPropatyBox::ShowDifficultyHint() { DifficultBtn->setToolTip(sk::CoreText(game_.S.Shell.DifficultyHint.c_str())); }

void TPropatyBox::TransferSettingsToDialog() {
    const sk::GameState& s = game_.S;
    game_.TransferSettingsToDialog();
    SyncDifficultyGroup();
    BgmCheckB->setChecked(s.MusicOnNext);
    WaveCheckB->setChecked(s.SoundOn);
    MouseLockB->setChecked(s.MouseLock);
}

void TPropatyBox::SyncDifficultyGroup() {
    const sk::ShellState& shell = game_.S.Shell;
    DifficultBtn->setEnabled(shell.DifficultyEnabled);
    ShowDifficultyHint();
    const int index = shell.DifficultyIndex;
    if (index >= 0 && index < 3) {
        difficultyItems_[index]->setChecked(true);
    } else {
        // No item selected: an exclusive group cannot uncheck its last button.
        difficultyButtons_->setExclusive(false);
        for (QRadioButton* item : difficultyItems_) item->setChecked(false);
        difficultyButtons_->setExclusive(true);
    }
    TabToCheckedItem();
}

// Tab enters the group on its checked item (the first when none is), so that
// Space there does not change the difficulty; the arrow keys move inside.
void TPropatyBox::TabToCheckedItem() {
    const int checked = std::max(difficultyButtons_->checkedId(), 0);
    for (int i = 0; i < 3; ++i) difficultyItems_[i]->setFocusPolicy(i == checked ? Qt::StrongFocus : Qt::ClickFocus);
}

void TPropatyBox::DifficultBtnClick(int index) { game_.DifficultBtnClick(index); }

void TPropatyBox::BitBtn1Click() {
    game_.TransferSettingsFromDialog(difficultyButtons_->checkedId(), BgmCheckB->isChecked(),
                                     WaveCheckB->isChecked(), MouseLockB->isChecked());
    accept();
}

void TPropatyBox::FormClose() {
    if (game_.S.Shell.StopB.Checked) game_.StopBClick();
}

void TPropatyBox::done(int result) {
    QDialog::done(result);
    FormClose();
}

void TPropatyBox::showEvent(QShowEvent* event) {
    SyncDifficultyGroup();
    QDialog::showEvent(event);
}
