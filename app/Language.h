// The language the windows speak: the choice of the "操作と表示" dialog
// resolved against the player's preferred languages; the program's own
// translation (built in) and Qt's (Debian's qt6-translations-l10n) put in
// force for it; the windows' texts kept in the source language (the
// original Japanese) and shown translated. How to add a text:
// translations/README.md.
#pragma once

#include "game/CoreTexts.h"
#include "game/Extras.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace sk {

enum class UiLanguage { Japanese, English };

// Automatic is English when the first preferred language is one other than
// Japanese, and Japanese when it is Japanese or when none is set (an empty
// list, "C" or "POSIX"): a bare machine shows the original.
UiLanguage ResolveLanguage(Language choice, const QStringList& preferred);
// The same against the player's preferred languages,
// QLocale::system().uiLanguages() (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
UiLanguage ResolveLanguage(Language choice);

// Puts `language` in force: its translations are installed and every window
// has had its LanguageChange when this returns. Nothing happens when it is
// in force already.
void UseLanguage(UiLanguage language);
// Japanese until the first UseLanguage.
UiLanguage CurrentLanguage();
// The code the sound library's language hook takes: "ja" or "en".
const char* LanguageCode(UiLanguage language);

// A text of the core (game/CoreTexts.h) in the language in force; a message
// with its value in place of "%1".
QString CoreText(const char* source);
QString CoreText(const Message& message);

// A widget's caption (label, button, group title, or a window's title) and
// hint, given in the source language: shown translated in the context of
// the class of the widget's window, and again at every change of language
// once the window follows it.
void SetText(QWidget* widget, const char* source);
void SetHint(QWidget* widget, const char* source);
// Keeps a window's texts in the language in force: at every LanguageChange
// the window gets, its widgets' texts are translated again, then
// `afterwards` runs (texts made otherwise, sizes that follow the texts).
void FollowLanguage(QWidget* window, std::function<void()> afterwards = {});

}  // namespace sk
