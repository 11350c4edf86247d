#include "app/Language.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

#include <optional>

namespace sk {
namespace {

// Where SetText and SetHint keep a widget's source texts.
constexpr const char* kSourceText = "skSourceText";
constexpr const char* kSourceHint = "skSourceHint";

struct Translators {
    QTranslator Program;  // the program's own texts, English only
    QTranslator Qt;       // Qt's standard buttons and menus, Japanese only
    std::optional<UiLanguage> InForce;
};

Translators& Installed() {
    static Translators translators;
    return translators;
}

QString Translated(const QWidget* widget, const QByteArray& source) {
    return QCoreApplication::translate(widget->window()->metaObject()->className(), source.constData());
}

void ShowText(QWidget* widget, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    } else {
        widget->setWindowTitle(text);
    }
}

void RetranslateTexts(QWidget* window) {
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        const QVariant text = widget->property(kSourceText);
        if (text.isValid()) ShowText(widget, Translated(widget, text.toByteArray()));
        const QVariant hint = widget->property(kSourceHint);
        if (hint.isValid()) widget->setToolTip(Translated(widget, hint.toByteArray()));
    }
}

class LanguageFollower : public QObject {
public:
    LanguageFollower(QWidget* window, std::function<void()> afterwards)
        : QObject(window), window_(window), afterwards_(std::move(afterwards)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::LanguageChange) {
            RetranslateTexts(window_);
            if (afterwards_) afterwards_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window_;
    std::function<void()> afterwards_;
};

}  // namespace

UiLanguage ResolveLanguage(Language choice, const QStringList& preferred) {
    if (choice == Language::Japanese) return UiLanguage::Japanese;
    if (choice == Language::English) return UiLanguage::English;
    const QString first = preferred.value(0);
    if (first.isEmpty() || first == QLatin1String("C") || first == QLatin1String("POSIX")) {
        return UiLanguage::Japanese;
    }
    return QLocale(first).language() == QLocale::Japanese ? UiLanguage::Japanese : UiLanguage::English;
}

UiLanguage ResolveLanguage(Language choice) { return ResolveLanguage(choice, QLocale::system().uiLanguages()); }

void UseLanguage(UiLanguage language) {
    Translators& translators = Installed();
    if (translators.InForce == language) return;
    QCoreApplication::removeTranslator(&translators.Program);
    QCoreApplication::removeTranslator(&translators.Qt);
    if (language == UiLanguage::English) {
        if (translators.Program.load(QStringLiteral(":/i18n/skarbolt_en.qm"))) {
            QCoreApplication::installTranslator(&translators.Program);
        }
    } else if (translators.Qt.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&translators.Qt);
    }
    translators.InForce = language;
    // The application posts LanguageChange to each window: deliver it now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

UiLanguage CurrentLanguage() { return Installed().InForce.value_or(UiLanguage::Japanese); }

const char* LanguageCode(UiLanguage language) { return language == UiLanguage::English ? "en" : "ja"; }

QString CoreText(const char* source) { return QCoreApplication::translate(kCoreTextContext, source); }

QString CoreText(const Message& message) {
    const QString text = CoreText(message.Text);
    return text.contains(QLatin1String("%1")) ? text.arg(QString::fromStdString(message.Value)) : text;
}

void SetText(QWidget* widget, const char* source) {
    widget->setProperty(kSourceText, QByteArray(source));
    ShowText(widget, Translated(widget, source));
}

void SetHint(QWidget* widget, const char* source) {
    widget->setProperty(kSourceHint, QByteArray(source));
    widget->setToolTip(Translated(widget, source));
}

void FollowLanguage(QWidget* window, std::function<void()> afterwards) {
    window->installEventFilter(new LanguageFollower(window, std::move(afterwards)));
}

}  // namespace sk
