#include "AccessibleNames.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "AccessibleSelector.h"
#include "PictureBox.h"
#include "ResultsGrid.h"

namespace bpd::mainwindow {

QString AccessibleNames::fieldName(const QString& caption, const QString& unit) {
    const QString name = caption.simplified();
    const QString u = unit.simplified();
    return u.isEmpty() ? name : name + QStringLiteral(", ") + u;
}

void AccessibleNames::apply(const Form1Controls& c) {
    // The selectors' names are read only through this interface (see AccessibleSelector.h).
    platform::AccessibleSelector::install();
    const struct {
        QWidget* control;
        QLabel* caption;
        QLabel* unit;
    } named[] = {
        {c.w1Text, c.Label1, c.UnitLength[1]}, {c.b1Text, c.Label2, c.UnitLength[2]},
        {c.tCombo, c.Label3, c.UnitLength[3]}, {c.tCombo_SI, c.Label3, c.UnitLength[3]},
        {c.AText, c.Label4, c.UnitAngle},      {c.dhText, c.Label5, c.UnitLength[0]},
        {c.VapText, c.Label6, c.UnitsForce},
    };
    for (const auto& n : named)
        n.control->setAccessibleName(fieldName(n.caption->text(), n.unit->text()));

    // The preview takes the focus in the tab cycle; its tooltip is what it shows.
    c.Picture1->setAccessibleName(c.Picture1->toolTip());
    c.MSFlexGrid1->setAccessibleName(QString::fromLatin1(kResultsName));
    // The grid's own table takes the focus for it and is the table a reader meets.
    if (QWidget* table = c.MSFlexGrid1->focusProxy())
        table->setAccessibleName(QString::fromLatin1(kResultsName));
}

}  // namespace bpd::mainwindow
