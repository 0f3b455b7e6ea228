// The settings store and the two registry routines: first run, round trips of any text,
// NUL handling, numbers, failures, damaged and hand-edited store files, files of the
// QSettings-based versions, and saves on a full or read-only disk.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include "ProjectData.h"
#include "RegistryRoutines.h"
#include "ScratchFilesystem.h"
#include "TestServices.h"

using namespace bpd::reports;
using bpd::platform::RegistryStore;

namespace {
const QString kKey = kProjectDataKey;

// Stores a value the way another tool might, bypassing the routines.
void storeRaw(RegistryStore& store, const QString& key, const QString& name, quint32 type,
              const QByteArray& data) {
    RegistryStore::Handle handle = 0;
    QCOMPARE(store.createKey(HKEY_CURRENT_USER, key, handle), RegistryStore::kSuccess);
    QCOMPARE(store.setValue(handle, name, type, data), RegistryStore::kSuccess);
    store.closeKey(handle);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The QSettings key under which the QSettings-based versions kept a value.
QString earlierKey(const QString& subKey, const QString& name) {
    QString encoded = name.isEmpty() ? QStringLiteral("@") : name;
    if (!name.isEmpty()) {
        encoded.replace(u'%', u"%25"_qs).replace(u'/', u"%2F"_qs).replace(u'\\', u"%5C"_qs);
        if (encoded == u"@") encoded = QStringLiteral("%40");
    }
    QStringList path = QString(subKey).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    return (path << encoded).join(u'/');
}

// Records, when the user is told, whether the store file is still where it was.
struct TellingBeforeMoving : bpd::testing::FakeMessages {
    QString watched;
    QByteArray expected;
    bool inPlaceWhenTold = false;
    void warning(QWidget* parent, const QString& title, const QString& text) override {
        inPlaceWhenTold = readAll(watched) == expected;
        FakeMessages::warning(parent, title, text);
    }
};

}  // namespace

class TestRegistry : public QObject {
    Q_OBJECT
private slots:
    void firstRunReadsNothingAndKeepsTheArgument() {
        bpd::testing::TestServices fixture;
        QString value = QStringLiteral("before");
        QVERIFY(!ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey,
                                   QStringLiteral("Company"), value));
        QCOMPARE(value, QStringLiteral("before"));
        QVERIFY(!QFile::exists(fixture.store->fileFor(HKEY_CURRENT_USER)));

