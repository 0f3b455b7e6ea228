// The schedule and the main window together, over a real main window: Enter or a double-click
// on a line types the bearing into the main window (switching its units first), a bearing
// that cannot be checked gets a message instead, and Take from Main Window writes the main
// window's inputs into the selected bearing or a new one as one undo step.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "Form1Commands.h"
#include "ScheduleDocuments.h"
#include "ScheduleModel.h"
#include "ScheduleWindow.h"
#include "tst_form1_support.h"

using bpd::UnitSystem;
using bpd::designfile::DesignBearing;
using bpd::designfile::DesignDocument;
using bpd::schedule::ScheduleModel;
using bpd::schedule::ScheduleWindow;
using bpd::testing::bearing;
using bpdtest::LoadedForm;

Q_DECLARE_METATYPE(UnitSystem)
Q_DECLARE_METATYPE(DesignBearing)

namespace {

// A main window and the schedule it opened with Design > Bearing Schedule, holding document.
struct Linked {
    LoadedForm f;
    ScheduleWindow* schedule = nullptr;

    explicit Linked(const DesignDocument& document) {
        f.ui().Bearing_Schedule->trigger();
        schedule = f.form->commands().scheduleWindow();
        if (!schedule) return;
        schedule->model().setDocument(document);
        if (!QTest::qWaitForWindowActive(schedule)) qWarning("the schedule did not become active");
    }
    ScheduleModel& model() const { return schedule->model(); }
    QTableView* table() const { return schedule->table(); }
    QModelIndex cell(int row, int column) const { return table()->model()->index(row, column); }
    void selectLine(int row) const {
        table()->selectRow(row);
        table()->setCurrentIndex(cell(row, ScheduleModel::Mark));
    }
    QStringList fields() const {
        const auto& ui = f.ui();
        return {ui.w1Text->text(), ui.b1Text->text(), ui.AText->text(), ui.dhText->text(),
                ui.VapText->text()};
    }
    QComboBox* selector() const {
        return f.ui().Imperial->isChecked() ? f.ui().tCombo : f.ui().tCombo_SI;
    }
    // The bearing at row as the model holds it.
    const DesignBearing& bearingAt(int row) const {
        return model().document().bearings[static_cast<std::size_t>(row)];
    }
};

DesignDocument documentOf(UnitSystem units, std::vector<DesignBearing> bearings) {
    DesignDocument d;
    d.units = units;
    d.bearings = std::move(bearings);
    return d;
}

QList<double> valuesOf(const DesignBearing& b) {
    QList<double> out;
    for (const auto& v : {b.values.w1, b.values.b1, b.values.A, b.values.dh, b.values.Vap})
        out << (v ? *v : -1.0);
    return out;
}

}  // namespace

