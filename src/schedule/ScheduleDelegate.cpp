#include "ScheduleDelegate.h"

#include <QAbstractProxyModel>
#include <QKeyEvent>
#include <QLineEdit>

#include "MessageService.h"
#include "ScheduleModel.h"

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

QWidget* ScheduleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    editing_ = index;
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void ScheduleDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    // A refused text changes nothing (the model refuses it too).
    if (const auto* line = qobject_cast<QLineEdit*>(editor))
        model->setData(index, line->text(), Qt::EditRole);
    else
        QStyledItemDelegate::setModelData(editor, model, index);
}

bool ScheduleDelegate::eventFilter(QObject* object, QEvent* event) {
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
    if (editor && event->type() == QEvent::FocusOut && warning_) return true;
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace bpd::schedule
