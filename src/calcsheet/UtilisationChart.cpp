#include "UtilisationChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "PadCheck.h"
#include "SheetStyle.h"

namespace bpd::calcsheet {

namespace {

constexpr double kMaxScale = 3.0;
constexpr qreal kAxisWidth = 30;  // room for the scale's figures
constexpr qreal kLegendHeight = 14;
constexpr qreal kHeadroom = 22;     // a full bar's figure and marker above the scale's top
constexpr qreal kLabelHeight = 12;  // the thickness labels under the bars

QString percentText(double utilisation) {
    return QString::fromStdString(formatUtilisation(utilisation));
}

// A small downward triangle over the governing bar.
void paintMarker(QPainter& painter, QPointF tip) {
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(tip.x() - 3, tip.y() - 5);
    path.lineTo(tip.x() + 3, tip.y() - 5);
    path.closeSubpath();
    painter.fillPath(path, Qt::black);
}

}  // namespace

double UtilisationChart::scaleTop() const {
    double top = 1.5;
    for (const UtilisationBar& bar : bars_)
        for (const double u : {bar.explanation.compression, bar.explanation.shear})
            if (std::isfinite(u)) top = std::max(top, std::ceil(u * 2) / 2);
    return std::min(top, kMaxScale);
}

void UtilisationChart::paint(QPainter& painter, const QRectF& area) const {
    painter.save();
    const QRectF plot(area.left() + kAxisWidth, area.top() + kLegendHeight + kHeadroom,
                      area.width() - kAxisWidth - 4,
                      area.height() - kLegendHeight - kHeadroom - kLabelHeight);
    const double top = scaleTop();
    const auto yOf = [&](double u) {
        return plot.bottom() - plot.height() * std::clamp(u, 0.0, top) / top;
    };

    // Legend.
    painter.setFont(SheetStyle::small());
    const QFontMetricsF metrics(painter.font(), painter.device());
    qreal x = plot.left();
    const qreal legendBase = area.top() + 9;
    const auto legendItem = [&](const QColor& colour, const QString& text) {
        painter.fillRect(QRectF(x, legendBase - 6.5, 8, 7), colour);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + 11, legendBase), text);
        x += 11 + metrics.horizontalAdvance(text) + 14;
    };
    legendItem(SheetStyle::compression(), QStringLiteral("Compression Vap / Var"));
    legendItem(SheetStyle::shear(),
               QStringLiteral("Shear Es / %1 %").arg(kShearStrainLimitPercent));
    legendItem(SheetStyle::fail(), QStringLiteral("Failing check"));
    paintMarker(painter, QPointF(x + 3, legendBase));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x + 10, legendBase), QStringLiteral("Governing check"));

    // Scale: every 50 %, the 100 % line stronger.
    painter.setPen(QPen(SheetStyle::muted(), 0.3));
    for (double u = 0; u <= top + 1e-9; u += 0.5) {
        const qreal y = yOf(u);
        painter.setPen(QPen(u == 1.0 ? Qt::black : SheetStyle::muted(), u == 1.0 ? 0.9 : 0.3,
                            u == 1.0 ? Qt::DashLine : Qt::SolidLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(area.left(), y - 5, kAxisWidth - 4, 10), Qt::AlignRight | Qt::AlignVCenter,
            QString::number(static_cast<int>(std::lround(u * 100))) + QStringLiteral(" %"));
    }

    const qreal slot = bars_.empty() ? plot.width() : plot.width() / bars_.size();
    const qreal barWidth = std::min<qreal>(slot * 0.3, 24);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const UtilisationBar& bar = bars_[i];
        const qreal centre = plot.left() + slot * (i + 0.5);
        const struct {
            double u;
            bool fails;
            QColor colour;
            bool governing;
            qreal left;
        } pair[] = {
            {bar.explanation.compression, bar.explanation.compressionFails,
             SheetStyle::compression(), bar.explanation.governing == DesignCheck::Compression,
             centre - barWidth - 1},
            {bar.explanation.shear, bar.explanation.shearFails, SheetStyle::shear(),
             bar.explanation.governing == DesignCheck::Shear, centre + 1},
        };
        for (const auto& b : pair) {
            const qreal y = yOf(std::isfinite(b.u) ? b.u : top);
            painter.fillRect(QRectF(b.left, y, barWidth, plot.bottom() - y),
                             b.fails ? SheetStyle::fail() : b.colour);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(b.left - 8, y - 10, barWidth + 16, 9),
                             Qt::AlignHCenter | Qt::AlignBottom, percentText(b.u));
            if (b.governing) paintMarker(painter, QPointF(b.left + barWidth / 2, y - 11));
        }
        painter.drawText(QRectF(centre - slot / 2, plot.bottom() + 2, slot, kLabelHeight - 2),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("t = ") + QString::fromStdString(bar.label));
    }
    painter.setPen(QPen(Qt::black, 0.6));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.restore();
}

}  // namespace bpd::calcsheet
