// The version dialog "Version".
#pragma once

#include <QDialog>

class QLabel;

namespace sk {
class Game;
}

// The web page the version dialog links to; shown as the link's caption.
inline constexpr const char* kHomePage = "https://skarbolt98.example.org/";

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(sk::Game& game, QWidget* parent = nullptr);

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetLinkUnderlined(bool underlined);
    void URLMouseDown();

    sk::Game& game_;
    QLabel* URL = nullptr;
};
