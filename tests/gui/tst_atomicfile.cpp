// A file is replaced whole or not at all: full disks, read-only folders, symlinks, planted
// names, failed read-backs and library writers all leave the old file byte-identical.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "AtomicFile.h"
#include "ScratchFilesystem.h"

using bpd::platform::AtomicFile;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Everything in the folder, hidden names included, but the filler of a full disk.
QStringList entries(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral("filler"));
    return names;
}

}  // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT
private slots:
    void writesNewAndReplacedFilesWhole_data() {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("new file") << QByteArray() << QByteArray("PROJECT DATA:\r\n");
        QTest::newRow("replaces a longer file") << QByteArray(5000, 'o') << QByteArray("short");
        QTest::newRow("empty contents") << QByteArray("old") << QByteArray();
        QTest::newRow("1 MiB") << QByteArray("old") << QByteArray(1 << 20, 'z');
    }
    void writesNewAndReplacedFilesWhole() {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("report.txt"));
        if (!old.isEmpty()) QVERIFY(put(target, old));
        QString error;
        QVERIFY2(AtomicFile::writeFile(target, contents, &error), qPrintable(error));
        QCOMPARE(readAll(target), contents);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("report.txt")});
    }

    void keepsThePermissionsOfTheReplacedFile() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("current-user.ini"));
        QVERIFY(put(target, "old"));
        QVERIFY(::chmod(QFile::encodeName(target).constData(), 0640) == 0);
        QVERIFY(AtomicFile::writeFile(target, "new", nullptr));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(target).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
    }

    // A symlink at the target's name is replaced by the file; what it points to is untouched.
    void neverWritesThroughASymlink() {
        QTemporaryDir dir;
        const QString victim = dir.filePath(QStringLiteral("victim"));
        const QString target = dir.filePath(QStringLiteral("PelgroBearingPadDesignOutput.txt"));
        QVERIFY(put(victim, "precious"));
        QVERIFY(QFile::link(victim, target));
        QVERIFY(AtomicFile::writeFile(target, "report", nullptr));
        QCOMPARE(readAll(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo(target).isSymLink());
        QCOMPARE(readAll(target), QByteArray("report"));
    }

    // Names an earlier program version used for its temporary files, planted as symlinks.
    void plantedTemporaryNamesAreNotFollowed() {
        QTemporaryDir dir;
        const QString victim = dir.filePath(QStringLiteral("victim"));
        QVERIFY(put(victim, "precious"));
        for (const char* planted : {".report.xlsx.part", "report.xlsx.part", ".report.xlsx.tmp"})
            QVERIFY(QFile::link(victim, dir.filePath(QString::fromLatin1(planted))));
        QVERIFY(AtomicFile::writeFile(dir.filePath(QStringLiteral("report.xlsx")), "PK", nullptr));
        QCOMPARE(readAll(victim), QByteArray("precious"));
    }

    void failuresKeepTheOldFile_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");  // part of the reason given
        QTest::newRow("full disk") << "full"
                                   << "";
        QTest::newRow("read-only folder") << "read-only"
                                          << "";
        QTest::newRow("read-back refused") << "check"
                                           << "trailer missing";
        QTest::newRow("target is a folder") << "folder"
                                            << "directory";
    }
    void failuresKeepTheOldFile() {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        bpd::testing::ScratchFilesystem disk(64);
        const QString target = disk.filePath(QStringLiteral("report.txt"));
        const QByteArray old("the old report\r\n");
        AtomicFile::Check check;
        if (fault == u"folder")
            QVERIFY(QDir().mkpath(target + QStringLiteral("/inside")));
        else
            QVERIFY(put(target, old));
        if (fault == u"full")
            disk.fill(old.size());
        else if (fault == u"read-only")
            disk.makeReadOnly();
        else if (fault == u"check")
            check = [](const QString&) { return QStringLiteral("trailer missing"); };

        QString error;
        const bool ok = AtomicFile::writeFile(target, QByteArray(4096, 'n'), &error, check);
        disk.liftLimit();
        QVERIFY2(!ok, qPrintable(disk.how()));
        QVERIFY2(!error.isEmpty(), qPrintable(disk.how()));
        QVERIFY2(error.contains(reason, Qt::CaseInsensitive), qPrintable(error));
        if (fault == u"folder")
            QVERIFY(QFileInfo(target + QStringLiteral("/inside")).isDir());
        else
            QCOMPARE(readAll(target), old);
        QCOMPARE(entries(disk.path()), QStringList{QStringLiteral("report.txt")});
    }

    void aFullDiskNamesTheSystemsReason() {
        bpd::testing::ScratchFilesystem disk(16);
        if (!disk.isTmpfs()) QSKIP("mount refused: the file size limit gives EFBIG, not ENOSPC");
        disk.fill();
        QString error;
        QVERIFY(!AtomicFile::writeFile(disk.filePath(QStringLiteral("a")), "x", &error));
        QCOMPARE(error, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    }

    // The library writes by name into the private folder; commit verifies and moves it.
    void libraryWritersGetAPrivateFolder() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("Bearing Pad Report.xlsx"));
        QVERIFY(put(target, "old workbook"));
        AtomicFile file(target);
        QVERIFY(file.openForLibrary());
        const QString path = file.temporaryPath();
        QCOMPARE(QFileInfo(path).fileName(), QFileInfo(target).fileName());
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(QFileInfo(path).path()).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0700));
        QVERIFY(put(path, "PK new workbook"));
        QString checked;
        QVERIFY2(file.commit([&checked](const QString& p) {
            checked = p;
            return QString();
        }),
                 qPrintable(file.errorString()));
        QCOMPARE(checked, path);
        QCOMPARE(readAll(target), QByteArray("PK new workbook"));
        QCOMPARE(entries(dir.path()), QStringList{QFileInfo(target).fileName()});
    }

    void libraryFailuresKeepTheOldFile_data() {
        QTest::addColumn<QString>("outcome");
        QTest::newRow("nothing written") << "none";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("a symlink instead of a file") << "symlink";
        QTest::newRow("abandoned") << "discard";
    }
    void libraryFailuresKeepTheOldFile() {
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("page.pdf"));
        const QString other = dir.filePath(QStringLiteral("other"));
        QVERIFY(put(target, "old page"));
        QVERIFY(put(other, "other"));
        {
            AtomicFile file(target);
            QVERIFY(file.openForLibrary());
            if (outcome == u"empty")
                QVERIFY(put(file.temporaryPath(), QByteArray()));
            else if (outcome == u"symlink")
                QVERIFY(QFile::link(other, file.temporaryPath()));
            if (outcome == u"discard") {
                QVERIFY(put(file.temporaryPath(), "half a page"));
                file.discard();
            } else {
                QVERIFY(!file.commit());
                QVERIFY(!file.errorString().isEmpty());
            }
        }
        QCOMPARE(readAll(target), QByteArray("old page"));
        QCOMPARE(readAll(other), QByteArray("other"));
        QStringList expected{QStringLiteral("other"), QStringLiteral("page.pdf")};
        QCOMPARE(entries(dir.path()), expected);
    }

    void anUncommittedFileIsRemoved() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("x"));
        {
            AtomicFile file(target);
            QVERIFY(file.open());
            QVERIFY(file.write("partial"));
        }
        QVERIFY(entries(dir.path()).isEmpty());
    }

    void aMissingFolderIsReported() {
        QString error;
        QVERIFY(!AtomicFile::writeFile(QStringLiteral("/nonexistent-folder/x"), "x", &error));
        QCOMPARE(error, QString::fromLocal8Bit(std::strerror(ENOENT)));
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
