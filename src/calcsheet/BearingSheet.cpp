#include "BearingSheet.h"

#include <QFontMetricsF>
#include <QPainter>

#include "SheetStyle.h"
#include "UtilisationChart.h"

namespace bpd::calcsheet {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// Splits a line at blanks into lines no wider than width; the second and later lines are
// indented. A word wider than the line stands alone.
QStringList wrap(const QString& line, const QFontMetricsF& metrics, qreal width, qreal indent) {
    QStringList out;
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        const qreal room = out.isEmpty() ? width : width - indent;
        if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > room) {
            out.append(current);
            current = word;
        } else {
            current = candidate;
        }
    }
    out.append(current);
    return out;
}

}  // namespace

BearingSheet::BearingSheet(BearingCalculation calculation, QSizeF body, QPaintDevice& device)
    : calculation_(std::move(calculation)) {
    layOut(body, device);
}

BearingSheet::Item BearingSheet::text(const QString& line, const QFont& font, QColor colour) const {
    Item item;
    item.kind = Kind::Text;
    item.text = line;
    item.font = font;
    item.colour = colour;
    return item;
}

void BearingSheet::layOut(QSizeF body, QPaintDevice& device) {
    const BearingCalculation& c = calculation_;
    width_ = body.width();
    const bool si = c.units == UnitSystem::SI;
    const auto gap = [](qreal height) {
        Item item;
        item.kind = Kind::Gap;
        item.height = height;
        return item;
    };

    Block head;
    head.items << text(QStringLiteral("Calculation sheet: elastomeric bearing pad design check"),
                       SheetStyle::title())
               << gap(4) << text(QStringLiteral("Inputs"), SheetStyle::heading());
    QStringList inputs;
    for (const InputLine& input : c.inputs) {
        const QString name = input.name == "t" ? QStringLiteral("Thickness") : qt(input.name);
        const QString value = input.unit.empty()
                                  ? qt(input.text)
                                  : qt(input.text) + QLatin1Char(' ') + qt(input.unit);
        inputs << (input.unit.empty() ? name + QStringLiteral(": ") + value
                                      : name + QStringLiteral(" = ") + value);
    }
    head.items << text(inputs.mid(0, 5).join(QStringLiteral("    ")), SheetStyle::body())
               << text(inputs.mid(5).join(QStringLiteral("    ")) + QStringLiteral("    Units: ") +
                           (si ? QStringLiteral("SI") : QStringLiteral("Imperial")),
                       SheetStyle::body());
    if (si) {
        head.items << gap(4)
                   << text(QStringLiteral("Conversion into the method's units (in., kips, psi)"),
                           SheetStyle::heading());
        for (const std::string& line : c.conversions)
            head.items << text(qt(line), SheetStyle::body());
    }
    head.items << gap(4) << text(qt(c.rounding), SheetStyle::small());
    blocks_ << head;

    Block chart;
    chart.items << gap(6)
                << text(QStringLiteral("Utilisation of both checks, every catalogue thickness"),
                        SheetStyle::heading());
    Item chartItem;
    chartItem.kind = Kind::Chart;
    chartItem.height = UtilisationChart::kHeight;
    chart.items << chartItem;
    blocks_ << chart;

    for (const ThicknessCalculation& t : c.thicknesses) {
        Block block;
        const bool fails = !t.passes;
        block.items << gap(8)
                    << text(QStringLiteral("t = ") + qt(t.thickness) + QStringLiteral(": ") +
                                qt(t.verdict),
                            SheetStyle::heading(), fails ? SheetStyle::fail() : Qt::black);
        for (const CalculationStep& step : t.steps)
            block.items << text(qt(step.line), SheetStyle::body());
        block.items << gap(2) << text(QStringLiteral("Checks"), SheetStyle::bold())
                    << text(QStringLiteral("Compression: ") + qt(t.compressionCheck),
                            SheetStyle::body())
                    << text(QStringLiteral("Shear: ") + qt(t.shearCheck), SheetStyle::body())
                    << text(qt(t.governing), SheetStyle::body())
                    << text(QStringLiteral("Verdict for t = ") + qt(t.thickness) +
                                QStringLiteral(": ") + qt(t.verdict),
                            SheetStyle::bold(), fails ? SheetStyle::fail() : Qt::black);
        if (!t.advice.empty())
            block.items << text(QStringLiteral("What would pass: ") + qt(t.advice),
                                SheetStyle::body());
        blocks_ << block;
    }
    if (!c.fault.empty()) {
        Block fault;
        fault.items << gap(8) << text(qt(c.fault), SheetStyle::bold(), SheetStyle::fail());
        blocks_ << fault;
    }

    // Measure, then fill the pages block by block.
    for (Block& block : blocks_) {
        block.height = 0;
        for (Item& item : block.items) {
            if (item.kind == Kind::Text) {
                const QFontMetricsF metrics(item.font, &device);
                item.indent = SheetStyle::kHangingIndent;
                item.wrapped = wrap(item.text, metrics, body.width(), item.indent);
                item.height = item.wrapped.size() * (metrics.height() + SheetStyle::kLineGap);
            }
            block.height += item.height;
        }
    }
    QList<Item> page;
    qreal used = 0;
    for (const Block& block : blocks_) {
        if (used > 0 && used + block.height > body.height()) {
            pages_ << page;
            page.clear();
            used = 0;
        }
        // A block taller than a page runs on item by item.
        for (const Item& item : block.items) {
            if (used > 0 && used + item.height > body.height()) {
                pages_ << page;
                page.clear();
                used = 0;
            }
            if (used == 0 && item.kind == Kind::Gap) continue;
            page << item;
            used += item.height;
        }
    }
    if (!page.isEmpty()) pages_ << page;
}

QStringList BearingSheet::textLines() const {
    QStringList lines;
    for (const QList<Item>& page : pages_)
        for (const Item& item : page)
            if (item.kind == Kind::Text) lines << item.text;
    return lines;
}

void BearingSheet::paintPage(QPainter& painter, int page, QPointF origin) const {
    if (page < 0 || page >= pages_.size()) return;
    painter.save();
    qreal y = origin.y();
    for (const Item& item : pages_[page]) {
        if (item.kind == Kind::Chart) {
            UtilisationChart(calculation_.chart)
                .paint(painter, QRectF(origin.x(), y, width_, item.height));
        } else if (item.kind == Kind::Text) {
            painter.setFont(item.font);
            painter.setPen(item.colour);
            const QFontMetricsF metrics(item.font, painter.device());
            for (qsizetype l = 0; l < item.wrapped.size(); ++l) {
                const qreal x = origin.x() + (l == 0 ? 0 : item.indent);
                painter.drawText(QPointF(x, y + l * (metrics.height() + SheetStyle::kLineGap) +
                                                metrics.ascent()),
                                 item.wrapped[l]);
            }
        }
        y += item.height;
    }
    painter.restore();
}

}  // namespace bpd::calcsheet
