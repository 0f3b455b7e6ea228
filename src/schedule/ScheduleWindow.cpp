#include "ScheduleWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "AtomicFile.h"
#include "DesignFileReader.h"
#include "DesignFileWriter.h"
#include "DesktopServices.h"
#include "FileDrop.h"
#include "MainWindowTransfer.h"
#include "MessageService.h"
#include "PackageExportCommand.h"
#include "ProjectData.h"
#include "ProjectDataDialog.h"
#include "ScheduleDelegate.h"
#include "ScheduleModel.h"
#include "ScheduleTransfer.h"
#include "SizeSelectedCommand.h"
#include "Units.h"

namespace bpd::schedule {

namespace {

const QString kFilter = QStringLiteral("Design files (*.bpd);;All files (*)");
constexpr int kProblemsListed = 10;

QString quoted(const QString& path) {
    return QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"');
}

// The digest of the file's bytes now, or nothing when it cannot be read.
std::optional<QByteArray> digestOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return std::nullopt;
    return hash.result();
}

}  // namespace

ScheduleWindow::ScheduleWindow(const platform::DesktopServices& services, QWidget* parent)
    : QMainWindow(parent),
      messages_(services.messages),
      settings_(services.settings),
      model_(new ScheduleModel(QLocale(), this)),
      proxy_(new QSortFilterProxyModel(this)),
      table_(new QTableView),
      failingOnly_(new QCheckBox(QStringLiteral("Show failing bearings only"))),
      recent_(services.settings),
      sizing_(std::make_unique<SizeSelectedCommand>(this, *model_)),
      package_(std::make_unique<PackageExportCommand>(this, services.shell, services.messages,
                                                      services.files)) {
    setObjectName(QStringLiteral("ScheduleWindow"));
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(ScheduleModel::SortRole);
    proxy_->setFilterRole(ScheduleModel::FailingRole);
    proxy_->setFilterKeyColumn(ScheduleModel::Status);

    table_->setObjectName(QStringLiteral("scheduleTable"));
    table_->setAccessibleName(QStringLiteral("Bearing schedule"));
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // file order until a header is clicked
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setItemDelegate(new ScheduleDelegate(*model_, messages_, table_));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Fitted to the lines in view: fitting to a thousand lines after every change stalls an
    // edit (and an applied sizing) of a large schedule for tens of milliseconds.
    table_->horizontalHeader()->setResizeContentsPrecision(0);

    failingOnly_->setObjectName(QStringLiteral("failingOnly"));
    connect(failingOnly_, &QCheckBox::toggled, this, [this](bool on) {
        proxy_->setFilterFixedString(on ? QStringLiteral("true") : QString());
    });

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(failingOnly_);
    layout->addWidget(table_);
    setCentralWidget(central);
    table_->setFocus();  // the keys go to the bearings when the window opens

    dialogs_.open = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), kFilter);
    };
    dialogs_.saveAs = [](QWidget* parent, const QString& suggested) {
        QString path =
            QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), suggested, kFilter);
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".bpd");
        return path;
    };

    // Import CSV and Export: the file names, then the transfer.
    auto saveName = [](const QString& title, const QString& filter, const QString& suffix) {
        return [=](QWidget* parent, const QString& suggested) {
            QString path = QFileDialog::getSaveFileName(parent, title, suggested, filter);
            if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += suffix;
            return path;
        };
    };
    dialogs_.importCsv = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Import CSV"), QString(),
                                            QStringLiteral("CSV files (*.csv);;All files (*)"));
    };
    dialogs_.exportCsv =
        saveName(QStringLiteral("Export CSV"), QStringLiteral("CSV files (*.csv);;All files (*)"),
                 QStringLiteral(".csv"));
    dialogs_.exportWorkbook = saveName(QStringLiteral("Export Excel Workbook"),
                                       QStringLiteral("Excel workbooks (*.xlsx);;All files (*)"),
                                       QStringLiteral(".xlsx"));
    transfer_ = new ScheduleTransfer(*model_, messages_, this);

    mainWindow_ = new MainWindowTransfer(table_, *model_, messages_, this);
    buildMenus();
    connect(&model_->undoStack(), &QUndoStack::cleanChanged, this, [this] { updateTitle(); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateActions(); });
    connect(proxy_, &QAbstractItemModel::modelReset, this, [this] { updateActions(); });
    connect(proxy_, &QAbstractItemModel::rowsRemoved, this, [this] { updateActions(); });
    resize(900, 480);
    newSchedule();

    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setObjectName(QStringLiteral("recoveryTimer"));
    recoveryTimer_->setSingleShot(true);  // not restarted by each edit: none waits longer
    recoveryTimer_->setInterval(kRecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { keepForRecovery(); });
    connect(&model_->undoStack(), &QUndoStack::indexChanged, this, [this] {
        if (recovery_ && !recoveryTimer_->isActive()) recoveryTimer_->start();
    });
    connect(&model_->undoStack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean) dropRecovery();
    });
    new platform::FileDrop(this, QStringLiteral("bpd"), [this](const QString& path) {
        if (isVisible()) openFile(path);
    });
}

