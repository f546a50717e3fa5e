#pragma once
// A drawn separator: takes no input and no focus, only paints its line.

#include "runtime/description.h"

#include <QPoint>
#include <QWidget>

namespace runtime {

class LineWidget : public QWidget {
    Q_OBJECT

public:
    LineWidget(QPoint from, QPoint to, LineStyle style, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_, to_; // in the widget's own coordinates
    LineStyle style_;
};

} // namespace runtime
