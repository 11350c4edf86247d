#include "app/EnterScore.h"

#include "app/DialogFonts.h"
#include "app/WidgetKit.h"
#include "game/Game.h"
#include "scores/HighScores.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sk {

QValidator::State PlayerNameValidator::validate(QString& input, int& /*pos*/) const {
    for (const QChar c : input) {
        if (c.unicode() <= 0x20 || c.category() == QChar::Other_Control) return Invalid;
    }
    return Acceptable;
}

}  // namespace sk

namespace {

constexpr int kNameLength = 8;

}  // namespace

TEnterScore::TEnterScore(sk::Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("EnterScore"));
    setWindowTitle(QStringLiteral("A New Record !"));
    sk::SetDialogFrame(this, false);
    setFont(sk::GothicFont(12));
    setFixedSize(251, 139);

    sk::AddLabel(this, "Label2", QStringLiteral("Congraturations!"), QRect(6, 0, 239, 31),
                 sk::TimesFont(27, true), Qt::AlignHCenter);
    StLabel = sk::AddLabel(this, "StLabel", QStringLiteral("10"), QPoint(96, 33), sk::TimesFont(27, true, true));
    sk::AddLabel(this, "Label5", QStringLiteral("st"), QPoint(128, 43), sk::TimesFont(19, true, true));
    sk::AddLabel(this, "Label1", QStringLiteral("Enter Your Name Please!"), QPoint(6, 64),
                 sk::TimesFont(16, false, true));

    PName = new QLineEdit(QStringLiteral("Varnok"), this);
    PName->setObjectName(QStringLiteral("PName"));
    PName->setGeometry(34, 85, 91, 26);
    PName->setFont(sk::SystemFont(19));
    PName->setMaxLength(kNameLength);
    PName->setValidator(new sk::PlayerNameValidator(PName));
    PName->setInputMethodHints(Qt::ImhPreferLatin);

    LabelS = sk::AddLabel(this, "LabelS", QStringLiteral("0000000"), QRect(130, 88, 64, 18), sk::SystemFont(19),
                          Qt::AlignRight);
    sk::AddLabel(this, "Label4", QStringLiteral("Point"), QPoint(200, 86), sk::TimesFont(19, true));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(58, 112, 119, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TEnterScore::BitBtn1Click);

    setTabOrder(PName, ok);
    PName->setFocus(Qt::OtherFocusReason);
    // No cancel button: only the window's own close (Alt+F4, the window
    // manager's close) hides it without an entry.
    sk::IgnoreEscape(this);
    sk::UseClassicLook(this);
}

void TEnterScore::Offer(int rank, int points) {
    StLabel->setText(QString::number(rank));
    StLabel->adjustSize();
    PName->clear();
    LabelS->setText(QString::number(points));
    sk::CentreOnScreen(this);
    show();
    raise();
    activateWindow();
    PName->setFocus(Qt::OtherFocusReason);
}

void TEnterScore::BitBtn1Click() {
    const int k = StLabel->text().toInt() - 1;
    if (k >= 0 && k < sk::kRanks) {
        game_.EnterHighScore(k, LabelS->text().toInt(), sk::Utf8ToCp932(PName->text().toStdString()));
    }
    accept();
}