ScheduleWindow::~ScheduleWindow() {
    // The model, the proxy and the table go with the window's children, after this window is
    // no longer one: their last signals (the undo stack's cleanChanged among them) must not
    // reach it.
    model_->undoStack().disconnect(this);
    proxy_->disconnect(this);
    table_->selectionModel()->disconnect(this);
}

void ScheduleWindow::buildMenus() {
    auto add = [this](QMenu* menu, const QString& name, const QString& text,
                      const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        if (!keys.isEmpty()) action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuScheduleFile"));
    add(file, QStringLiteral("actionNew"), QStringLiteral("&New"), {}, [this] { newSchedule(); });
    add(file, QStringLiteral("actionOpen"), QStringLiteral("&Open..."), {}, [this] {
        if (!settleEdits()) return;
        const QString path = dialogs_.open(this);
        if (!path.isEmpty()) openFile(path);
    });
    recentMenu_ = file->addMenu(QStringLiteral("Open &Recent"));
    recentMenu_->setObjectName(QStringLiteral("mnuOpenRecent"));
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] { fillRecent(); });
    fillRecent();
    add(file, QStringLiteral("actionSave"), QStringLiteral("&Save"),
        QKeySequence(Qt::CTRL | Qt::Key_S), [this] { save(); });
    add(file, QStringLiteral("actionSaveAs"), QStringLiteral("Save &As..."), {},
        [this] { saveAs(); });
    add(file, QStringLiteral("actionImportCsv"), QStringLiteral("&Import CSV..."), {}, [this] {
        const QString path = dialogs_.importCsv ? dialogs_.importCsv(this) : QString();
        if (!path.isEmpty()) transfer_->importFile(path);
    });
    QMenu* exports = file->addMenu(QStringLiteral("&Export"));
    exports->setObjectName(QStringLiteral("mnuScheduleExport"));
    const auto exportAs = [this](ScheduleTransfer::Format format, const QString& suffix) {
        const QString base = path_.isEmpty() ? QStringLiteral("Untitled") : path_;
        const QString suggested =
            QFileInfo(base).path() + QLatin1Char('/') + QFileInfo(base).completeBaseName() + suffix;
        const auto& ask =
            format == ScheduleTransfer::Format::Csv ? dialogs_.exportCsv : dialogs_.exportWorkbook;
        const QString path =
            ask ? ask(this, path_.isEmpty() ? QFileInfo(suggested).fileName() : suggested)
                : QString();
        if (!path.isEmpty()) transfer_->exportFile(format, path);
    };
    add(exports, QStringLiteral("actionExportCsv"), QStringLiteral("&CSV..."), {},
        [exportAs] { exportAs(ScheduleTransfer::Format::Csv, QStringLiteral(".csv")); });
    add(exports, QStringLiteral("actionExportWorkbook"), QStringLiteral("&Excel Workbook..."), {},
        [exportAs] { exportAs(ScheduleTransfer::Format::Workbook, QStringLiteral(".xlsx")); });
    add(exports, QStringLiteral("actionExportPackage"), QStringLiteral("Calculation &Package..."),
        {}, [this] { package_->run(model_->document(), selectedRows()); });
    add(file, QStringLiteral("actionProjectData"), QStringLiteral("&Project Data..."), {},
        [this] { ProjectDataDialog::edit(*model_, this); });
    file->addSeparator();
    add(file, QStringLiteral("actionClose"), QStringLiteral("&Close"), {}, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuScheduleEdit"));
    QAction* undo = model_->undoStack().createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = model_->undoStack().createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    add(edit, QStringLiteral("actionAddBearing"), QStringLiteral("&Add Bearing"), {}, [this] {
        const int row = model_->addBearing();
        const QModelIndex shown = proxy_->mapFromSource(model_->index(row, ScheduleModel::Mark));
        if (shown.isValid()) table_->setCurrentIndex(shown);
    });
    duplicate_ =
        add(edit, QStringLiteral("actionDuplicate"), QStringLiteral("&Duplicate"), {}, [this] {
            const std::vector<int> rows = selectedRows();
            if (!rows.empty()) model_->duplicate(rows.back());
        });
    delete_ = add(edit, QStringLiteral("actionDelete"), QStringLiteral("De&lete"), {},
                  [this] { model_->removeBearings(selectedRows()); });
    take_ = add(edit, QStringLiteral("actionTakeFromMainWindow"),
                QStringLiteral("&Take from Main Window"), {}, [this] { mainWindow_->take(); });
    take_->setEnabled(false);  // until a main window is linked
    edit->addSeparator();
    sizeSelected_ =
        add(edit, QStringLiteral("actionSizeSelected"), QStringLiteral("&Size Selected..."), {},
            [this] { sizing_->run(selectedRows()); });

    // The schedule's units, switched as one undo step.
    QMenu* units = menuBar()->addMenu(QStringLiteral("&Units"));
    units->setObjectName(QStringLiteral("mnuScheduleUnits"));
    auto* group = new QActionGroup(this);
    for (const UnitSystem system : {UnitSystem::Imperial, UnitSystem::SI}) {
        const QString name = QString::fromLatin1(unitSystemName(system));
        QAction* action = units->addAction(name);
        action->setObjectName(QStringLiteral("action") + name);
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, system] { model_->switchUnits(system); });
        connect(model_, &QAbstractItemModel::modelReset, action,
                [this, action, system] { action->setChecked(model_->document().units == system); });
    }
    updateActions();
}

