// The version dialog "Version".
#pragma once

#include <QDialog>

namespace sk {
class Game;
}

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(sk::Game& game, QWidget* parent = nullptr);

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    sk::Game& game_;
};
