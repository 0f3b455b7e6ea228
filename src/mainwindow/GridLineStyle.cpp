#include "GridLineStyle.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTableView>

namespace bpd::mainwindow {

void GridLineStyle::applyTo(QTableView* table, const QColor& lines) {
    if (auto* own = qobject_cast<GridLineStyle*>(table->style()); own && own->parent() == table) {
        own->lines_ = lines;
        table->viewport()->update();
        return;
    }
    // A fresh instance of the program's style underneath (the proxy owns its base style).
    auto* style = new GridLineStyle(QStyleFactory::create(QApplication::style()->name()), lines);
    style->setParent(table);
    table->setStyle(style);
}

int GridLineStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_Table_GridLineColor) return static_cast<int>(lines_.rgba());
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace bpd::mainwindow
