// The program's message boxes. Frames wait while one is open. Tests replace
// the boxes by a hook so that nothing modal blocks them.
#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace sk {

enum class BoxKind { Information, Error, Question };

using MessageBoxHook =
    std::function<void(QWidget* owner, BoxKind kind, const QString& caption, const QString& text)>;

// Replaces the boxes (an empty hook restores the real ones). A question
// handed to the hook is answered "no", unless a question hook answers it.
void SetMessageBoxHook(MessageBoxHook hook);
using QuestionHook = std::function<bool(QWidget* owner, const QString& caption, const QString& text)>;
void SetQuestionHook(QuestionHook hook);

// A modal box with one OK button.
void ShowInformation(QWidget* owner, const QString& caption, const QString& text);

// A modal box that asks: "yes" and "no" buttons, "no" the default and
// Esc's. True for "yes".
bool AskYesNo(QWidget* owner, const QString& caption, const QString& text);

// The error box for an exception that reached the event loop: its text.
void ShowExceptionBox(const QString& text);

// Runs `action`; an exception it throws is shown in the error box, and the
// program goes on.
template <class Action>
void Guarded(Action&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowExceptionBox(QString::fromUtf8(e.what()));
    }
}

}  // namespace sk
