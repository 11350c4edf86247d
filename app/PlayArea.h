// The visible play area `MainScreen`: shows the game's Screen() 1:1 and
// passes mouse input on. Left button is 0, right is 1, any other 2.
// On X11 each frame goes straight to a native window through shared memory;
// elsewhere (Wayland, offscreen) it is painted through the widget.
#pragma once

#include "app/ShmPresenter.h"
#include "game/Game.h"

#include <QImage>
#include <QWidget>

#include <memory>

class PlayArea : public QWidget {
    Q_OBJECT
public:
    explicit PlayArea(const sk::Game& game, QWidget* parent = nullptr);
    ~PlayArea() override;

    // Shows the `changed` part of the game's screen at once; the rest of the
    // window still shows the screen as it stood before.
    void Present(const QRegion& changed);
    // True when frames go straight to the window.
    bool PresentsDirectly() const { return direct_ != nullptr; }
    // Shows another game's screen from now on (a replay's), repainting all.
    void ShowGame(const sk::Game& game);

signals:
    void MouseMoved(int x, int y);
    void MousePressed(int button, int x, int y);
    void DoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const QImage& Image(const sk::Bitmap& screen);
    void OpenDirectPath();

    const sk::Game* game_;
    QImage image_;
    std::unique_ptr<ShmPresenter> direct_;
    bool directTried_ = false;
};
