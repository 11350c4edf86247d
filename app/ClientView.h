// The main window's client area: the play area `MainScreen` over the status
// bar, 632 x 434, shown as it is or through the zoomed view (2x, 3x, full
// screen by whole factors or fitted). It presents the rows each frame
// changed, mirrors the status bar and the play area's height, sizes the
// window for a zoom (no larger than fits the screen), and gives the cursor
// confinement rectangle. In full screen the zoomed view covers the whole
// window, so that the menu bar shown over it leaves the picture as it is. It
// knows the window only as a QMainWindow.
#pragma once

#include "game/Extras.h"
#include "game/Game.h"

#include <QObject>
#include <QRect>

#include <memory>
#include <span>

class PlayArea;
class QMainWindow;
class QScreen;
class QWidget;
class QWindow;
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
    // The status bar and the play area's height as the game has them; the
    // zoomed view draws again what that changed.
    void Mirror(const ShellState& shell);
    // Shows `game`'s screen in the play area (the main game's, or a replay's).
    void ShowGame(const Game& game);
    // The status bar's replay caption; empty hides it.
    void SetReplayCaption(const QString& caption);

    // Shows the client at `zoom`, or at the largest zoom below it whose
    // window fits the screen's available area: the window fitted to it
    // (centred when that changed its size), or the whole screen, scaled as
    // `scaling` says.
    void ApplyZoom(Zoom zoom, FullScreenScaling scaling);
    // The zoom F11 returns to from full screen, as asked for.
    Zoom WindowedZoom() const { return windowedZoom_; }
    // The zoom shown now.
    Zoom ShownZoom() const { return shownZoom_; }
    // The largest windowed zoom whose window fits the screen now.
    Zoom LargestFittingZoom();
    // The window's size for a client of `size` below the menu bar.
    void SetClientSize(const QSize& size);
    // Where the cursor is held while confined, for the client as shown now.
    QRect ConfinementRect() const;

signals:
    // The client is shown at another size or place: a zoom was put into effect.
    void Zoomed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSize MeasureChrome();
    QSize AvailableArea() const;
    void WatchScreen();
    void Refit();
    void CoverWindow(bool cover);

    QMainWindow* window_;
    QWidget* host_ = nullptr;    // the central widget: the client, or the zoomed view
    QWidget* client_ = nullptr;  // 632 x 434: play area and status bar
    PlayArea* mainScreen_ = nullptr;
    ZoomView* zoomView_ = nullptr;
    std::unique_ptr<StatusBar> statusBar_;
    Zoom windowedZoom_ = Zoom::X1;
    Zoom shownZoom_ = Zoom::X1;
    FullScreenScaling scaling_ = FullScreenScaling::Whole;
    QSize chrome_;  // frame and menu bar around the client, as last seen windowed
    QScreen* watchedScreen_ = nullptr;
    QWindow* watchedWindow_ = nullptr;
    bool applying_ = false;  // what a zoom's own change of size and screen sets off is no refit
};

}  // namespace sk
