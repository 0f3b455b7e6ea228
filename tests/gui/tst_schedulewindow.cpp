// The schedule window's file commands with real faults: a failed save keeps the old file and
// the edits and says why; closing with edits asks; a file changed on disk is not overwritten
// without asking; a new schedule starts from the settings store's project data.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "DesignFileReader.h"
#include "DesignFileWriter.h"
#include "ProjectData.h"
#include "RecentFiles.h"
#include "RegistryRoutines.h"
#include "ScheduleDocuments.h"
#include "ScheduleFiles.h"
#include "ScheduleModel.h"
#include "ScheduleWindow.h"
#include "ScratchFilesystem.h"
#include "TestServices.h"

using bpd::platform::MessageService;
using bpd::schedule::ScheduleModel;
using bpd::schedule::ScheduleWindow;
using bpd::testing::ScratchFilesystem;
using bpd::testing::TestServices;
using SaveChoice = MessageService::SaveChoice;

using bpd::testing::bridgeBytes;
using bpd::testing::bridgeFile;
using bpd::testing::bytesOf;
using bpd::testing::writeBytes;

namespace {

// One edit through the model, as a cell edit makes it.
void editVap(ScheduleWindow& w, const QString& value) {
    ScheduleModel& m = w.model();
    QVERIFY(m.setData(m.index(0, ScheduleModel::Vap), value));
}

QString vapIn(const QString& path) {
    const auto read = bpd::designfile::readDesignFile(QFile::encodeName(path).toStdString(), "f");
    if (!read.document || read.document->bearings.empty()) return QStringLiteral("(none)");
    return QString::number(*read.document->bearings[0].values.Vap);
}

}  // namespace

class TestScheduleWindow : public QObject {
    Q_OBJECT

private slots:
    // Without a main window there is nothing to take from.
    void takeFromMainWindowNeedsOne() {
        TestServices s;
        ScheduleWindow w(s.services());
        QAction* take = w.findChild<QAction*>(QStringLiteral("actionTakeFromMainWindow"));
        QVERIFY(take);
        QVERIFY(!take->isEnabled());
    }

    void titleNamesTheFileAndItsEdits() {
        TestServices s;
        ScheduleWindow w(s.services());
        QCOMPARE(w.windowTitle(), QStringLiteral("Untitled[*] - Bearing Schedule"));
        const QString path = bridgeFile(s.path(QStringLiteral("bridge.bpd")));
        QVERIFY(w.openFile(path));
        QCOMPARE(w.windowTitle(), QStringLiteral("bridge.bpd[*] - Bearing Schedule"));
        QCOMPARE(w.model().rowCount(), 3);
        QVERIFY(!w.isWindowModified());
        editVap(w, QStringLiteral("20"));
        QVERIFY(w.isWindowModified());
        w.model().undoStack().undo();
        QVERIFY(!w.isWindowModified());
        QVERIFY(s.messages->calls.isEmpty());
    }

    void saveWritesTheFileAndMarksItClean() {
        TestServices s;
        ScheduleWindow w(s.services());
        const QString path = bridgeFile(s.path(QStringLiteral("bridge.bpd")));
        QVERIFY(w.openFile(path));
        editVap(w, QStringLiteral("42.5"));
        QVERIFY(w.save());
        QCOMPARE(vapIn(path), QStringLiteral("42.5"));
        QVERIFY(!w.isWindowModified());
        QVERIFY(w.model().undoStack().isClean());
        QVERIFY(s.messages->calls.isEmpty());
    }

