// Renders every dialog into PNG files for a look by eye, when the folder
// named by SKARBOLT_DIALOG_SHOTS is given; checks that each one draws.
#include "app/AboutBox.h"
#include "app/LoadForm.h"
#include "app/PropatyBox.h"
#include "app/EnterScore.h"
#include "app/HighScoreForm.h"
#include "scores/HighScores.h"
#include "tests/app/DialogTestKit.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

void Keep(QWidget& window, const char* name) {
    window.show();
    const QImage image = window.grab().toImage();
    window.hide();
    ASSERT_EQ(image.size(), window.size()) << name;
    const QString folder = qEnvironmentVariable("SKARBOLT_DIALOG_SHOTS");
    if (!folder.isEmpty()) {
        ASSERT_TRUE(image.save(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"))));
    }
}

TEST(DialogPictures, EveryDialogDrawsAtItsSize) {
    dialogtest::TitleGame t;
    sk::ResetHighScores(t.game.HighScores);
    t.game.HighScores.HiName[0] = "WWWWWWWW";
    t.game.HighScores.HiName[1] = "Somebody";
    t.game.HighScores.HiName[2] = sk::Utf8ToCp932("隼太郎");
    t.game.HighScores.HiName[3] = sk::Utf8ToCp932("ＭＭＭＭ");

    TPropatyBox settings(t.game);
    settings.TransferSettingsToDialog();
    Keep(settings, "PropatyBox");

    TAboutBox about(t.game);
    Keep(about, "AboutBox");

    TLoadForm loading;
    Keep(loading, "LoadForm");

    THighScoreForm scores(t.game);
    scores.RefreshLabels();
    Keep(scores, "HighScoreForm");

    TEnterScore entry(t.game);
    entry.Offer(2, 7500);
    dialogtest::Child<QLineEdit>(entry, "PName")->setText(QStringLiteral("WWWWWWWW"));
    Keep(entry, "EnterScore");
}

}  // namespace
