#include "app/AboutBox.h"

#include "app/DialogFonts.h"
#include "app/Language.h"
#include "app/WidgetKit.h"
#include "game/Game.h"
#include "game/Pictures.h"

#include <QDesktopServices>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>

namespace {

constexpr const char* kFirstCredit = "Code & Art: Skarbolt 98 Team";
constexpr const char* kSecondCredit = "Sound: Skarbolt 98 Team  2026";

QPixmap EmbeddedPixmap(const char* name) {
    const auto data = sk::EmbeddedPicture(name);
    const QImage image =
        QImage::fromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()), "PNG");
    return QPixmap::fromImage(image);
}

}  // namespace

TAboutBox::TAboutBox(sk::Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Version"));
    sk::SetDialogFrame(this, true);
    setFont(sk::GothicFont(12));
    setFixedSize(251, 151);
    setWindowIcon(QIcon(EmbeddedPixmap("AboutIcon")));
    setMouseTracking(true);

    auto* bevel2 = new QFrame(this);
    bevel2->setObjectName(QStringLiteral("Bevel2"));
    bevel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel2->setGeometry(6, 6, 36, 36);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(EmbeddedPixmap("Icon"));
    image1->setGeometry(8, 8, 32, 32);

    sk::AddLabel(this, "Label5", QStringLiteral("Skarbolt 98"), QPoint(48, 8), sk::GothicFont(16));
    QLabel* version = sk::AddLabel(this, "Label6", QStringLiteral("Version 0.72"), QPoint(168, 24), sk::GothicFont(15));
    sk::KeepInside(version, 6);
    sk::AddLabel(this, "Label2", QString::fromUtf8(kFirstCredit), QPoint(8, 56), sk::GothicFont(15));
    sk::AddLabel(this, "Label1", QString::fromUtf8(kSecondCredit), QPoint(8, 72), sk::GothicFont(15));

    URL = sk::AddLabel(this, "URL", QString::fromUtf8(kHomePage), QRect(8, 88, 235, 15), sk::GothicFont(15),
                       Qt::AlignHCenter, Qt::blue);
    sk::SetHint(URL, QT_TR_NOOP("ホームページへ"));
    URL->setCursor(Qt::PointingHandCursor);
    URL->setMouseTracking(true);
    URL->installEventFilter(this);

    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName(QStringLiteral("Bevel1"));
    bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel1->setGeometry(8, 111, 233, 2);

    auto* button1 = new QPushButton(QStringLiteral("OK"), this);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->setFont(sk::GothicFont(16));
    button1->setGeometry(64, 120, 121, 25);
    connect(button1, &QPushButton::clicked, this, &QDialog::accept);
    button1->setFocus(Qt::OtherFocusReason);
    sk::IgnoreEscape(this);  // no cancel button
    sk::UseClassicLook(this);
    sk::FollowLanguage(this);
}

void TAboutBox::SetLinkUnderlined(bool underlined) {
    QFont font = URL->font();
    font.setUnderline(underlined);
    URL->setFont(font);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == URL) {
        if (event->type() == QEvent::MouseMove) {
            SetLinkUnderlined(true);
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            URLMouseDown();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::mouseMoveEvent(QMouseEvent* event) {
    SetLinkUnderlined(false);
    QDialog::mouseMoveEvent(event);
}

// Whether the address could be opened is not reported: the dialog closes.
void TAboutBox::URLMouseDown() {
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(kHomePage)));
    SetLinkUnderlined(false);
    accept();
}

void TAboutBox::showEvent(QShowEvent* event) {
    sk::CentreOnScreen(this);
    QDialog::showEvent(event);
}

void TAboutBox::done(int result) {
    QDialog::done(result);
    game_.ResumeGame();
}