    // A save that the filesystem refuses: the old bytes stay, the edits stay, the user is told.
    void failedSaveKeepsFileAndEdits_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("full disk") << "full";
    }
    void failedSaveKeepsFileAndEdits() {
        QFETCH(QString, fault);
        TestServices s;
        ScratchFilesystem scratch;
        qInfo("faults made with %s", qPrintable(scratch.how()));
        const QString path = scratch.filePath(QStringLiteral("bridge.bpd"));
        writeBytes(path, bridgeBytes());
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(path));
        editVap(w, QStringLiteral("55"));
        if (fault == "full")
            scratch.fill(bridgeBytes().size());
        else
            scratch.makeReadOnly();
        const bool saved = w.save();
        scratch.liftLimit();
        QVERIFY(!saved);
        QCOMPARE(bytesOf(path), bridgeBytes());
        QVERIFY(w.isWindowModified());
        QCOMPARE(w.model().data(w.model().index(0, ScheduleModel::Vap)).toString(),
                 QStringLiteral("55.0000"));
        QCOMPARE(s.messages->calls.size(), 1);
        QCOMPARE(s.messages->calls[0].kind, QStringLiteral("warning"));
        QVERIFY2(s.messages->calls[0].text.startsWith(
                     QStringLiteral("\"bridge.bpd\" could not be saved: ")),
                 qPrintable(s.messages->calls[0].text));
        QVERIFY(s.messages->calls[0].text.contains(QStringLiteral("keeps what it held")));
    }

    // A schedule opened through a symlink: the save replaces the link, never the file it
    // points to (AtomicWrite's rule for every file the program writes).
    void saveThroughASymlinkLeavesItsTarget() {
        TestServices s;
        const QString target = s.path(QStringLiteral("shared.bpd"));
        const QString link = s.path(QStringLiteral("bridge.bpd"));
        writeBytes(target, bridgeBytes());
        QVERIFY(QFile::link(target, link));
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(link));
        editVap(w, QStringLiteral("61"));
        QVERIFY(w.save());
        QCOMPARE(bytesOf(target), bridgeBytes());
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(vapIn(link), QStringLiteral("61"));
    }

    // Another program changed the file since it was opened: the save asks, and "No" leaves
    // that program's bytes.
    void fileChangedOnDiskIsNotOverwrittenWithoutAsking_data() {
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("keep theirs") << false;
        QTest::newRow("overwrite") << true;
    }
    void fileChangedOnDiskIsNotOverwrittenWithoutAsking() {
        QFETCH(bool, overwrite);
        TestServices s;
        const QString path = bridgeFile(s.path(QStringLiteral("bridge.bpd")));
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(path));
        editVap(w, QStringLiteral("70"));
        QByteArray theirs = bridgeBytes();
        theirs.replace("\"B1\"", "\"X1\"");
        writeBytes(path, theirs);
        s.messages->answerYes = overwrite;
        QCOMPARE(w.save(), overwrite);
        QCOMPARE(s.messages->calls.size(), 1);
        QCOMPARE(s.messages->calls[0].kind, QStringLiteral("question"));
        QVERIFY(s.messages->calls[0].text.contains(QStringLiteral("changed on disk")));
        QCOMPARE(bytesOf(path) == theirs, !overwrite);
        QCOMPARE(w.isWindowModified(), !overwrite);
        // Once saved, the window's own bytes are what it compares against.
        if (overwrite) {
            editVap(w, QStringLiteral("71"));
            QVERIFY(w.save());
            QCOMPARE(s.messages->calls.size(), 1);
        }
    }

    // Closing with unsaved edits asks Save / Discard / Cancel.
    void closeWithEditsAsks_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("vapOnDisk");
        QTest::addColumn<bool>("keepsEdit");  // shown again (Bearing Schedule) with the edit
        QTest::newRow("save") << int(SaveChoice::Save) << true << "80" << true;
        QTest::newRow("discard") << int(SaveChoice::Discard) << true << "30" << false;
        QTest::newRow("cancel") << int(SaveChoice::Cancel) << false << "30" << true;
    }
    void closeWithEditsAsks() {
        QFETCH(int, choice);
        QFETCH(bool, closes);
        QFETCH(QString, vapOnDisk);
        QFETCH(bool, keepsEdit);
        TestServices s;
        const QString path = bridgeFile(s.path(QStringLiteral("bridge.bpd")));
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(path));
        w.show();
        const QModelIndex vap = w.model().index(0, ScheduleModel::Vap);
        const QString opened = vap.data().toString();
        editVap(w, QStringLiteral("80"));
        s.messages->saveAnswer = SaveChoice(choice);
        QCOMPARE(w.close(), closes);
        QCOMPARE(w.isVisible(), !closes);
        QCOMPARE(vapIn(path), vapOnDisk);
        w.show();
        QCOMPARE(vap.data().toString() != opened, keepsEdit);
        QCOMPARE(w.isWindowModified(), SaveChoice(choice) == SaveChoice::Cancel);
        QCOMPARE(s.messages->calls.size(), 1);
        QCOMPARE(s.messages->calls[0].kind, QStringLiteral("askToSave"));
        QCOMPARE(s.messages->calls[0].text, QStringLiteral("Save the changes to \"bridge.bpd\"?"));
    }

    // Saving a failed "Save" on close keeps the window open: nothing is lost.
    void closeWhoseSaveFailsStaysOpen() {
        TestServices s;
        ScratchFilesystem scratch;
        const QString path = scratch.filePath(QStringLiteral("bridge.bpd"));
        writeBytes(path, bridgeBytes());
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(path));
        w.show();
        editVap(w, QStringLiteral("90"));
        scratch.makeReadOnly();
        s.messages->saveAnswer = SaveChoice::Save;
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QVERIFY(w.isWindowModified());
        QCOMPARE(bytesOf(path), bridgeBytes());
    }

    void closeWithoutEditsDoesNotAsk() {
        TestServices s;
        ScheduleWindow w(s.services());
        w.show();
        QVERIFY(w.close());
        QVERIFY(s.messages->calls.isEmpty());
    }

    // A refused file leaves the open schedule as it was and names the file.
    void refusedFileKeepsTheSchedule() {
        TestServices s;
        const QString good = s.path(QStringLiteral("bridge.bpd"));
        const QString bad = s.path(QStringLiteral("notes.bpd"));
        writeBytes(good, bridgeBytes());
        writeBytes(bad, "not a design file");
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(good));
        QVERIFY(!w.openFile(bad));
        QCOMPARE(w.filePath(), QFileInfo(good).absoluteFilePath());
        QCOMPARE(w.model().rowCount(), 3);
        QCOMPARE(s.messages->calls.size(), 1);
        QVERIFY2(s.messages->calls[0].text.contains(QStringLiteral("\"notes.bpd\"")),
                 qPrintable(s.messages->calls[0].text));
    }

    // New: the settings store's four project values, no bearings, nothing to save yet.
    void newScheduleStartsFromTheProjectData() {
        TestServices s;
        using namespace bpd::reports;
        const std::pair<QString, QString> values[] = {
            {kCompanyValue, QStringLiteral("Acme")},
            {kProjectNameValue, QStringLiteral("SR 14")},
            {kEngineerValue, QStringLiteral("J. Doe")},
            {kDescriptionValue, QStringLiteral("Span 2")}};
        for (const auto& [name, text] : values) {
            QVariant value(text);
            QVERIFY(WriteRegistryValue(*s.store, HKEY_CURRENT_USER, kProjectDataKey, REG_SZ, name,
                                       value));
        }
        ScheduleWindow w(s.services());
        const auto& project = w.model().document().project;
        QCOMPARE(project.company, std::string("Acme"));
        QCOMPARE(project.projectName, std::string("SR 14"));
        QCOMPARE(project.engineer, std::string("J. Doe"));
        QCOMPARE(project.description, std::string("Span 2"));
        QCOMPARE(w.model().rowCount(), 0);
        QVERIFY(!w.isWindowModified());
    }

    // Save As on a new schedule writes where the user chose; a cancelled dialog writes nothing.
    void saveAsWritesWhereChosen() {
        TestServices s;
        ScheduleWindow w(s.services());
        QString chosen;
        w.setFileDialogs(
            {[](QWidget*) { return QString(); }, [&](QWidget*, const QString&) { return chosen; }});
        w.model().addBearing();
        QVERIFY(!w.save());  // cancelled
        QVERIFY(w.isWindowModified());
        chosen = s.path(QStringLiteral("new.bpd"));
        QVERIFY(w.save());
        QCOMPARE(w.windowTitle(), QStringLiteral("new.bpd[*] - Bearing Schedule"));
        const auto read = bpd::designfile::readDesignFile(chosen.toStdString(), "f");
        QVERIFY(read.document);
        QCOMPARE(read.document->bearings.size(), std::size_t{1});
    }

    // A refused text keeps the cell in editing with the main window's message, as a refused
    // field keeps the focus; an accepted one is stored as the field would hold it.
    void refusedCellStaysInEditing_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Tab") << int(Qt::Key_Tab);
    }
    void refusedCellStaysInEditing() {
        QFETCH(int, key);
        TestServices s;
        const QString path = bridgeFile(s.path(QStringLiteral("bridge.bpd")));
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(path));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTableView* table = w.table();
        const QModelIndex cell = table->model()->index(0, ScheduleModel::W1);
        table->setCurrentIndex(cell);
        table->edit(cell);
        auto* editor = table->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("0"));
        QTest::keyClick(editor, Qt::Key(key));
        QCOMPARE(s.messages->texts(),
                 QStringList{QStringLiteral("Invalid input. Please enter positive value.")});
        QVERIFY(table->isPersistentEditorOpen(cell) || table->indexWidget(cell) == editor);
        QCOMPARE(table->findChild<QLineEdit*>(), editor);
        QCOMPARE(w.model().undoStack().count(), 0);
        editor->setText(QStringLiteral("12"));
        QTest::keyClick(editor, Qt::Key(key));
        QCOMPARE(s.messages->calls.size(), 1);
        // Return commits through a queued call, as Qt's delegates do.
        QTRY_COMPARE(w.model().data(w.model().index(0, ScheduleModel::W1)).toString(),
                     QStringLiteral("12.0000"));
        QCOMPARE(w.model().undoStack().count(), 1);
    }

    // A click elsewhere in the window leaves a cell as Tab does: a refused text stays in
    // editing with the message, every time; an accepted one is stored by the same click.
    void clickAwayLeavesTheCellAsTabDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::addColumn<bool>("onCheckBox");  // else on another cell
        const QString positive = QStringLiteral("Invalid input. Please enter positive value.");
        QTest::newRow("refused, another cell") << "0" << positive << false;
        QTest::newRow("refused, the filter box") << "0" << positive << true;
        QTest::newRow("not a number, another cell")
            << "x"
            << "Invalid input. Please enter numeric data." << false;
        QTest::newRow("accepted, another cell") << "12"
                                                << "" << false;
        QTest::newRow("accepted, the filter box") << "12"
                                                  << "" << true;
    }
    void clickAwayLeavesTheCellAsTabDoes() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(bool, onCheckBox);
        TestServices s;
        ScheduleWindow w(s.services());
        w.model().setDocument(bpd::testing::threeBearings());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTableView* table = w.table();
        const QModelIndex cell = table->model()->index(0, ScheduleModel::W1);
        const QModelIndex elsewhere = table->model()->index(2, ScheduleModel::Location);
        table->setCurrentIndex(cell);
        table->edit(cell);
        QPointer<QLineEdit> editor = table->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTRY_VERIFY(editor->hasFocus());
        editor->setText(text);
        auto* failingOnly = w.findChild<QCheckBox*>(QStringLiteral("failingOnly"));
        QVERIFY(failingOnly);
        auto clickElsewhere = [&] {
            const QPoint at =
                onCheckBox ? failingOnly->mapTo(&w, QPoint(6, failingOnly->height() / 2))
                           : table->viewport()->mapTo(&w, table->visualRect(elsewhere).center());
            QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, at);
        };
        clickElsewhere();
        if (message.isEmpty()) {
            QVERIFY(s.messages->calls.isEmpty());
            QTRY_COMPARE(w.model().data(w.model().index(0, ScheduleModel::W1)).toString(),
                         QStringLiteral("12.0000"));
            QCOMPARE(w.model().undoStack().count(), 1);
            QCOMPARE(failingOnly->isChecked(), onCheckBox);  // the click was carried out
            return;
        }
        QCOMPARE(s.messages->texts(), QStringList{message});
        QVERIFY(editor);  // still open
        QCOMPARE(table->findChild<QLineEdit*>(), editor.data());
        QCOMPARE(editor->text(), text);
        QTRY_VERIFY(editor->hasFocus());
        QCOMPARE(table->currentIndex(), cell);
        QCOMPARE(w.model().undoStack().count(), 0);
        QVERIFY(!failingOnly->isChecked());  // the click was not carried out
        clickElsewhere();                    // refused again, said again
        QCOMPARE(s.messages->calls.size(), 2);
        QVERIFY(editor);  // still open
        QCOMPARE(table->findChild<QLineEdit*>(), editor.data());
        // Corrected, the next click stores it and moves on.
        editor->setText(QStringLiteral("12"));
        clickElsewhere();
        QTRY_COMPARE(w.model().data(w.model().index(0, ScheduleModel::W1)).toString(),
                     QStringLiteral("12.0000"));
        QCOMPARE(s.messages->calls.size(), 2);
        QCOMPARE(w.model().undoStack().count(), 1);
    }

    // File > Project Data... edits the file's project data: OK is one undo step (none when
    // nothing changed); Cancel and Esc change nothing. The settings store is not touched.
    void projectDataEditsTheFilesOwn_data() {
        QTest::addColumn<QString>("close");  // "OK", "Cancel", "Esc"
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("changes");
        QTest::newRow("edited, OK") << "OK" << true << true;
        QTest::newRow("edited, Cancel") << "Cancel" << true << false;
        QTest::newRow("edited, Esc") << "Esc" << true << false;
        QTest::newRow("unchanged, OK") << "OK" << false << false;
    }
    void projectDataEditsTheFilesOwn() {
        QFETCH(QString, close);
        QFETCH(bool, edit);
        QFETCH(bool, changes);
        TestServices s;
        ScheduleWindow w(s.services());
        bpd::designfile::DesignDocument document = bpd::testing::threeBearings();
        document.project.engineer = "R. Roe";
        document.project.unknown = {{"approvedBy", "\"K. Poe\"", 4}};
        w.model().setDocument(document);
        w.show();
        QAction* action = w.findChild<QAction*>(QStringLiteral("actionProjectData"));
        QVERIFY(action);
        action->trigger();
        auto* dialog = w.findChild<QDialog*>(QStringLiteral("ProjectDataDialog"));
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Project Data"));
        auto box = [dialog](const char* name) {
            return dialog->findChild<QLineEdit*>(QLatin1String(name));
        };
        QCOMPARE(box("Txt_Company")->text(), QStringLiteral("Acme Precast"));
        QCOMPARE(box("Txt_Engineer")->text(), QStringLiteral("R. Roe"));
        QCOMPARE(box("Txt_ProjectName")->text(), QString());
        QVERIFY(box("Txt_Company")->hasFocus() || !dialog->isActiveWindow());
        if (edit) {
            box("Txt_Company")->setText(QStringLiteral("Bridgeworks"));
            box("Txt_ProjectName")->setText(QStringLiteral("Route 9 overpass"));
            box("Txt_Engineer")->setText(QString());
            box("Txt_Description")->setText(QStringLiteral("Spans 1-3, ÄÖÜ"));
        }
        if (close == QLatin1String("Esc"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog
                ->findChild<QPushButton*>(close == QLatin1String("OK") ? "OKButton"
                                                                       : "CancelButton")
                ->click();
        QTRY_VERIFY(!w.findChild<QDialog*>(QStringLiteral("ProjectDataDialog")));  // deleted

        const bpd::designfile::ProjectInfo& project = w.model().document().project;
        QCOMPARE(w.model().undoStack().count(), changes ? 1 : 0);
        QCOMPARE(w.isWindowModified(), changes);
        QCOMPARE(project.company, changes ? "Bridgeworks" : "Acme Precast");
        QCOMPARE(project.projectName, changes ? "Route 9 overpass" : "");
        QCOMPARE(project.engineer, changes ? "" : "R. Roe");
        QCOMPARE(QString::fromStdString(project.description),
                 changes ? QStringLiteral("Spans 1-3, ÄÖÜ") : QString());
        QCOMPARE(project.unknown.size(), std::size_t(1));  // what the program does not know stays
        QString stored = QStringLiteral("<none>");
        bpd::reports::ReadRegistryValue(*s.store, bpd::reports::HKEY_CURRENT_USER,
                                        bpd::reports::kProjectDataKey, bpd::reports::kCompanyValue,
                                        stored);
        QCOMPARE(stored, QStringLiteral("<none>"));
        if (!changes) return;
        w.model().undoStack().undo();
        QCOMPARE(w.model().document().project.company, "Acme Precast");
        QCOMPARE(w.model().document().project.engineer, "R. Roe");
        QVERIFY(!w.isWindowModified());
        w.model().undoStack().redo();
        QCOMPARE(w.model().document().project.company, "Bridgeworks");
    }

    // The thickness is chosen from the selector's entries of the schedule's units.
    void thicknessIsChosenFromTheSelector() {
        TestServices s;
        const QString path = bridgeFile(s.path(QStringLiteral("bridge.bpd")));
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(path));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTableView* table = w.table();
        const QModelIndex cell = table->model()->index(1, ScheduleModel::Thickness);
        table->setCurrentIndex(cell);
        table->edit(cell);
        auto* selector = table->findChild<QComboBox*>();
        QVERIFY(selector);
        QCOMPARE(selector->count(), 8);
        QCOMPARE(selector->itemText(0), QStringLiteral("All"));
        QCOMPARE(selector->currentText(), QStringLiteral("1/4"));
        selector->setCurrentIndex(selector->findText(QStringLiteral("3/8")));
        QTest::keyClick(selector, Qt::Key_Tab);
        QTRY_COMPARE(w.model().data(w.model().index(1, ScheduleModel::Status)).toString(),
                     QStringLiteral("Pass"));
        QCOMPARE(w.model().undoStack().count(), 1);
        QVERIFY(s.messages->calls.isEmpty());
    }

    // Open Recent: the last eight files opened or saved, newest first, kept across runs.
    void recentFilesKeepTheLastEight_data() {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("two") << QStringList{"/a.bpd", "/b.bpd"} << QStringList{"/b.bpd", "/a.bpd"};
        QTest::newRow("again moves up")
            << QStringList{"/a.bpd", "/b.bpd", "/a.bpd"} << QStringList{"/a.bpd", "/b.bpd"};
        QStringList ten, lastEight;
        for (int i = 1; i <= 10; ++i) ten << QStringLiteral("/f%1.bpd").arg(i);
        for (int i = 10; i >= 3; --i) lastEight << QStringLiteral("/f%1.bpd").arg(i);
        QTest::newRow("ten") << ten << lastEight;
    }
    void recentFilesKeepTheLastEight() {
        QFETCH(QStringList, added);
        QFETCH(QStringList, kept);
        TestServices s;
        {
            bpd::schedule::RecentFiles recent(*s.store);
            for (const QString& path : added) recent.add(path);
        }
        QCOMPARE(bpd::schedule::RecentFiles(*s.store).files(), kept);
    }

    void openRecentOpensTheFile() {
        TestServices s;
        const QString path = bridgeFile(s.path(QStringLiteral("bridge.bpd")));
        {
            ScheduleWindow first(s.services());
            QVERIFY(first.openFile(path));
        }
        ScheduleWindow w(s.services());  // a later run over the same store
        QCOMPARE(w.model().rowCount(), 0);
        auto* recent = w.findChild<QAction*>(QStringLiteral("actionRecent1"));
        QVERIFY(recent);
        QCOMPARE(recent->text(), QStringLiteral("&1 bridge.bpd"));
        QVERIFY(!w.findChild<QAction*>(QStringLiteral("actionRecent2")));
        recent->trigger();
        QCOMPARE(w.model().rowCount(), 3);
        QCOMPARE(w.filePath(), QFileInfo(path).absoluteFilePath());
    }

    // The failing-only filter and the numeric sort work on the view's proxy.
    void failingFilterAndNumericSort() {
        TestServices s;
        const QString path = s.path(QStringLiteral("bridge.bpd"));
        bpd::designfile::DesignDocument d = bpd::testing::threeBearings();
        d.bearings.push_back(bpd::testing::bearing("B4", 12, 4, 0.01, 0.2, 5));
        writeBytes(path, QByteArray::fromStdString(bpd::designfile::writeDesignText(d)));
        ScheduleWindow w(s.services());
        QVERIFY(w.openFile(path));
        QAbstractItemModel* shown = w.table()->model();
        w.table()->sortByColumn(ScheduleModel::W1, Qt::DescendingOrder);
        QCOMPARE(shown->index(0, ScheduleModel::Mark).data().toString(), QStringLiteral("B4"));
        auto* failing = w.findChild<QCheckBox*>(QStringLiteral("failingOnly"));
        QVERIFY(failing);
        failing->setChecked(true);
        QCOMPARE(shown->rowCount(), 1);
        QCOMPARE(shown->index(0, ScheduleModel::Mark).data().toString(), QStringLiteral("B2"));
        failing->setChecked(false);
        QCOMPARE(shown->rowCount(), 4);
    }
};

QTEST_MAIN(TestScheduleWindow)
#include "tst_schedulewindow.moc"