        const ProjectData current{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                  QStringLiteral("d")};
        QCOMPARE(GetGenaralSettingsfromRegistry(*fixture.store, current), current);
        QCOMPARE(GetGenaralSettingsfromRegistry(*fixture.store, ProjectData{}), ProjectData{});
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
        bpd::testing::TestServices fixture;
        QVariant value = text;
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey, REG_SZ,
                                   QStringLiteral("Description"), value));
        QCOMPARE(value.toString(), text);
        QString read = QStringLiteral("unchanged");
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey,
                                  QStringLiteral("Description"), read));
        QCOMPARE(read, text);
        // A second store object sees the same file (a second copy of the program).
        bpd::platform::IniRegistryStore second(fixture.path(QStringLiteral("config")));
        read.clear();
        QVERIFY(ReadRegistryValue(second, HKEY_CURRENT_USER, kKey, QStringLiteral("Description"),
                                  read));
        QCOMPARE(read, text);
    }

    void textsAreStoredAsUtf8WithoutNul() {
        bpd::testing::TestServices fixture;
        QVariant value = QStringLiteral("Łř");
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey, REG_SZ,
                                   QStringLiteral("Company"), value));
        RegistryStore::Handle handle = 0;
        QCOMPARE(fixture.store->openKey(HKEY_CURRENT_USER, kKey, 0x2003F, handle),
                 RegistryStore::kSuccess);
        quint32 type = 0;
        QByteArray data;
        QCOMPARE(fixture.store->queryValue(handle, QStringLiteral("Company"), type, data),
                 RegistryStore::kSuccess);
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
        bpd::testing::TestServices fixture;
        storeRaw(*fixture.store, kKey, QStringLiteral("Engineer"), REG_SZ, stored);
        QString read = QStringLiteral("unchanged");
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey,
                                  QStringLiteral("Engineer"), read));
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
        bpd::testing::TestServices fixture;
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, TextKey(), REG_DWORD,
                                   QStringLiteral("iPointSize"), written));
        QString read;
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, TextKey(),
                                  QStringLiteral("iPointSize"), read));
        QCOMPARE(read, readBack);
    }

    void aDwordUnderAProjectNameReadsAsItsNumber() {
        bpd::testing::TestServices fixture;
        const quint32 le = qToLittleEndian<quint32>(1234);
        storeRaw(*fixture.store, kKey, QStringLiteral("Company"), REG_DWORD,
                 QByteArray(reinterpret_cast<const char*>(&le), 4));
        QCOMPARE(GetGenaralSettingsfromRegistry(*fixture.store, {}).sCompany,
                 QStringLiteral("1234"));
    }

    void anotherTypeCountsAsReadButLeavesTheText() {
        bpd::testing::TestServices fixture;
        storeRaw(*fixture.store, kKey, QStringLiteral("Company"), 3 /* binary */,
                 QByteArray("\x01\x02", 2));
        QString read = QStringLiteral("kept");
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey,
                                  QStringLiteral("Company"), read));
        QCOMPARE(read, QStringLiteral("kept"));
    }

    void aNumberThatIsNoNumberFailsAndClearsTheArgument() {
        bpd::testing::TestServices fixture;
        QVariant value = QStringLiteral("eighty");
        QVERIFY(!WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, TextKey(), REG_DWORD,
                                    QStringLiteral("fWrap"), value));
        QCOMPARE(value, QVariant(QString()));
        QString read = QStringLiteral("kept");
        QVERIFY(!ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, TextKey(),
                                   QStringLiteral("fWrap"), read));
        QCOMPARE(read, QStringLiteral("kept"));
    }

    void aStoreThatCannotBeWrittenFailsAndClearsTheArgument() {
        bpd::testing::TestServices fixture;
        // A folder below a plain file can never be made, whoever runs the test.
        QFile blocker(fixture.path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        bpd::platform::IniRegistryStore blocked(fixture.path(QStringLiteral("blocker/config")));
        QVariant value = QStringLiteral("Acme");
        QVERIFY(!WriteRegistryValue(blocked, HKEY_CURRENT_USER, kKey, REG_SZ,
                                    QStringLiteral("Company"), value));
        QCOMPARE(value, QVariant(QString()));
    }

    void unknownRootFails() {
        bpd::testing::TestServices fixture;
        QVariant value = QStringLiteral("x");
        QVERIFY(!WriteRegistryValue(*fixture.store, 0x80000003, kKey, REG_SZ,
                                    QStringLiteral("Company"), value));
        QString read;
        QVERIFY(
            !ReadRegistryValue(*fixture.store, 0x80000003, kKey, QStringLiteral("Company"), read));
    }

    void namesMatchWithoutRegardToCaseAndRootsStayApart() {
        bpd::testing::TestServices fixture;
        QVariant value = QStringLiteral("first");
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey, REG_SZ,
                                   QStringLiteral("Company"), value));
        value = QStringLiteral("second");
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER,
                                   QStringLiteral("software\\PELGRO\\bearing pad design\\"), REG_SZ,
                                   QStringLiteral("COMPANY"), value));
        QString read;
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey,
                                  QStringLiteral("company"), read));
        QCOMPARE(read, QStringLiteral("second"));
        QVERIFY(!ReadRegistryValue(*fixture.store, HKEY_LOCAL_MACHINE, kKey,
                                   QStringLiteral("Company"), read));
        QSettings file(fixture.store->fileFor(HKEY_CURRENT_USER), QSettings::IniFormat);
        QCOMPARE(file.allKeys().size(), 1);
    }

    // Damage costs at most the damaged lines. A file of which nothing reads is set aside, and
    // only once the user was told where; with no one to tell it is left alone.
    void aDamagedStoreNeverStopsTheProgram_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("setAsideAs");  // empty: the file is saved into
        QTest::addColumn<bool>("anyoneToTell");
        const QByteArray zeros(4, '\0');
        QTest::newRow("binary garbage")
            << QByteArray("\x00\xff\xfe[[[==\n\x01garbage", 17) << ".corrupt" << true;
        QTest::newRow("broken section")
            << QByteArray("[SOFTWARE\nPelgro\\Bearing%20Pad%20Design\\Company=\"unterminated\n")
            << ".corrupt" << true;
        QTest::newRow("an earlier set-aside file") << zeros << ".corrupt.2" << true;
        QTest::newRow("no one to tell") << zeros << "" << false;
        QTest::newRow("foreign value")
            << QByteArray(
                   "[SOFTWARE]\nPelgro\\Bearing%20Pad%20Design\\Company=@Variant(\\0\\0\\0\\x7f)\n")
            << "" << true;
        QTest::newRow("empty file") << QByteArray() << "" << true;
    }
    void aDamagedStoreNeverStopsTheProgram() {
        QFETCH(QByteArray, content);
        QFETCH(QString, setAsideAs);
        QFETCH(bool, anyoneToTell);
        bpd::testing::TestServices fixture;
        auto notices = std::make_unique<TellingBeforeMoving>();
        auto store = std::make_unique<bpd::platform::IniRegistryStore>(
            fixture.path(QStringLiteral("config")), anyoneToTell ? notices.get() : nullptr);
        const QString file = store->fileFor(HKEY_CURRENT_USER);
        put(file, content);
        if (setAsideAs == u".corrupt.2") put(file + u".corrupt"_qs, "older");
        notices->watched = file;
        notices->expected = content;

        QString read = QStringLiteral("kept");
        QVERIFY(
            !ReadRegistryValue(*store, HKEY_CURRENT_USER, kKey, QStringLiteral("Company"), read));
        QCOMPARE(read, QStringLiteral("kept"));

        QVariant value = QStringLiteral("Acme");
        QCOMPARE(WriteRegistryValue(*store, HKEY_CURRENT_USER, kKey, REG_SZ, kCompanyValue, value),
                 anyoneToTell);
        if (!anyoneToTell) {
            QCOMPARE(readAll(file), content);
            QCOMPARE(store->lastFailure().file, file);
            return;
        }
        QVERIFY(
            ReadRegistryValue(*store, HKEY_CURRENT_USER, kKey, QStringLiteral("Company"), read));
        QCOMPARE(read, QStringLiteral("Acme"));
        QSettings check(file, QSettings::IniFormat);
        QCOMPARE(check.status(), QSettings::NoError);
        QCOMPARE(notices->calls.size(), setAsideAs.isEmpty() ? 0 : 1);
        if (setAsideAs.isEmpty()) return;
        QVERIFY(notices->inPlaceWhenTold);
        QVERIFY(notices->calls.at(0).text.contains(file + u'\n'));
        QVERIFY(notices->calls.at(0).text.contains(file + setAsideAs + u'\n'));
        QCOMPARE(readAll(file + setAsideAs), content);
        if (setAsideAs == u".corrupt.2") QCOMPARE(readAll(file + u".corrupt"_qs), "older");
    }

    // Files the QSettings-based versions wrote read the same; a save of ours changes the bytes
    // just as QSettings' own save would, and QSettings still reads every value.
    void filesOfTheQSettingsVersionsReadAndSaveAlike_data() {
        QTest::addColumn<QString>("subKey");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");  // as the earlier versions stored it
        QTest::addColumn<QString>("read");
        const auto row = [](const char* tag, const QString& subKey, const QString& name,
                            const QString& stored, const QString& read) {
            QTest::newRow(tag) << subKey << name << stored << read;
        };
        const QString nul = QStringLiteral("A") + QChar(0) + u"1b"_qs;
        row("plain", kKey, "Company", "sz:Pelgro Precast Ltd.", "Pelgro Precast Ltd.");
        row("ini syntax", kKey, "Project Name", "sz:a=b; [c] \"d\" \\e\\ %41 #f, g",
            "a=b; [c] \"d\" \\e\\ %41 #f, g");
        row("outer blanks", kKey, "Engineer", "sz:  padded  ", "  padded  ");
        row("control characters", kKey, "Description",
            "sz:a\nb\tc\x01"
            "2\x7f",
            "a\nb\tc\x01"
            "2\x7f");
        row("NUL inside", kKey, "Description", u"sz:"_qs + nul, nul);
        row("non-Latin", kKey, "Company", "sz:Łódź 東京 😀", "Łódź 東京 😀");
        row("number", "Software\\Microsoft\\Notepad\\", "iPointSize", "dword:80", "80");
        row("separators in the name", kKey, "a/b\\c%d", "sz:x", "x");
        row("default value", kKey, "", "sz:default", "default");
        row("name @", kKey, "@", "sz:at", "at");
        row("group General", "General\\Sub", "Company", "sz:g", "g");
        row("top level", "", "Company", "sz:t", "t");
        row("non-Latin names", "Łódź\\ключ", "Ünï 😀", "sz:u", "u");
    }
    void filesOfTheQSettingsVersionsReadAndSaveAlike() {
        QFETCH(QString, subKey);
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(QString, read);
        bpd::testing::TestServices fixture;
        const QString file = fixture.store->fileFor(HKEY_CURRENT_USER);
        const QString neighbour = QStringLiteral("SOFTWARE/Other/Value");
        const QString changed = QStringLiteral("changed, once; \"q\"");
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QSettings(file, QSettings::IniFormat).setValue(neighbour, u"sz:next, \"door\""_qs);
        QSettings(file, QSettings::IniFormat).setValue(earlierKey(subKey, name), stored);
        QString value;
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, subKey, name, value));
        QCOMPARE(value, read);

        const QString copy = fixture.path(QStringLiteral("copy.ini"));
        QVERIFY(QFile::copy(file, copy));
        QVariant text = changed;
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, subKey, REG_SZ, name, text));
        QSettings(copy, QSettings::IniFormat)
            .setValue(earlierKey(subKey, name), u"sz:"_qs + changed);
        QCOMPARE(readAll(file), readAll(copy));
        QSettings check(file, QSettings::IniFormat);
        QCOMPARE(check.status(), QSettings::NoError);
        QCOMPARE(check.allKeys().size(), 2);
        QCOMPARE(check.value(neighbour).toString(), u"sz:next, \"door\""_qs);
        QCOMPARE(check.value(earlierKey(subKey, name)).toString(), u"sz:"_qs + changed);
    }

    // Lines typed by hand: every well-formed value reads whatever else the file holds, and the
    // next save keeps every line, also those that cannot be read.
    void handEditedStoresReadEveryWellFormedValue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("company");
        const auto row = [](const char* tag, QByteArray content, const char* company) {
            QTest::newRow(tag) << content.replace("%K", "Pelgro\\Bearing%20Pad%20Design\\")
                               << company;
        };
        row("unclosed section added", "[SOFTWARE]\n%KCompany=sz:Acme\n[unclosed\n", "Acme");
        row("line without =", "[SOFTWARE]\ngarbage\n%KCompany=sz:Acme\n", "Acme");
        row("no type prefix", "[SOFTWARE]\n%KCompany=Acme Bridges\n", "Acme Bridges");
        row("unquoted comma", "[SOFTWARE]\n%KCompany=Acme, Inc.\n", "Acme, Inc.");
        row("quoted comma", "[SOFTWARE]\n%KCompany=\"Acme, Inc.\"\n", "Acme, Inc.");
        row("comment after the value", "[SOFTWARE]\n%KCompany=Acme ; ours\n", "Acme");
        row("section path, CR LF, BOM",
            "\xef\xbb\xbf; notes\r\n[SOFTWARE\\Pelgro\\Bearing Pad Design]\r\nCompany = Acme\r\n",
            "Acme");
        row("other case", "[software]\npelgro\\BEARING%20pad%20design\\COMPANY=sz:Acme\n", "Acme");
        row("the later wins", "[SOFTWARE]\n%KCompany=sz:Old\n%KCompany=sz:Acme\n", "Acme");
        row("unterminated quote", "[SOFTWARE]\n%KDescription=\"open\n%KCompany=sz:Acme\n", "Acme");
        row("continued line", "[SOFTWARE]\n%KDescription=a\\\n%KCompany=sz:Acme\n", "Acme");
        row("not UTF-8", "[SOFTWARE]\n%KDescription=M\xfcller\n%KCompany=sz:Acme\n", "Acme");
        row("malformed number", "[SOFTWARE]\n%KCompany=dword:many\n", "<missing>");
    }
    void handEditedStoresReadEveryWellFormedValue() {
        QFETCH(QByteArray, content);
        QFETCH(QString, company);
        bpd::testing::TestServices fixture;
        const QString file = fixture.store->fileFor(HKEY_CURRENT_USER);
        put(file, content);
        const ProjectData missing{QStringLiteral("<missing>"), {}, {}, {}};
        QCOMPARE(GetGenaralSettingsfromRegistry(*fixture.store, missing).sCompany, company);

        QVariant value = QStringLiteral("Saved");
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey, REG_SZ, kEngineerValue,
                                   value));
        QCOMPARE(GetGenaralSettingsfromRegistry(*fixture.store, missing).sEngineer,
                 QStringLiteral("Saved"));
        QCOMPARE(GetGenaralSettingsfromRegistry(*fixture.store, missing).sCompany, company);
        const QByteArray saved = readAll(file);
        for (const QByteArray& line : content.split('\n'))
            QVERIFY2(saved.contains(line), line.constData());
    }

    void getGeneralSettingsKeepsFieldsThatCannotBeRead() {
        bpd::testing::TestServices fixture;
        QVariant value = QStringLiteral("New Co");
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, kKey, REG_SZ,
                                   QStringLiteral("Company"), value));
        const ProjectData before{QStringLiteral("Old Co"), QStringLiteral("Old project"),
                                 QStringLiteral("Old engineer"), QStringLiteral("Old description")};
        const ProjectData after = GetGenaralSettingsfromRegistry(*fixture.store, before);
        QCOMPARE(after.sCompany, QStringLiteral("New Co"));
        QCOMPARE(after.sProjectName, before.sProjectName);
        QCOMPARE(after.sEngineer, before.sEngineer);
        QCOMPARE(after.sDescription, before.sDescription);
    }

    void theStoreLivesInTheConfigurationFolder() {
        QStandardPaths::setTestModeEnabled(true);
        const QString folder = bpd::platform::IniRegistryStore::defaultFolder();
        QVERIFY(folder.startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
        QVERIFY(folder.endsWith(QStringLiteral("/Pelgro")));
        bpd::platform::IniRegistryStore store;
        QCOMPARE(store.fileFor(HKEY_LOCAL_MACHINE), folder + QStringLiteral("/local-machine.ini"));
        QVERIFY(store.fileFor(0x80000000).isEmpty());
    }

#ifdef BPD_REGISTRY_TOOL
    void theCommandLineToolWritesAndReadsTheSameStore() {
        bpd::testing::TestServices fixture;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), fixture.path(QStringLiteral("xdg")));
        auto run = [&](const QStringList& arguments, QString* out = nullptr) {
            QProcess tool;
            tool.setProcessEnvironment(environment);
            tool.start(QStringLiteral(BPD_REGISTRY_TOOL), arguments);
            tool.waitForFinished(10000);
            if (out) *out = QString::fromUtf8(tool.readAllStandardOutput());
            return tool.exitCode();
        };
        const QString key = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
        QCOMPARE(run({"get", "HKLM", key, "PATH"}), 1);
        QCOMPARE(
            run({"set", "HKEY_LOCAL_MACHINE", key, "PATH", "/opt/pelgro/bin/pelgro-sysinfo ř"}), 0);
        QString out;
        QCOMPARE(run({"get", "hklm", key.toLower(), "path"}, &out), 0);
        QCOMPARE(out, QStringLiteral("/opt/pelgro/bin/pelgro-sysinfo ř\n"));
        QCOMPARE(run({"get", "HKCU", key, "PATH"}), 1);
        QCOMPARE(run({"get", "HKEY_CLASSES_ROOT", key, "PATH"}), 2);
        QCOMPARE(run({"set", "HKLM", key}), 2);

        // The program's routines see what the tool wrote.
        bpd::platform::IniRegistryStore written(fixture.path(QStringLiteral("xdg/Pelgro")));
        QString read;
        QVERIFY(ReadRegistryValue(written, HKEY_LOCAL_MACHINE, key, QStringLiteral("PATH"), read));
        QCOMPARE(read, QStringLiteral("/opt/pelgro/bin/pelgro-sysinfo ř"));
    }
    // A set that does not reach the disk names the file and the reason and fails.
    void theCommandLineToolReportsAFailedSet_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("full disk") << "full";
        QTest::newRow("read-only disk") << "read-only";
    }
    void theCommandLineToolReportsAFailedSet() {
        QFETCH(QString, fault);
        bpd::testing::ScratchFilesystem disk(64);
        if (fault == u"read-only" && !disk.isTmpfs())
            QSKIP("without a tmpfs the store's own sub-folder would stay writable");
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), disk.path());
        tool.setProcessEnvironment(environment);
        const QStringList where = {"HKCU", "SOFTWARE\\Pelgro\\Bearing Pad Design", "Company"};
        auto run = [&tool](const QStringList& arguments) {
            tool.start(QStringLiteral(BPD_REGISTRY_TOOL), arguments);
            tool.waitForFinished(10000);
            return tool.exitCode();
        };
        QCOMPARE(run(QStringList{"set"} + where + QStringList{"Saved Co"}), 0);
        fault == u"full" ? disk.fill() : disk.makeReadOnly();
        QCOMPARE(run(QStringList{"set"} + where + QStringList{"New Co"}), 1);
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(err.contains(disk.filePath(u"Pelgro/current-user.ini: "_qs)), qPrintable(err));
        QVERIFY2(!err.trimmed().endsWith(u':'), qPrintable(err));  // a reason follows
        disk.liftLimit();
        QCOMPARE(run(QStringList{"get"} + where), 0);
        QCOMPARE(tool.readAllStandardOutput(), QByteArray("Saved Co\n"));
    }
#endif

private:
    static QString TextKey() {
        return QStringLiteral("Software\\Microsoft\\Notepad\\");
    }
};

QTEST_MAIN(TestRegistry)
#include "tst_registry.moc"
