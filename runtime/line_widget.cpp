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
    QPen pen(palette().color(QPalette::WindowText), 0);
    pen.setStyle(style_ == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    painter.setPen(pen);
    painter.drawLine(from_, to_);
}

} // namespace runtime
