#pragma once
// The utilisation of both checks for every catalogue thickness of one bearing, as bars
// against the 100 % line: the compression check Vap / Var and the shear check Es / 75 %
// side by side for each thickness, the governing one marked, a failing one in the FAIL!
// colour, each bar's percentage above it. Drawn with QPainter as vectors, into the PDF
// like the text, so it prints sharp at any scale and needs no chart library.

#include <QRectF>
#include <vector>

#include "CalculationSteps.h"

class QPainter;

namespace bpd::calcsheet {

class UtilisationChart {
public:
    explicit UtilisationChart(const std::vector<UtilisationBar>& bars) : bars_(bars) {}

    static constexpr qreal kHeight = 150;  // the chart's height in points, its legend included

    void paint(QPainter& painter, const QRectF& area) const;

    // The top of the scale: 150 %, or the largest finite utilisation rounded up to 50 %, at
    // most 300 % (taller bars are cut at the top and keep their figure).
    double scaleTop() const;

private:
    const std::vector<UtilisationBar>& bars_;
};

}  // namespace bpd::calcsheet
