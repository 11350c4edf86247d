#include "app/ClientView.h"

#include "app/DialogFonts.h"
#include "app/MouseLock.h"
#include "app/PlayArea.h"
#include "app/StatusBar.h"
#include "app/WidgetKit.h"
#include "app/ZoomFit.h"
#include "app/ZoomView.h"
#include "game/Pictures.h"

#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QRegion>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace sk {

ClientView::ClientView(QMainWindow* window, const Game& game) : QObject(window), window_(window) {
    host_ = new QWidget(window);
    host_->setObjectName(QStringLiteral("ClientHost"));
    host_->setFixedSize(kFieldWidth, kClientHeight);
    host_->installEventFilter(this);
    client_ = new QWidget(host_);
    client_->setObjectName(QStringLiteral("ClientArea"));
    client_->setFixedSize(kFieldWidth, kClientHeight);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
    window->setCentralWidget(host_);
    zoomView_ = new ZoomView(client_, host_);
    zoomView_->hide();

    mainScreen_ = new PlayArea(game, client_);
    mainScreen_->setGeometry(0, 0, kFieldWidth, kClientHeight);
    mainScreen_->setFont(SystemFont(19));
    statusBar_ = std::make_unique<StatusBar>(LoadPictures().StatusPicture, client_);
}

ClientView::~ClientView() = default;

ZoomView* ClientView::ShownZoomView() const { return zoomView_->isHidden() ? nullptr : zoomView_; }

void ClientView::Present(std::span<const RowSpan> rows) {
    QRegion dirty;
    for (const RowSpan& span : rows) dirty += QRect(0, span.First, kFieldWidth, span.Count);
    if (dirty.isEmpty()) return;
    // Zoomed, the view draws the client itself; else the play area shows it.
    if (ShownZoomView()) {
        zoomView_->UpdateClient(dirty);
    } else {
        mainScreen_->Present(dirty);
    }
}

void ClientView::Mirror(const ShellState& shell) {
    QRegion changed = statusBar_->Mirror(shell);
    const int height = mainScreen_->height();
    if (height != shell.MainScreenHeight) {
        // The rows the play area gives up to the status bar, or takes over.
        changed += QRect(0, std::min(height, shell.MainScreenHeight), kFieldWidth,
                         std::abs(height - shell.MainScreenHeight));
        mainScreen_->resize(kFieldWidth, shell.MainScreenHeight);
    }
    // At 1x the widgets repaint themselves; the zoomed view only sees them
    // when it draws them again.
    if (ShownZoomView() && !changed.isEmpty()) zoomView_->UpdateClient(changed);
}

void ClientView::ShowGame(const Game& game) {
    mainScreen_->ShowGame(game);
    if (ShownZoomView()) zoomView_->UpdateClient(QRegion(client_->rect()));
}

void ClientView::SetReplayCaption(const QString& caption) {
    const QRegion changed = statusBar_->SetReplayCaption(caption);
    if (ShownZoomView() && !changed.isEmpty()) zoomView_->UpdateClient(changed);
}

// 1x on a screen of whole device pixels shows the client itself, exactly as
// always; anything else shows it through the zoomed view.
void ClientView::ApplyZoom(Zoom zoom, FullScreenScaling scaling) {
    WatchScreen();
    applying_ = true;
    scaling_ = scaling;
    const bool full = zoom == Zoom::FullScreen;
    if (!full) windowedZoom_ = zoom;
    const double ratio = window_->devicePixelRatioF();
    shownZoom_ = full ? zoom : FittingZoom(zoom, AvailableArea(), MeasureChrome(), ratio);
    const int factor = DevicePixelFactor(full ? 1 : static_cast<int>(shownZoom_), ratio);
    const bool direct = !full && factor == 1 && ratio == 1.0;
    const bool wasZoomed = ShownZoomView() != nullptr;
    const bool wasFull = window_->isFullScreen();
    const ZoomFill fill = !full                                    ? ZoomFill::Factor
                          : scaling == FullScreenScaling::Fit ? ZoomFill::Fit
                                                              : ZoomFill::Whole;
    zoomView_->SetFactor(factor, fill);
    // The zoomed view draws the client from where it stays visible to Qt,
    // outside the window's client area.
    client_->move(direct ? QPoint(0, 0) : QPoint(-client_->width() - 1, 0));
    CoverWindow(full);
    zoomView_->setVisible(!direct);
    if (full) {
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        host_->setMinimumSize(0, 0);
        host_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (!wasFull) window_->showFullScreen();
        // Without a window manager nobody else makes it the screen's size.
        if (const QScreen* screen = window_->screen()) window_->setGeometry(screen->geometry());
    } else {
        if (wasFull) window_->showNormal();
        SetClientSize(ZoomedClientSize(shownZoom_, ratio));
        if (wasZoomed || !direct || wasFull) CentreOnScreen(window_, window_->screen());
    }
    zoomView_->setGeometry(zoomView_->parentWidget()->rect());
    mainScreen_->update();
    zoomView_->update();
    applying_ = false;
    emit Zoomed();
}

