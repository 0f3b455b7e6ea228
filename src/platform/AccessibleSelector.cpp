#include "AccessibleSelector.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace bpd::platform {

namespace {
QAccessibleInterface* selectorFactory(const QString& className, QObject* object) {
    auto* selector = qobject_cast<QComboBox*>(object);
    // Editable lists keep Qt's interface: their text box is a child of its own.
    if (className != QLatin1String("QComboBox") || !selector || selector->isEditable())
        return nullptr;
    return new AccessibleSelector(selector);
}
}  // namespace

AccessibleSelector::AccessibleSelector(QComboBox* selector)
    : QAccessibleWidget(selector, QAccessible::ComboBox) {}

void AccessibleSelector::install() {
    static const bool installed = [] {
        QAccessible::installFactory(selectorFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QComboBox* AccessibleSelector::selector() const {
    return static_cast<QComboBox*>(widget());
}

QString AccessibleSelector::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name:
            if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
            return selector()->currentText();
        case QAccessible::Value:
            return selector()->currentText();
        default:
            return QAccessibleWidget::text(t);
    }
}

// The popup list is the one child, as in Qt's own interface.
int AccessibleSelector::childCount() const {
    return selector()->view() ? 1 : 0;
}

QAccessibleInterface* AccessibleSelector::child(int index) const {
    if (index != 0 || !selector()->view()) return nullptr;
    return QAccessible::queryAccessibleInterface(selector()->view());
}

int AccessibleSelector::indexOfChild(const QAccessibleInterface* child) const {
    return child && child->object() == selector()->view() ? 0 : -1;
}

QStringList AccessibleSelector::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void AccessibleSelector::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction()) return;
    if (selector()->view()->isVisible())
        selector()->hidePopup();
    else
        selector()->showPopup();
}

QStringList AccessibleSelector::keyBindingsForAction(const QString&) const {
    return {};
}

}  // namespace bpd::platform
