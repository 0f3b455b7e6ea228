#include "ScheduleDelegate.h"

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

#include "MessageService.h"
#include "ScheduleModel.h"
#include "ThicknessCatalogue.h"

namespace bpd::schedule {

namespace {

// The schedule's index of a view index, through any proxies.
QModelIndex sourceIndex(QModelIndex index) {
    while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(index.model()))
        index = proxy->mapToSource(index);
    return index;
}

}  // namespace

ScheduleDelegate::ScheduleDelegate(ScheduleModel& schedule, platform::MessageService& messages,
                                   QObject* parent)
    : QStyledItemDelegate(parent), schedule_(schedule), messages_(messages) {}

bool ScheduleDelegate::refused(QWidget* editor, const QModelIndex& index) const {
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) return false;
    const std::optional<QString> why = schedule_.refusal(sourceIndex(index), line->text());
    if (!why) return false;
    warning_ = true;
    messages_.warning(editor->window(), platform::kMessageTitle, *why);
    warning_ = false;
    return true;
}

bool ScheduleDelegate::holdsRefusedText() const {
    const auto* line = qobject_cast<QLineEdit*>(editor_.data());
    // A closed editor (Esc) is hidden until its deletion.
    return line && line->isVisible() && editing_.isValid() &&
           schedule_.refusal(sourceIndex(editing_), line->text()).has_value();
}

QWidget* ScheduleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    editing_ = index;
    if (QWindow* window = parent->window()->windowHandle(); window && window != window_) {
        window_ = window;
        window->installEventFilter(const_cast<ScheduleDelegate*>(this));
    }
    if (sourceIndex(index).column() != ScheduleModel::Thickness) {
        editor_ = QStyledItemDelegate::createEditor(parent, option, index);
        return editor_;
    }
    // The thickness is chosen from the selector's entries, as in the main window.
    auto* selector = new QComboBox(parent);
    selector->setAccessibleName(QStringLiteral("Thickness (t)"));
    for (const std::string_view entry :
         ThicknessCatalogue::selectorEntries(schedule_.document().units))
        selector->addItem(QString::fromUtf8(entry.data(), qsizetype(entry.size())));
    editor_ = selector;
    return selector;
}

void ScheduleDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* selector = qobject_cast<QComboBox*>(editor)) {
        selector->setCurrentIndex(
            std::max(0, selector->findText(index.data(Qt::EditRole).toString())));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void ScheduleDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    // A refused text changes nothing (the model refuses it too).
    if (const auto* line = qobject_cast<QLineEdit*>(editor))
        model->setData(index, line->text(), Qt::EditRole);
    else if (const auto* selector = qobject_cast<QComboBox*>(editor))
        model->setData(index, selector->currentText(), Qt::EditRole);
    else
        QStyledItemDelegate::setModelData(editor, model, index);
}

bool ScheduleDelegate::windowEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonRelease && swallowRelease_) {
        swallowRelease_ = false;
        return true;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) return false;
    if (!editor_ || !holdsRefusedText()) return false;
    // Taken at the window, before Qt moves the focus: a press on another control of the
    // window leaves the cell, and a refused text keeps it, so the press is not carried out.
    QWidget* top = editor_->window();
    QWidget* target = top->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    while (target && target != top &&
           !(target->isEnabled() && (target->focusPolicy() & Qt::ClickFocus)))
        target = target->parentWidget();
    if (!target || target == top || target == editor_ || editor_->isAncestorOf(target))
        return false;
    refused(editor_, editing_);
    editor_->setFocus(Qt::OtherFocusReason);
    swallowRelease_ = true;
    return true;
}

bool ScheduleDelegate::eventFilter(QObject* object, QEvent* event) {
    if (object == window_) return windowEvent(event);
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool leaves = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return ||
                            key == Qt::Key_Enter;
        if (leaves && editing_.isValid() && refused(editor, editing_)) {
            editor->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    if (editor && event->type() == QEvent::FocusOut) {
        if (warning_) return true;
        // A click elsewhere in the window leaves the cell as Tab does. Another window or a
        // menu takes the focus for a while: a refused text stays in editing, unsaid.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool away = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (editor == editor_ && holdsRefusedText()) {
            if (!away) refused(editor, editing_);
            editor->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace bpd::schedule
