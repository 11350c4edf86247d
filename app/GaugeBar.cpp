#include "app/GaugeBar.h"

#include <QPainter>

GaugeBar::GaugeBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GaugeBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(0x00, 0x80, 0x00));
    painter.setBrush(QColor(0x00, 0xFF, 0x00));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
