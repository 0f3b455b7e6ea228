#include "ScheduleModel.h"

#include <QColor>
#include <algorithm>

#include "BearingEdit.h"
#include "BearingImport.h"
#include "BearingInputs.h"
#include "BearingInsertion.h"
#include "BearingRemoval.h"
#include "ClassicColours.h"
#include "InputRules.h"
#include "NumberFormat.h"
#include "PadsApplied.h"
#include "ProjectChange.h"
#include "ThicknessCatalogue.h"
#include "UnitChange.h"
#include "Units.h"

namespace bpd::schedule {

namespace {

using designfile::DesignBearing;
using platform::ClassicColours;

QString fromEngine(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The input rule and unit of an input column.
struct InputColumn {
    const InputRule* rule;
    QuantityKind kind;
};
std::optional<InputColumn> inputColumn(int column) {
    switch (column) {
        case ScheduleModel::W1:
            return InputColumn{&kInputs[0], QuantityKind::Length};
        case ScheduleModel::B1:
            return InputColumn{&kInputs[1], QuantityKind::Length};
        case ScheduleModel::A:
            return InputColumn{&kInputs[2], QuantityKind::Angle};
        case ScheduleModel::Dh:
            return InputColumn{&kInputs[3], QuantityKind::Length};
        case ScheduleModel::Vap:
            return InputColumn{&kInputs[4], QuantityKind::Load};
        default:
            return std::nullopt;
    }
}

constexpr const char* kMarkMessage = "Invalid input. Please enter a mark.";
constexpr const char* kQuantityMessage =
    "Invalid input. Please enter a whole number of at least 1.";

}  // namespace

ScheduleModel::ScheduleModel(QLocale locale, QObject* parent)
    : QAbstractTableModel(parent), locale_(std::move(locale)) {}

NumberLocale ScheduleModel::numberLocale() const {
    NumberLocale result;
    result.decimalSeparator = locale_.decimalPoint().toStdString();
    result.groupSeparator = locale_.groupSeparator().toStdString();
    return result;
}

void ScheduleModel::setDocument(designfile::DesignDocument document) {
    replaceDocument(std::move(document));
    undo_.clear();
    undo_.setClean();
}

void ScheduleModel::replaceDocument(designfile::DesignDocument document) {
    beginResetModel();
    document_ = std::move(document);
    lines_.clear();
    lines_.reserve(document_.bearings.size());
    for (std::size_t i = 0; i < document_.bearings.size(); ++i) {
        lines_.push_back(checkLine(document_.units, document_.bearings[i], i + 1));
        ++checked_;
    }
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(document_.bearings.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString ScheduleModel::inputText(const DesignBearing& bearing, int column) const {
    const auto input = inputColumn(column);
    if (!input) return {};
    // The field's own text (".0000"), with the user's decimal separator.
    QString text = fromEngine(input->rule->of(designfile::fieldTexts(bearing)));
    return text.replace(QLatin1Char('.'), locale_.decimalPoint());
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const DesignBearing& bearing = document_.bearings[static_cast<std::size_t>(index.row())];
    const LineCheck& check = line(index.row());
    const int column = index.column();
    if (role == FailingRole) return !check.passes;
    if (role == Qt::ToolTipRole) {
        if (check.problem) {
            designfile::BearingProblem problem = *check.problem;
            problem.position = static_cast<std::size_t>(index.row()) + 1;  // its place now
            return fromEngine(designfile::describeProblem(problem));
        }
        return check.passes ? QVariant() : QVariant(fromEngine(check.why));
    }
    if (role == Qt::BackgroundRole && column == Status)
        return ClassicColours::fromWindowsValue(check.passes ? ClassicColours::kPass
                                                             : ClassicColours::kFail);
    if (role == Qt::CheckStateRole && column == Sliding)
        return bearing.sliding ? Qt::Checked : Qt::Unchecked;
    if (role == SortRole) {
        if (const auto input = inputColumn(column))
            return input->rule->of(designfile::fieldValues(bearing));
        if (column == Qty) return bearing.quantity;
        if (column == Utilisation && check.explanation) return check.utilisation;
        if (column == Thickness) return designfile::thicknessPosition(document_.units, bearing);
        return data(index, Qt::DisplayRole);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (column) {
        case Mark:
            return bearing.mark ? fromEngine(*bearing.mark) : QString();
        case Location:
            return fromEngine(bearing.location);
        case Qty:
            return designfile::isQuantity(bearing.quantity)
                       ? QString::number(designfile::quantityOf(bearing))
                       : fromEngine(formatShortest(bearing.quantity));
        case Sliding:
            return bearing.sliding ? QStringLiteral("Yes") : QStringLiteral("No");
        case Thickness:
            return fromEngine(bearing.thickness);
        case Status:
            return fromEngine(check.status);
        case Thinnest:
            return check.thinnest.empty() && check.explanation ? QStringLiteral("none")
                                                               : fromEngine(check.thinnest);
        case Governs:
            return check.explanation ? fromEngine(checkName(check.explanation->governing))
                                     : QString();
        case Utilisation:
            return fromEngine(governingUtilisation(check));
        default:
            return inputText(bearing, column);
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        if (role == Qt::DisplayRole) return section + 1;
        return {};
    }
    if (role != Qt::DisplayRole) return {};
    if (const auto input = inputColumn(section))
        return QStringLiteral("%1 (%2)").arg(fromEngine(input->rule->name),
                                             fromEngine(unitCaption(document_.units, input->kind)));
    switch (section) {
        case Mark:
            return QStringLiteral("Mark");
        case Location:
            return QStringLiteral("Location");
        case Qty:
            return QStringLiteral("Qty");
        case Sliding:
            return QStringLiteral("Sliding");
        case Thickness:
            return QStringLiteral("t");
        case Status:
            return QStringLiteral("Status");
        case Thinnest:
            return QStringLiteral("Thinnest passing t");
        case Governs:
            return QStringLiteral("Governs");
        case Utilisation:
            return QStringLiteral("Utilisation (%)");
        default:
            return {};
    }
}

Qt::ItemFlags ScheduleModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Sliding) return f | Qt::ItemIsUserCheckable;
    if (index.column() < Status) f |= Qt::ItemIsEditable;
    return f;
}

std::optional<QString> ScheduleModel::refusal(const QModelIndex& index, const QString& text) const {
    return refusalIn(index.column(), text);
}

std::optional<double> ScheduleModel::fieldValue(const QString& text) const {
    const NumberLocale separators = numberLocale();
    return parseNumber(formatInputPattern(text.toStdString(), separators), separators);
}

std::optional<QString> ScheduleModel::refusalIn(int column, const QString& text) const {
    const NumberLocale separators = numberLocale();
    if (const auto input = inputColumn(column)) {
        const std::string shaped = formatInputPattern(text.toStdString(), separators);
        const InputProblem problem =
            inputProblem(parseNumber(shaped, separators), input->rule->zeroAllowed);
        if (problem == InputProblem::None) return std::nullopt;
        return fromEngine(inputMessage(problem));
    }
    switch (column) {
        case Mark:
            if (text.trimmed().isEmpty()) return QString::fromLatin1(kMarkMessage);
            break;
        case Qty: {
            const auto number = parseNumber(text.toStdString(), separators);
            if (!number || !designfile::isQuantity(*number))
                return QString::fromLatin1(kQuantityMessage);
            break;
        }
        case Thickness:
            if (ThicknessCatalogue::positionOfLabel(document_.units, text.trimmed().toStdString()) <
                0) {
                QStringList labels;
                for (const std::string_view label :
                     ThicknessCatalogue::selectorEntries(document_.units))
                    labels << fromEngine(label);
                return QStringLiteral("Invalid input. Please enter one of: %1.")
                    .arg(labels.join(QStringLiteral(", ")));
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

std::optional<DesignBearing> ScheduleModel::edited(const QModelIndex& index, const QVariant& value,
                                                   int role) const {
    DesignBearing bearing = document_.bearings[static_cast<std::size_t>(index.row())];
    if (index.column() == Sliding) {
        if (role != Qt::CheckStateRole) return std::nullopt;
        bearing.sliding = value.toInt() == Qt::Checked;
        return bearing;
    }
    if (role != Qt::EditRole) return std::nullopt;
    const QString text = value.toString();
    if (refusal(index, text)) return std::nullopt;
    const NumberLocale separators = numberLocale();
    if (const auto input = inputColumn(index.column())) {
        // The value the field holds once re-formatted, as the window would run it.
        input->rule->of(bearing.values) = fieldValue(text);
        return bearing;
    }
    switch (index.column()) {
        case Mark:
            bearing.mark = text.trimmed().toStdString();
            break;
        case Location:
            bearing.location = text.toStdString();
            break;
        case Qty:
            bearing.quantity = *parseNumber(text.toStdString(), separators);
            break;
        case Thickness:
            bearing.thickness = text.trimmed().toStdString();
            break;
        default:
            return std::nullopt;
    }
    return bearing;
}

bool ScheduleModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    std::optional<DesignBearing> after = edited(index, value, role);
    if (!after) return false;
    const DesignBearing& before = document_.bearings[static_cast<std::size_t>(index.row())];
    const QString mark = before.mark ? fromEngine(*before.mark) : QString();
    undo_.push(
        new BearingEdit(*this, index.row(), before, std::move(*after),
                        QStringLiteral("Edit %1 of %2")
                            .arg(headerData(index.column(), Qt::Horizontal).toString(), mark)));
    return true;
}

QString ScheduleModel::markAfter(const QString& mark) const {
    // "B7" -> "B8"; a mark without a number gets "-2"; never a mark the schedule has.
    qsizetype digits = mark.size();
    while (digits > 0 && mark[digits - 1].isDigit()) --digits;
    const QString stem = digits == mark.size() ? mark + QLatin1Char('-') : mark.left(digits);
    long long number = digits == mark.size() ? 1 : mark.mid(digits).toLongLong();
    auto taken = [&](const QString& candidate) {
        const std::string text = candidate.toStdString();
        return std::any_of(document_.bearings.begin(), document_.bearings.end(),
                           [&](const DesignBearing& b) { return b.mark && *b.mark == text; });
    };
    QString candidate;
    do {
        candidate = stem + QString::number(++number);
    } while (taken(candidate));
    return candidate;
}

DesignBearing ScheduleModel::nextBearing() const {
    DesignBearing bearing;
    if (document_.bearings.empty()) {
        bearing.mark = "B1";
    } else {
        bearing = document_.bearings.back();
        bearing.note.clear();
        bearing.unknown.clear();
        bearing.mark =
            markAfter(bearing.mark ? fromEngine(*bearing.mark) : QString()).toStdString();
    }
    return bearing;
}

int ScheduleModel::addBearing() {
    const int row = rowCount();
    undo_.push(new BearingInsertion(*this, row, nextBearing(), QStringLiteral("Add Bearing")));
    return row;
}

int ScheduleModel::takeInputs(int row, const DesignBearing& inputs) {
    const bool added = row < 0 || row >= rowCount();
    DesignBearing bearing =
        added ? nextBearing() : document_.bearings[static_cast<std::size_t>(row)];
    bearing.values = inputs.values;
    bearing.sliding = inputs.sliding;
    bearing.thickness = inputs.thickness;
    const QString text = QStringLiteral("Take from Main Window");
    if (added) {
        row = rowCount();
        undo_.push(new BearingInsertion(*this, row, std::move(bearing), text));
    } else {
        undo_.push(new BearingEdit(*this, row, document_.bearings[static_cast<std::size_t>(row)],
                                   std::move(bearing), text));
    }
    return row;
}

bool ScheduleModel::setProject(const designfile::ProjectInfo& project) {
    const designfile::ProjectInfo& now = document_.project;
    if (project.company == now.company && project.projectName == now.projectName &&
        project.engineer == now.engineer && project.description == now.description)
        return false;
    designfile::ProjectInfo after = now;  // the members this version does not know stay
    after.company = project.company;
    after.projectName = project.projectName;
    after.engineer = project.engineer;
    after.description = project.description;
    undo_.push(new ProjectChange(*this, now, std::move(after)));
    return true;
}

bool ScheduleModel::duplicate(int row) {
    if (row < 0 || row >= rowCount()) return false;
    DesignBearing copy = document_.bearings[static_cast<std::size_t>(row)];
    copy.mark = markAfter(copy.mark ? fromEngine(*copy.mark) : QString()).toStdString();
    undo_.push(new BearingInsertion(*this, row + 1, std::move(copy), QStringLiteral("Duplicate")));
    return true;
}

bool ScheduleModel::removeBearings(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(
        std::remove_if(rows.begin(), rows.end(), [&](int r) { return r < 0 || r >= rowCount(); }),
        rows.end());
    if (rows.empty()) return false;
    undo_.push(new BearingRemoval(*this, std::move(rows), QStringLiteral("Delete")));
    return true;
}

bool ScheduleModel::switchUnits(UnitSystem target) {
    if (target == document_.units) return false;
    undo_.push(new UnitChange(*this, document_, target));
    return true;
}

bool ScheduleModel::applyPads(const std::vector<CheckedBearing>& pads) {
    std::vector<CheckedBearing> before, after;
    for (const CheckedBearing& pad : pads)
        if (pad.row >= 0 && pad.row < rowCount()) {
            const auto r = static_cast<std::size_t>(pad.row);
            before.push_back({pad.row, document_.bearings[r], lines_[r]});
            after.push_back(pad);
        }
    if (after.empty()) return false;
    undo_.push(new PadsApplied(*this, std::move(before), std::move(after),
                               QStringLiteral("Size Selected")));
    return true;
}

bool ScheduleModel::importBearings(std::vector<DesignBearing> bearings) {
    if (bearings.empty()) return false;
    QString last = QStringLiteral("B0");  // before "B1"
    for (auto it = document_.bearings.rbegin(); it != document_.bearings.rend(); ++it) {
        if (it->mark && !it->mark->empty()) {
            last = fromEngine(*it->mark);
            break;
        }
    }
    for (DesignBearing& bearing : bearings) {
        if (!bearing.mark || bearing.mark->empty()) bearing.mark = markAfter(last).toStdString();
        last = fromEngine(*bearing.mark);
    }
    undo_.push(new BearingImport(*this, std::move(bearings), QStringLiteral("Import CSV")));
    return true;
}

void ScheduleModel::recheck(int row) {
    const auto r = static_cast<std::size_t>(row);
    lines_[r] = checkLine(document_.units, document_.bearings[r], r + 1);
    ++checked_;
}

void ScheduleModel::replaceBearing(int row, const DesignBearing& bearing) {
    document_.bearings[static_cast<std::size_t>(row)] = bearing;
    recheck(row);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void ScheduleModel::replaceProject(const designfile::ProjectInfo& project) {
    document_.project = project;
}

void ScheduleModel::replaceBearings(const std::vector<CheckedBearing>& bearings) {
    if (bearings.empty()) return;
    int first = rowCount(), last = -1;
    for (const CheckedBearing& b : bearings) {
        document_.bearings[static_cast<std::size_t>(b.row)] = b.bearing;
        lines_[static_cast<std::size_t>(b.row)] = b.line;
        first = std::min(first, b.row);
        last = std::max(last, b.row);
    }
    emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

void ScheduleModel::insertBearing(int row, const DesignBearing& bearing) {
    beginInsertRows({}, row, row);
    document_.bearings.insert(document_.bearings.begin() + row, bearing);
    lines_.insert(lines_.begin() + row, LineCheck{});
    recheck(row);
    endInsertRows();
}

DesignBearing ScheduleModel::takeBearing(int row) {
    beginRemoveRows({}, row, row);
    DesignBearing bearing = std::move(document_.bearings[static_cast<std::size_t>(row)]);
    document_.bearings.erase(document_.bearings.begin() + row);
    lines_.erase(lines_.begin() + row);
    endRemoveRows();
    return bearing;
}

void ScheduleModel::appendBearings(const std::vector<DesignBearing>& bearings) {
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(bearings.size()) - 1);
    document_.bearings.insert(document_.bearings.end(), bearings.begin(), bearings.end());
    lines_.resize(document_.bearings.size());
    for (int row = first; row < rowCount(); ++row) recheck(row);
    endInsertRows();
}

void ScheduleModel::removeLastBearings(int count) {
    const int first = rowCount() - count;
    beginRemoveRows({}, first, rowCount() - 1);
    document_.bearings.resize(static_cast<std::size_t>(first));
    lines_.resize(static_cast<std::size_t>(first));
    endRemoveRows();
}

}  // namespace bpd::schedule
