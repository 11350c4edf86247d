// The main window's client area: the play area `MainScreen` over the status
// bar, 632 x 434, shown as it is or through the zoomed view (2x, 3x, full
// screen by whole factors or fitted). It presents the rows each frame
// changed, mirrors the status bar and the play area's height, sizes the
// window for a zoom, and gives the cursor confinement rectangle. In full
// screen the zoomed view covers the whole window, so that the menu bar shown
// over it leaves the picture as it is. It knows the window only as a
// QMainWindow.
#pragma once

#include "game/Extras.h"
#include "game/Game.h"

#include <QObject>
#include <QRect>

#include <memory>
#include <span>

class PlayArea;
class QMainWindow;
class QWidget;
class StatusBar;

namespace sk {

class ZoomView;

class ClientView : public QObject {
    Q_OBJECT
public:
    // Makes the client the window's central widget.
    ClientView(QMainWindow* window, const Game& game);
    ~ClientView() override;

    PlayArea* MainScreen() const { return mainScreen_; }
    // The zoomed view while it shows the client (zoom above 1x, full screen,
    // or a fractional screen scale); null while the client shows itself.
    ZoomView* ShownZoomView() const;

    // Shows the rows of the game's screen that a frame changed.
    void Present(std::span<const RowSpan> rows);
    // Between frames only the status bar can change what the client shows:
    // the zoomed view draws it again.
    void RefreshStatusBar();
    // The status bar and the play area's height as the game has them.
    void Mirror(const ShellState& shell);

    // Shows the client at `zoom`: the window fitted to it (centred when that
    // changed its size), or the whole screen, scaled as `scaling` says.
    void ApplyZoom(Zoom zoom, FullScreenScaling scaling);
    // The zoom F11 returns to from full screen.
    Zoom WindowedZoom() const { return windowedZoom_; }
    // The window's size for a client of `size` below the menu bar.
    void SetClientSize(const QSize& size);
    // Where the cursor is held while confined, for the client as shown now.
    QRect ConfinementRect() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CoverWindow(bool cover);

    QMainWindow* window_;
    QWidget* host_ = nullptr;    // the central widget: the client, or the zoomed view
    QWidget* client_ = nullptr;  // 632 x 434: play area and status bar
    PlayArea* mainScreen_ = nullptr;
    ZoomView* zoomView_ = nullptr;
    std::unique_ptr<StatusBar> statusBar_;
    Zoom windowedZoom_ = Zoom::X1;
};

}  // namespace sk
