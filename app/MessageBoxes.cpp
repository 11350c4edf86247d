#include "app/MessageBoxes.h"

#include "app/FrameGate.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace sk {

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

QuestionHook& AnswerHook() {
    static QuestionHook hook;
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

void SetQuestionHook(QuestionHook hook) { AnswerHook() = std::move(hook); }

bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) {
    FrameHold hold;
    if (AnswerHook()) return AnswerHook()(owner, caption, text);
    if (Hook()) {
        Hook()(owner, BoxKind::Question, caption, text);
        return false;
    }
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QApplication::translate("MessageBoxes", "はい"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QApplication::translate("MessageBoxes", "いいえ"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void ShowInformation(QWidget* owner, const QString& caption, const QString& text) {
    Show(owner, BoxKind::Information, caption, text);
}

void ShowExceptionBox(const QString& text) {
    Show(QApplication::activeWindow(), BoxKind::Error, QApplication::applicationDisplayName(), text);
}

}  // namespace sk
