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

ProjectData projectValues() {
    return {QStringLiteral("Pelgro Łódź"), QStringLiteral("Bridge 7"), QStringLiteral("J. Novák"),
            QStringLiteral("North abutment")};
}

void saveProjectValues(const ProjectData& data) {
    const std::pair<QString, QString> values[] = {{kCompanyValue, data.sCompany},
                                                  {kProjectNameValue, data.sProjectName},
                                                  {kEngineerValue, data.sEngineer},
                                                  {kDescriptionValue, data.sDescription}};
    for (const auto& [name, text] : values) {
        QVariant value = text;
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, name, value));
    }
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
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Description"),
                                   value));
        QCOMPARE(value.toString(), text);
        QString read = QStringLiteral("unchanged");
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Description"), read));
        QCOMPARE(read, text);
        // A second store object sees the same file (a second copy of the program).
        bpd::platform::Services::instance().setRegistry(
            std::make_shared<bpd::platform::IniRegistryStore>(
                fixture.path(QStringLiteral("config"))));
        read.clear();
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Description"), read));
        QCOMPARE(read, text);
    }

    void textsAreStoredAsUtf8WithoutNul() {
        bpd::testing::ServiceFixture fixture;
        QVariant value = QStringLiteral("Łř");
        QVERIFY(
            WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
        RegistryStore::Handle handle = 0;
        QCOMPARE(fixture.store->openKey(RegistryStore::kCurrentUser, kKey, 0x2003F, handle),
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
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, TextKey(), REG_DWORD,
                                   QStringLiteral("iPointSize"), written));
        QString read;
        QVERIFY(
            ReadRegistryValue(HKEY_CURRENT_USER, TextKey(), QStringLiteral("iPointSize"), read));
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
        storeRaw(*fixture.store, kKey, QStringLiteral("Company"), 3 /* binary */,
                 QByteArray("\x01\x02", 2));
        QString read = QStringLiteral("kept");
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Company"), read));
        QCOMPARE(read, QStringLiteral("kept"));
    }

    void aNumberThatIsNoNumberFailsAndClearsTheArgument() {
        bpd::testing::ServiceFixture fixture;
        QVariant value = QStringLiteral("eighty");
        QVERIFY(!WriteRegistryValue(HKEY_CURRENT_USER, TextKey(), REG_DWORD,
                                    QStringLiteral("fWrap"), value));
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
            std::make_shared<bpd::platform::IniRegistryStore>(
                fixture.path(QStringLiteral("blocker/config"))));
        QVariant value = QStringLiteral("Acme");
        QVERIFY(
            !WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
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
        QVERIFY(
            WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
        value = QStringLiteral("second");
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER,
                                   QStringLiteral("software\\PELGRO\\bearing pad design\\"), REG_SZ,
                                   QStringLiteral("COMPANY"), value));
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
        QTest::newRow("broken section")
            << QByteArray("[SOFTWARE\nPelgro\\Bearing%20Pad%20Design\\Company=\"unterminated\n");
        QTest::newRow("foreign value") << QByteArray(
            "[SOFTWARE]\nPelgro\\Bearing%20Pad%20Design\\Company=@Variant(\\0\\0\\0\\x7f)\n");
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
        QVERIFY(
            WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, QStringLiteral("Company"), read));
        QCOMPARE(read, QStringLiteral("Acme"));
        QSettings check(file, QSettings::IniFormat);
        QCOMPARE(check.status(), QSettings::NoError);
    }

    // Files the QSettings-based versions wrote read the same; a save of ours changes the bytes
    // just as QSettings' own save would, and QSettings still reads every value.
    void filesOfTheQSettingsVersionsReadAndSaveAlike_data() {
        QTest::addColumn<QString>("subKey");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");  // as the earlier versions stored it
        QTest::addColumn<QString>("read");
        const QString tab = QStringLiteral("Software\\Microsoft\\Notepad\\");
        QTest::newRow("plain") << kKey << "Company"
                               << "sz:Pelgro Precast Ltd."
                               << "Pelgro Precast Ltd.";
        QTest::newRow("ini syntax") << kKey << "Project Name"
                                    << "sz:a=b; [c] \"d\" \\e\\ %41 #f, g"
                                    << "a=b; [c] \"d\" \\e\\ %41 #f, g";
        QTest::newRow("outer blanks") << kKey << "Engineer"
                                      << "sz:  padded  "
                                      << "  padded  ";
        QTest::newRow("control characters") << kKey << "Description"
                                            << "sz:a\nb\tc\x01"
                                               "2\x7f"
                                            << "a\nb\tc\x01"
                                               "2\x7f";
        QTest::newRow("NUL inside")
            << kKey << "Description" << QStringLiteral("sz:A") + QChar(0) + u"1b"_qs
            << QStringLiteral("A") + QChar(0) + u"1b"_qs;
        QTest::newRow("non-Latin") << kKey << "Company"
                                   << "sz:Łódź 東京 😀"
                                   << "Łódź 東京 😀";
        QTest::newRow("number") << tab << "iPointSize"
                                << "dword:80"
                                << "80";
        QTest::newRow("separators in the name") << kKey << "a/b\\c%d"
                                                << "sz:x"
                                                << "x";
        QTest::newRow("default value") << kKey << ""
                                       << "sz:default"
                                       << "default";
        QTest::newRow("name @") << kKey << "@"
                                << "sz:at"
                                << "at";
        QTest::newRow("group General") << "General\\Sub"
                                       << "Company"
                                       << "sz:g"
                                       << "g";
        QTest::newRow("top level") << ""
                                   << "Company"
                                   << "sz:t"
                                   << "t";
        QTest::newRow("non-Latin names") << "Łódź\\ключ"
                                         << "Ünï 😀"
                                         << "sz:u"
                                         << "u";
    }
    void filesOfTheQSettingsVersionsReadAndSaveAlike() {
        QFETCH(QString, subKey);
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(QString, read);
        bpd::testing::ServiceFixture fixture;
        const QString file = fixture.store->fileFor(RegistryStore::kCurrentUser);
        const QString neighbour = QStringLiteral("SOFTWARE/Other/Value");
        {
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QSettings earlier(file, QSettings::IniFormat);
            earlier.setValue(neighbour, QStringLiteral("sz:next door, \"quoted\""));
            earlier.setValue(earlierKey(subKey, name), stored);
        }
        QString value;
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, subKey, name, value));
        QCOMPARE(value, read);

        const QString copy = fixture.path(QStringLiteral("copy.ini"));
        QVERIFY(QFile::copy(file, copy));
        QVariant changed = QStringLiteral("changed, once; \"q\"");
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, subKey, REG_SZ, name, changed));
        {
            QSettings qsettings(copy, QSettings::IniFormat);
            qsettings.setValue(earlierKey(subKey, name), QStringLiteral("sz:changed, once; \"q\""));
        }
        QCOMPARE(readAll(file), readAll(copy));
        QSettings check(file, QSettings::IniFormat);
        QCOMPARE(check.status(), QSettings::NoError);
        QCOMPARE(check.allKeys().size(), 2);
        QCOMPARE(check.value(neighbour).toString(), QStringLiteral("sz:next door, \"quoted\""));
        QCOMPARE(check.value(earlierKey(subKey, name)).toString(),
                 QStringLiteral("sz:changed, once; \"q\""));
    }

    // Lines typed by hand: every well-formed value reads whatever else the file holds, and the
    // next save keeps every line, also those that cannot be read.
    void handEditedStoresReadEveryWellFormedValue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("company");
        const QByteArray key = "Pelgro\\Bearing%20Pad%20Design\\";
        QTest::newRow("unclosed section added")
            << "[SOFTWARE]\n" + key + "Company=sz:Acme\n[unclosed\n"
            << "Acme";
        QTest::newRow("line without =") << "[SOFTWARE]\ngarbage\n" + key + "Company=sz:Acme\n"
                                        << "Acme";
        QTest::newRow("no type prefix") << "[SOFTWARE]\n" + key + "Company=Acme Bridges\n"
                                        << "Acme Bridges";
        QTest::newRow("unquoted comma") << "[SOFTWARE]\n" + key + "Company=Acme, Inc.\n"
                                        << "Acme, Inc.";
        QTest::newRow("quoted comma") << "[SOFTWARE]\n" + key + "Company=\"Acme, Inc.\"\n"
                                      << "Acme, Inc.";
        QTest::newRow("comment after the value") << "[SOFTWARE]\n" + key + "Company=Acme ; ours\n"
                                                 << "Acme";
        QTest::newRow("section path, CR LF, BOM")
            << QByteArray(
                   "\xef\xbb\xbf; notes\r\n[SOFTWARE\\Pelgro\\Bearing Pad Design]\r\nCompany = "
                   "Acme\r\n")
            << "Acme";
        QTest::newRow("other case")
            << QByteArray("[software]\npelgro\\BEARING%20pad%20design\\COMPANY=sz:Acme\n")
            << "Acme";
        QTest::newRow("the later wins")
            << "[SOFTWARE]\n" + key + "Company=sz:Old\n" + key + "Company=sz:Acme\n"
            << "Acme";
        QTest::newRow("unterminated quote")
            << "[SOFTWARE]\n" + key + "Description=\"open\n" + key + "Company=sz:Acme\n"
            << "Acme";
        QTest::newRow("continued line")
            << "[SOFTWARE]\n" + key + "Description=a\\\n" + key + "Company=sz:Acme\n"
            << "Acme";
        QTest::newRow("not UTF-8")
            << "[SOFTWARE]\n" + key + "Description=M\xfcller\n" + key + "Company=sz:Acme\n"
            << "Acme";
        QTest::newRow("malformed number") << "[SOFTWARE]\n" + key + "Company=dword:many\n"
                                          << "<missing>";
    }
    void handEditedStoresReadEveryWellFormedValue() {
        QFETCH(QByteArray, content);
        QFETCH(QString, company);
        bpd::testing::ServiceFixture fixture;
        const QString file = fixture.store->fileFor(RegistryStore::kCurrentUser);
        put(file, content);
        QCOMPARE(GetGenaralSettingsfromRegistry({QStringLiteral("<missing>"), {}, {}, {}}).sCompany,
                 company);

        QVariant value = QStringLiteral("Saved");
        QVERIFY(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, kEngineerValue, value));
        QString engineer;
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, kEngineerValue, engineer));
        QCOMPARE(engineer, QStringLiteral("Saved"));
        QCOMPARE(GetGenaralSettingsfromRegistry({QStringLiteral("<missing>"), {}, {}, {}}).sCompany,
                 company);
        const QByteArray saved = readAll(file);
        for (const QByteArray& line : content.split('\n'))
            QVERIFY2(saved.contains(line), line.constData());
        QVERIFY(fixture.messages->calls.isEmpty());
    }

    // A save that does not reach the disk says so and changes nothing, and every later read
    // still sees the file as it is.
    void aFailedSaveKeepsTheStoreAndLaterReads_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("full disk") << "full";
        QTest::newRow("read-only disk") << "read-only";
    }
    void aFailedSaveKeepsTheStoreAndLaterReads() {
        QFETCH(QString, fault);
        bpd::testing::ServiceFixture fixture;
        bpd::testing::ScratchFilesystem disk(64);
        auto store =
            std::make_shared<bpd::platform::IniRegistryStore>(disk.path(), fixture.messages);
        bpd::platform::Services::instance().setRegistry(store);
        saveProjectValues(projectValues());
        const QString file = store->fileFor(RegistryStore::kCurrentUser);
        const QByteArray before = readAll(file);
        fault == u"full" ? disk.fill() : disk.makeReadOnly();

        QVariant value = QStringLiteral("New Co");
        QVERIFY2(!WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, kCompanyValue, value),
                 qPrintable(disk.how()));
        QCOMPARE(value, QVariant(QString()));
        QCOMPARE(LastRegistryFailure().file, file);
        QVERIFY(!LastRegistryFailure().reason.isEmpty());
        disk.liftLimit();
        QCOMPARE(readAll(file), before);
        QStringList names = QDir(disk.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral("filler"));
        QCOMPARE(names, QStringList{QStringLiteral("current-user.ini")});
        QCOMPARE(GetGenaralSettingsfromRegistry({}), projectValues());
        QString company;
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, kCompanyValue, company));
        QCOMPARE(company, projectValues().sCompany);
    }

    // A file of which nothing reads is set aside, never overwritten, and only once the user
    // has been told where it goes.
    void anUnreadableStoreIsSetAsideAfterTheUserWasTold_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("earlierSetAside");
        QTest::addColumn<bool>("anyoneToTell");
        QTest::newRow("binary") << QByteArray("\x00\x01garbage\xff\n\x00", 12) << false << true;
        QTest::newRow("only malformed lines")
            << QByteArray("[SOFTWARE\nCompany=\"open\n") << false << true;
        QTest::newRow("an earlier set-aside file")
            << QByteArray("\x00\x00\x00\x00", 4) << true << true;
        QTest::newRow("no one to tell") << QByteArray("\x00\x00\x00\x00", 4) << false << false;
    }
    void anUnreadableStoreIsSetAsideAfterTheUserWasTold() {
        QFETCH(QByteArray, content);
        QFETCH(bool, earlierSetAside);
        QFETCH(bool, anyoneToTell);
        bpd::testing::ServiceFixture fixture;
        auto notices = std::make_shared<TellingBeforeMoving>();
        auto store = std::make_shared<bpd::platform::IniRegistryStore>(
            fixture.path(QStringLiteral("config")), anyoneToTell ? notices : nullptr);
        bpd::platform::Services::instance().setRegistry(store);
        const QString file = store->fileFor(RegistryStore::kCurrentUser);
        put(file, content);
        if (earlierSetAside) put(file + u".corrupt"_qs, "older");
        notices->watched = file;
        notices->expected = content;
        QString company = QStringLiteral("kept");
        QVERIFY(!ReadRegistryValue(HKEY_CURRENT_USER, kKey, kCompanyValue, company));

        QVariant value = QStringLiteral("Acme");
        QCOMPARE(WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, kCompanyValue, value),
                 anyoneToTell);
        if (!anyoneToTell) {
            QCOMPARE(readAll(file), content);
            QCOMPARE(LastRegistryFailure().file, file);
            QVERIFY(!QFile::exists(file + u".corrupt"_qs));
            return;
        }
        const QString aside = file + (earlierSetAside ? u".corrupt.2"_qs : u".corrupt"_qs);
        QCOMPARE(notices->calls.size(), 1);
        QVERIFY(notices->inPlaceWhenTold);
        QVERIFY(notices->calls.at(0).text.contains(file));
        QVERIFY(notices->calls.at(0).text.contains(aside));
        QCOMPARE(readAll(aside), content);
        if (earlierSetAside) QCOMPARE(readAll(file + u".corrupt"_qs), QByteArray("older"));
        QVERIFY(ReadRegistryValue(HKEY_CURRENT_USER, kKey, kCompanyValue, company));
        QCOMPARE(company, QStringLiteral("Acme"));
    }

    void getGeneralSettingsKeepsFieldsThatCannotBeRead() {
        bpd::testing::ServiceFixture fixture;
        QVariant value = QStringLiteral("New Co");
        QVERIFY(
            WriteRegistryValue(HKEY_CURRENT_USER, kKey, REG_SZ, QStringLiteral("Company"), value));
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
        QVERIFY(folder.startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
        QVERIFY(folder.endsWith(QStringLiteral("/Pelgro")));
        bpd::platform::IniRegistryStore store;
        QCOMPARE(store.fileFor(RegistryStore::kLocalMachine),
                 folder + QStringLiteral("/local-machine.ini"));
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
        bpd::platform::Services::instance().setRegistry(
            std::make_shared<bpd::platform::IniRegistryStore>(
                fixture.path(QStringLiteral("xdg/Pelgro"))));
        QString read;
        QVERIFY(ReadRegistryValue(HKEY_LOCAL_MACHINE, key, QStringLiteral("PATH"), read));
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
            QSKIP(
                "needs a tmpfs: the store lies in a sub-folder that a folder's permissions leave "
                "writable");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), disk.path());
        auto run = [&](const QStringList& arguments, QString* out, QString* err) {
            QProcess tool;
            tool.setProcessEnvironment(environment);
            tool.start(QStringLiteral(BPD_REGISTRY_TOOL), arguments);
            tool.waitForFinished(10000);
            *out = QString::fromUtf8(tool.readAllStandardOutput());
            *err = QString::fromUtf8(tool.readAllStandardError());
            return tool.exitCode();
        };
        const QStringList where = {"HKCU", "SOFTWARE\\Pelgro\\Bearing Pad Design", "Company"};
        QString out, err;
        QCOMPARE(run(QStringList{"set"} + where + QStringList{"Saved Co"}, &out, &err), 0);
        fault == u"full" ? disk.fill() : disk.makeReadOnly();
        QCOMPARE(run(QStringList{"set"} + where + QStringList{"New Co"}, &out, &err), 1);
        QVERIFY2(err.contains(disk.filePath(QStringLiteral("Pelgro/current-user.ini")) + u": "_qs),
                 qPrintable(err));
        QVERIFY2(!err.trimmed().endsWith(u':'), qPrintable(err));
        disk.liftLimit();
        QCOMPARE(run(QStringList{"get"} + where, &out, &err), 0);
        QCOMPARE(out, QStringLiteral("Saved Co\n"));
    }
#endif

private:
    static QString TextKey() {
        return QStringLiteral("Software\\Microsoft\\Notepad\\");
    }
};

QTEST_MAIN(TestRegistry)
#include "tst_registry.moc"
