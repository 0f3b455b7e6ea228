#include "PictureBox.h"

#include <QPainter>

#include "FocusCue.h"

namespace bpd::mainwindow {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::fitToPicture() {
    const QPixmap picture = pixmap();
    if (picture.isNull()) return;
    // The frame's border is part of the contents margins.
    resize(picture.deviceIndependentSize().toSize().grownBy(contentsMargins()));
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    const QPixmap picture = pixmap();
    if (!picture.isNull()) painter.drawPixmap(inner.topLeft(), picture);
    if (platform::FocusCue::shown(*this))
        platform::FocusCue::paint(painter, inner, palette().color(QPalette::WindowText));
}

}  // namespace bpd::mainwindow
