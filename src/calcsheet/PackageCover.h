#pragma once
// The cover of a calculation package: the title and a summary table of every bearing (mark,
// location, quantity, pad w1 × b1 and thickness, status, governing check, utilisation and
// the page its sheet starts on), continued over as many cover pages as it needs.

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include "CalculationSteps.h"

class QPainter;

namespace bpd::calcsheet {

struct PackageBearing {
    BearingInputs bearing;
    QString mark, location;
    int quantity = 1;
};

class PackageCover {
public:
    // body: the size of a page's body; the rows are laid out at construction.
    PackageCover(const QList<PackageBearing>& bearings,
                 const std::vector<BearingCalculation>& calculations, QSizeF body);

    int pageCount() const;
    // firstPages: the document page each bearing's sheet starts on.
    void paintPage(QPainter& painter, int page, QPointF origin, const QList<int>& firstPages) const;

    // The summary row of a bearing: mark, location, quantity, pad, status, governing check,
    // utilisation (the page is added when painted).
    QStringList row(int bearing) const { return rows_.value(bearing); }
    static QStringList header();

private:
    QList<QStringList> rows_;
    QList<bool> fails_;
    QSizeF body_;
    int rowsPerPage_ = 1;
};

}  // namespace bpd::calcsheet
