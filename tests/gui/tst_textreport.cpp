// The text report: its lines to the character, the file's place and bytes, the viewer
// settings, and the paths taken when folders cannot be written, the disk is full, a symlink
// stands at the report's name, the viewer's settings cannot be saved or nothing can open the
// file.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "ProjectData.h"
#include "RegistryRoutines.h"
#include "ReportResults.h"
#include "ScratchFilesystem.h"
#include "TestServices.h"
#include "TextReport.h"

using namespace bpd::reports;

namespace {

const QStringList kHeader = {"Status",  "t(in.)",    "SF",      "Vnr(kips)", "Snr(psi)",
                             "R",       "Var(kips)", "W2(in.)", "Es",        "Sap(psi)",
                             "N(kips)", "Ss(psi)",   "G(psi)"};

QString contactText() {
    const QStringList lines = {"Pelgro Precast, 1 Main Street",
                               "Springfield, ST 12345, USA",
                               "Phone: 555-0100",
                               "Fax: 555-0101",
                               "E-Mail: info@example.com",
                               "Website: www.example.com"};
    QString text;
    for (const QString& line : lines)
        text += QString(48, QLatin1Char(' ')) + line + QStringLiteral("\r\n");
    return text;
}

ReportInputs oneThickness() {
    ReportInputs inputs;
    inputs.w1Text = QStringLiteral("4.0000");
    inputs.b1Text = QStringLiteral("4.0000");
    inputs.AText = QStringLiteral(".01");
    inputs.dhText = QStringLiteral(".0711");
    inputs.VapText = QStringLiteral("7.1300");
    inputs.results =
        bpd::testing::resultTable({kHeader,
                                   {"Pass", "1/4", "4.00", "48.00", "3000.00", ".667", "32.00",
                                    "4.00", ".28", "445.63", ".36", "22.22", "80.00"}});
    return inputs;
}

ReportInputs allThicknesses() {
    ReportInputs inputs = oneThickness();
    const QStringList labels = {"1/8", "1/4", "3/8", "1/2", "5/8", "3/4", "1"};
    QList<QStringList> rows = {kHeader};
    for (const QString& label : labels)
        rows << QStringList{"Pass", label, "1.00", "2.00", "3.00", ".500", "4.00",
                            "5.00", ".06", "6.00", "7.00", "8.00", "9.00"};
    inputs.results = bpd::testing::resultTable(rows);
    return inputs;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace

class TestTextReport : public QObject {
    Q_OBJECT
private slots:
    void oneThicknessToTheCharacter() {
        const ProjectData project{QStringLiteral("Pelgro"), QStringLiteral("Bridge 7"),
                                  QStringLiteral("J. Doe"), QStringLiteral("North abutment")};
        const QString separator(173, QLatin1Char('-'));
        const QString expected =
            "PROJECT DATA:\r\n"
            "Company Name: Pelgro\r\n"
            "Project Name: Bridge 7\r\n"
            "Engineer: J. Doe\r\n"
            "Description: North abutment\r\n"
            "\r\n"
            "INPUT DATA:\r\n"
            "Slide Bearing: No\r\n"
            "Bearing Length: 4.0000 in.\r\n"
            "Bearing Width: 4.0000in.\r\n"
            "Angle of Rotation: .01 rad\r\n"
            "Horizontal Deformation: .0711 in.\r\n"
            "Applied Load: 7.1300 kips\r\n"
            "\r\n"
            "OUTPUT DATA:\r\n" +
            separator +
            "\r\n"
            "Status    t(in.)    SF        Vnr(kips)      Snr(psi)       R         Var(kips)      "
            "W2(in.)   Es        Sap(psi)       N(kips)        Ss(psi)        G(psi)         \r\n" +
            separator +
            "\r\n"
            "Pass      1/4       4.00      48.00          3000.00        .667      32.00          "
            "4.00      .28       445.63         .36            22.22          80.00          \r\n"
            "\r\n"
            "\r\n\r\n\r\n\r\n\r\n" +
            contactText();
        const QString actual = TextReport::buildText(oneThickness(), project, contactText());
        QCOMPARE(actual, expected);
        const QStringList lines = actual.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(16).size(), 165);
        QCOMPARE(lines.at(15).size(), 173);
        QVERIFY(!actual.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    }

    void allThicknessesGiveEightRowLinesEachFollowedByAnEmptyLine() {
        const QString text = TextReport::buildText(allThicknesses(), {}, contactText());
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(15), QString(173, QLatin1Char('-')));
        QVERIFY(lines.at(16).startsWith(QStringLiteral("Status    t(in.)")));
        QCOMPARE(lines.at(17), QString(173, QLatin1Char('-')));
        const QStringList labels = {"1/8", "1/4", "3/8", "1/2", "5/8", "3/4", "1"};
        for (int i = 0; i < labels.size(); ++i) {
            QCOMPARE(lines.at(18 + 2 * i).mid(10, 10), labels.at(i).leftJustified(10));
            QCOMPARE(lines.at(18 + 2 * i).size(), 165);
            QCOMPARE(lines.at(19 + 2 * i), QString());
        }
        // Six empty lines between the last row line and the contact block.
        for (int i = 31; i <= 36; ++i) QCOMPARE(lines.at(i), QString());
        QCOMPARE(lines.at(37),
                 QString(48, QLatin1Char(' ')) + QStringLiteral("Pelgro Precast, 1 Main Street"));
        QVERIFY(text.endsWith(QStringLiteral("Website: www.example.com\r\n")));
    }

    void cellsAreFilledOrCut_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("inLine");
        QTest::newRow("12 characters in a 10 column") << 2 << "123456789012"
                                                      << "1234567890";
        QTest::newRow("exactly 10") << 2 << "1234567890"
                                    << "1234567890";
        QTest::newRow("17 characters in a 15 column") << 3 << "12345678901234567"
                                                      << "123456789012345";
        QTest::newRow("short in a 15 column") << 12 << "80.00"
                                              << "80.00          ";
        QTest::newRow("empty") << 5 << ""
                               << "          ";
    }
    void cellsAreFilledOrCut() {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, inLine);
        ReportInputs inputs = oneThickness();
        bpd::testing::setResultCell(inputs.results, 1, column, text);
        const QString line = TextReport::rowLine(inputs, 1);
        int start = 0;
        for (int c = 0; c < column; ++c) start += TextReport::columnWidth(c);
        QCOMPARE(line.size(), 165);
        QCOMPARE(line.mid(start, TextReport::columnWidth(column)), inLine);
    }

    // A row a fault left uncomputed shows its label only; its line keeps every column.
    void columnsBeyondTheThirteenthAreFifteenWide() {
        QCOMPARE(TextReport::columnWidth(13), 15);
        QCOMPARE(TextReport::columnWidth(8), 10);
        ReportInputs inputs = allThicknesses();
        inputs.results.rows.resize(1);
        QCOMPARE(
            TextReport::rowLine(inputs, 2),
            QString(10, QLatin1Char(' ')) + QStringLiteral("1/4") + QString(152, QLatin1Char(' ')));
    }

    void labelsAndInputsAsTheWindowShowsThem_data() {
        QTest::addColumn<bool>("sliding");
        QTest::addColumn<QString>("angleUnit");
        QTest::addColumn<QString>("slideLine");
        QTest::addColumn<QString>("angleLine");
        QTest::newRow("clear, before a unit switch") << false << "rad"
                                                     << "Slide Bearing: No"
                                                     << "Angle of Rotation: .01 rad";
        QTest::newRow("ticked, after a unit switch") << true << "rad."
                                                     << "Slide Bearing: Yes"
                                                     << "Angle of Rotation: .01 rad.";
    }
    void labelsAndInputsAsTheWindowShowsThem() {
        QFETCH(bool, sliding);
        QFETCH(QString, angleUnit);
        QFETCH(QString, slideLine);
        QFETCH(QString, angleLine);
        ReportInputs inputs = oneThickness();
        inputs.sliding = sliding;
        inputs.unitAngle = angleUnit;
        inputs.unitLength = {"mm", "mm", "mm", "mm"};
        inputs.unitsForce = QStringLiteral("KN");
        const QStringList lines =
            TextReport::buildText(inputs, {}, {}).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(7), slideLine);
        QCOMPARE(lines.at(8), QStringLiteral("Bearing Length: 4.0000 mm"));
        QCOMPARE(lines.at(9), QStringLiteral("Bearing Width: 4.0000mm"));
        QCOMPARE(lines.at(10), angleLine);
        QCOMPARE(lines.at(11), QStringLiteral("Horizontal Deformation: .0711 mm"));
        QCOMPARE(lines.at(12), QStringLiteral("Applied Load: 7.1300 KN"));
    }

    void emptyProjectDataKeepTheLabelsTrailingBlanks() {
        const QStringList lines =
            TextReport::buildText(oneThickness(), {}, {}).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(0, 6), QStringList({"PROJECT DATA:", "Company Name: ", "Project Name: ",
                                               "Engineer: ", "Description: ", ""}));
    }

    void pathJoining_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("root") << "/"
                              << "/PelgroBearingPadDesignOutput.txt";
        QTest::newRow("folder") << "/opt/pelgro"
                                << "/opt/pelgro/PelgroBearingPadDesignOutput.txt";
        QTest::newRow("folder with separator") << "/opt/pelgro/"
                                               << "/opt/pelgro/PelgroBearingPadDesignOutput.txt";
        QTest::newRow("drive root") << "C:\\"
                                    << "C:\\PelgroBearingPadDesignOutput.txt";
    }
    void pathJoining() {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QCOMPARE(TextReport::reportPath(folder), path);
    }

    void exportWritesTheFileSetsTheViewerAndOpensIt() {
        bpd::testing::TestServices fixture;
        const QString program = fixture.path(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program));
        QVariant value = QStringLiteral("Pelgro Łódź");
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, kProjectDataKey, REG_SZ,
                                   kCompanyValue, value));

        ProjectData projectData{QStringLiteral("old"), QStringLiteral("kept"), {}, {}};
        TextReport report(nullptr, *fixture.shell, *fixture.store, *fixture.messages, program,
                          fixture.path(QStringLiteral("user")));
        const TextReport::Outcome outcome =
            report.NotePad_Click(oneThickness(), projectData, contactText());

        const QString path = program + QStringLiteral("/PelgroBearingPadDesignOutput.txt");
        QVERIFY(outcome.written);
        QCOMPARE(outcome.path, path);
        QCOMPARE(projectData.sCompany, QStringLiteral("Pelgro Łódź"));
        QCOMPARE(projectData.sProjectName, QStringLiteral("kept"));
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes, TextReport::buildText(oneThickness(), projectData, contactText()).toUtf8());
        QVERIFY(
            bytes.contains("Company Name: Pelgro \xc5\x81\xc3\xb3"
                           "d\xc5\xba\r\n"));

        QString setting;
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, TextReport::kViewerKey,
                                  QStringLiteral("lfFaceName"), setting));
        QCOMPARE(setting, QStringLiteral("Arial"));
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, TextReport::kViewerKey,
                                  QStringLiteral("iPointSize"), setting));
        QCOMPARE(setting, QStringLiteral("80"));
        QVERIFY(ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, TextReport::kViewerKey,
                                  QStringLiteral("fWrap"), setting));
        QCOMPARE(setting, QStringLiteral("0"));

        QCOMPARE(fixture.shell->opens.size(), 1);
        QCOMPARE(fixture.shell->opens.at(0).target, path);
        QCOMPARE(fixture.shell->opens.at(0).workingDirectory, program);
        QCOMPARE(fixture.shell->opens.at(0).mode, bpd::platform::ShowMode::Maximized);
        QVERIFY(fixture.shell->opens.at(0).existedWhenOpened);
        QVERIFY(fixture.messages->calls.isEmpty());
        QCOMPARE(QDir(program).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"PelgroBearingPadDesignOutput.txt"});
    }

    void exportingTwiceReplacesTheFileWithTheNewProjectData() {
        bpd::testing::TestServices fixture;
        const QString program = fixture.path(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program));
        TextReport report(nullptr, *fixture.shell, *fixture.store, *fixture.messages, program,
                          fixture.path(QStringLiteral("user")));
        ProjectData projectData;
        ReportInputs inputs = allThicknesses();
        report.NotePad_Click(inputs, projectData, contactText());
        QVariant value = QStringLiteral("Second Co");
        QVERIFY(WriteRegistryValue(*fixture.store, HKEY_CURRENT_USER, kProjectDataKey, REG_SZ,
                                   kCompanyValue, value));
        inputs = oneThickness();
        const auto outcome = report.NotePad_Click(inputs, projectData, contactText());
        const QByteArray bytes = readAll(outcome.path);
        QCOMPARE(bytes, TextReport::buildText(inputs, projectData, contactText()).toUtf8());
        QVERIFY(bytes.contains("Company Name: Second Co\r\n"));
    }

    void aReadOnlyProgramFolderFallsBackToTheUserDataFolder() {
        bpd::testing::TestServices fixture;
        // A folder below a plain file can never be written, whoever runs the test.
        QFile blocker(fixture.path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString user = fixture.path(QStringLiteral("user/Pelgro"));
        TextReport report(nullptr, *fixture.shell, *fixture.store, *fixture.messages,
                          fixture.path(QStringLiteral("blocker/program")), user);
        ProjectData projectData;
        const auto outcome = report.NotePad_Click(oneThickness(), projectData, contactText());
        QVERIFY(outcome.written);
        QCOMPARE(outcome.path, user + QStringLiteral("/PelgroBearingPadDesignOutput.txt"));
        QVERIFY(QFile::exists(outcome.path));
        QCOMPARE(fixture.shell->opens.size(), 1);
        QCOMPARE(fixture.shell->opens.at(0).target, outcome.path);
        QCOMPARE(fixture.shell->opens.at(0).workingDirectory, user);
        QVERIFY(fixture.messages->calls.isEmpty());
    }

    void whenNoFolderCanBeWrittenTheUserIsToldWhereAndWhy() {
        bpd::testing::TestServices fixture;
        QFile blocker(fixture.path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        TextReport report(nullptr, *fixture.shell, *fixture.store, *fixture.messages,
                          fixture.path(QStringLiteral("blocker/program")),
                          fixture.path(QStringLiteral("blocker/user")));
        ProjectData projectData;
        const auto outcome = report.NotePad_Click(oneThickness(), projectData, contactText());
        QVERIFY(!outcome.written);
        QVERIFY(fixture.shell->opens.isEmpty());
        QCOMPARE(fixture.messages->calls.size(), 1);
        QCOMPARE(fixture.messages->calls.at(0).kind, QStringLiteral("warning"));
        QCOMPARE(fixture.messages->calls.at(0).title, QStringLiteral("Pelgro Pad Bearing Design"));
        QVERIFY(fixture.messages->calls.at(0).text.contains(
            fixture.path(QStringLiteral("blocker/program"))));
        QVERIFY(fixture.messages->calls.at(0).text.contains(
            fixture.path(QStringLiteral("blocker/user"))));
    }

    // Neither folder can take the report: the old one stays byte-identical, nothing is left
    // behind, no viewer starts, and the user reads which files and why.
    void aFullDiskKeepsTheOldReportAndStartsNoViewer() {
        bpd::testing::TestServices fixture;
        bpd::testing::ScratchFilesystem disk(64);
        const QString program = disk.filePath(QStringLiteral("program"));
        const QString user = disk.filePath(QStringLiteral("user"));
        QVERIFY(QDir().mkpath(program));
        TextReport report(nullptr, *fixture.shell, *fixture.store, *fixture.messages, program,
                          user);
        ProjectData projectData;
        const QString path = report.NotePad_Click(oneThickness(), projectData, contactText()).path;
        const QByteArray old = readAll(path);
        disk.fill();

        const auto outcome = report.NotePad_Click(allThicknesses(), projectData, contactText());
        disk.liftLimit();
        QVERIFY2(!outcome.written, qPrintable(disk.how()));
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(program).entryList(QDir::Files | QDir::Hidden),
                 QStringList{TextReport::kFileName});
        QCOMPARE(fixture.shell->opens.size(), 1);  // the first export's only
        QCOMPARE(fixture.messages->calls.size(), 1);
        const QString text = fixture.messages->calls.at(0).text;
        QVERIFY(text.contains(path + u"\n("_qs));
        QVERIFY(text.contains(TextReport::reportPath(user) + u"\n("_qs));
        QVERIFY(!text.contains(u"()"_qs));
    }

    void aSymlinkNamedLikeTheReportIsReplacedNotFollowed() {
        bpd::testing::TestServices fixture;
        const QString program = fixture.path(QStringLiteral("program"));
        const QString victim = fixture.path(QStringLiteral("victim.txt"));
        QVERIFY(QDir().mkpath(program));
        QFile precious(victim);
        QVERIFY(precious.open(QIODevice::WriteOnly) && precious.write("precious") == 8);
        precious.close();
        QVERIFY(QFile::link(victim, TextReport::reportPath(program)));
        TextReport report(nullptr, *fixture.shell, *fixture.store, *fixture.messages, program,
                          fixture.path(QStringLiteral("user")));
        ProjectData projectData;
        const auto outcome = report.NotePad_Click(oneThickness(), projectData, contactText());
        QVERIFY(outcome.written);
        QCOMPARE(readAll(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo(outcome.path).isSymLink());
        QCOMPARE(readAll(outcome.path),
                 TextReport::buildText(oneThickness(), projectData, contactText()).toUtf8());
    }

    // The report is sound, so it opens; the user is told that the viewer's settings are not.
    void viewerSettingsThatCannotBeSavedAreReported() {
        bpd::testing::TestServices fixture;
        bpd::testing::ScratchFilesystem disk(64);
        auto store =
            std::make_unique<bpd::platform::IniRegistryStore>(disk.path(), fixture.messages.get());
        disk.makeReadOnly();
        const QString program = fixture.path(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program));
        TextReport report(nullptr, *fixture.shell, *store, *fixture.messages, program,
                          fixture.path(QStringLiteral("user")));
        ProjectData projectData;
        const auto outcome = report.NotePad_Click(oneThickness(), projectData, contactText());
        QVERIFY(outcome.written);
        QCOMPARE(fixture.shell->opens.size(), 1);
        QCOMPARE(fixture.messages->calls.size(), 1);
        const QString text = fixture.messages->calls.at(0).text;
        QVERIFY2(text.startsWith(u"The text viewer's settings were not saved to\n"_qs +
                                 store->fileFor(bpd::platform::HKEY_CURRENT_USER) + u"\n("_qs),
                 qPrintable(text + disk.how()));
        QVERIFY(text.contains(outcome.path));
    }

    void withoutAProgramForTextFilesTheUserIsToldWhereTheReportIs_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("no association") << int(bpd::platform::ShellResult::NoAssociation);
        QTest::newRow("incomplete association")
            << int(bpd::platform::ShellResult::IncompleteAssociation);
        QTest::newRow("failed") << int(bpd::platform::ShellResult::Failed);
    }
    void withoutAProgramForTextFilesTheUserIsToldWhereTheReportIs() {
        QFETCH(int, answer);
        bpd::testing::TestServices fixture;
        fixture.shell->openResult = bpd::platform::ShellResult(answer);
        const QString program = fixture.path(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(program));
        TextReport report(nullptr, *fixture.shell, *fixture.store, *fixture.messages, program,
                          fixture.path(QStringLiteral("user")));
        ProjectData projectData;
        const auto outcome = report.NotePad_Click(oneThickness(), projectData, contactText());
        QVERIFY(outcome.written);
        QCOMPARE(fixture.messages->calls.size(), 1);
        QCOMPARE(fixture.messages->calls.at(0).kind, QStringLiteral("information"));
        QVERIFY(fixture.messages->calls.at(0).text.contains(outcome.path));
    }
};

QTEST_MAIN(TestTextReport)
#include "tst_textreport.moc"
