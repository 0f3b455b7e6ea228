#pragma once
// The look of a classic drop-down list on top of the program's style: the closed list is a
// field in its palette's Base colour with a sunken frame, as a text box is, with the drop
// button beside it in the button face; the open list is a plain list in the same Base colour
// (not the style's menu-like popup in the menu colours).
//
// Usage: the style belongs to the control it is given to.
//     DropDownListStyle::applyTo(combo);

#include <QProxyStyle>

class QComboBox;

namespace bpd::mainwindow {

class DropDownListStyle : public QProxyStyle {
    Q_OBJECT
public:
    static void applyTo(QComboBox* combo);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

private:
    explicit DropDownListStyle(QStyle* base) : QProxyStyle(base) {}
};

}  // namespace bpd::mainwindow
