// Renders every window, in both languages, for a look by eye when the folder
// named by SKARBOLT_DIALOG_SHOTS is given: one PNG per window and language,
// and the contact sheet windows.png of them all (docs/windows.png is one).
// Checks that each draws at its size.
#include "ShellFixture.h"
#include "app/DialogFonts.h"
#include "app/Language.h"
#include "scores/HighScores.h"
#include "tests/app/LanguageKit.h"

#include <QDir>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr const char* kWindows[] = {"MainForm",      "PropatyBox", "PlayOptionsBox", "KeyBindingsBox",
                                    "HighScoreForm", "EnterScore", "AboutBox",       "LoadForm",
                                    "ReplayListBox"};
constexpr int kGap = 12;
constexpr int kCaptionHeight = 18;

struct Picture {
    QString Caption;
    QImage Image;
};

QImage Grab(QWidget* window) {
    if (auto* menu = qobject_cast<QMenu*>(window)) {
        menu->popup(QPoint(0, 0));
    } else {
        window->show();
    }
    const QImage image = window->grab().toImage();
    window->hide();
    return image;
}

// Two columns, Japanese and English; a row per window, its caption above it.
QImage ContactSheet(const std::vector<Picture>& japanese, const std::vector<Picture>& english) {
    int columnWidth = 0, height = kGap;
    for (size_t i = 0; i < japanese.size(); ++i) {
        columnWidth = std::max({columnWidth, japanese[i].Image.width(), english[i].Image.width()});
        height += kCaptionHeight + std::max(japanese[i].Image.height(), english[i].Image.height()) + kGap;
    }
    QImage sheet(kGap + 2 * (columnWidth + kGap), height, QImage::Format_RGB32);
    sheet.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter painter(&sheet);
    painter.setFont(sk::GothicFont(13));
    int y = kGap;
    for (size_t i = 0; i < japanese.size(); ++i) {
        int x = kGap;
        for (const Picture* picture : {&japanese[i], &english[i]}) {
            painter.drawText(QRect(x, y, columnWidth, kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             picture->Caption);
            painter.drawImage(x, y + kCaptionHeight, picture->Image);
            x += columnWidth + kGap;
        }
        y += kCaptionHeight + std::max(japanese[i].Image.height(), english[i].Image.height()) + kGap;
    }
    return sheet;
}

class DialogPictures : public apptest::ShellTest {
protected:
    void TearDown() override {
        sk::UseLanguage(sk::UiLanguage::Japanese);
        ShellTest::TearDown();
    }

    // Names of every kind in the table, as the windows show them.
    void FillTable() {
        sk::HighScoreTable& table = Game().HighScores;
        sk::ResetHighScores(table);
        table.HiName[0] = "WWWWWWWW";
        table.HiName[1] = "Somebody";
        table.HiName[2] = sk::Utf8ToCp932("隼太郎");
        table.HiName[3] = sk::Utf8ToCp932("ＭＭＭＭ");
    }

    std::vector<Picture> Pictures(sk::UiLanguage language) {
        sk::UseLanguage(language);
        std::vector<Picture> pictures;
        for (const char* name : kWindows) {
            for (QWidget* window : apptest::LanguageWindows(Windows(), QString::fromLatin1(name))) {
                const QImage image = Grab(window);
                if (qobject_cast<QMenu*>(window) == nullptr) EXPECT_EQ(image.size(), window->size()) << name;
                const QString title = qobject_cast<QMenu*>(window) ? static_cast<QMenu*>(window)->title()
                                                                   : window->windowTitle();
                const QString caption = QStringLiteral("%1: %2").arg(QString::fromLatin1(name), title);
                pictures.push_back({QString(caption).remove(QLatin1Char('&')), image});
            }
        }
        return pictures;
    }
};

TEST_F(DialogPictures, EveryWindowDrawsAtItsSizeInBothLanguages) {
    Start();
    FillTable();
    const std::vector<Picture> japanese = Pictures(sk::UiLanguage::Japanese);
    const std::vector<Picture> english = Pictures(sk::UiLanguage::English);
    ASSERT_EQ(japanese.size(), english.size());

    const QString folder = qEnvironmentVariable("SKARBOLT_DIALOG_SHOTS");
    if (folder.isEmpty()) return;
    for (size_t i = 0; i < japanese.size(); ++i) {
        const QString name = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(japanese[i].Image.save(QDir(folder).filePath(name + QStringLiteral("-ja.png"))));
        ASSERT_TRUE(english[i].Image.save(QDir(folder).filePath(name + QStringLiteral("-en.png"))));
    }
    ASSERT_TRUE(ContactSheet(japanese, english).save(QDir(folder).filePath(QStringLiteral("windows.png"))));
}

}  // namespace
