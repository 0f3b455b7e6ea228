#include "MainWindowTransfer.h"

#include <QAbstractProxyModel>
#include <QKeyEvent>
#include <QTableView>
#include <vector>

#include "BearingInputs.h"
#include "MainWindowLink.h"
#include "MessageService.h"
#include "ScheduleModel.h"
#include "ThicknessCatalogue.h"
#include "UnitChange.h"

namespace bpd::schedule {

namespace {

// The model's column of each input, in the order of kInputs (w1, b1, A, dh, Vap).
int columnOf(std::size_t input) {
    return ScheduleModel::W1 + static_cast<int>(input);
}

// The schedule's index of a view index, through any proxies.
QModelIndex sourceIndex(QModelIndex index) {
    while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(index.model()))
        index = proxy->mapToSource(index);
    return index;
}

}  // namespace

MainWindowTransfer::MainWindowTransfer(QTableView* table, ScheduleModel& model,
                                       platform::MessageService& messages, QObject* parent)
    : QObject(parent), table_(table), model_(model), messages_(messages) {
    table_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
    table_->installEventFilter(this);
    connect(table_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const QModelIndex cell = sourceIndex(index);
        if (cell.isValid()) send(cell.row());
    });
}

bool MainWindowTransfer::eventFilter(QObject* watched, QEvent* event) {
    // Enter on the table itself: an open editor has the focus and keeps its Enter.
    if (watched == table_ && event->type() == QEvent::KeyPress && table_->hasFocus()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const QModelIndex cell = sourceIndex(table_->currentIndex());
        if (enter && key->modifiers() == Qt::NoModifier && cell.isValid()) {
            send(cell.row());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void MainWindowTransfer::warn(const QString& text) {
    messages_.warning(table_->window(), platform::kMessageTitle, text);
}

bool MainWindowTransfer::send(int row) {
    if (!link_ || row < 0 || row >= model_.rowCount()) return false;
    const designfile::DesignDocument& document = model_.document();
    const designfile::DesignBearing& bearing = document.bearings[static_cast<std::size_t>(row)];
    // Only the main window's inputs count here: the mark and quantity are the schedule's.
    designfile::DesignBearing inputs = bearing;
    inputs.mark = "";
    inputs.quantity = 1;
    if (auto problem =
            designfile::bearingProblem(document.units, inputs, static_cast<std::size_t>(row) + 1)) {
        problem->mark = bearing.mark;
        warn(QStringLiteral("The main window cannot take %1.\nCorrect the bearing first.")
                 .arg(QString::fromStdString(designfile::describeProblem(*problem))));
        return false;
    }
    WindowInputs entered;
    entered.units = document.units;
    for (std::size_t i = 0; i < kInputs.size(); ++i)
        kInputs[i].of(entered.texts) =
            model_.data(model_.index(row, columnOf(i)), Qt::EditRole).toString();
    entered.sliding = bearing.sliding;
    entered.position = designfile::thicknessPosition(document.units, bearing);
    return link_->enterInputs(entered);
}

int MainWindowTransfer::selectedRow() const {
    const QItemSelectionModel* selection = table_->selectionModel();
    const QModelIndexList rows = selection->selectedRows();
    if (rows.isEmpty()) return -1;
    // Of several selected lines, the one the user is on.
    const QModelIndex current = table_->currentIndex();
    const bool onSelected = current.isValid() && selection->isRowSelected(current.row());
    return sourceIndex(onSelected ? current : rows.front()).row();
}

int MainWindowTransfer::take() {
    if (!link_) return -1;
    const WindowInputs taken = link_->currentInputs();
    designfile::DesignBearing inputs;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const QString& text = kInputs[i].of(taken.texts);
        if (const std::optional<QString> why = model_.refusalIn(columnOf(i), text)) {
            warn(QStringLiteral("%1 in the main window: %2")
                     .arg(QString::fromUtf8(kInputs[i].name.data(),
                                            static_cast<qsizetype>(kInputs[i].name.size())),
                          *why));
            return -1;
        }
        kInputs[i].of(inputs.values) = model_.fieldValue(text);
    }
    inputs.sliding = taken.sliding;
    inputs.thickness = std::string(ThicknessCatalogue::label(taken.units, taken.position));
    const UnitSystem units = model_.document().units;
    if (taken.units != units) {
        designfile::DesignDocument asTaken;
        asTaken.units = taken.units;
        asTaken.bearings = {inputs};
        inputs = UnitChange::converted(asTaken, units).bearings.front();
    }
    const int row = model_.takeInputs(selectedRow(), inputs);
    QModelIndex shown = model_.index(row, ScheduleModel::Mark);
    // Up through the view's proxies, to show the line written.
    std::vector<const QAbstractProxyModel*> proxies;
    const QAbstractItemModel* viewed = table_->model();
    while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(viewed)) {
        proxies.push_back(proxy);
        viewed = proxy->sourceModel();
    }
    for (auto it = proxies.rbegin(); it != proxies.rend(); ++it)
        shown = (*it)->mapFromSource(shown);
    if (shown.isValid()) table_->setCurrentIndex(shown);
    return row;
}

}  // namespace bpd::schedule
