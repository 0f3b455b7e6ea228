// The schedule's model and undo stack without widgets: edits re-check their line only, the
// main window's rules refuse with its messages, each command undoes and redoes exactly, and
// a line shows what bpd-check --project --explain gives for the same file.

#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <map>
#include <sstream>

#include "DesignFileWriter.h"
#include "Form1.h"
#include "InputRules.h"
#include "ProjectRun.h"
#include "RowAdvice.h"
#include "ScheduleDocuments.h"
#include "ScheduleModel.h"

using bpd::schedule::ScheduleModel;
using bpd::testing::bearing;
using bpd::testing::threeBearings;

namespace {

QString text(const ScheduleModel& m, int row, int column) {
    return m.data(m.index(row, column)).toString();
}

// The shown results of every line, to see which ones an edit touched.
QStringList results(const ScheduleModel& m) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells;
        for (int c = ScheduleModel::Status; c < ScheduleModel::ColumnCount; ++c)
            cells << text(m, r, c);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

std::string fileText(const ScheduleModel& m) {
    return bpd::designfile::writeDesignText(m.document());
}

// The CSV fields of a line without quotes (bpd-check's C texts hold no comma).
QStringList fields(const std::string& line) {
    return QString::fromStdString(line).split(QLatin1Char(','));
}

}  // namespace

