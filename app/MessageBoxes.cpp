#include "app/MessageBoxes.h"

#include "app/FrameGate.h"

#include <QApplication>
#include <QMessageBox>

namespace sk {

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

void Show(QWidget* owner, BoxKind kind, const QString& caption, const QString& text) {
    FrameHold hold;
    if (Hook()) {
        Hook()(owner, kind, caption, text);
        return;
    }
    QMessageBox box(kind == BoxKind::Error ? QMessageBox::Critical : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ShowInformation(QWidget* owner, const QString& caption, const QString& text) {
    Show(owner, BoxKind::Information, caption, text);
}

void ShowExceptionBox(const QString& text) {
    Show(QApplication::activeWindow(), BoxKind::Error, QApplication::applicationDisplayName(), text);
}

}  // namespace sk