Zoom ClientView::LargestFittingZoom() {
    return FittingZoom(Zoom::X3, AvailableArea(), MeasureChrome(), window_->devicePixelRatioF());
}

// A full-screen window has no frame: the one it had windowed counts.
QSize ClientView::MeasureChrome() {
    if (window_->isFullScreen() && chrome_.isValid()) return chrome_;
    const QMargins frame = FrameMargins(window_);
    const int menuBar = window_->menuBar()->sizeHint().height();
    chrome_ = QSize(frame.left() + frame.right(), frame.top() + frame.bottom() + menuBar);
    return chrome_;
}

QSize ClientView::AvailableArea() const { return window_->screen()->availableGeometry().size(); }

// The window's frame is known once it is exposed; the screen it is on may
// change, and so may what that screen has available.
void ClientView::WatchScreen() {
    QWindow* handle = window_->windowHandle();
    if (handle != nullptr && handle != watchedWindow_) {
        watchedWindow_ = handle;
        handle->installEventFilter(this);
        connect(handle, &QWindow::screenChanged, this, &ClientView::Refit);
    }
    QScreen* screen = window_->screen();
    if (screen == watchedScreen_) return;
    if (watchedScreen_ != nullptr) disconnect(watchedScreen_, nullptr, this, nullptr);
    watchedScreen_ = screen;
    connect(screen, &QScreen::availableGeometryChanged, this, &ClientView::Refit);
}

// What fits changes with the screen, and with the frame once the window
// manager (or Qt, on Wayland) has put one around the window: the zoom asked
// for is shown again as far as it fits now.
void ClientView::Refit() {
    WatchScreen();
    if (applying_ || window_->isFullScreen()) return;
    const Zoom fitting = FittingZoom(windowedZoom_, AvailableArea(), MeasureChrome(), window_->devicePixelRatioF());
    if (fitting != shownZoom_) ApplyZoom(windowedZoom_, scaling_);
}

// The view is the window's own child in full screen, under the menu bar.
void ClientView::CoverWindow(bool cover) {
    QWidget* parent = cover ? static_cast<QWidget*>(window_) : host_;
    if (zoomView_->parentWidget() == parent) return;
    zoomView_->setParent(parent);
    if (cover) {
        window_->installEventFilter(this);
        window_->menuBar()->raise();
    } else {
        window_->removeEventFilter(this);
    }
}

void ClientView::SetClientSize(const QSize& size) {
    host_->setFixedSize(size);
    window_->setFixedSize(size.width(), size.height() + window_->menuBar()->sizeHint().height());
}

QRect ClientView::ConfinementRect() const {
    if (!ShownZoomView()) return ConfinementArea(window_->frameGeometry());
    const QRect image = zoomView_->ImageRect().toAlignedRect().translated(zoomView_->mapToGlobal(QPoint()));
    // Full screen has no frame: the one the rule assumes is the menu bar's,
    // above the picture (off the screen where the picture reaches its top).
    const int menuBar = window_->menuBar()->sizeHint().height();
    const QRect frame = window_->isFullScreen() ? image.adjusted(0, -menuBar, 0, 0) : window_->frameGeometry();
    return ZoomedConfinementArea(frame, image, zoomView_->Scale());
}

bool ClientView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == zoomView_->parentWidget()) {
        zoomView_->setGeometry(zoomView_->parentWidget()->rect());
    }
    if (watched == watchedWindow_ && event->type() == QEvent::Expose) {
        QMetaObject::invokeMethod(this, &ClientView::Refit, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace sk
