#include "app/PlayArea.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// The game's button numbers; -1 for buttons the game does not use.
int GameButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 0;
        case Qt::RightButton: return 1;
        default: return -1;
    }
}

}  // namespace

PlayArea::PlayArea(const sk::Bitmap& screen, QWidget* parent) : QWidget(parent), screen_(screen) {
    setObjectName(QStringLiteral("MainScreen"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

// Wraps the bitmap's memory; rebuilt only if the bitmap was reallocated.
const QImage& PlayArea::Image() {
    const auto* bits = reinterpret_cast<const uchar*>(screen_.Pixels.data());
    if (image_.constBits() != bits || image_.width() != screen_.Width || image_.height() != screen_.Height) {
        image_ = QImage(bits, screen_.Width, screen_.Height, screen_.Width * 4, QImage::Format_RGB32);
    }
    return image_;
}

void PlayArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    if (screen_.Pixels.empty()) {
        painter.fillRect(area, Qt::black);
        return;
    }
    painter.drawImage(area, Image(), area);
}

void PlayArea::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseMoved(at.x(), at.y());
}

void PlayArea::mousePressEvent(QMouseEvent* event) {
    const int button = GameButton(event->button());
    if (button < 0) return;
    const QPoint at = event->position().toPoint();
    emit MousePressed(button, at.x(), at.y());
}

// A double-click is the double-click command and then one more press, in
// that order, as the game expects.
void PlayArea::mouseDoubleClickEvent(QMouseEvent* event) {
    const int button = GameButton(event->button());
    if (button < 0) return;
    if (event->button() == Qt::LeftButton) emit DoubleClicked();
    const QPoint at = event->position().toPoint();
    emit MousePressed(button, at.x(), at.y());
}
