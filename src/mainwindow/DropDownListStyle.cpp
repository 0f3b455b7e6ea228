#include "DropDownListStyle.h"

#include <QApplication>
#include <QComboBox>
#include <QStyleFactory>
#include <QStyleOption>

namespace bpd::mainwindow {

void DropDownListStyle::applyTo(QComboBox* combo) {
    // A fresh instance of the program's style underneath (the proxy owns its base style).
    auto* style = new DropDownListStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(combo);
    combo->setStyle(style);
}

int DropDownListStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
    if (hint == SH_ComboBox_Popup) return 0;  // a plain list in the field's colours
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void DropDownListStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const {
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control != CC_ComboBox || !combo || combo->editable) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QStyleOptionFrame field;
    field.QStyleOption::operator=(*combo);
    field.lineWidth = proxy()->pixelMetric(PM_DefaultFrameWidth, combo, widget);
    field.state |= State_Sunken;
    proxy()->drawPrimitive(PE_PanelLineEdit, &field, painter, widget);

    const QRect arrowArea = proxy()->subControlRect(CC_ComboBox, combo, SC_ComboBoxArrow, widget);
    QStyleOptionButton button;
    button.QStyleOption::operator=(*combo);
    button.rect = arrowArea.adjusted(0, field.lineWidth, -field.lineWidth, -field.lineWidth);
    button.state &= ~State_HasFocus;
    if (combo->state & State_On) button.state |= State_Sunken;
    proxy()->drawPrimitive(PE_PanelButtonCommand, &button, painter, widget);
    QStyleOption arrow(button);
    arrow.rect = button.rect.adjusted(3, 3, -3, -3);
    proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
}

}  // namespace bpd::mainwindow
