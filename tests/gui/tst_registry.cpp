// The settings store and the two registry routines: first run, round trips of any text,
// NUL handling, numbers, failures, and a damaged store file.

#include <QFile>
#include <QProcess>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include "ProjectData.h"
#include "RegistryRoutines.h"
#include "tst_reports_fakes.h"

using namespace bpd::reports;
using bpd::platform::RegistryStore;

namespace {
const QString kKey = kProjectDataKey;

// Stores a value the way another tool might, bypassing the routines.
void storeRaw(RegistryStore& store, const QString& key, const QString& name, quint32 type,
              const QByteArray& data) {
    RegistryStore::Handle handle = 0;
    QCOMPARE(store.createKey(RegistryStore::kCurrentUser, key, handle), RegistryStore::kSuccess);
    QCOMPARE(store.setValue(handle, name, type, data), RegistryStore::kSuccess);
    store.closeKey(handle);
}
}  // namespace

class TestRegistry : public QObject {
    Q_OBJECT
private slots:
    void firstRunReadsNothingAndKeepsTheArgument() {
        bpd::testing::ServiceFixture fixture;
        QString value = QStringLiteral("before");
        QVERIFY(!ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Company"), value));
        QCOMPARE(value, QStringLiteral("before"));
        QVERIFY(!QFile::exists(fixture.store->fileFor(RegistryStore::kCurrentUser)));

        const ProjectData current{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                  QStringLiteral("d")};
        QCOMPARE(GetGenaralSettingsfromRegistry(current), current);
        QCOMPARE(GetGenaralSettingsfromRegistry(ProjectData{}), ProjectData{});
    }

    void textsRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("plain") << QStringLiteral("Pelgro Precast Ltd.");
        QTest::newRow("non-Latin") << QStringLiteral("Łódź – řeka Vltava, 東京 Ωμέγα");
        QTest::newRow("ini syntax") << QStringLiteral("a=b; [c] \"d\" \\e\\ %41 #f");
        QTest::newRow("outer blanks") << QStringLiteral("  padded  ");
        QTest::newRow("1024 characters") << QString(1024, QLatin1Char('x'));
        QTest::newRow("1025 characters") << QString(1025, QLatin1Char('y'));
        QTest::newRow("5000 non-Latin") << QString(5000, QChar(0x0141));
    }
    void textsRoundTrip() {
        QFETCH(QString, text);
        bpd::testing::ServiceFixture fixture;
        QVariant value = text;
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Description"), value));
        QCOMPARE(value.toString(), text);
        QString read = QStringLiteral("unchanged");
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Description"), read));
        QCOMPARE(read, text);
        // A second store object sees the same file (a second copy of the program).
        bpd::platform::Services::instance().setRegistry(
            std::make_shared<bpd::platform::IniRegistryStore>(fixture.path(QStringLiteral("config"))));
        read.clear();
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Description"), read));
        QCOMPARE(read, text);
    }

    void textsAreStoredAsUtf8WithoutNul() {
        bpd::testing::ServiceFixture fixture;
        QVariant value = QStringLiteral("Łř");
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
        RegistryStore::Handle handle = 0;
        QCOMPARE(fixture.store->openKey(RegistryStore::kCurrentUser, kKey, 0x2003F, handle), RegistryStore::kSuccess);
        quint32 type = 0;
        QByteArray data;
        QCOMPARE(fixture.store->queryValue(handle, QStringLiteral("Company"), type, data), RegistryStore::kSuccess);
        QCOMPARE(type, REG_SZ);
        QCOMPARE(data, QByteArray("\xc5\x81\xc5\x99"));
    }

