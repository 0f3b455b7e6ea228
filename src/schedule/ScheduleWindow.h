#pragma once
// The bearing schedule window: a design file's bearings in one table, checked together,
// edited with undo, saved atomically. Modeless, with its own menu bar.

#include <QByteArray>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "DesignDocument.h"
#include "RecentFiles.h"
#include "RecoveryStore.h"

class QAction;
class QCheckBox;
class QMenu;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace bpd::platform {
class MessageService;
class RegistryStore;
struct DesktopServices;
}  // namespace bpd::platform

namespace bpd::schedule {

class MainWindowLink;
class MainWindowTransfer;
class ScheduleModel;
class PackageExportCommand;
class ScheduleTransfer;
class SizeSelectedCommand;

class ScheduleWindow : public QMainWindow {
    Q_OBJECT
public:
    // The file dialogs, replaceable by tests: each returns the chosen path, or "" on cancel.
    struct FileDialogs {
        std::function<QString(QWidget* parent)> open;
        std::function<QString(QWidget* parent, const QString& suggested)> saveAs;
        // Import CSV and Export; left empty, the command does nothing.
        std::function<QString(QWidget* parent)> importCsv = {};
        std::function<QString(QWidget* parent, const QString& suggested)> exportCsv = {};
        std::function<QString(QWidget* parent, const QString& suggested)> exportWorkbook = {};
    };

    // Starts with a new schedule (New).
    explicit ScheduleWindow(const platform::DesktopServices& services, QWidget* parent = nullptr);
    ~ScheduleWindow() override;

    // Opens a design file, asking first about unsaved edits; false when it stays as it was
    // (cancelled, or the file refused: the message names why).
    bool openFile(const QString& path);
    // New, Save, Save As: false when cancelled or failed (the edits stay).
    bool newSchedule();
    bool save();
    bool saveAs();

    ScheduleModel& model() { return *model_; }
    QString filePath() const { return path_; }
    void setFileDialogs(FileDialogs dialogs) { dialogs_ = std::move(dialogs); }
    QTableView* table() const { return table_; }
    // The main window, for Enter / double-click on a line and Take from Main Window; it must
    // outlive the window or be unset first.
    void setMainWindowLink(MainWindowLink* link);
    ScheduleTransfer& transfer() { return *transfer_; }
    SizeSelectedCommand& sizing() { return *sizing_; }

    // Unsaved edits are copied into the store within kRecoveryDelayMs of an edit; saving,
    // discarding or undoing back to the file removes the copy. None: nothing is copied.
    static constexpr int kRecoveryDelayMs = 5000;
    void setRecoveryStore(RecoveryStore* store) { recovery_ = store; }
    QTimer* recoveryTimer() const { return recoveryTimer_; }
    // Shows a copy that a previous run left, named after its file and marked unsaved; false
    // (with the reason shown) when its text is refused. For a schedule without unsaved edits.
    bool restore(const RecoveryStore::Copy& copy);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // File > Open Recent from the settings store, newest first.
    void fillRecent();
    // Unsaved edits: Save / Discard / Cancel. True when the window may drop its document.
    bool settleEdits();
    // Back to what the file holds (or a new schedule's start), with an empty undo stack.
    void revertToSaved();
    // A new schedule: no bearings, the settings store's project data.
    designfile::DesignDocument startingDocument() const;
    bool writeTo(const QString& path);
    // The file at path_ was changed on disk since it was read or written here.
    bool changedOnDisk() const;
    void useDocument(designfile::DesignDocument document, const QString& path);
    void updateTitle();
    void updateActions();
    std::vector<int> selectedRows() const;
    void warn(const QString& text);
    // The recovery timer's work: the copy follows the edits, or goes when there are none.
    void keepForRecovery();
    void dropRecovery();

    platform::MessageService& messages_;
    platform::RegistryStore& settings_;
    ScheduleModel* model_;
    QSortFilterProxyModel* proxy_;
    QTableView* table_;
    QCheckBox* failingOnly_;
    QAction* duplicate_ = nullptr;
    QAction* delete_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    MainWindowTransfer* mainWindow_ = nullptr;
    QAction* take_ = nullptr;
    RecentFiles recent_;
    FileDialogs dialogs_;
    QString path_;                          // empty for a new schedule
    std::optional<QByteArray> diskDigest_;  // of the bytes last read or written at path_
    ScheduleTransfer* transfer_ = nullptr;  // Import CSV and Export
    std::unique_ptr<SizeSelectedCommand> sizing_;
    std::unique_ptr<PackageExportCommand> package_;
    QAction* sizeSelected_ = nullptr;
    RecoveryStore* recovery_ = nullptr;
    QTimer* recoveryTimer_ = nullptr;
    bool recoveryWarned_ = false;  // the user was told that the copy fails; once is enough
};

}  // namespace bpd::schedule
