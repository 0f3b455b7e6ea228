#include "WebLinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "FocusCue.h"

namespace bpd::dialogs {

WebLinkLabel::WebLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);  // what the tab cycle takes on every desktop
}

void WebLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void WebLinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
                event->accept();
                emit clicked();
                return;
            }
            break;
        default:
            break;
    }
    QLabel::keyPressEvent(event);
}

void WebLinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!platform::FocusCue::shown(*this)) return;
    QPainter painter(this);
    // Around the address itself, not the label's whole width.
    const QRect text = fontMetrics().boundingRect(contentsRect(), int(alignment()), this->text());
    platform::FocusCue::paint(painter, text.adjusted(-2, -1, 2, 1).intersected(rect()),
                              palette().color(QPalette::WindowText));
}

}  // namespace bpd::dialogs
