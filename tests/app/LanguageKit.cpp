#include "LanguageKit.h"

#include "app/KeyBindingsBox.h"
#include "app/PlayOptionsBox.h"
#include "app/ReplayListBox.h"
#include "game/Headless.h"
#include "game/Pictures.h"
#include "scores/ReplayIndex.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace apptest {
namespace {

// The caption a widget shows and the width it needs (a label of several
// lines: its widest); empty for others.
std::pair<QString, int> Caption(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const int margins = 2 * label->margin() + std::max(label->indent(), 0);
        int widest = 0;
        for (const QString& line : label->text().split(QLatin1Char('\n'))) {
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        }
        return {label->text(), widest + margins};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return {button->text(), button->sizeHint().width()};
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return {group->title(), group->minimumSizeHint().width()};
    if (auto* bar = qobject_cast<QMenuBar*>(widget)) return {QStringLiteral("menu bar"), bar->sizeHint().width()};
    if (auto* tree = qobject_cast<QTreeView*>(widget)) {
        return {QStringLiteral("columns"), tree->header()->length() + 2 * tree->frameWidth()};
    }
    return {};
}

// A short game's replay, recorded on a core of its own.
std::vector<std::uint8_t> ShortGameReplay() {
    sk::NullWindowPort port;
    sk::Game game(port, sk::LoadPictures(), sk::SilentSound());
    std::vector<std::uint8_t> replay;
    game.RecordReplays([&replay](const std::vector<std::uint8_t>& file) { replay = file; });
    game.InitGame(sk::Settings{});
    game.StartBotClick();
    for (int frame = 0; frame < 50; ++frame) game.AppIdle();
    game.ResetBClick();
    return replay;
}

// The replay list with two rows: the last game and the same replay kept
// for rank 1.
QWidget* FilledReplayList(AppWindows& windows) {
    sk::Game& game = windows.MainForm.game();
    const std::vector<std::uint8_t> replay = ShortGameReplay();
    std::filesystem::create_directories(sk::kReplayFolder);
    sk::WriteFileAtomically(sk::kLastReplayFile, replay);
    game.Replays.Slots[0].Pending = replay;
    auto* box = windows.MainForm.findChild<TReplayListBox*>();
    if (box == nullptr) box = new TReplayListBox(game, &windows.MainForm);
    box->Fill();
    box->adjustSize();
    // Laid out as shown, though hidden: the button box's own layout too.
    box->layout()->activate();
    for (QLayout* layout : box->findChildren<QLayout*>()) layout->activate();
    return box;
}

}  // namespace

QList<QWidget*> LanguageWindows(AppWindows& windows, const QString& name) {
    if (name == QLatin1String("MainForm")) {
        QList<QWidget*> main{&windows.MainForm};
        for (const char* menu : {"GameB", "OptionB", "HelpB"}) main << windows.MainForm.findChild<QMenu*>(menu);
        return main;
    }
    if (name == QLatin1String("PlayOptionsBox")) {
        auto* box = windows.MainForm.findChild<TPlayOptionsBox*>();
        if (box == nullptr) box = new TPlayOptionsBox(windows.MainForm.game(), &windows.MainForm);
        box->Load(windows.MainForm.Extras(), {});
        return {box};
    }
    if (name == QLatin1String("KeyBindingsBox")) {
        auto* box = windows.MainForm.findChild<TKeyBindingsBox*>();
        if (box == nullptr) box = new TKeyBindingsBox(&windows.MainForm);
        box->Load(windows.MainForm.Extras().Keys);
        return {box};
    }
    if (name == QLatin1String("ReplayListBox")) return {FilledReplayList(windows)};
    if (name == QLatin1String("PropatyBox")) windows.PropatyBox.TransferSettingsToDialog();
    if (name == QLatin1String("HighScoreForm")) windows.HighScoreForm.RefreshLabels();
    if (name == QLatin1String("EnterScore")) {
        windows.EnterScore.Offer(2, 7500);
        windows.EnterScore.findChild<QLineEdit*>("PName")->setText(QStringLiteral("WWWWWWWW"));
    }
    for (QWidget* window : std::initializer_list<QWidget*>{&windows.PropatyBox, &windows.HighScoreForm,
                                                           &windows.EnterScore, &windows.AboutBox, &windows.LoadForm}) {
        if (window->objectName() == name) return {window};
    }
    return {};
}

QStringList ClippedTexts(QWidget* window) {
    QStringList clipped;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() != window || !widget->isVisibleTo(window)) continue;
        const auto [text, needed] = Caption(widget);
        if (text.isEmpty()) continue;
        const QString what = QStringLiteral("%1 \"%2\"").arg(widget->objectName(), text);
        if (needed > widget->width()) {
            clipped << QStringLiteral("%1 needs %2 px, has %3").arg(what).arg(needed).arg(widget->width());
        }
        const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
        if (qobject_cast<QLabel*>(widget) && lines > 1 && lines * widget->fontMetrics().height() > widget->height()) {
            clipped << what + QStringLiteral(" has too few lines");
        }
        if (!widget->parentWidget()->rect().contains(widget->geometry())) clipped << what + QStringLiteral(" sticks out");
    }
    return clipped;
}

}  // namespace apptest
