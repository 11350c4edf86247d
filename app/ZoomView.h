// The client area (632 x 434: play area and status bar) shown enlarged with
// square pixels: by a whole factor, or (full screen) by the largest whole
// factor that fits, or to fit the view with the aspect kept. The client
// stays a visible widget, moved out of sight; each repaint draws its dirty
// part at 1x into one image and copies that scaled once, nearest-neighbour,
// centred with black bars around it when the view is larger. A fit that is
// no whole factor scales up by the next whole factor, nearest-neighbour, and
// from there down smoothly, so that pixel edges stay sharp. Mouse input is
// mapped back to the 1x client and given to the widget under it, so the play
// area sees the same coordinates, presses and double-clicks as at 1x.
#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

#include <vector>

namespace sk {

// The cursor confinement rectangle at a scale: the 1x rule (the window's
// outer rectangle shrunk by 4, 22, 4 and 34 pixels) with every margin that
// reaches into the client image scaled with it; margins that lie in the
// window's frame or menu bar keep their size. `frame` is the window's outer
// rectangle around `image` (the scaled client, global coordinates).
QRect ZoomedConfinementArea(const QRect& frame, const QRect& image, double scale);

// How the view fills its size.
enum class ZoomFill {
    Factor,  // the factor set
    Whole,   // the largest whole factor that fits
    Fit,     // the largest size that fits, aspect kept
};

class ZoomView : public QWidget {
    Q_OBJECT
public:
    ZoomView(QWidget* client, QWidget* parent);

    // `factor` device pixels per game pixel, unless `fill` says otherwise.
    void SetFactor(int factor, ZoomFill fill);
    // The scaled client inside this view, in logical pixels.
    QRectF ImageRect() const;
    double Scale() const;  // logical pixels per game pixel
    // Repaints what shows `clientRegion` (1x client coordinates).
    void UpdateClient(const QRegion& clientRegion);
    // A point of this view in 1x client coordinates.
    QPoint ToClient(const QPointF& at) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    double DeviceScale() const;  // device pixels per game pixel
    bool Smooth() const;         // a fit that is no whole factor
    void DrawSmooth(QPainter& painter, const std::vector<QRect>& sources);
    void Forward(QMouseEvent* event);

    QWidget* client_;
    QImage frame_;      // the client at 1x
    QImage magnified_;  // the client at the next whole factor of a smooth fit
    int factor_ = 1;
    ZoomFill fill_ = ZoomFill::Factor;
};

}  // namespace sk