class TestScheduleModel : public QObject {
    Q_OBJECT

private slots:
    void headersCarryTheUnitsOfTheSchedule_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<QStringList>("inputs");
        QTest::newRow("imperial") << false
                                  << QStringList{"w1 (in.)", "b1 (in.)", "A (rad.)", "dh (in.)",
                                                 "Vap (kips)"};
        QTest::newRow("si") << true
                            << QStringList{"w1 (mm)", "b1 (mm)", "A (rad.)", "dh (mm)", "Vap (KN)"};
    }
    void headersCarryTheUnitsOfTheSchedule() {
        QFETCH(bool, si);
        QFETCH(QStringList, inputs);
        ScheduleModel model(QLocale::c());
        bpd::designfile::DesignDocument d;
        d.units = si ? bpd::UnitSystem::SI : bpd::UnitSystem::Imperial;
        model.setDocument(d);
        QStringList shown;
        for (int c = ScheduleModel::W1; c <= ScheduleModel::Vap; ++c)
            shown << model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(shown, inputs);
    }

    // An accepted edit: stored as the field would hold it, one undo step, one line checked.
    void editRechecksOnlyItsLine_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("status");
        QTest::newRow("Vap down, B2 passes") << 1 << int(ScheduleModel::Vap) << "20"
                                             << "20.0000"
                                             << "FAIL!";
        QTest::newRow("t thicker, B2 passes") << 1 << int(ScheduleModel::Thickness) << "3/8"
                                              << "3/8"
                                              << "Pass";
        QTest::newRow("Vap up, B1 fails everywhere") << 0 << int(ScheduleModel::Vap) << "400"
                                                     << "400.0000"
                                                     << "FAIL!";
        QTest::newRow("A zero allowed") << 2 << int(ScheduleModel::A) << "0"
                                        << ".0000"
                                        << "Pass";
        QTest::newRow("w1 rounded to the field's four decimals")
            << 0 << int(ScheduleModel::W1) << "9.00004"
            << "9.0000"
            << "Pass";
        QTest::newRow("decimal comma of the user's locale") << 0 << int(ScheduleModel::Dh) << "0,25"
                                                            << ",2500"
                                                            << "Pass";
        QTest::newRow("mark") << 2 << int(ScheduleModel::Mark) << "B3a"
                              << "B3a"
                              << "Pass";
        QTest::newRow("quantity") << 2 << int(ScheduleModel::Qty) << "4"
                                  << "4"
                                  << "Pass";
    }
    void editRechecksOnlyItsLine() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, status);
        const bool comma = QString(QTest::currentDataTag()).contains("comma");
        ScheduleModel model(comma ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        model.setDocument(threeBearings());
        const QStringList before = results(model);
        const long long checked = model.checkedLines();
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        QVERIFY(model.setData(model.index(row, column), typed));
        QCOMPARE(text(model, row, column), shown);
        QCOMPARE(text(model, row, ScheduleModel::Status), status);
        QCOMPARE(model.checkedLines(), checked + 1);
        QCOMPARE(model.undoStack().count(), 1);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex().row(), row);
        QCOMPARE(changed[0][1].toModelIndex().row(), row);
        const QStringList after = results(model);
        for (int r = 0; r < model.rowCount(); ++r)
            if (r != row) QCOMPARE(after[r], before[r]);
    }

    // Refused texts change nothing and give the main window's messages.
    void refusedTextsGiveTheWindowsMessages_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString numeric = QString::fromLatin1(bpd::mainwindow::Form1::kNumericMessage);
        const QString positive = QString::fromLatin1(bpd::mainwindow::Form1::kPositiveMessage);
        const QString zeroOr = QString::fromLatin1(bpd::mainwindow::Form1::kZeroOrPositiveMessage);
        QTest::newRow("w1 text") << int(ScheduleModel::W1) << "abc" << numeric;
        QTest::newRow("w1 empty") << int(ScheduleModel::W1) << "" << numeric;
        QTest::newRow("w1 zero") << int(ScheduleModel::W1) << "0" << positive;
        QTest::newRow("b1 rounds to zero") << int(ScheduleModel::B1) << "0.00004" << positive;
        QTest::newRow("dh negative") << int(ScheduleModel::Dh) << "-1" << positive;
        QTest::newRow("A negative") << int(ScheduleModel::A) << "-0.01" << zeroOr;
        QTest::newRow("Vap negative") << int(ScheduleModel::Vap) << "-5" << zeroOr;
        QTest::newRow("Vap grouped wrongly") << int(ScheduleModel::Vap) << "4,5" << numeric;
        QTest::newRow("quantity fraction")
            << int(ScheduleModel::Qty) << "1.5"
            << "Invalid input. Please enter a whole number of at least 1.";
        QTest::newRow("quantity zero")
            << int(ScheduleModel::Qty) << "0"
            << "Invalid input. Please enter a whole number of at least 1.";
        QTest::newRow("mark blank") << int(ScheduleModel::Mark) << "  "
                                    << "Invalid input. Please enter a mark.";
        QTest::newRow("t not in the catalogue")
            << int(ScheduleModel::Thickness) << "7/8"
            << "Invalid input. Please enter one of: All, 1/8, 1/4, 3/8, 1/2, 5/8, 3/4, 1.";
    }
    void refusedTextsGiveTheWindowsMessages() {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        ScheduleModel model(QLocale::c());
        model.setDocument(threeBearings());
        const std::string before = fileText(model);
        const QModelIndex cell = model.index(0, column);
        QCOMPARE(model.refusal(cell, typed).value_or(QStringLiteral("(accepted)")), message);
        QVERIFY(!model.setData(cell, typed));
        QCOMPARE(fileText(model), before);
        QCOMPARE(model.undoStack().count(), 0);
    }

    // The engine's messages are the main window's, character for character.
    void engineMessagesAreTheWindows() {
        using bpd::InputProblem;
        using bpd::mainwindow::Form1;
        QCOMPARE(QString::fromStdString(std::string(bpd::inputMessage(InputProblem::NotANumber))),
                 QString::fromLatin1(Form1::kNumericMessage));
        QCOMPARE(QString::fromStdString(std::string(bpd::inputMessage(InputProblem::Negative))),
                 QString::fromLatin1(Form1::kZeroOrPositiveMessage));
        QCOMPARE(QString::fromStdString(std::string(bpd::inputMessage(InputProblem::NotPositive))),
                 QString::fromLatin1(Form1::kPositiveMessage));
        QVERIFY(bpd::inputMessage(InputProblem::None).empty());
    }

    // Each command is one step; undo gives back the document and results before it, redo
    // those after it.
    void everyCommandUndoesAndRedoes_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<QString>("undoText");
        QTest::newRow("edit") << "edit" << 3 << "Edit Vap (kips) of B2";
        QTest::newRow("sliding") << "sliding" << 3 << "Edit Sliding of B1";
        QTest::newRow("add") << "add" << 4 << "Add Bearing";
        QTest::newRow("duplicate") << "duplicate" << 4 << "Duplicate";
        QTest::newRow("delete first and last") << "delete" << 1 << "Delete";
    }
    void everyCommandUndoesAndRedoes() {
        QFETCH(QString, command);
        QFETCH(int, rowsAfter);
        QFETCH(QString, undoText);
        ScheduleModel model(QLocale::c());
        model.setDocument(threeBearings());
        const std::string before = fileText(model);
        const QStringList resultsBefore = results(model);
        if (command == "edit") QVERIFY(model.setData(model.index(1, ScheduleModel::Vap), "20"));
        if (command == "sliding")
            QVERIFY(model.setData(model.index(0, ScheduleModel::Sliding), Qt::Checked,
                                  Qt::CheckStateRole));
        if (command == "add") QCOMPARE(model.addBearing(), 3);
        if (command == "duplicate") QVERIFY(model.duplicate(0));
        if (command == "delete") QVERIFY(model.removeBearings({2, 0, 2}));
        QCOMPARE(model.rowCount(), rowsAfter);
        QCOMPARE(model.undoStack().count(), 1);
        QCOMPARE(model.undoStack().undoText(), undoText);
        const std::string after = fileText(model);
        const QStringList resultsAfter = results(model);
        QVERIFY(after != before);

        model.undoStack().undo();
        QCOMPARE(fileText(model), before);
        QCOMPARE(results(model), resultsBefore);
        QVERIFY(model.undoStack().isClean());
        model.undoStack().redo();
        QCOMPARE(fileText(model), after);
        QCOMPARE(results(model), resultsAfter);
    }

    // A unit switch converts every bearing as the main window's switch converts its fields,
    // in one undo step; back again gives the inputs the fields would give.
    void unitSwitchIsOneStep() {
        ScheduleModel model(QLocale::c());
        bpd::designfile::DesignDocument d = threeBearings();
        d.bearings.push_back(bearing("B4", 9, 4, 0.01, 0.2, 30));
        d.bearings.back().values.dh.reset();  // a missing value stays missing
        model.setDocument(d);
        const std::string before = fileText(model);
        const QStringList statusBefore = [&] {
            QStringList out;
            for (int r = 0; r < model.rowCount(); ++r) out << text(model, r, ScheduleModel::Status);
            return out;
        }();
        QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
        QVERIFY(!model.switchUnits(bpd::UnitSystem::Imperial));
        QVERIFY(model.switchUnits(bpd::UnitSystem::SI));
        QCOMPARE(model.undoStack().count(), 1);
        QCOMPARE(model.undoStack().undoText(), QStringLiteral("Switch to SI"));
        QCOMPARE(headers.size(), 1);
        QCOMPARE(model.headerData(ScheduleModel::W1, Qt::Horizontal).toString(),
                 QStringLiteral("w1 (mm)"));
        const QStringList b1 = {text(model, 0, ScheduleModel::W1),
                                text(model, 0, ScheduleModel::B1), text(model, 0, ScheduleModel::A),
                                text(model, 0, ScheduleModel::Dh),
                                text(model, 0, ScheduleModel::Vap)};
        QCOMPARE(b1, (QStringList{"228.6000", "101.6000", ".0100", "5.0800", "133.4694"}));
        QCOMPARE(text(model, 1, ScheduleModel::Thickness), QStringLiteral("6.350"));
        QCOMPARE(text(model, 1, ScheduleModel::Vap), QStringLiteral("444.8980"));
        QCOMPARE(text(model, 3, ScheduleModel::Dh), QString());
        for (int r = 0; r < model.rowCount(); ++r)
            QCOMPARE(text(model, r, ScheduleModel::Status), statusBefore[r]);
        const std::string si = fileText(model);

        model.undoStack().undo();
        QCOMPARE(fileText(model), before);
        QCOMPARE(model.headerData(ScheduleModel::W1, Qt::Horizontal).toString(),
                 QStringLiteral("w1 (in.)"));
        model.undoStack().redo();
        QCOMPARE(fileText(model), si);
        QVERIFY(model.switchUnits(bpd::UnitSystem::Imperial));
        QCOMPARE(text(model, 0, ScheduleModel::W1), QStringLiteral("9.0000"));
        QCOMPARE(text(model, 0, ScheduleModel::Vap), QStringLiteral("30.0000"));
        QCOMPARE(text(model, 1, ScheduleModel::Thickness), QStringLiteral("1/4"));
    }

    // New lines take the next free mark; the first of an empty schedule is B1, without values.
    void addedAndDuplicatedMarks() {
        ScheduleModel model(QLocale::c());
        model.setDocument({});
        QCOMPARE(model.addBearing(), 0);
        QCOMPARE(text(model, 0, ScheduleModel::Mark), QStringLiteral("B1"));
        QCOMPARE(text(model, 0, ScheduleModel::Status), QStringLiteral("w1: missing"));
        QVERIFY(model.data(model.index(0, 0), ScheduleModel::FailingRole).toBool());
        model.setDocument(threeBearings());
        QVERIFY(model.duplicate(0));  // B2 is taken: B4
        QCOMPARE(text(model, 1, ScheduleModel::Mark), QStringLiteral("B4"));
        QCOMPARE(text(model, 1, ScheduleModel::Vap), text(model, 0, ScheduleModel::Vap));
        QCOMPARE(model.addBearing(), 4);
        QCOMPARE(text(model, 4, ScheduleModel::Mark), QStringLiteral("B5"));
        QVERIFY(model.setData(model.index(4, ScheduleModel::Mark), "Abut"));
        QVERIFY(model.duplicate(4));
        QCOMPARE(text(model, 5, ScheduleModel::Mark), QStringLiteral("Abut-2"));
    }

    // "All" passes when some thickness passes; one thickness gives its own verdict, and the
    // thinnest passing pad is the catalogue's either way. A failing line's hover is the
    // engine's advice for the row it speaks for.
    void allVersusOneThickness_data() {
        QTest::addColumn<QString>("thickness");
        QTest::addColumn<double>("Vap");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("thinnest");
        QTest::addColumn<QString>("governs");
        QTest::addColumn<QString>("utilisation");
        QTest::newRow("All, only 3/8 passes") << "All" << 100.0 << "Pass"
                                              << "3/8"
                                              << "compression"
                                              << "99.0";
        QTest::newRow("1/4 fails in shear") << "1/4" << 100.0 << "FAIL!"
                                            << "3/8"
                                            << "shear"
                                            << "106.7";
        QTest::newRow("1/2 fails in compression") << "1/2" << 100.0 << "FAIL!"
                                                  << "3/8"
                                                  << "compression"
                                                  << "104.1";
        QTest::newRow("3/8 passes") << "3/8" << 100.0 << "Pass"
                                    << "3/8"
                                    << "compression"
                                    << "99.0";
        QTest::newRow("All, the thinnest passing row speaks") << "All" << 30.0 << "Pass"
                                                              << "3/8"
                                                              << "shear"
                                                              << "71.1";
        QTest::newRow("All fail: the least utilised row speaks") << "All" << 300.0 << "FAIL!"
                                                                 << "none"
                                                                 << "compression"
                                                                 << "247.1";
    }
    void allVersusOneThickness() {
        QFETCH(QString, thickness);
        QFETCH(double, Vap);
        QFETCH(QString, status);
        QFETCH(QString, thinnest);
        QFETCH(QString, governs);
        QFETCH(QString, utilisation);
        ScheduleModel model(QLocale::c());
        bpd::designfile::DesignDocument d;
        d.bearings = {bearing("B1", 9, 4, 0.01, 0.2, Vap, thickness.toStdString())};
        model.setDocument(d);
        QCOMPARE(text(model, 0, ScheduleModel::Status), status);
        QCOMPARE(text(model, 0, ScheduleModel::Thinnest), thinnest);
        QCOMPARE(text(model, 0, ScheduleModel::Governs), governs);
        QCOMPARE(text(model, 0, ScheduleModel::Utilisation), utilisation);
        const bool fails = status != QLatin1String("Pass");
        QCOMPARE(model.data(model.index(0, 0), ScheduleModel::FailingRole).toBool(), fails);
        const QColor colour =
            model.data(model.index(0, ScheduleModel::Status), Qt::BackgroundRole).value<QColor>();
        QCOMPARE(colour, fails ? QColor(255, 0, 0) : QColor(0, 255, 0));
        const QString hover =
            model.data(model.index(0, ScheduleModel::Vap), Qt::ToolTipRole).toString();
        QCOMPARE(hover.isEmpty(), !fails);
        if (fails) QVERIFY2(hover.contains(QStringLiteral(" fails (")), qPrintable(hover));
    }

    // Every line shows what bpd-check --project --explain gives for the same file.
    void linesAgreeWithTheChecker() {
        bpd::designfile::DesignDocument d = threeBearings();
        d.bearings.push_back(bearing("B4", 9, 4, 0.01, 0.2, 100, "1/2"));
        d.bearings.push_back(bearing("B5", 9, 4, 0.01, 0.2, 300));
        d.bearings.push_back(bearing("B6", 12, 8, 0.02, 0.4, 150, "5/8", true));
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("bridge.bpd")).toStdString();
        std::ofstream(path) << bpd::designfile::writeDesignText(d);
        std::ostringstream out, err;
        bpd::cli::ProjectOptions options;
        options.explain = true;
        QCOMPARE(bpd::cli::runProject(path, out, err, options), 0);
        // mark -> its rows: Status, t, ..., Ucomp, Ushear, Governs
        std::map<QString, QList<QStringList>> rows;
        std::istringstream lines(out.str());
        std::string line;
        std::getline(lines, line);
        while (std::getline(lines, line)) {
            const QStringList f = fields(line);
            rows[f[0]].append(f.mid(1));
        }
        ScheduleModel model(QLocale::c());
        model.setDocument(d);
        QCOMPARE(int(rows.size()), model.rowCount());
        for (int r = 0; r < model.rowCount(); ++r) {
            const QString mark = text(model, r, ScheduleModel::Mark);
            const QList<QStringList>& checked = rows[mark];
            const bool all = text(model, r, ScheduleModel::Thickness) == QLatin1String("All");
            QCOMPARE(checked.size(), all ? 7 : 1);
            // The row the line speaks for: its one thickness, or the first passing one.
            const QStringList* speaks = all ? nullptr : &checked[0];
            for (const QStringList& row : checked)
                if (all && !speaks && row[0] == QLatin1String("Pass")) speaks = &row;
            if (!speaks) {  // nothing passes: the line fails and names no thinnest pad
                QCOMPARE(text(model, r, ScheduleModel::Status), QStringLiteral("FAIL!"));
                QCOMPARE(text(model, r, ScheduleModel::Thinnest), QStringLiteral("none"));
                continue;
            }
            if (all) QCOMPARE(text(model, r, ScheduleModel::Thinnest), (*speaks)[1]);
            QCOMPARE(text(model, r, ScheduleModel::Status), (*speaks)[0]);
            QCOMPARE(text(model, r, ScheduleModel::Governs), (*speaks)[15]);
            const int u = (*speaks)[15] == QLatin1String("compression") ? 13 : 14;
            QCOMPARE(text(model, r, ScheduleModel::Utilisation), (*speaks)[u]);
        }
    }
};

QTEST_GUILESS_MAIN(TestScheduleModel)
#include "tst_schedulemodel.moc"