void ScheduleWindow::setMainWindowLink(MainWindowLink* link) {
    mainWindow_->setLink(link);
    take_->setEnabled(link != nullptr);
}

void ScheduleWindow::fillRecent() {
    recentMenu_->clear();
    const QStringList files = recent_.files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        action->setToolTip(path);
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] { openFile(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

std::vector<int> ScheduleWindow::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(proxy_->mapToSource(index).row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ScheduleWindow::updateActions() {
    const bool any = table_->selectionModel() && table_->selectionModel()->hasSelection();
    if (duplicate_) duplicate_->setEnabled(any);
    if (delete_) delete_->setEnabled(any);
    if (sizeSelected_) sizeSelected_->setEnabled(any);
}

void ScheduleWindow::updateTitle() {
    const QString name = path_.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path_).fileName();
    setWindowTitle(name + QStringLiteral("[*] - Bearing Schedule"));
    setWindowModified(!model_->undoStack().isClean());
}

void ScheduleWindow::warn(const QString& text) {
    messages_.warning(this, platform::kMessageTitle, text);
}

void ScheduleWindow::useDocument(designfile::DesignDocument document, const QString& path) {
    model_->setDocument(std::move(document));
    path_ = path;
    diskDigest_ = path.isEmpty() ? std::nullopt : digestOf(path);
    updateTitle();
    updateActions();
}

bool ScheduleWindow::newSchedule() {
    if (!settleEdits()) return false;
    useDocument(startingDocument(), {});
    return true;
}

bool ScheduleWindow::openFile(const QString& path) {
    if (!settleEdits()) return false;
    const designfile::ReadResult read = designfile::readDesignFile(
        QFile::encodeName(path).toStdString(), quoted(path).toStdString());
    if (!read.document) {
        warn(QString::fromStdString(read.refusal));
        return false;
    }
    useDocument(*read.document, QFileInfo(path).absoluteFilePath());
    recent_.add(path_);
    fillRecent();
    if (!read.problems.empty()) {
        QStringList lines;
        for (std::size_t i = 0; i < read.problems.size() && i < kProblemsListed; ++i)
            lines << QString::fromStdString(designfile::describeProblem(read.problems[i]));
        if (read.problems.size() > kProblemsListed)
            lines << QStringLiteral("and %1 more").arg(read.problems.size() - kProblemsListed);
        messages_.information(
            this, platform::kMessageTitle,
            QStringLiteral("%1 bearings of %2 cannot be checked until they are corrected:\n%3")
                .arg(read.problems.size())
                .arg(quoted(path), lines.join(QLatin1Char('\n'))));
    }
    return true;
}

bool ScheduleWindow::changedOnDisk() const {
    if (path_.isEmpty() || !QFileInfo::exists(path_)) return false;
    return digestOf(path_) != diskDigest_;
}

bool ScheduleWindow::writeTo(const QString& path) {
    const std::string bytes = designfile::writeDesignText(model_->document());
    QString error;
    if (!platform::AtomicFile::writeFile(
            path, QByteArrayView(bytes.data(), qsizetype(bytes.size())), &error)) {
        warn(QStringLiteral("%1 could not be saved: %2.\nThe file keeps what it held, and the "
                            "schedule keeps your edits.")
                 .arg(quoted(path), error));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    diskDigest_ = QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                           QCryptographicHash::Sha256);
    model_->undoStack().setClean();
    recent_.add(path_);
    fillRecent();
    updateTitle();
    return true;
}

bool ScheduleWindow::save() {
    if (path_.isEmpty()) return saveAs();
    if (changedOnDisk() &&
        !messages_.question(this, platform::kMessageTitle,
                            QStringLiteral("%1 was changed on disk since it was opened. "
                                           "Overwrite it with the schedule?")
                                .arg(quoted(path_))))
        return false;
    return writeTo(path_);
}

bool ScheduleWindow::saveAs() {
    const QString path = dialogs_.saveAs(this, path_);
    if (path.isEmpty()) return false;
    return writeTo(path);
}

bool ScheduleWindow::settleEdits() {
    if (model_->undoStack().isClean()) return true;
    const QString name = path_.isEmpty() ? QStringLiteral("the new schedule") : quoted(path_);
    switch (messages_.askToSave(this, platform::kMessageTitle,
                                QStringLiteral("Save the changes to %1?").arg(name))) {
        case platform::MessageService::SaveChoice::Save:
            return save();
        case platform::MessageService::SaveChoice::Discard:
            dropRecovery();
            return true;
        case platform::MessageService::SaveChoice::Cancel:
            break;
    }
    return false;
}

bool ScheduleWindow::restore(const RecoveryStore::Copy& copy) {
    const QString name =
        copy.path.isEmpty() ? QStringLiteral("the recovered schedule") : quoted(copy.path);
    const designfile::ReadResult read = designfile::readDesignText(
        std::string_view(copy.designText.constData(), std::size_t(copy.designText.size())),
        name.toStdString());
    if (!read.document) {
        warn(QString::fromStdString(read.refusal));
        return false;
    }
    useDocument(*read.document, copy.path);
    diskDigest_ = copy.diskDigest.isEmpty() ? std::nullopt : std::optional(copy.diskDigest);
    model_->undoStack().resetClean();  // unsaved until saved, with nothing to undo
    updateTitle();
    return true;
}

void ScheduleWindow::keepForRecovery() {
    if (!recovery_) return;
    if (model_->undoStack().isClean()) {
        recovery_->remove();
        return;
    }
    const std::string text = designfile::writeDesignText(model_->document());
    QString error;
    if (recovery_->write(
            {QByteArray::fromStdString(text), path_, diskDigest_.value_or(QByteArray())}, &error)) {
        recoveryWarned_ = false;
        return;
    }
    if (recoveryWarned_) return;
    recoveryWarned_ = true;
    warn(QStringLiteral("Your unsaved edits could not be copied for recovery: %1.\nSave the "
                        "schedule to keep them.")
             .arg(error));
}

void ScheduleWindow::dropRecovery() {
    recoveryTimer_->stop();
    if (recovery_) recovery_->remove();
}

void ScheduleWindow::closeEvent(QCloseEvent* event) {
    if (!settleEdits()) {
        event->ignore();
        return;
    }
    // The window is only hidden: edits the user discarded must not come back with it.
    if (!model_->undoStack().isClean()) {
        revertToSaved();
        dropRecovery();  // the revert's own steps asked for a copy of nothing
    }
    event->accept();
}

void ScheduleWindow::revertToSaved() {
    QUndoStack& undo = model_->undoStack();
    if (undo.cleanIndex() >= 0) {
        undo.setIndex(undo.cleanIndex());
        undo.clear();
        return;
    }
    // The saved state's step is gone (undone past it, then edited): read the file again.
    if (!path_.isEmpty()) {
        const designfile::ReadResult read = designfile::readDesignFile(
            QFile::encodeName(path_).toStdString(), quoted(path_).toStdString());
        if (read.document) {
            useDocument(*read.document, path_);
            return;
        }
    }
    useDocument(startingDocument(), {});
}

designfile::DesignDocument ScheduleWindow::startingDocument() const {
    const reports::ProjectData project = reports::GetGenaralSettingsfromRegistry(settings_, {});
    designfile::DesignDocument document;
    document.project.company = project.sCompany.toStdString();
    document.project.projectName = project.sProjectName.toStdString();
    document.project.engineer = project.sEngineer.toStdString();
    document.project.description = project.sDescription.toStdString();
    return document;
}

}  // namespace bpd::schedule
