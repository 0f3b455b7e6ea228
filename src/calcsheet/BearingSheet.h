#pragma once
// One bearing's calculation laid out as pages of text and a chart: the title, the inputs as
// the fields show them, in SI the conversion into the method's units, how the numbers are
// rounded, the utilisation chart, then for each computed thickness its steps, its checks, the
// governing check, its verdict and, when it fails, the engine's advice. A thickness is kept
// on one page when it fits; a long line wraps at a blank with a hanging indent.
//
// The sheet knows its pages but not where they fall in a document, so a document can put it
// after a cover page or other sheets:
//     BearingSheet sheet(calculation, frame.body().size(), writer);
//     for (int p = 0; p < sheet.pageCount(); ++p) { ...; sheet.paintPage(painter, p, origin); }

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include "CalculationSteps.h"

class QPainter;
class QPaintDevice;

namespace bpd::calcsheet {

class BearingSheet {
public:
    // device: the paint device whose font metrics the layout uses (the PDF writer).
    BearingSheet(BearingCalculation calculation, QSizeF body, QPaintDevice& device);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    // page counts from 0 within this sheet; origin: the top left of the page's body.
    void paintPage(QPainter& painter, int page, QPointF origin) const;

    const BearingCalculation& calculation() const { return calculation_; }
    // The sheet's text, one entry per logical line (before wrapping), in order.
    QStringList textLines() const;

private:
    enum class Kind { Text, Chart, Gap };
    struct Item {
        Kind kind = Kind::Text;
        QString text;
        QFont font;
        QColor colour = Qt::black;
        qreal indent = 0;
        qreal height = 0;
        QStringList wrapped;  // Text: its lines as printed
    };
    struct Block {  // items kept on one page when they fit
        QList<Item> items;
        qreal height = 0;
    };

    void layOut(QSizeF body, QPaintDevice& device);
    Item text(const QString& line, const QFont& font, QColor colour = Qt::black) const;

    BearingCalculation calculation_;
    QList<Block> blocks_;
    QList<QList<Item>> pages_;
    qreal width_ = 0;
};

}  // namespace bpd::calcsheet
