#include "app/PlayArea.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>
#include <QPaintEvent>
#include <QPainter>

namespace {

// The game's button numbers: left 0, right 1, any other 2 (it fires
// nothing, but the game still sees the press).
int GameButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 0;
        case Qt::RightButton: return 1;
        default: return 2;
    }
}

}  // namespace

PlayArea::PlayArea(const sk::Game& game, QWidget* parent) : QWidget(parent), game_(&game) {
    setObjectName(QStringLiteral("MainScreen"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

PlayArea::~PlayArea() = default;

void PlayArea::ShowGame(const sk::Game& game) {
    game_ = &game;
    Present(rect());
}

// Tried once, when the first frame is shown. SKARBOLT_PRESENT=widget keeps
// the widget path (for comparing the two).
void PlayArea::OpenDirectPath() {
    directTried_ = true;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || qgetenv("SKARBOLT_PRESENT") == "widget" ||
        devicePixelRatioF() != 1.0) {
        return;
    }
    setAttribute(Qt::WA_NativeWindow);
    direct_ = ShmPresenter::Open(winId(), sk::kFieldWidth, sk::kClientHeight);
    if (direct_ && windowHandle() != nullptr) windowHandle()->installEventFilter(this);
}

// Frames put straight on the window leave the widget's backing store behind:
// an uncovered window must be painted from the game's screen, not flushed
// from that store. Marked dirty before the exposure is handled, the widget
// is painted in the same pass.
bool PlayArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) update();
    return QWidget::eventFilter(watched, event);
}

void PlayArea::Present(const QRegion& changed) {
    if (!directTried_ && isVisible()) OpenDirectPath();
    if (!direct_) {
        update(changed);
        return;
    }
    const sk::Bitmap& screen = game_->Screen();
    const QRegion shown = changed.intersected(rect()).intersected(QRect(0, 0, screen.Width, screen.Height));
    direct_->Show(screen.Pixels.data(), screen.Width, shown);
}

// Wraps the bitmap's memory; rebuilt only when the game shows another bitmap
// or the bitmap was reallocated.
const QImage& PlayArea::Image(const sk::Bitmap& screen) {
    const auto* bits = reinterpret_cast<const uchar*>(screen.Pixels.data());
    if (image_.constBits() != bits || image_.width() != screen.Width || image_.height() != screen.Height) {
        image_ = QImage(bits, screen.Width, screen.Height, screen.Width * 4, QImage::Format_RGB32);
    }
    return image_;
}

void PlayArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const sk::Bitmap& screen = game_->Screen();
    const QRect shown = area.intersected(QRect(0, 0, screen.Width, screen.Height));
    if (shown != area) painter.fillRect(area, Qt::black);
    if (!shown.isEmpty()) painter.drawImage(shown, Image(screen), shown);
}

void PlayArea::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseMoved(at.x(), at.y());
}

void PlayArea::mousePressEvent(QMouseEvent* event) {
    const int button = GameButton(event->button());
    const QPoint at = event->position().toPoint();
    emit MousePressed(button, at.x(), at.y());
}

// A double-click is the double-click command and then one more press, in
// that order, as the game expects.
void PlayArea::mouseDoubleClickEvent(QMouseEvent* event) {
    const int button = GameButton(event->button());
    if (event->button() == Qt::LeftButton) emit DoubleClicked();
    const QPoint at = event->position().toPoint();
    emit MousePressed(button, at.x(), at.y());
}
