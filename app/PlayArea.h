// The visible play area `MainScreen`: shows the game's Screen() 1:1 and
// passes mouse input on. Left button is 0, right is 1, any other 2.
#pragma once

#include "game/Game.h"

#include <QImage>
#include <QWidget>

class PlayArea : public QWidget {
    Q_OBJECT
public:
    explicit PlayArea(const sk::Game& game, QWidget* parent = nullptr);

signals:
    void MouseMoved(int x, int y);
    void MousePressed(int button, int x, int y);
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const QImage& Image(const sk::Bitmap& screen);

    const sk::Game& game_;
    QImage image_;
};
