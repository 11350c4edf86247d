#include "app/EnterScore.h"

#include "app/DialogFonts.h"
#include "app/WidgetKit.h"
#include "game/Game.h"
#include "scores/HighScores.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace sk {

QValidator::State PlayerNameValidator::validate(QString& input, int& /*pos*/) const {
    for (const QChar c : input) {
        if (c.unicode() <= 0x20 || c.category() == QChar::Other_Control) return Invalid;
    }
    return Acceptable;
}

QChar StepNameCharacter(QChar c, int step) {
    static const QString ring = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.-_!?&");
    const int at = ring.indexOf(c);
    if (c.isNull() || at < 0) return step > 0 ? ring.front() : ring.back();
    const int count = static_cast<int>(ring.size());
    return ring[((at + step) % count + count) % count];
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


// The pad's cursor is on a character (selected) or on the free place after
// the name (the text cursor there); the name never grows past eight.
int TEnterScore::PadCursor() const {
    return PName->hasSelectedText() ? PName->selectionStart() : PName->cursorPosition();
}

void TEnterScore::ShowPadCursor(int at) {
    PName->setFocus(Qt::OtherFocusReason);
    if (at < PName->text().size()) {
        PName->setSelection(at, 1);
    } else {
        PName->setCursorPosition(at);
    }
}

void TEnterScore::PadPressed(sk::PadPress press) {
    using sk::PadPress;
    if (press == PadPress::Accept) {
        BitBtn1Click();
        return;
    }
    // A word being composed in the input method is kept as it stands.
    if (PName->hasFocus()) QGuiApplication::inputMethod()->commit();
    QString name = PName->text();
    int at = std::min(PadCursor(), static_cast<int>(name.size()));
    const bool onCharacter = at < name.size();
    switch (press) {
        case PadPress::Up:
        case PadPress::Down: {
            const int step = press == PadPress::Up ? 1 : -1;
            if (onCharacter) {
                name[at] = sk::StepNameCharacter(name[at], step);
            } else if (name.size() < kNameLength) {
                name.insert(at, sk::StepNameCharacter(QChar(), step));
            }
            break;
        }
        case PadPress::Right:
            if (onCharacter && at + 1 < kNameLength) ++at;
            break;
        case PadPress::Left:
            if (at > 0) --at;
            break;
        default:  // B: the character under the cursor, or the last one from the free place
            if (onCharacter) {
                name.remove(at, 1);
            } else if (at > 0) {
                name.remove(--at, 1);
            }
            break;
    }
    if (name != PName->text()) PName->setText(name);
    ShowPadCursor(at);
}
