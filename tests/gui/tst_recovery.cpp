// Crash recovery of the schedule: the copy follows the unsaved edits within the delay and goes
// when they are saved, discarded or undone; a copy left by a program that ended is taken over
// and restored, one whose program still runs (in this process or another) is not; a copy that
// cannot be written keeps the previous one and tells the user once.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <iostream>
#include <thread>

#include "DesignFileReader.h"
#include "DesignFileWriter.h"
#include "RecoveryStore.h"
#include "ScheduleDocuments.h"
#include "ScheduleFiles.h"
#include "ScheduleModel.h"
#include "ScheduleWindow.h"
#include "ScratchFilesystem.h"
#include "TestServices.h"
#include "UserFolders.h"

using bpd::platform::MessageService;
using bpd::schedule::RecoveryStore;
using bpd::schedule::ScheduleModel;
using bpd::schedule::ScheduleWindow;
using bpd::testing::ScratchFilesystem;
using bpd::testing::TestServices;
using SaveChoice = MessageService::SaveChoice;

using bpd::testing::bridgeBytes;
using bpd::testing::writeBytes;

namespace {

const char* const kChildFolder = "BPD_RECOVERY_CHILD_FOLDER";

// The copies and locks in a folder, by name.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The first bearing's Vap in a design text, as a file would give it.
QString vapOf(const QByteArray& text) {
    const auto read = bpd::designfile::readDesignText(text.toStdString(), "copy");
    if (!read.document || read.document->bearings.empty()) return QStringLiteral("(none)");
    return QString::number(*read.document->bearings[0].values.Vap);
}

// The copy in a folder as the next start would find it; the look leaves it there.
std::optional<RecoveryStore::Copy> copyIn(const QString& folder) {
    RecoveryStore next(folder);
    return next.adoptOrphan();
}

void editVap(ScheduleWindow& w, const QString& value) {
    ScheduleModel& m = w.model();
    QVERIFY(m.setData(m.index(0, ScheduleModel::Vap), value));
}

// The timer runs out now, as the test says, not after its delay.
void runOutTimer(ScheduleWindow& w) {
    QTimer* timer = w.recoveryTimer();
    QVERIFY(timer->isActive());
    timer->setInterval(0);
    timer->start();
    QTRY_VERIFY(!timer->isActive());
}

// A window over a file, with a store in a folder of the fixture.
struct Schedule {
    TestServices s;
    QString folder = s.path(QStringLiteral("state/recovery"));
    QString path = s.path(QStringLiteral("bridge.bpd"));
    std::unique_ptr<RecoveryStore> store = std::make_unique<RecoveryStore>(folder);
    std::unique_ptr<ScheduleWindow> w;

    Schedule() {
        writeBytes(path, bridgeBytes());
        w = std::make_unique<ScheduleWindow>(s.services());
        w->setRecoveryStore(store.get());
        if (!w->openFile(path)) qWarning("the file was not opened");
    }
    // The store ends as a killed program's does (its copy stays, its lock goes with the
    // process); the window goes on with a new store in `into`.
    void restartStore(const QString& into) {
        store = std::make_unique<RecoveryStore>(into);
        w->setRecoveryStore(store.get());
    }
};

// The child process of lockAgainstAnotherRunningProgram: writes a copy, says so, and runs
// until it is killed.
int runChild(const QString& folder) {
    RecoveryStore store(folder);
    QString error;
    if (!store.write({bridgeBytes(), QStringLiteral("/nowhere/child.bpd"), {}}, &error)) return 2;
    std::cout << "written" << std::endl;
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}

}  // namespace

