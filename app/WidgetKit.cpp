#include "app/WidgetKit.h"

#include "app/DialogFonts.h"
#include "app/Language.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace sk {
namespace {

// Swallows Esc on its way up to the dialog, whichever child had it first.
class EscapeSwallower : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Activates its owner when the window it watches is hidden.
class FocusReturner : public QObject {
public:
    FocusReturner(QWidget* owner, QObject* parent) : QObject(parent), owner_(owner) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && owner_->isVisible()) owner_->activateWindow();
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* owner_;
};

}  // namespace

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

// The widget is moved first, so that showing it does not move its native
// window back to the client position; the native window then asks the
// window manager to put the frame's corner there.
void PlaceFrame(QWidget* window, QPoint topLeft) {
    window->move(topLeft);
    window->winId();
    window->windowHandle()->setFramePosition(topLeft);
}

QMargins FrameMargins(QWidget* window) {
    window->winId();
    const QMargins own = window->windowHandle()->frameMargins();
    if (!own.isNull()) return own;
    for (QWidget* other : QApplication::topLevelWidgets()) {
        const QWindow* handle = other->windowHandle();
        if (other != window && other->isVisible() && handle && !handle->frameMargins().isNull()) {
            return handle->frameMargins();
        }
    }
    return own;
}

void CentreOnScreen(QWidget* window, const QScreen* screen) {
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize frameSize = window->size().grownBy(FrameMargins(window));
    PlaceFrame(window, area.topLeft() + QPoint((area.width() - frameSize.width()) / 2,
                                               (area.height() - frameSize.height()) / 2));
}

void SetDialogFrame(QWidget* window, bool closeBox) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint;
    if (closeBox) flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    window->setWindowFlags(flags);
}

QGroupBox* AddGroup(QWidget* parent, const char* name, const char* title, const QRect& rect) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(rect);
    SetText(group, title);
    return group;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const char* text, const QRect& rect, const char* hint) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(rect);
    if (*text != '\0') SetText(box, text);
    if (hint != nullptr) SetHint(box, hint);
    return box;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* text, const QRect& rect) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    SetText(button, text);
    button->setFont(GothicFont(13));
    return button;
}

void IgnoreEscape(QDialog* dialog) { dialog->installEventFilter(new EscapeSwallower(dialog)); }

void ReturnFocusOnClose(QWidget* dialog, QWidget* owner) {
    dialog->installEventFilter(new FocusReturner(owner, dialog));
}

void UseClassicLook(QWidget* window) {
    static QStyle* const classic = QStyleFactory::create(QStringLiteral("Windows"));
    if (classic == nullptr) return;
    window->setStyle(classic);
    for (QWidget* child : window->findChildren<QWidget*>()) child->setStyle(classic);
}

}  // namespace sk
