#include "app/HighScoreForm.h"

#include "app/DialogFonts.h"
#include "app/Language.h"
#include "app/WidgetKit.h"
#include "game/Game.h"
#include "scores/HighScores.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kRowHeight = 22;

int RowTop(int rank) { return 4 + kRowHeight * (rank - 1); }

// Ranks 1..9 carry the caption labels Label4..Label9 and Label15..Label17.
QByteArray RankLabelName(int rank) {
    const int number = rank <= 6 ? rank + 3 : rank + 8;
    return "Label" + QByteArray::number(number);
}

}  // namespace

THighScoreForm::THighScoreForm(sk::Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("HighScoreForm"));
    setWindowTitle(QStringLiteral("HighScore"));
    sk::SetDialogFrame(this, false);
    QFont windowFont = sk::GothicFont(12);
    windowFont.setItalic(true);
    setFont(windowFont);
    setFixedSize(245, 289);

    const QFont labelFont = sk::SystemFont(19);
    for (int rank = 1; rank <= 9; ++rank) {
        sk::AddLabel(this, RankLabelName(rank).constData(), QStringLiteral("Lank %1").arg(rank),
                     QRect(4, RowTop(rank), 65, 17), labelFont, Qt::AlignHCenter);
    }
    sk::AddLabel(this, "Label18", QStringLiteral("Lank"), QRect(2, 202, 50, 17), labelFont, Qt::AlignHCenter);
    sk::AddLabel(this, "Label19", QStringLiteral("10"), QPoint(48, 202), labelFont);

    for (int rank = 1; rank <= sk::kRanks; ++rank) {
        const QByteArray nameLabel = "Name" + QByteArray::number(rank);
        const QByteArray pointsLabel = "HSLabel" + QByteArray::number(rank % 10);
        names_[rank - 1] =
            sk::AddLabel(this, nameLabel.constData(), QStringLiteral("Varnok"), QPoint(76, RowTop(rank)), labelFont);
        points_[rank - 1] = sk::AddLabel(this, pointsLabel.constData(), QStringLiteral("0000000"),
                                         QRect(178, RowTop(rank), 64, 18), labelFont, Qt::AlignLeft);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(62, 228, 123, 24);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &THighScoreForm::BitBtn1Click);

    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    sk::SetText(CheckBox1, QT_TR_NOOP("ハイスコアをデフォルト設定に戻す"));
    CheckBox1->setFont(sk::GothicFont(12));
    CheckBox1->setGeometry(8, 264, 233, 17);

    ok->setFocus(Qt::OtherFocusReason);
    sk::IgnoreEscape(this);  // no cancel button
    sk::UseClassicLook(this);
    sk::FollowLanguage(this);
}

void THighScoreForm::RefreshLabels() {
    const sk::HighScoreTable& table = game_.HighScores;
    for (int i = 0; i < sk::kRanks; ++i) {
        names_[i]->setText(QString::fromStdString(sk::Cp932ToUtf8(table.HiName[i])));
        names_[i]->adjustSize();
        points_[i]->setText(QString::number(table.HiScore[i]));
    }
}

void THighScoreForm::ShowHighScores() {
    RefreshLabels();
    CheckBox1->setChecked(false);
    sk::CentreOnScreen(this);
    exec();
}

void THighScoreForm::BitBtn1Click() {
    if (CheckBox1->isChecked()) {
        game_.ResetHighScoreTable();
        RefreshLabels();
    }
    accept();
}