class TestScheduleLink : public QObject {
    Q_OBJECT

private slots:
    // The bearing's five texts, Sliding and thickness arrive as if typed: the grid shows its
    // seven rows for "All", one for a thickness, and the main window takes the schedule's
    // units first when they differ.
    void bearingGoesToTheMainWindow_data() {
        QTest::addColumn<UnitSystem>("scheduleUnits");
        QTest::addColumn<DesignBearing>("sent");
        QTest::addColumn<bool>("mainStartsInSi");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("gridRows");

        const QStringList b1Fields{"9.0000", "4.0000", ".0100", ".2000", "30.0000"};
        QTest::newRow("imperial, All, Enter")
            << UnitSystem::Imperial << bearing("B1", 9, 4, 0.01, 0.2, 30) << false << false
            << b1Fields << 0 << 8;
        QTest::newRow("imperial, All, double-click")
            << UnitSystem::Imperial << bearing("B1", 9, 4, 0.01, 0.2, 30) << false << true
            << b1Fields << 0 << 8;
        QTest::newRow("imperial, sliding, 3/4, Enter")
            << UnitSystem::Imperial << bearing("B3", 9, 14, 0.005, 0.5, 60, "3/4", true) << false
            << false << QStringList{"9.0000", "14.0000", ".0050", ".5000", "60.0000"} << 6 << 2;
        QTest::newRow("si schedule, main window in Imperial")
            << UnitSystem::SI << bearing("S1", 250, 100, 0.01, 5, 150, "9.525", true) << false
            << true << QStringList{"250.0000", "100.0000", ".0100", "5.0000", "150.0000"} << 3 << 2;
        QTest::newRow("imperial schedule, main window in SI")
            << UnitSystem::Imperial << bearing("B1", 9, 4, 0.01, 0.2, 30) << true << false
            << b1Fields << 0 << 8;
    }
    void bearingGoesToTheMainWindow() {
        QFETCH(UnitSystem, scheduleUnits);
        QFETCH(DesignBearing, sent);
        QFETCH(bool, mainStartsInSi);
        QFETCH(bool, doubleClick);
        QFETCH(QStringList, fields);
        QFETCH(int, position);
        QFETCH(int, gridRows);

        DesignBearing other = bearing("X1", 7, 3, 0.02, 0.1, 10, "1/8");
        Linked l(documentOf(scheduleUnits, {other, sent}));
        QVERIFY(l.schedule);
        if (mainStartsInSi) l.f.form->SI_Click();
        const int runsBefore = l.f.form->analysisRuns();

        l.selectLine(1);
        const QModelIndex target = l.cell(1, ScheduleModel::W1);
        if (doubleClick) {
            const QPoint at =
                l.table()->viewport()->mapTo(l.schedule, l.table()->visualRect(target).center());
            QTest::mouseDClick(l.schedule->windowHandle(), Qt::LeftButton, {}, at);
        } else {
            QVERIFY(bpdtest::focusOn(l.table()));
            QTest::keyClick(l.table(), Qt::Key_Return);
        }

        QVERIFY2(l.f.messages->calls.isEmpty(), qPrintable(l.f.messages->texts().join('|')));
        QCOMPARE(l.f.form->unitSystem(), scheduleUnits);
        QCOMPARE(l.f.ui().SI->isChecked(), scheduleUnits == UnitSystem::SI);
        QCOMPARE(l.fields(), fields);
        QCOMPARE(l.f.ui().CheckSliding->isChecked(), sent.sliding);
        QCOMPARE(l.selector()->currentIndex(), position);
        QVERIFY(l.selector()->isVisible());
        QCOMPARE(l.f.grid().Rows(), gridRows);
        QVERIFY(l.f.form->analysisRuns() > runsBefore);
        if (gridRows == 2)  // one thickness: the grid's verdict is the schedule's
            QCOMPARE(l.f.grid().TextMatrix(1, 0),
                     l.model().data(l.model().index(1, ScheduleModel::Status)).toString());
        QTRY_VERIFY(l.f.form->isActiveWindow());
        // Neither way opened an editor in the schedule, even after a click's edit delay.
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QVERIFY(!l.table()->findChild<QLineEdit*>());
        QCOMPARE(l.model().undoStack().count(), 0);
    }

    // A bearing whose values cannot be checked is not typed: the message names its problem
    // and the main window keeps its inputs.
    void bearingThatCannotBeCheckedGetsAMessage_data() {
        QTest::addColumn<DesignBearing>("sent");
        QTest::addColumn<QString>("message");
        DesignBearing missing = bearing("B1", 9, 4, 0.01, 0.2, 30);
        missing.values.w1.reset();
        QTest::newRow("w1 missing") << missing
                                    << "The main window cannot take bearing 1 (B1): w1: missing.\n"
                                       "Correct the bearing first.";
        QTest::newRow("dh zero") << bearing("B1", 9, 4, 0.01, 0, 30)
                                 << "The main window cannot take bearing 1 (B1): dh: must be "
                                    "positive.\nCorrect the bearing first.";
        QTest::newRow("Vap negative") << bearing("B1", 9, 4, 0.01, 0.2, -1)
                                      << "The main window cannot take bearing 1 (B1): Vap: must "
                                         "be 0 or positive.\nCorrect the bearing first.";
    }
    void bearingThatCannotBeCheckedGetsAMessage() {
        QFETCH(DesignBearing, sent);
        QFETCH(QString, message);
        Linked l(documentOf(UnitSystem::Imperial, {sent}));
        QVERIFY(l.schedule);
        const QStringList before = l.fields();
        const int runsBefore = l.f.form->analysisRuns();
        l.selectLine(0);
        QVERIFY(bpdtest::focusOn(l.table()));
        QTest::keyClick(l.table(), Qt::Key_Return);
        QCOMPARE(l.f.messages->texts(), QStringList{message});
        QCOMPARE(l.fields(), before);
        QCOMPARE(l.f.form->analysisRuns(), runsBefore);
    }

