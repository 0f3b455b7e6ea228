#pragma once
// The fonts, colours and measures of the calculation sheets, in PDF points (the writer runs at
// 72 dots per inch, so a font's point size is its size on paper).

#include <QColor>
#include <QFont>

namespace bpd::calcsheet {

class SheetStyle {
public:
    static constexpr qreal kMargin = 36;         // half an inch round the page
    static constexpr qreal kLineGap = 2.5;       // between two lines of text
    static constexpr qreal kHangingIndent = 14;  // a wrapped line's continuation
    static constexpr int kDotsPerInch = 72;

    static QFont body();     // the steps and checks
    static QFont bold();     // the verdicts and the title block's values
    static QFont heading();  // a thickness, a section
    static QFont title();    // the sheet's title
    static QFont small();    // labels, the footer, the chart's texts

    static QColor fail();         // the grid's FAIL! colour
    static QColor muted();        // labels and rules
    static QColor compression();  // the chart's passing bars
    static QColor shear();
};

}  // namespace bpd::calcsheet
