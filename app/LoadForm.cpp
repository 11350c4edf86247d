#include "app/LoadForm.h"

#include "app/DialogFonts.h"
#include "app/WidgetKit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QProgressBar>

TLoadForm::TLoadForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LoadForm"));
    setWindowTitle(QStringLiteral("NowLoading..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint |
                   Qt::WindowStaysOnTopHint);
    setFixedSize(242, 481);

    auto* edit1 = new QLineEdit(QStringLiteral("NowLoading..."), this);
    edit1->setObjectName(QStringLiteral("Edit1"));
    edit1->setFrame(false);
    edit1->setFont(sk::TimesFont(29, true));
    QPalette palette = edit1->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, QColor(0, 0, 128));
    edit1->setPalette(palette);
    edit1->setGeometry(32, 16, 185, 40);

    auto* loadBar = new QProgressBar(this);
    loadBar->setObjectName(QStringLiteral("LoadBar"));
    loadBar->setRange(0, 100);
    loadBar->setValue(0);
    loadBar->setTextVisible(false);
    loadBar->setGeometry(8, 64, 225, 17);
    loadBar->setFocusPolicy(Qt::StrongFocus);

    QLabel* loadPoint = sk::AddLabel(this, "LoadPoint", QStringLiteral("0 %"), QPoint(96, 82), sk::TimesFont(15));
    loadPoint->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* memo1 = new QPlainTextEdit(this);
    memo1->setObjectName(QStringLiteral("Memo1"));
    memo1->setGeometry(16, 112, 209, 353);

    loadBar->setFocus(Qt::OtherFocusReason);
    sk::UseClassicLook(this);
    sk::CentreOnScreen(this);
}
