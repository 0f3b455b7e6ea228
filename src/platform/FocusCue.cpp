#include "FocusCue.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace bpd::platform {

bool FocusCue::shown(const QStyleOption& option, const QWidget* widget) {
    return (option.state & QStyle::State_HasFocus) && widget &&
           widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

bool FocusCue::shown(const QWidget& widget) {
    return widget.hasFocus() && widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void FocusCue::paint(QPainter& painter, const QRect& rect, const QColor& colour) {
    painter.save();
    painter.setPen(QPen(colour, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
    painter.restore();
}

}  // namespace bpd::platform
