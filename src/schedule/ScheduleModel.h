#pragma once
// The bearing schedule as a table: one line per bearing of a design document, its inputs
// (edited with the main window's rules and messages) and its results (LineCheck.h). Every
// change goes through the model's undo stack as one step; a change re-checks only the lines
// it touches.

#include <QAbstractTableModel>
#include <QLocale>
#include <QUndoStack>
#include <optional>
#include <vector>

#include "DesignDocument.h"
#include "LineCheck.h"
#include "NumberFormat.h"

namespace bpd::schedule {

class BearingEdit;
class BearingImport;
class BearingInsertion;
class BearingRemoval;
class PadsApplied;
class ProjectChange;
class UnitChange;

class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Mark,
        Location,
        Qty,
        W1,
        B1,
        A,
        Dh,
        Vap,
        Sliding,
        Thickness,
        Status,
        Thinnest,
        Governs,
        Utilisation,
        ColumnCount
    };
    // Qt::UserRole + this: true on a line that fails or cannot be checked.
    static constexpr int FailingRole = Qt::UserRole + 1;
    // The value a column sorts by: numbers for the numeric columns, else the text.
    static constexpr int SortRole = Qt::UserRole + 2;

    // locale: the separators the user types and reads numbers with.
    explicit ScheduleModel(QLocale locale = QLocale(), QObject* parent = nullptr);

    // A new document: the stack is emptied and clean.
    void setDocument(designfile::DesignDocument document);
    const designfile::DesignDocument& document() const { return document_; }
    const LineCheck& line(int row) const { return lines_[static_cast<std::size_t>(row)]; }
    QUndoStack& undoStack() { return undo_; }
    // How many lines were checked since the model was made (one per changed line).
    long long checkedLines() const { return checked_; }

    // Why text would be refused in that cell (the window's messages), or nothing.
    std::optional<QString> refusal(const QModelIndex& index, const QString& text) const;
    // The same for a cell of that column on any line.
    std::optional<QString> refusalIn(int column, const QString& text) const;
    // The value an input field holds once text is re-formatted (".0000"), as the window runs it.
    std::optional<double> fieldValue(const QString& text) const;

    // One undo step each. addBearing appends a bearing with the last line's values (the
    // first one of a file: the main window's starting values) and a fresh mark.
    int addBearing();
    bool duplicate(int row);
    // Removes the given rows (any order) as one step.
    bool removeBearings(std::vector<int> rows);
    // Converts every bearing to target's units as one step; false when already in them.
    bool switchUnits(UnitSystem target);
    // A line's bearing with its check, made beforehand (off the user-interface thread).
    struct CheckedBearing {
        int row = -1;
        designfile::DesignBearing bearing;
        LineCheck line;
    };
    // New pads for several bearings as one step; false when there are none.
    bool applyPads(const std::vector<CheckedBearing>& pads);
    // Writes inputs' values, Sliding and thickness (in the schedule's units) into the bearing
    // at row, or into a new bearing at the end when row < 0 (its mark as Add Bearing gives it).
    // One undo step; returns the row.
    int takeInputs(int row, const designfile::DesignBearing& inputs);
    // Replaces the file's four project texts as one step; false when they are unchanged.
    bool setProject(const designfile::ProjectInfo& project);
    // Appends bearings (in the schedule's units) as one step, giving each without a mark a
    // fresh one; false when there are none.
    bool importBearings(std::vector<designfile::DesignBearing> bearings);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Pushes the edit; false (nothing changes) for a refused text.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    friend class BearingEdit;
    friend class BearingImport;
    friend class BearingInsertion;
    friend class BearingRemoval;
    friend class PadsApplied;
    friend class ProjectChange;
    friend class UnitChange;
    // The commands' primitives: each re-checks the lines it changes (and the later lines'
    // positions, which only name them).
    void replaceBearing(int row, const designfile::DesignBearing& bearing);
    // Several at once with their checks, told to the views as one change (a thousand single
    // ones stall them).
    void replaceBearings(const std::vector<CheckedBearing>& bearings);
    void insertBearing(int row, const designfile::DesignBearing& bearing);
    designfile::DesignBearing takeBearing(int row);
    void appendBearings(const std::vector<designfile::DesignBearing>& bearings);
    void removeLastBearings(int count);
    void replaceDocument(designfile::DesignDocument document);
    void replaceProject(const designfile::ProjectInfo& project);

    void recheck(int row);
    NumberLocale numberLocale() const;
    QString inputText(const designfile::DesignBearing& bearing, int column) const;
    QString markAfter(const QString& mark) const;
    designfile::DesignBearing nextBearing() const;
    std::optional<designfile::DesignBearing> edited(const QModelIndex& index, const QVariant& value,
                                                    int role) const;

    QLocale locale_;
    designfile::DesignDocument document_;
    std::vector<LineCheck> lines_;
    QUndoStack undo_;
    long long checked_ = 0;
};

}  // namespace bpd::schedule