class TestRecovery : public QObject {
    Q_OBJECT

private slots:
    void folderFollowsTheStateHome_data() {
        QTest::addColumn<QString>("stateHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("set") << "/srv/state"
                             << "/srv/state/pelgro-bpd/recovery";
        QTest::newRow("unset") << "" << QDir::homePath() + "/.local/state/pelgro-bpd/recovery";
        QTest::newRow("relative, ignored")
            << "state" << QDir::homePath() + "/.local/state/pelgro-bpd/recovery";
    }
    void folderFollowsTheStateHome() {
        QFETCH(QString, stateHome);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", stateHome.toUtf8());
        const QString folder = bpd::platform::UserFolders::recovery();
        qputenv("XDG_STATE_HOME", saved);
        QCOMPARE(folder, expected);
    }

    // The store alone: a copy and its lock, taken over by the next start, removed with its lock.
    void copyIsKeptLockedAndTakenOverAfterTheProgramEnds() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("recovery"));
        QString copyPath;
        {
            RecoveryStore running(folder);
            QString error;
            QVERIFY(running.write({bridgeBytes(), QStringLiteral("/work/bridge.bpd"), "\x01\xfe"},
                                  &error));
            copyPath = running.filePath();
            QVERIFY(copyPath.endsWith(QStringLiteral(".recovery")));
            QCOMPARE(entries(folder), QStringList({QFileInfo(copyPath).fileName(),
                                                   QFileInfo(copyPath).fileName() + ".lock"}));
            QCOMPARE(QFile::permissions(folder) & 0x0077, QFile::Permissions());  // the user's
            // Another start while this program runs finds nothing to offer.
            RecoveryStore second(folder);
            QVERIFY(!second.adoptOrphan());
            QVERIFY(second.filePath().isEmpty());
        }
        QCOMPARE(entries(folder), QStringList({QFileInfo(copyPath).fileName()}));
        RecoveryStore next(folder);
        const std::optional<RecoveryStore::Copy> copy = next.adoptOrphan();
        QVERIFY(copy);
        QCOMPARE(copy->designText, bridgeBytes());
        QCOMPARE(copy->path, QStringLiteral("/work/bridge.bpd"));
        QCOMPARE(copy->diskDigest, QByteArray("\x01\xfe"));
        QCOMPARE(next.filePath(), copyPath);
        QVERIFY(!next.adoptOrphan());  // it has a copy of its own now
        next.remove();
        QCOMPARE(entries(folder), QStringList());
    }

    // The lock is the program's, not the file's: another process that runs keeps its copy;
    // once it is killed (as kill -9 ends it, nothing cleaned up) the copy is offered.
    void lockAgainstAnotherRunningProgram() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("recovery"));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildFolder), folder);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("written"));
        QCOMPARE(entries(folder).size(), 2);  // the copy and its lock
        {
            RecoveryStore here(folder);
            QVERIFY(!here.adoptOrphan());
        }
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(entries(folder).size(), 2);  // a kill leaves both behind
        RecoveryStore here(folder);
        const std::optional<RecoveryStore::Copy> copy = here.adoptOrphan();
        QVERIFY(copy);
        QCOMPARE(copy->path, QStringLiteral("/nowhere/child.bpd"));
        here.remove();
        QCOMPARE(entries(folder), QStringList());
    }

    // A copy that is not one (cut short, or another file) is dropped, never offered.
    void unreadableCopyIsRemoved() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("r"))));
        writeBytes(dir.filePath(QStringLiteral("r/a.recovery")), "{\"format\": \"pelgro-bpd-rec");
        RecoveryStore store(dir.filePath(QStringLiteral("r")));
        QVERIFY(!store.adoptOrphan());
        QCOMPARE(entries(dir.filePath(QStringLiteral("r"))), QStringList());
    }

    // The window: an edit starts the timer (no copy before it runs out), its end writes the
    // copy; what ends the unsaved edits removes it.
    void copyFollowsTheEditsUntilSettled_data() {
        QTest::addColumn<QString>("settle");
        QTest::newRow("save") << "save";
        QTest::newRow("discard on close") << "discard";
        QTest::newRow("undo to the file") << "undo";
        QTest::newRow("new schedule, discarded") << "new";
    }
    void copyFollowsTheEditsUntilSettled() {
        QFETCH(QString, settle);
        Schedule t;
        t.w->show();
        QVERIFY(!t.w->recoveryTimer()->isActive());
        editVap(*t.w, QStringLiteral("80"));
        QVERIFY(t.w->recoveryTimer()->isActive());
        QVERIFY(t.w->recoveryTimer()->interval() <= 10000);
        QCOMPARE(entries(t.folder), QStringList());
        runOutTimer(*t.w);
        QCOMPARE(entries(t.folder).size(), 2);
        std::optional<RecoveryStore::Copy> copy = copyIn(t.folder);
        QVERIFY(!copy);            // still this program's, so no other start may take it
        t.restartStore(t.folder);  // as if the program were killed here and started again
        copy = copyIn(t.folder);
        QVERIFY(copy);
        QCOMPARE(vapOf(copy->designText), QStringLiteral("80"));
        QCOMPARE(copy->path, QFileInfo(t.path).absoluteFilePath());
        editVap(*t.w, QStringLiteral("81"));
        runOutTimer(*t.w);
        QCOMPARE(entries(t.folder).size(), 3);  // the old copy, and the new one with its lock

        const QString own = t.store->filePath();
        t.s.messages->saveAnswer = SaveChoice::Discard;
        if (settle == "save") {
            QVERIFY(t.w->save());
        } else if (settle == "discard") {
            QVERIFY(t.w->close());
        } else if (settle == "undo") {
            t.w->model().undoStack().setIndex(0);
        } else {
            QVERIFY(t.w->newSchedule());
        }
        QVERIFY(!QFile::exists(own));
        QVERIFY(!QFile::exists(own + ".lock"));
        QVERIFY(!t.w->recoveryTimer()->isActive());
        QCOMPARE(entries(t.folder).size(), 1);  // only the copy left by the "killed" store
    }

    // A copy of a window without unsaved edits is never written, even when the timer runs.
    void cleanScheduleLeavesNoCopy() {
        Schedule t;
        editVap(*t.w, QStringLiteral("80"));
        t.w->model().undoStack().undo();
        if (t.w->recoveryTimer()->isActive()) runOutTimer(*t.w);
        QCOMPARE(entries(t.folder), QStringList());
        QVERIFY(t.s.messages->calls.isEmpty());
    }

    // Restored: named after its file, unsaved, the copy's values; saving goes to the file and
    // removes the copy, asking only when the file changed since the copy's program knew it.
    void restoreShowsTheCopyUnsaved_data() {
        QTest::addColumn<bool>("changedOnDisk");
        QTest::newRow("file as it was") << false;
        QTest::newRow("file changed since") << true;
    }
    void restoreShowsTheCopyUnsaved() {
        QFETCH(bool, changedOnDisk);
        Schedule before;
        editVap(*before.w, QStringLiteral("77"));
        runOutTimer(*before.w);
        QTemporaryDir elsewhere;
        before.restartStore(elsewhere.path());  // the first program ends, killed

        TestServices s;
        RecoveryStore store(before.folder);
        const std::optional<RecoveryStore::Copy> copy = store.adoptOrphan();
        QVERIFY(copy);
        if (changedOnDisk) writeBytes(before.path, bridgeBytes() + "\n");
        ScheduleWindow w(s.services());
        w.setRecoveryStore(&store);
        QVERIFY(w.restore(*copy));
        QCOMPARE(w.windowTitle(), QStringLiteral("bridge.bpd[*] - Bearing Schedule"));
        QVERIFY(w.isWindowModified());
        QCOMPARE(w.filePath(), QFileInfo(before.path).absoluteFilePath());
        QCOMPARE(w.model().data(w.model().index(0, ScheduleModel::Vap)).toString(),
                 QStringLiteral("77.0000"));
        QCOMPARE(w.model().rowCount(), 3);

        s.messages->answerYes = true;
        QVERIFY(w.save());
        QCOMPARE(s.messages->calls.size(), changedOnDisk ? 1 : 0);
        QFile saved(before.path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(vapOf(saved.readAll()), QStringLiteral("77"));
        QVERIFY(!w.isWindowModified());
        QCOMPARE(entries(before.folder), QStringList());
    }

    void refusedCopyIsNotRestored() {
        TestServices s;
        ScheduleWindow w(s.services());
        QVERIFY(!w.restore({"not a design file", QStringLiteral("/work/bridge.bpd"), {}}));
        QCOMPARE(s.messages->calls.size(), 1);
        QVERIFY2(s.messages->calls[0].text.contains(QStringLiteral("\"bridge.bpd\"")),
                 qPrintable(s.messages->calls[0].text));
        QVERIFY(!w.isWindowModified());
        QCOMPARE(w.model().rowCount(), 0);
    }

    // A copy that cannot be written (a full disk, a read-only filesystem, made for real): the
    // previous copy stays whole, the user is told once, and the edits stay. (The filesystem is
    // made read-only before the first copy: the copy's open lock would keep it writable.)
    void failedCopyKeepsThePreviousAndTellsOnce_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("full disk") << "full";
        QTest::newRow("read-only filesystem") << "read-only";
    }
    void failedCopyKeepsThePreviousAndTellsOnce() {
        QFETCH(QString, fault);
        ScratchFilesystem scratch(256);
        qInfo("faults made with %s", qPrintable(scratch.how()));
        Schedule t;
        const QString folder = scratch.filePath(QStringLiteral("recovery"));
        t.restartStore(folder);
        QByteArray previous;
        QString own;
        if (fault == "full") {
            editVap(*t.w, QStringLiteral("61"));
            runOutTimer(*t.w);
            own = t.store->filePath();
            QFile first(own);
            QVERIFY(first.open(QIODevice::ReadOnly));
            previous = first.readAll();
            scratch.fill(previous.size() / 2);
        } else {
            scratch.makeReadOnly();
        }
        for (const QString& vap : {QStringLiteral("62"), QStringLiteral("63")}) {
            editVap(*t.w, vap);
            runOutTimer(*t.w);
        }
        scratch.liftLimit();
        if (fault == "full") {
            QFile after(own);
            QVERIFY(after.open(QIODevice::ReadOnly));
            QCOMPARE(after.readAll(), previous);
        } else {
            QCOMPARE(entries(folder), QStringList());
        }
        QCOMPARE(t.s.messages->calls.size(), 1);
        QCOMPARE(t.s.messages->calls[0].kind, QStringLiteral("warning"));
        QVERIFY2(t.s.messages->calls[0].text.startsWith(
                     QStringLiteral("Your unsaved edits could not be copied for recovery: ")),
                 qPrintable(t.s.messages->calls[0].text));
        QVERIFY(t.w->isWindowModified());
        QCOMPARE(t.w->model().data(t.w->model().index(0, ScheduleModel::Vap)).toString(),
                 QStringLiteral("63.0000"));
    }

    // Told once per run of failures: a copy that succeeds in between makes the next failure
    // worth telling again.
    void failureIsToldAgainAfterACopySucceeded() {
        ScratchFilesystem scratch(256);
        if (!scratch.isTmpfs()) QSKIP("needs a tmpfs to fill and empty again");
        Schedule t;
        t.restartStore(scratch.filePath(QStringLiteral("recovery")));
        editVap(*t.w, QStringLiteral("61"));
        runOutTimer(*t.w);
        for (int round = 0; round < 2; ++round) {
            scratch.fill();
            editVap(*t.w, QStringLiteral("62"));
            runOutTimer(*t.w);
            QVERIFY(QFile::remove(scratch.filePath(QStringLiteral("filler"))));
            editVap(*t.w, QStringLiteral("63"));
            runOutTimer(*t.w);
        }
        QCOMPARE(t.s.messages->calls.size(), 2);
        const std::optional<RecoveryStore::Copy> copy = copyIn(t.store->folder());
        QVERIFY(!copy);  // still this program's
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(kChildFolder)) {
        QCoreApplication app(argc, argv);
        return runChild(qEnvironmentVariable(kChildFolder));
    }
    QApplication app(argc, argv);
    TestRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