    // The main window's own unit switch may refuse (a field holds no number): then nothing
    // is typed, and the window's message says why.
    void refusedUnitSwitchTypesNothing() {
        Linked l(documentOf(UnitSystem::SI, {bearing("S1", 250, 100, 0.01, 5, 150)}));
        QVERIFY(l.schedule);
        l.f.ui().dhText->setText(QStringLiteral("abc"));
        QStringList before = l.fields();
        l.selectLine(0);
        QVERIFY(bpdtest::focusOn(l.table()));
        QTest::keyClick(l.table(), Qt::Key_Return);
        QCOMPARE(l.f.messages->texts(),
                 QStringList{QStringLiteral("Invalid input. Please enter numeric data.")});
        QCOMPARE(l.f.form->unitSystem(), UnitSystem::Imperial);
        QCOMPARE(l.fields(), before);
    }

    // Typing, F2 and a click on the selected cell edit in place; Enter does not.
    void editTriggersLeaveEnterToTheMainWindow_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("edits");
        QTest::newRow("typing") << "typing" << true;
        QTest::newRow("F2") << "F2" << true;
        QTest::newRow("click on the selected cell") << "click" << true;
        QTest::newRow("Enter") << "Enter" << false;
    }
    void editTriggersLeaveEnterToTheMainWindow() {
        QFETCH(QString, action);
        QFETCH(bool, edits);
        Linked l(documentOf(UnitSystem::Imperial, {bearing("B1", 9, 4, 0.01, 0.2, 30)}));
        QVERIFY(l.schedule);
        const QModelIndex cell = l.cell(0, ScheduleModel::Vap);
        l.table()->selectRow(0);
        l.table()->setCurrentIndex(cell);
        QVERIFY(bpdtest::focusOn(l.table()));
        const QString vapBefore = l.f.ui().VapText->text();
        if (action == QLatin1String("typing"))
            QTest::keyClick(l.table(), Qt::Key_4);
        else if (action == QLatin1String("F2"))
            QTest::keyClick(l.table(), Qt::Key_F2);
        else if (action == QLatin1String("Enter"))
            QTest::keyClick(l.table(), Qt::Key_Enter);
        else
            QTest::mouseClick(l.table()->viewport(), Qt::LeftButton, {},
                              l.table()->visualRect(cell).center());
        if (edits) {
            QTRY_VERIFY(l.table()->findChild<QLineEdit*>());
            QCOMPARE(l.f.ui().VapText->text(), vapBefore);  // not sent
        } else {
            QCOMPARE(l.f.ui().VapText->text(), QStringLiteral("30.0000"));
            QTest::qWait(QApplication::doubleClickInterval() + 100);
            QVERIFY(!l.table()->findChild<QLineEdit*>());
        }
    }

    // Take from Main Window: the fields as they stand, Sliding and the thickness into the
    // selected bearing (its mark, location and quantity kept) or a new one, as one undo
    // step, converted as a unit switch converts when the units differ.
    void takeFromMainWindow_data() {
        QTest::addColumn<UnitSystem>("scheduleUnits");
        QTest::addColumn<bool>("mainInSi");
        QTest::addColumn<QStringList>("typed");  // w1, b1, A, dh, Vap in the main window
        QTest::addColumn<int>("selected");       // -1: none
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QString>("thickness");
        QTest::addColumn<QString>("mark");

        const QStringList imperial{"12", "5", ".02", ".3", "40"};
        const QList<double> imperialValues{12, 5, 0.02, 0.3, 40};
        QTest::newRow("selected bearing")
            << UnitSystem::Imperial << false << imperial << 1 << imperialValues << "3/8"
            << "B2";
        QTest::newRow("none selected: a new bearing")
            << UnitSystem::Imperial << false << imperial << -1 << imperialValues << "3/8"
            << "B4";
        // 300 mm = 11.8110237 in. to 4 decimals; dh keeps 6; 200 KN = 44.954128 kips.
        QTest::newRow("main window in SI, schedule in Imperial")
            << UnitSystem::Imperial << true << QStringList{"300", "100", ".02", "5", "200"} << 0
            << QList<double>{11.811, 3.937, 0.02, 0.19685, 44.9541} << "3/8"
            << "B1";
        // 9 in. = 228.59999849 mm; 30 kips = 133.4693877 KN.
        QTest::newRow("main window in Imperial, schedule in SI")
            << UnitSystem::SI << false << QStringList{"9", "4", ".01", ".2", "30"} << -1
            << QList<double>{228.6, 101.6, 0.01, 5.08, 133.4694} << "9.525"
            << "B4";
    }
    void takeFromMainWindow() {
        QFETCH(UnitSystem, scheduleUnits);
        QFETCH(bool, mainInSi);
        QFETCH(QStringList, typed);
        QFETCH(int, selected);
        QFETCH(QList<double>, values);
        QFETCH(QString, thickness);
        QFETCH(QString, mark);

        DesignDocument document = bpd::testing::threeBearings();
        if (scheduleUnits == UnitSystem::SI) {
            document.units = UnitSystem::SI;
            for (DesignBearing& b : document.bearings) b.thickness = "All";
        }
        Linked l(document);
        QVERIFY(l.schedule);
        if (mainInSi) l.f.form->SI_Click();
        const auto& ui = l.f.ui();
        QLineEdit* fields[] = {ui.w1Text, ui.b1Text, ui.AText, ui.dhText, ui.VapText};
        for (int i = 0; i < 5; ++i) fields[i]->setText(typed[i]);  // as they stand
        ui.CheckSliding->setChecked(true);
        l.selector()->setCurrentIndex(3);
        if (selected >= 0) l.selectLine(selected);
        const DesignDocument before = l.model().document();

        QAction* take = l.schedule->findChild<QAction*>(QStringLiteral("actionTakeFromMainWindow"));
        QVERIFY(take);
        QVERIFY(take->isEnabled());
        take->trigger();

        QVERIFY2(l.f.messages->calls.isEmpty(), qPrintable(l.f.messages->texts().join('|')));
        const int row = selected >= 0 ? selected : 3;
        QCOMPARE(l.model().rowCount(), selected >= 0 ? 3 : 4);
        const DesignBearing& written = l.bearingAt(row);
        const QList<double> got = valuesOf(written);
        for (int i = 0; i < 5; ++i)
            QVERIFY2(qAbs(got[i] - values[i]) < 1e-9,
                     qPrintable(QStringLiteral("input %1: %2").arg(i).arg(got[i], 0, 'g', 12)));
        QVERIFY(written.sliding);
        QCOMPARE(QString::fromStdString(written.thickness), thickness);
        QCOMPARE(QString::fromStdString(written.mark.value_or("")), mark);
        if (selected >= 0) {  // the bearing's own members stay
            QCOMPARE(written.location, before.bearings[std::size_t(selected)].location);
            QCOMPARE(written.quantity, before.bearings[std::size_t(selected)].quantity);
        }
        QCOMPARE(l.model().data(l.model().index(row, ScheduleModel::Status)).toString().isEmpty(),
                 false);
        QCOMPARE(l.model().undoStack().count(), 1);
        QCOMPARE(l.model().document().units, scheduleUnits);

        l.model().undoStack().undo();
        QCOMPARE(l.model().rowCount(), 3);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(valuesOf(l.bearingAt(r)), valuesOf(before.bearings[std::size_t(r)]));
        QCOMPARE(l.bearingAt(std::max(selected, 0)).thickness,
                 before.bearings[std::size_t(std::max(selected, 0))].thickness);
    }

    // A field the main window's rules refuse stops the take, with the field's message.
    void takeRefusesWhatTheMainWindowRefuses_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("w1 not a number")
            << "w1Text"
            << "abc"
            << "w1 in the main window: Invalid input. Please enter numeric data.";
        QTest::newRow("b1 zero") << "b1Text"
                                 << "0"
                                 << "b1 in the main window: Invalid input. Please enter positive "
                                    "value.";
        QTest::newRow("Vap negative")
            << "VapText"
            << "-3"
            << "Vap in the main window: Invalid input. Please enter 0 or positive value.";
        QTest::newRow("dh empty") << "dhText"
                                  << ""
                                  << "dh in the main window: Invalid input. Please enter numeric "
                                     "data.";
    }
    void takeRefusesWhatTheMainWindowRefuses() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Linked l(bpd::testing::threeBearings());
        QVERIFY(l.schedule);
        l.f.form->findChild<QLineEdit*>(field)->setText(text);
        l.selectLine(0);
        const DesignDocument before = l.model().document();
        l.schedule->findChild<QAction*>(QStringLiteral("actionTakeFromMainWindow"))->trigger();
        QCOMPARE(l.f.messages->texts(), QStringList{message});
        QCOMPARE(l.model().undoStack().count(), 0);
        QCOMPARE(valuesOf(l.bearingAt(0)), valuesOf(before.bearings[0]));
    }
};

QTEST_MAIN(TestScheduleLink)
#include "tst_schedulelink.moc"
