#include "app/ZoomView.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <vector>

namespace sk {

QRect ZoomedConfinementArea(const QRect& frame, const QRect& image, double scale) {
    auto inward = [scale](int edge, int imageEdge, int direction) {
        const int depth = (edge - imageEdge) * direction;  // > 0: inside the image
        if (depth <= 0) return edge;
        return imageEdge + direction * static_cast<int>(std::lround(depth * scale));
    };
    const int left = inward(frame.left() + 4, image.left(), 1);
    const int top = inward(frame.top() + 22, image.top(), 1);
    const int right = inward(frame.right() - 4, image.right(), -1);
    const int bottom = inward(frame.bottom() - 34, image.bottom(), -1);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

ZoomView::ZoomView(QWidget* client, QWidget* parent) : QWidget(parent), client_(client) {
    setObjectName(QStringLiteral("ZoomView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ZoomView::SetFactor(int factor, ZoomFill fill) {
    factor_ = std::max(1, factor);
    fill_ = fill;
    update();
}

double ZoomView::DeviceScale() const {
    if (fill_ == ZoomFill::Factor) return factor_;
    const double ratio = devicePixelRatioF();
    const double across = width() * ratio / client_->width();
    const double down = height() * ratio / client_->height();
    const double fit = std::min(across, down);
    if (fill_ == ZoomFill::Fit && fit > 0) return fit;
    return std::max(1, static_cast<int>(std::floor(fit)));
}

bool ZoomView::Smooth() const {
    const double scale = DeviceScale();
    return scale != std::floor(scale);
}

double ZoomView::Scale() const { return DeviceScale() / devicePixelRatioF(); }

QRectF ZoomView::ImageRect() const {
    const double scale = Scale();
    const QSizeF size(client_->width() * scale, client_->height() * scale);
    // Bars split evenly, on whole device pixels.
    const double ratio = devicePixelRatioF();
    const double left = std::floor((width() - size.width()) / 2 * ratio) / ratio;
    const double top = std::floor((height() - size.height()) / 2 * ratio) / ratio;
    return QRectF(QPointF(std::max(0.0, left), std::max(0.0, top)), size);
}

QPoint ZoomView::ToClient(const QPointF& at) const {
    const QRectF image = ImageRect();
    const double scale = Scale();
    return QPoint(static_cast<int>(std::floor((at.x() - image.left()) / scale)),
                  static_cast<int>(std::floor((at.y() - image.top()) / scale)));
}

void ZoomView::UpdateClient(const QRegion& clientRegion) {
    const QRectF image = ImageRect();
    const double scale = Scale();
    // Smooth scaling reaches one pixel beyond what changed.
    const int reach = Smooth() ? 1 : 0;
    QRegion dirty;
    for (const QRect& changed : clientRegion) {
        const QRect r = changed.adjusted(-reach, -reach, reach, reach);
        dirty += QRectF(image.left() + r.left() * scale, image.top() + r.top() * scale, r.width() * scale,
                        r.height() * scale)
                     .toAlignedRect();
    }
    update(dirty);
}

// The client parts under the dirty rectangles are rendered at 1x first (no
// painter may be open on this view meanwhile), then each is drawn scaled once.
void ZoomView::paintEvent(QPaintEvent* event) {
    const QRectF image = ImageRect();
    const double scale = Scale();
    if (frame_.size() != client_->size()) {
        frame_ = QImage(client_->size(), QImage::Format_RGB32);
        frame_.fill(Qt::black);
    }
    const int reach = Smooth() ? 1 : 0;
    std::vector<QRect> sources;
    for (const QRect& r : event->region()) {
        const QRect source = QRectF((r.left() - image.left()) / scale, (r.top() - image.top()) / scale,
                                    r.width() / scale, r.height() / scale)
                                 .toAlignedRect()
                                 .adjusted(-reach, -reach, reach, reach)
                                 .intersected(client_->rect());
        if (source.isEmpty()) continue;
        client_->render(&frame_, source.topLeft(), QRegion(source),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
        sources.push_back(source);
    }

    QPainter painter(this);
    // Only the bars are filled (to the whole pixels the image covers fully).
    const QRect inner(QPoint(static_cast<int>(std::ceil(image.left())), static_cast<int>(std::ceil(image.top()))),
                      QPoint(static_cast<int>(std::floor(image.right())) - 1,
                             static_cast<int>(std::floor(image.bottom())) - 1));
    const QRegion bars = event->region() - QRegion(inner);
    for (const QRect& bar : bars) painter.fillRect(bar, Qt::black);
    if (Smooth()) {
        DrawSmooth(painter, sources);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& source : sources) {
        painter.drawImage(QRectF(image.left() + source.left() * scale, image.top() + source.top() * scale,
                                 source.width() * scale, source.height() * scale),
                          frame_, source);
    }
}

// Each part is copied to the next whole factor, nearest-neighbour, and drawn
// from there to its place, smoothly.
void ZoomView::DrawSmooth(QPainter& painter, const std::vector<QRect>& sources) {
    const QRectF image = ImageRect();
    const double scale = Scale();
    const int whole = static_cast<int>(std::ceil(DeviceScale()));
    if (magnified_.size() != client_->size() * whole) {
        magnified_ = QImage(client_->size() * whole, QImage::Format_RGB32);
    }
    {
        QPainter up(&magnified_);
        up.setRenderHint(QPainter::SmoothPixmapTransform, false);
        for (const QRect& source : sources) {
            up.drawImage(QRect(source.topLeft() * whole, source.size() * whole), frame_, source);
        }
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const QRect& source : sources) {
        painter.drawImage(QRectF(image.left() + source.left() * scale, image.top() + source.top() * scale,
                                 source.width() * scale, source.height() * scale),
                          magnified_, QRectF(source.topLeft() * whole, source.size() * whole));
    }
}

// The event goes to the client's widget under the point (as at 1x, the
// status bar's own widgets take what falls on them), in its coordinates.
void ZoomView::Forward(QMouseEvent* event) {
    const QPoint at = ToClient(event->position());
    QWidget* target = client_->childAt(at);
    if (target == nullptr) return;
    const QPointF local = target->mapFrom(client_, at);
    QMouseEvent mapped(event->type(), local, target->mapToGlobal(local), event->button(), event->buttons(),
                       event->modifiers());
    QCoreApplication::sendEvent(target, &mapped);
}

void ZoomView::mouseMoveEvent(QMouseEvent* event) { Forward(event); }
void ZoomView::mousePressEvent(QMouseEvent* event) { Forward(event); }
void ZoomView::mouseReleaseEvent(QMouseEvent* event) { Forward(event); }
void ZoomView::mouseDoubleClickEvent(QMouseEvent* event) { Forward(event); }

}  // namespace sk
