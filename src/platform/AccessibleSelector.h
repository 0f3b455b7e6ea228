#pragma once
// What assistive technology reads of a drop-down list: its accessible name when it has one,
// its current entry as the value.
//
// Qt's own interface for a drop-down list names it by its current entry on Linux and ignores
// the accessible name there, so a screen reader announces the thickness selector as "All"
// and never as the caption beside it. This interface keeps Qt's role, popup list and actions
// and answers the name the program gave; a list without a name is still named by its current
// entry, as before. Installed once on the application, before any window is made (an
// interface already handed out stays in Qt's cache).

#include <QAccessibleWidget>

class QComboBox;

namespace bpd::platform {

class AccessibleSelector : public QAccessibleWidget {
public:
    explicit AccessibleSelector(QComboBox* selector);

    // Registers the interface for every non-editable drop-down list; safe to call again.
    static void install();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QComboBox* selector() const;
};

}  // namespace bpd::platform
