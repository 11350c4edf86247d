// The visible play area `MainScreen`: shows the game's screen bitmap 1:1 and
// passes mouse input on. Left button is 0, right is 1; others are ignored.
#pragma once

#include "game/Raster.h"

#include <QImage>
#include <QWidget>

class PlayArea : public QWidget {
    Q_OBJECT
public:
    PlayArea(const sk::Bitmap& screen, QWidget* parent = nullptr);

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
    const QImage& Image();

    const sk::Bitmap& screen_;
    QImage image_;
};
