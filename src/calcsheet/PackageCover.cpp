#include "PackageCover.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "SheetStyle.h"

namespace bpd::calcsheet {

namespace {

constexpr qreal kRowHeight = 13;
constexpr qreal kTableTop = 40;  // below the cover's title
// The columns' shares of the body's width.
constexpr qreal kColumns[] = {0.08, 0.13, 0.05, 0.28, 0.07, 0.19, 0.10, 0.10};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QStringList PackageCover::header() {
    return {QStringLiteral("Mark"),        QStringLiteral("Location"),
            QStringLiteral("Qty"),         QStringLiteral("Pad w1 × b1, t"),
            QStringLiteral("Status"),      QStringLiteral("Governing check"),
            QStringLiteral("Utilisation"), QStringLiteral("Page")};
}

PackageCover::PackageCover(const QList<PackageBearing>& bearings,
                           const std::vector<BearingCalculation>& calculations, QSizeF body)
    : body_(body) {
    rowsPerPage_ = std::max(1, static_cast<int>((body.height() - kTableTop) / kRowHeight) - 1);
    for (qsizetype i = 0; i < bearings.size(); ++i) {
        const BearingCalculation& c = calculations[static_cast<std::size_t>(i)];
        const auto input = [&](int n) { return qt(c.inputs[static_cast<std::size_t>(n)].text); };
        const QString pad = input(0) + QStringLiteral(" × ") + input(1) + QLatin1Char(' ') +
                            qt(c.inputs[0].unit) + QStringLiteral(", t = ") + input(6);
        // The bearing passes when every computed thickness does; the thickness nearest its
        // limit governs.
        bool passes = !c.thicknesses.empty() && c.fault.empty();
        const ThicknessCalculation* governing = nullptr;
        double most = -1;
        for (const ThicknessCalculation& t : c.thicknesses) {
            passes = passes && t.passes;
            const RowExplanation& e = t.explanation;
            const double u = e.governing == DesignCheck::Shear ? e.shear : e.compression;
            if (u > most) {
                most = u;
                governing = &t;
            }
        }
        QString check, utilisation;
        if (governing) {
            check = qt(std::string(checkName(governing->explanation.governing))) +
                    QStringLiteral(" (t = ") + qt(governing->label) + QLatin1Char(')');
            utilisation = qt(formatUtilisation(most)) + QStringLiteral(" %");
        }
        const PackageBearing& b = bearings[i];
        rows_ << QStringList{b.mark,
                             b.location,
                             QString::number(b.quantity),
                             pad,
                             passes ? QStringLiteral("Pass") : QStringLiteral("FAIL!"),
                             check,
                             utilisation};
        fails_ << !passes;
    }
}

int PackageCover::pageCount() const {
    return std::max<int>(1, static_cast<int>((rows_.size() + rowsPerPage_ - 1) / rowsPerPage_));
}

void PackageCover::paintPage(QPainter& painter, int page, QPointF origin,
                             const QList<int>& firstPages) const {
    painter.save();
    painter.setFont(SheetStyle::title());
    painter.setPen(Qt::black);
    const QFontMetricsF titleMetrics(painter.font(), painter.device());
    painter.drawText(QPointF(origin.x(), origin.y() + titleMetrics.ascent()),
                     page == 0
                         ? QStringLiteral("Calculation package: %1 bearings").arg(rows_.size())
                         : QStringLiteral("Calculation package: summary, continued"));

    const auto paintRow = [&](const QStringList& cells, qreal y, const QFont& font,
                              const QColor& statusColour) {
        painter.setFont(font);
        const QFontMetricsF metrics(font, painter.device());
        qreal x = origin.x();
        for (qsizetype c = 0; c < cells.size() && c < std::ssize(kColumns); ++c) {
            const qreal width = body_.width() * kColumns[c];
            painter.setPen(c == 4 ? statusColour : QColor(Qt::black));
            painter.drawText(QPointF(x, y + metrics.ascent()),
                             metrics.elidedText(cells[c], Qt::ElideRight, width - 4));
            x += width;
        }
    };
    qreal y = origin.y() + kTableTop;
    paintRow(header(), y, SheetStyle::bold(), Qt::black);
    painter.setPen(QPen(Qt::black, 0.5));
    painter.drawLine(QPointF(origin.x(), y + kRowHeight - 2),
                     QPointF(origin.x() + body_.width(), y + kRowHeight - 2));
    const int first = page * rowsPerPage_;
    const int last = std::min<int>(static_cast<int>(rows_.size()), first + rowsPerPage_);
    for (int r = first; r < last; ++r) {
        y += kRowHeight;
        QStringList cells = rows_[r];
        cells << QString::number(firstPages.value(r));
        paintRow(cells, y, SheetStyle::body(), fails_[r] ? SheetStyle::fail() : Qt::black);
    }
    painter.restore();
}

}  // namespace bpd::calcsheet
