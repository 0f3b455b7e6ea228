#pragma once
// The program's style with the grid lines of a table in one given colour (the style's own
// choice is a shade of the table's background).
//
// Usage: the style belongs to the table it is given to.
//     GridLineStyle::applyTo(table, QColor(192, 192, 192));

#include <QColor>
#include <QProxyStyle>

class QTableView;

namespace bpd::mainwindow {

class GridLineStyle : public QProxyStyle {
    Q_OBJECT
public:
    static void applyTo(QTableView* table, const QColor& lines);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    GridLineStyle(QStyle* base, const QColor& lines) : QProxyStyle(base), lines_(lines) {}
    QColor lines_;
};

}  // namespace bpd::mainwindow
