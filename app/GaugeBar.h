// A filled bar with an outline, like the shots-left gauge: lime inside,
// green edge.
#pragma once

#include <QColor>
#include <QWidget>

class GaugeBar : public QWidget {
    Q_OBJECT
public:
    explicit GaugeBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