    void nulHandling_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("with terminating NUL") << QByteArray("Acme\0", 5) << QStringLiteral("Acme");
        QTest::newRow("without NUL") << QByteArray("Acme") << QStringLiteral("Acme");
        QTest::newRow("only a NUL") << QByteArray("\0", 1) << QString();
        QTest::newRow("zero length") << QByteArray() << QString();
        QTest::newRow("two NULs drop one") << QByteArray("A\0\0", 3) << QString::fromUtf8("A\0", 2);
    }
    void nulHandling() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, expected);
        bpd::testing::ServiceFixture fixture;
        storeRaw(*fixture.store, kKey, QStringLiteral("Engineer"), REG_SZ, stored);
        QString read = QStringLiteral("unchanged");
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Engineer"), read));
        QCOMPARE(read, expected);
    }

    void dwordValues_data() {
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("text 80") << QVariant(QStringLiteral("80")) << QStringLiteral("80");
        QTest::newRow("text 0") << QVariant(QStringLiteral("0")) << QStringLiteral("0");
        QTest::newRow("number") << QVariant(2147483647) << QStringLiteral("2147483647");
        QTest::newRow("half to even") << QVariant(QStringLiteral("80.5")) << QStringLiteral("80");
    }
    void dwordValues() {
        QFETCH(QVariant, written);
        QFETCH(QString, readBack);
        bpd::testing::ServiceFixture fixture;
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, TextKey(), REG_DWORD, QStringLiteral("iPointSize"), written));
        QString read;
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, TextKey(), QStringLiteral("iPointSize"), read));
        QCOMPARE(read, readBack);
    }

    void aDwordUnderAProjectNameReadsAsItsNumber() {
        bpd::testing::ServiceFixture fixture;
        const quint32 le = qToLittleEndian<quint32>(1234);
        storeRaw(*fixture.store, kKey, QStringLiteral("Company"), REG_DWORD,
                 QByteArray(reinterpret_cast<const char*>(&le), 4));
        QCOMPARE(GetGenaralSettingsfromRegistry({}).sCompany, QStringLiteral("1234"));
    }

    void anotherTypeCountsAsReadButLeavesTheText() {
        bpd::testing::ServiceFixture fixture;
        storeRaw(*fixture.store, kKey, QStringLiteral("Company"), 3 /* binary */, QByteArray("\x01\x02", 2));
        QString read = QStringLiteral("kept");
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Company"), read));
        QCOMPARE(read, QStringLiteral("kept"));
    }

    void aNumberThatIsNoNumberFailsAndClearsTheArgument() {
        bpd::testing::ServiceFixture fixture;
        QVariant value = QStringLiteral("eighty");
        QVERIFY(!WriteRegistryValue(HKEY_CURRENT_USER, TextKey(), REG_DWORD, QStringLiteral("fWrap"), value));
        QCOMPARE(value, QVariant(QString()));
        QString read = QStringLiteral("kept");
        QVERIFY(!ReadRegistryValue(HKEY_CURRENT_USER, TextKey(), QStringLiteral("fWrap"), read));
        QCOMPARE(read, QStringLiteral("kept"));
    }

    void aStoreThatCannotBeWrittenFailsAndClearsTheArgument() {
        bpd::testing::ServiceFixture fixture;
        // A folder below a plain file can never be made, whoever runs the test.
        QFile blocker(fixture.path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        bpd::platform::Services::instance().setRegistry(
            std::make_shared<bpd::platform::IniRegistryStore>(fixture.path(QStringLiteral("blocker/config"))));
        QVariant value = QStringLiteral("Acme");
        QVERIFY(!WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
        QCOMPARE(value, QVariant(QString()));
    }

    void unknownRootFails() {
        bpd::testing::ServiceFixture fixture;
        QVariant value = QStringLiteral("x");
        QVERIFY(!WriteRegistryValue(0x80000003, kKey, REG_SZ, QStringLiteral("Company"), value));
        QString read;
        QVERIFY(!ReadRegistryValue(0x80000003, kKey, QStringLiteral("Company"), read));
    }

    void namesMatchWithoutRegardToCaseAndRootsStayApart() {
        bpd::testing::ServiceFixture fixture;
        QVariant value = QStringLiteral("first");
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
        value = QStringLiteral("second");
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, QStringLiteral("software\\PELGRO\\bearing pad design\\"),
                                   REG_SZ, QStringLiteral("COMPANY"), value));
        QString read;
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("company"), read));
        QCOMPARE(read, QStringLiteral("second"));
        QVERIFY(!ReadRegistryValue(HKEY_LOCAL_MACHINE, kKey, QStringLiteral("Company"), read));
        QSettings file(fixture.store->fileFor(RegistryStore::kCurrentUser), QSettings::IniFormat);
        QCOMPARE(file.allKeys().size(), 1);
    }

    void aDamagedStoreNeverStopsTheProgram_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe[[[==\n\x01garbage", 17);
        QTest::newRow("broken section") << QByteArray("[SOFTWARE\nPelgro\\Bearing%20Pad%20Design\\Company=\"unterminated\n");
        QTest::newRow("foreign value") << QByteArray("[SOFTWARE]\nPelgro\\Bearing%20Pad%20Design\\Company=@Variant(\\0\\0\\0\\x7f)\n");
        QTest::newRow("empty file") << QByteArray();
    }
    void aDamagedStoreNeverStopsTheProgram() {
        QFETCH(QByteArray, content);
        bpd::testing::ServiceFixture fixture;
        const QString file = fixture.store->fileFor(RegistryStore::kCurrentUser);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(content);
        damaged.close();

        QString read = QStringLiteral("kept");
        QVERIFY(!ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Company"), read));
        QCOMPARE(read, QStringLiteral("kept"));

        QVariant value = QStringLiteral("Acme");
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Company"), read));
        QCOMPARE(read, QStringLiteral("Acme"));
        QSettings check(file, QSettings::IniFormat);
        QCOMPARE(check.status(), QSettings::NoError);
    }

    void getGeneralSettingsKeepsFieldsThatCannotBeRead() {
        bpd::testing::ServiceFixture fixture;
        QVariant value = QStringLiteral("New Co");
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
        const ProjectData before{QStringLiteral("Old Co"), QStringLiteral("Old project"),
                                 QStringLiteral("Old engineer"), QStringLiteral("Old description")};
        const ProjectData after = GetGenaralSettingsfromRegistry(before);
        QCOMPARE(after.sCompany, QStringLiteral("New Co"));
        QCOMPARE(after.sProjectName, before.sProjectName);
        QCOMPARE(after.sEngineer, before.sEngineer);
        QCOMPARE(after.sDescription, before.sDescription);
    }

    void theStoreLivesInTheConfigurationFolder() {
        QStandardPaths::setTestModeEnabled(true);
        const QString folder = bpd::platform::IniRegistryStore::defaultFolder();
        QVERIFY(folder.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
        QVERIFY(folder.endsWith(QStringLiteral("/Pelgro")));
        bpd::platform::IniRegistryStore store;
        QCOMPARE(store.fileFor(RegistryStore::kLocalMachine), folder + QStringLiteral("/local-machine.ini"));
        QVERIFY(store.fileFor(0x80000000).isEmpty());
    }

#ifdef BPD_REGISTRY_TOOL
    void theCommandLineToolWritesAndReadsTheSameStore() {
        bpd::testing::ServiceFixture fixture;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), fixture.path(QStringLiteral("xdg")));
        auto run = [&](const QStringList& arguments, QString* out = nullptr) {
            QProcess tool;
            tool.setProcessEnvironment(environment);
            tool.start(QStringLiteral(BPD_REGISTRY_TOOL), arguments);
            tool.waitForFinished(10000);
            if (out)
                *out = QString::fromUtf8(tool.readAllStandardOutput());
            return tool.exitCode();
        };
        const QString key = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
        QCOMPARE(run({"get", "HKLM", key, "PATH"}), 1);
        QCOMPARE(run({"set", "HKEY_LOCAL_MACHINE", key, "PATH", "/opt/pelgro/bin/pelgro-sysinfo ř"}), 0);
        QString out;
        QCOMPARE(run({"get", "hklm", key.toLower(), "path"}, &out), 0);
        QCOMPARE(out, QStringLiteral("/opt/pelgro/bin/pelgro-sysinfo ř\n"));
        QCOMPARE(run({"get", "HKCU", key, "PATH"}), 1);
        QCOMPARE(run({"get", "HKEY_CLASSES_ROOT", key, "PATH"}), 2);
        QCOMPARE(run({"set", "HKLM", key}), 2);

        // The program's routines see what the tool wrote.
        bpd::platform::Services::instance().setRegistry(std::make_shared<bpd::platform::IniRegistryStore>(
            fixture.path(QStringLiteral("xdg/Pelgro"))));
        QString read;
        QVERIFY(ReadRegistryValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("PATH"), read));
        QCOMPARE(read, QStringLiteral("/opt/pelgro/bin/pelgro-sysinfo ř"));
    }
#endif

private:
    static QString TextKey() { return QStringLiteral("Software\\Microsoft\\Notepad\\"); }
};

QTEST_MAIN(TestRegistry)
#include "tst_registry.moc"
