#include "line_widget.h"

#include <QPainter>
#include <QPen>

namespace runtime {

LineWidget::LineWidget(QPoint from, QPoint to, LineStyle style, QWidget* parent)
    : QWidget(parent), style_(style) {
    const QRect bounds = QRect(from, to).normalized(); // both end points included
    setGeometry(bounds);
    from_ = from - bounds.topLeft();
    to_ = to - bounds.topLeft();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // One logical pixel wide, so it scales with the screen like everything else.
    QPen pen(palette().color(QPalette::WindowText), 1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setStyle(style_ == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    painter.setPen(pen);
    // Through the pixels' centres, and with flat ends half a pixel beyond the
    // end points, so that it covers its pixels whole at any scale.
    const QPointF centre(0.5, 0.5);
    const QLineF line(QPointF(from_) + centre, QPointF(to_) + centre);
    const QPointF half =
        line.length() > 0 ? (line.p2() - line.p1()) * (0.5 / line.length()) : QPointF();
    painter.drawLine(QLineF(line.p1() - half, line.p2() + half));
}

} // namespace runtime
