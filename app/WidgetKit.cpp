#include "app/WidgetKit.h"

#include "app/DialogFonts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <algorithm>

namespace sk {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QPoint pos, const QFont& font,
                 const QColor& color) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setMargin(0);
    label->setIndent(0);
    SetTextColor(label, color);
    label->setText(text);
    label->adjustSize();
    label->move(pos);
    return label;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect, const QFont& font,
                 Qt::Alignment alignment, const QColor& color) {
    QLabel* label = AddLabel(parent, name, text, rect.topLeft(), font, color);
    label->setAlignment(alignment | Qt::AlignTop);
    // The installed fonts run taller than the layout's: keep descenders and
    // underlines inside the label.
    const QSize needed = label->sizeHint();
    QRect room = rect.adjusted(0, 0, 0, std::max(0, needed.height() - rect.height()));
    // A centred caption wider than its label would lose both ends: widen it
    // evenly about its centre.
    const int extra = std::max(0, needed.width() - rect.width());
    if ((alignment & Qt::AlignHCenter) && extra > 0) room.adjust(-extra / 2, 0, extra - extra / 2, 0);
    label->setGeometry(room);
    return label;
}

void KeepInside(QLabel* label, int margin) {
    const int right = label->parentWidget()->width() - margin;
    const int overflow = label->geometry().right() + 1 - right;
    if (overflow > 0) label->move(std::max(margin, label->x() - overflow), label->y());
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QSize screenSize = screen->geometry().size();
    const QSize windowSize = window->frameGeometry().size();
    window->move((screenSize.width() - windowSize.width()) / 2, (screenSize.height() - windowSize.height()) / 2);
}

void SetDialogFrame(QWidget* window, bool closeBox) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint;
    if (closeBox) flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    window->setWindowFlags(flags);
}

QGroupBox* AddGroup(QWidget* parent, const char* name, const char* title, const QRect& rect) {
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(rect);
    return group;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const char* text, const QRect& rect, const char* hint) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(rect);
    if (hint != nullptr) box->setToolTip(QString::fromUtf8(hint));
    return box;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* text, const QRect& rect) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    button->setFont(GothicFont(13));
    return button;
}

void UseClassicLook(QWidget* window) {
    static QStyle* const classic = QStyleFactory::create(QStringLiteral("Windows"));
    if (classic == nullptr) return;
    window->setStyle(classic);
    for (QWidget* child : window->findChildren<QWidget*>()) child->setStyle(classic);
}

}  // namespace sk
