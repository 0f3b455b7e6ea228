#include "ClassicFrame.h"

#include <QPainter>

namespace bpd::mainwindow {

namespace {
constexpr int kCaptionLeft = 8;  // pixels from the frame's left edge
constexpr int kCaptionPadding = 2;
}  // namespace

ClassicFrame::ClassicFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void ClassicFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Window));
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    const QRect border(0, lineY, width() - 2, height() - lineY - 2);
    painter.setPen(pal.color(QPalette::Mid));  // shadow line, then the light one beside it
    painter.drawRect(border);
    painter.setPen(pal.color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    const QString caption = title();
    if (caption.isEmpty()) return;
    const int captionWidth = metrics.horizontalAdvance(caption);
    const QRect captionRect(kCaptionLeft - kCaptionPadding, 0, captionWidth + 2 * kCaptionPadding,
                            metrics.height());
    painter.fillRect(captionRect, pal.color(QPalette::Window));
    painter.setPen(pal.color(QPalette::WindowText));
    painter.drawText(captionRect, Qt::AlignCenter, caption);
}

}  // namespace bpd::mainwindow
