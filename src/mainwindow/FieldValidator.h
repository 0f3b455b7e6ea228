#pragma once
// The Validate event of the window's text fields.
//
// When the keyboard focus is about to leave a watched field for another control of the same
// window (Tab, Shift+Tab, or a mouse press on a control that takes the focus), the validate
// callback runs first. When it asks to cancel, the field keeps the focus and the key or mouse
// press is swallowed, so a click on a button, check box, selector or the grid is not carried
// out. Menu commands, shortcuts, presses on labels or frames and switching to another
// application do not move the focus to another control and raise no validation.
//
// Mouse presses are taken at the window before Qt hands the focus to the pressed control.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QLineEdit;
class QWidget;

namespace bpd::mainwindow {

class FieldValidator : public QObject {
    Q_OBJECT
public:
    // Returns true to cancel: the field keeps the focus.
    using Validate = std::function<bool(QLineEdit* field, bool zeroAllowed)>;

    FieldValidator(QWidget* window, Validate validate);
    ~FieldValidator() override;

    void addField(QLineEdit* field, bool zeroAllowed);
    bool isField(const QObject* object) const;
    // Runs the validation of a field as leaving it would.
    bool validate(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* focusedField() const;
    QWidget* focusTargetAt(const QPoint& windowPos) const;
    bool handleWindowPress(QEvent* event);
    bool handleWheel(QEvent* event);

    QPointer<QWidget> window_;
    Validate validate_;
    QHash<const QLineEdit*, bool> zeroAllowed_;
    bool validating_ = false;
};

}  // namespace bpd::mainwindow
