// The main window's make-up and lifecycle: controls where the layout puts them, opening
// state, menus and shortcuts, tab order, stacking, load, minimum size and unload.

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "Form1Commands.h"
#include "Form1Layout.h"
#include "Twips.h"
#include "tst_form1_support.h"

using bpd::mainwindow::Form1;
using bpd::mainwindow::Form1Layout;
using bpdtest::LoadedForm;

class TestForm1Layout : public QObject {
    Q_OBJECT

private slots:
    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        auto row = [](const char* name, int index, const char* container, QRect twips) {
            QTest::newRow(
                index < 0
                    ? name
                    : qPrintable(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index)))
                << QString::fromLatin1(name) << index << QString::fromLatin1(container) << twips;
        };
        row("Frame1", -1, "Form1Client", QRect(120, 120, 3255, 2175));
        row("Label1", -1, "Frame1", QRect(120, 600, 1575, 375));
        row("w1Text", -1, "Frame1", QRect(1800, 600, 975, 375));
        row("UnitLength", 1, "Frame1", QRect(2880, 600, 255, 255));
        row("b1Text", -1, "Frame1", QRect(1800, 1080, 975, 375));
        row("UnitLength", 2, "Frame1", QRect(2880, 1080, 255, 255));
        row("tCombo_SI", -1, "Frame1", QRect(1800, 1560, 975, 315));
        row("UnitLength", 3, "Frame1", QRect(2880, 1560, 255, 255));
        row("CheckSliding", -1, "Form1Client", QRect(240, 360, 1215, 375));
        row("tCombo", -1, "Form1Client", QRect(1920, 1680, 975, 315));
        row("Frame2", -1, "Form1Client", QRect(3480, 120, 3855, 2175));
        row("AText", -1, "Frame2", QRect(2160, 360, 975, 375));
        row("UnitAngle", -1, "Frame2", QRect(3240, 360, 495, 255));
        row("Label5", -1, "Frame2", QRect(120, 840, 1935, 495));
        row("dhText", -1, "Frame2", QRect(2160, 960, 975, 375));
        row("UnitLength", 0, "Frame2", QRect(3240, 960, 255, 255));
        row("VapText", -1, "Frame2", QRect(2160, 1560, 975, 375));
        row("UnitsForce", -1, "Frame2", QRect(3240, 1560, 495, 255));
        row("Picture1", -1, "Form1Client", QRect(7440, 240, 5175, 2055));
        row("MSFlexGrid1", -1, "Form1Client", QRect(120, 2520, 12615, 2055));
        row("AnalyzeBtn", -1, "Form1Client", QRect(5040, 4800, 975, 495));
        row("PrintBtn", -1, "Form1Client", QRect(6480, 4800, 1095, 495));
        row("Picture2", -1, "Form1Client", QRect(120, 2520, 12495, 2175));
        row("Label7", -1, "Form1Client", QRect(2520, 5040, 7935, 375));
        row("HiddenPict", -1, "Form1Client", QRect(11160, 4920, 1215, 495));
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        LoadedForm f(false);
        QWidget* found = nullptr;
        for (QWidget* w : f.form->findChildren<QWidget*>(name))
            if (index < 0 || w->property("index").toInt() == index) found = w;
        QVERIFY(found);
        QCOMPARE(found->parentWidget()->objectName(), container);
        const QRect expected =
            bpd::platform::twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
        if (!name.startsWith(QLatin1String("Unit"))) {
            QCOMPARE(found->geometry(), expected);
            return;
        }
        // Unit captions keep place and height and may widen so the substitute font never
        // cuts a caption of either unit system.
        QCOMPARE(found->pos(), expected.topLeft());
        QCOMPARE(found->height(), expected.height());
        QVERIFY(found->width() >= expected.width());
        QVERIFY(found->geometry().right() < found->parentWidget()->width());
        auto* label = qobject_cast<QLabel*>(found);
        for (const char* caption : {"in.", "mm", "rad.", "kips", "KN"})
            QVERIFY2(
                label->fontMetrics().horizontalAdvance(QLatin1String(caption)) <= label->width(),
                caption);
    }

    void bothSelectorsCoverTheSameRectangle() {
        LoadedForm f(false);
        QWidget* client = f.form->centralWidget();
        const QRect a(f.ui().tCombo->mapTo(client, QPoint()), f.ui().tCombo->size());
        const QRect b(f.ui().tCombo_SI->mapTo(client, QPoint()), f.ui().tCombo_SI->size());
        QCOMPARE(a, b);
        QCOMPARE(a, QRect(128, 112, 65, 21));
    }

    void openingStateBeforeLoad() {
        LoadedForm f(false);
        const auto& ui = f.ui();
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Pelgro Bearing Pad Design"));
        QCOMPARE(ui.w1Text->text(), QStringLiteral("4.00"));
        QCOMPARE(ui.b1Text->text(), QStringLiteral("4.00"));
        QCOMPARE(ui.AText->text(), QStringLiteral(".01"));
        QCOMPARE(ui.dhText->text(), QStringLiteral("0.0711"));
        QCOMPARE(ui.VapText->text(), QStringLiteral("7.13"));
        for (QLabel* unit : ui.UnitLength) QCOMPARE(unit->text(), QStringLiteral("in."));
        QCOMPARE(ui.UnitAngle->text(), QStringLiteral("rad"));
        QCOMPARE(ui.UnitsForce->text(), QStringLiteral("kips"));
        QCOMPARE(ui.w1Text->toolTip(), QStringLiteral("Enter bearing length in inches."));
        QCOMPARE(ui.b1Text->toolTip(), QStringLiteral("Enter bearing width in inches."));
        QCOMPARE(ui.tCombo->toolTip(), QStringLiteral("Select the pad thickness in inches."));
        QCOMPARE(ui.tCombo_SI->toolTip(), QStringLiteral("Select the pad thickness in inches."));
        QCOMPARE(ui.AText->toolTip(), QStringLiteral("Enter angle of rotation in radians."));
        QCOMPARE(ui.dhText->toolTip(), QStringLiteral("Enter horizontal deformation in inches."));
        QCOMPARE(ui.VapText->toolTip(), QStringLiteral("Enter applied load in kips."));
        QCOMPARE(ui.Picture1->toolTip(), QStringLiteral("Bearing pad preview"));
        QCOMPARE(ui.AnalyzeBtn->toolTip(), QStringLiteral("Analyze the pad for the given input."));
        QCOMPARE(f.grid().ToolTipText(), QStringLiteral("Summary of the design parameters"));
        QVERIFY(ui.Imperial->isChecked());
        QVERIFY(!ui.SI->isChecked());
        QVERIFY(!ui.CheckSliding->isChecked());
        QVERIFY(!ui.tCombo->isHidden());
        QVERIFY(!ui.tCombo_SI->isHidden());  // both are created visible
        QVERIFY(ui.Picture2->isHidden());
        QVERIFY(ui.Label7->isHidden());
        QVERIFY(ui.HiddenPict->isHidden());
        QCOMPARE(f.grid().Rows(), 2);
        QCOMPARE(f.grid().Cols(), 13);
        QVERIFY(!f.form->bFormLoaded());
        QCOMPARE(f.form->analysisRuns(), 0);
    }

    void fontsAndColoursOfTheLayout() {
        LoadedForm f(false);
        const auto& ui = f.ui();
        QCOMPARE(QFontInfo(ui.w1Text->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(ui.Label1->font().weight(), QFont::Bold);
        QCOMPARE(ui.Frame2->font().weight(), QFont::Bold);
        QCOMPARE(ui.CheckSliding->font().weight(), QFont::Bold);
        QCOMPARE(ui.AnalyzeBtn->font().weight(), QFont::Bold);
        QCOMPARE(ui.w1Text->font().weight(), QFont::Normal);
        QCOMPARE(ui.UnitsForce->font().weight(), QFont::Normal);
        const QColor face(212, 208, 200);
        QCOMPARE(ui.Label1->palette().color(QPalette::Window), face);
        QCOMPARE(ui.Frame1->palette().color(QPalette::Window), face);
        QCOMPARE(ui.CheckSliding->palette().color(QPalette::Window), face);
        for (QWidget* input :
             {static_cast<QWidget*>(ui.w1Text), static_cast<QWidget*>(ui.VapText),
              static_cast<QWidget*>(ui.tCombo), static_cast<QWidget*>(ui.tCombo_SI)})
            QCOMPARE(input->palette().color(QPalette::Base), QColor(192, 192, 255));
        QCOMPARE(f.grid().cellBackColorAt(0, 3), QColor(255, 192, 128));
        QCOMPARE(f.grid().cellBackColorAt(1, 3), QColor(255, 255, 225));
        QCOMPARE(f.grid().colours().outside, QColor(224, 224, 224));
        QCOMPARE(f.grid().colours().gridLines, QColor(192, 192, 192));
    }

    // The colours as the screen shows them: a field is one flat colour down a text-free column,
    // the open list keeps the field's colour, the body's grid lines are their own grey.
    void inputsAndGridLinesAreDrawnInTheirColours_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QColor>("colour");
        const QColor input(192, 192, 255);
        QTest::newRow("text box") << "w1Text" << input;
        QTest::newRow("closed selector") << "tCombo" << input;
        QTest::newRow("closed SI selector") << "tCombo_SI" << input;
        QTest::newRow("open selector's list") << "tCombo list" << input;
        QTest::newRow("body grid lines") << "grid lines" << QColor(192, 192, 192);
    }
    void inputsAndGridLinesAreDrawnInTheirColours() {
        QFETCH(QString, part);
        QFETCH(QColor, colour);
        LoadedForm f;
        const auto& ui = f.ui();
        QList<QColor> seen;
        if (part == QLatin1String("tCombo list")) {
            ui.tCombo->showPopup();
            QWidget* list = ui.tCombo->view()->viewport();
            QTRY_VERIFY(list->isVisible());
            const QImage shot = list->grab().toImage();
            const QRect lastRow =
                ui.tCombo->view()->visualRect(ui.tCombo->model()->index(ui.tCombo->count() - 1, 0));
            for (int x = lastRow.right() - 8; x < lastRow.right() - 2; ++x)
                seen << shot.pixelColor(x, lastRow.center().y());
            ui.tCombo->hidePopup();
        } else if (part == QLatin1String("grid lines")) {
            const QTableWidget& grid = bpdtest::gridTable(f.grid());
            const QImage shot = grid.viewport()->grab().toImage();
            const int y = grid.rowViewportPosition(1) + grid.rowHeight(1) / 2;  // body row 2
            for (int c = 0; c < 4; ++c)
                seen << shot.pixelColor(grid.columnViewportPosition(c) + grid.columnWidth(c) - 1,
                                        y);
            seen << shot.pixelColor(grid.columnViewportPosition(2) + 4,
                                    grid.rowViewportPosition(1) + grid.rowHeight(1) - 1);
        } else {
            QWidget* field = f.form->findChild<QWidget*>(part);
            QVERIFY(field);
            const QImage shot = field->grab().toImage();
            const int x = shot.width() * 11 / 20;  // right of the short opening texts
            for (int y = 4; y < shot.height() - 4; ++y) seen << shot.pixelColor(x, y);
        }
        for (const QColor& c : seen) QCOMPARE(c, colour);
    }

    void menusInOrderWithShortcuts() {
        LoadedForm f(false);
        QStringList seen;
        for (QAction* top : f.form->menuBar()->actions()) {
            seen << top->text() + QLatin1Char(':');
            for (QAction* item : top->menu()->actions())
                seen << item->objectName() + QLatin1Char('|') + item->text() + QLatin1Char('|') +
                            item->shortcut().toString();
        }
        const QStringList want = {"Settings:",
                                  "General|General|Ctrl+G",
                                  "Units:",
                                  "Imperial|Imperial|Ctrl+M",
                                  "SI|SI|Ctrl+I",
                                  "Export:",
                                  "Excel|Excel|Ctrl+E",
                                  "NotePad|NotePad|Ctrl+N",
                                  "Conditions:",
                                  "Loading|Loading|Ctrl+L",
                                  "Rotation|Rotation|Ctrl+R",
                                  "NonUniform_Bearing|NonUniform Bearing|Ctrl+U",
                                  "Design:",
                                  "Bearing_Schedule|Bearing Schedule|Ctrl+B",
                                  "Smallest_Passing_Pad|Smallest Passing Pad|Ctrl+F",
                                  "Calculation_Sheet|Calculation Sheet|Ctrl+K",
                                  "Help:",
                                  "Help_Topics|Pelgro Bearing Pad Design Program Help|Ctrl+H",
                                  "Pelgro_Ravelon_Design_Guide|Pelgro Ravelon Design Guide|Ctrl+D",
                                  "About_Pelgro_BPD|About Pelgro-BPD|Ctrl+A"};
        QCOMPARE(seen, want);
    }

    void stackingFrontToBack() {
        LoadedForm f(false);
        const QObjectList children = f.form->centralWidget()->children();
        const QStringList frontToBack = {"HiddenPict", "PrintBtn",   "tCombo",      "CheckSliding",
                                         "Picture1",   "AnalyzeBtn", "MSFlexGrid1", "Frame2",
                                         "Frame1",     "Picture2",   "Label7"};
        int previous = INT_MAX;
        for (const QString& name : frontToBack) {
            int at = -1;
            for (int i = 0; i < children.size(); ++i)
                if (children[i]->objectName() == name) at = i;
            QVERIFY2(at >= 0 && at < previous, qPrintable(name));  // later child paints on top
            previous = at;
        }
    }

    void loadFillsSelectorsChecksOnceAndFocusesTheGrid() {
        LoadedForm f;
        const auto& ui = f.ui();
        QVERIFY(f.form->bFormLoaded());
        QCOMPARE(f.form->sUnitSystem(), QStringLiteral("Imperial"));
        QCOMPARE(f.form->analysisRuns(), 1);  // the selections of the load ran no check
        QCOMPARE(ui.tCombo->count(), 8);
        QCOMPARE(ui.tCombo->itemText(7), QStringLiteral("1"));
        QCOMPARE(ui.tCombo_SI->itemText(4), QStringLiteral("12.700"));
        QCOMPARE(ui.tCombo->currentText(), QStringLiteral("All"));
        QVERIFY(ui.tCombo->isVisible());
        QVERIFY(!ui.tCombo_SI->isVisible());
        QCOMPARE(bpd::mainwindow::colThickness(),
                 (std::vector<double>{0.125, 0.25, 0.375, 0.5, 0.625, 0.75, 1}));
        QCOMPARE(f.form->previewKey(), QStringLiteral("W1"));
        QVERIFY(!ui.Picture1->pixmap().isNull());
        QTRY_VERIFY(f.grid().hasFocus());
        QCOMPARE(f.grid().Rows(), 8);
        QCOMPARE(bpdtest::gridRow(f.grid(), 0),
                 QStringList({"Status", "t(in.)", "SF", "Vnr(kips)", "Snr(psi)", "R", "Var(kips)",
                              "W2(in.)", "Es(%)", "Sap(psi)", "N(lbs)", "Ss(psi)", "G(psi)"}));
        QCOMPARE(bpdtest::gridRow(f.grid(), 1),
                 QStringList({"Pass", "1/8", "8.00", "83.24", "5202.56", ".714", "59.46", "4.00",
                              "56.88", "445.63", "645.28", "40.33", "70.90"}));
        QCOMPARE(bpdtest::gridRow(f.grid(), 7),
                 QStringList({"Pass", "1", "1.00", "31.83", "1989.21", ".973", "30.98", "4.00",
                              "7.11", "445.63", "228.14", "14.26", "200.55"}));
        QVERIFY(f.messages->calls.isEmpty());
    }

    void tabCycleFollowsTheTabIndexAndSkipsTheHiddenSelector() {
        LoadedForm f;
        QTRY_VERIFY(f.grid().hasFocus());
        QStringList cycle;
        for (int i = 0; i < 12; ++i) {
            QWidget* focus = QApplication::focusWidget();
            // The control that has the focus (the grid's own table stands for the grid).
            QWidget* control = focus;
            while (control && control->objectName().isEmpty()) control = control->parentWidget();
            cycle << (control ? control->objectName() : QString());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(cycle, QStringList({"MSFlexGrid1", "Picture1", "CheckSliding", "w1Text", "b1Text",
                                     "tCombo", "AText", "dhText", "VapText", "AnalyzeBtn",
                                     "PrintBtn", "MSFlexGrid1"}));
        QVERIFY(f.messages->calls.isEmpty());
    }

    void contactBlockForms() {
        LoadedForm f;
        const QString text = f.form->sContactText();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 7);  // six lines and the empty rest after the last CR LF
        for (int i = 0; i < 6; ++i) {
            QVERIFY(lines[i].startsWith(QString(48, QLatin1Char(' '))));
            QVERIFY(lines[i].at(48) != QLatin1Char(' '));
        }
        QVERIFY(lines[0].mid(48).startsWith(QStringLiteral("Pelgro INC.")));
        QVERIFY(lines[3].mid(48).startsWith(QStringLiteral("Fax: ")));
        const QStringList col = f.form->colContactLines();
        QCOMPARE(col.size(), 6);
        QVERIFY(col[2].startsWith(QStringLiteral("Phone: ")));
        QVERIFY(col[3].startsWith(QStringLiteral("Fax:")) && col[3].at(4) != QLatin1Char(' '));
        QVERIFY(col[4].startsWith(QStringLiteral("E-Mail: ")) &&
                col[4].endsWith(QStringLiteral(".example")));
        QVERIFY(col[5].startsWith(QStringLiteral("Website: ")));
        const QString line = f.ui().Label7->text();
        QVERIFY(!line.contains(QLatin1Char('\n')));
        QVERIFY(line.contains(QStringLiteral(" Fax: ")) && line.contains(QStringLiteral("555-01")));
    }

    void windowKeepsItsOpeningSizeAsMinimum() {
        LoadedForm f;
        const QSize opening = f.form->size();
        QCOMPARE(f.form->centralWidget()->size(), QSize(848, 374));
        QCOMPARE(f.form->dInitialWidth(), double(opening.width()));
        f.form->resize(500, 200);
        QTest::qWait(20);
        QCOMPARE(f.form->size(), opening);
        const QRect gridBefore = f.grid().geometry();
        f.form->resize(opening + QSize(200, 100));
        QTRY_COMPARE(f.form->size(), opening + QSize(200, 100));
        QCOMPARE(f.grid().geometry(), gridBefore);
        QCOMPARE(f.ui().AnalyzeBtn->geometry(), bpd::platform::twipsRect(5040, 4800, 975, 495));
    }

    void shortcutsWorkFromATextField() {
        LoadedForm f;
        const auto& ui = f.ui();
        int about = 0, guide = 0;
        connect(ui.About_Pelgro_BPD, &QAction::triggered, this, [&about] { ++about; });
        connect(ui.Pelgro_Ravelon_Design_Guide, &QAction::triggered, this, [&guide] { ++guide; });
        QVERIFY(bpdtest::focusOn(ui.w1Text));
        QTest::keyClick(ui.w1Text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(ui.w1Text, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(about, 1);
        QCOMPARE(guide, 1);
        QCOMPARE(ui.w1Text->text(), QStringLiteral("4.00"));  // no editing key took them
        // The shortcut of the checked unit system changes no units and re-runs the check.
        const int runs = f.form->analysisRuns();
        QTest::keyClick(ui.w1Text, Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(f.form->analysisRuns(), runs + 1);
        QVERIFY(ui.Imperial->isChecked());
        QVERIFY(!ui.SI->isChecked());
        QCOMPARE(ui.UnitAngle->text(), QStringLiteral("rad"));
        QCOMPARE(ui.w1Text->text(), QStringLiteral("4.00"));
        QVERIFY(f.messages->calls.isEmpty());
    }

    void analyzeRunsTheCheckOfTheCheckedSystem() {
        LoadedForm f;
        f.form->SI_Click();
        QCOMPARE(f.grid().TextMatrix(0, 1), QStringLiteral("t(mm)"));
        f.grid().setTextMatrix(0, 1, QString());
        const int runs = f.form->analysisRuns();
        bpdtest::clickInWindow(f.ui().AnalyzeBtn);
        QCOMPARE(f.form->analysisRuns(), runs + 1);
        QCOMPARE(f.grid().TextMatrix(0, 1), QStringLiteral("t(mm)"));
        f.form->Imperial_Click();
        bpdtest::clickInWindow(f.ui().AnalyzeBtn);
        QCOMPARE(f.grid().TextMatrix(0, 1), QStringLiteral("t(in.)"));
    }

    void slidingSwitchesPreviewAndRerunsEachTime() {
        LoadedForm f;
        const auto& ui = f.ui();
        const int runs = f.form->analysisRuns();
        bpdtest::clickInWindow(ui.CheckSliding);
        QVERIFY(ui.CheckSliding->isChecked());
        QCOMPARE(f.form->previewKey(), QStringLiteral("W1s"));
        QCOMPARE(f.form->analysisRuns(), runs + 1);
        QCOMPARE(f.grid().TextMatrix(1, 3), QStringLiteral("40.00"));  // capped at 2500 psi
        QCOMPARE(f.grid().TextMatrix(1, 6), QStringLiteral("28.57"));
        QCOMPARE(f.grid().TextMatrix(1, 4), QStringLiteral("5202.56"));
        bpdtest::clickInWindow(ui.CheckSliding);
        QCOMPARE(f.form->previewKey(), QStringLiteral("W1"));
        QCOMPARE(f.form->analysisRuns(), runs + 2);
        QCOMPARE(f.grid().TextMatrix(1, 3), QStringLiteral("83.24"));
    }

    void picturesAreCutAtTheInnerEdgeAndHiddenPictFits() {
        LoadedForm f;
        QPixmap wide(400, 200);
        wide.fill(Qt::red);
        f.ui().Picture1->setPixmap(wide);
        const QImage shot = f.ui().Picture1->grab().toImage();
        const int w = shot.width(), h = shot.height();
        QCOMPARE(QColor(shot.pixel(w / 2, h / 2)), QColor(Qt::red));
        QVERIFY(QColor(shot.pixel(w - 1, h / 2)) != QColor(Qt::red));  // the border stays
        QVERIFY(QColor(shot.pixel(w / 2, h - 1)) != QColor(Qt::red));
        QPixmap capture(300, 120);
        capture.fill(Qt::blue);
        f.ui().HiddenPict->setPixmap(capture);
        f.ui().HiddenPict->fitToPicture();
        QCOMPARE(f.ui().HiddenPict->contentsRect().size(), QSize(300, 120));
    }

    void unloadClosesDialogsThenEndsTheSpreadsheet() {
        LoadedForm f(false);
        QStringList order;
        Form1::LifecycleHooks hooks;
        hooks.startSpreadsheet = [&order] { order << "start"; };
        hooks.unloadDialogs = [&order] { order << "dialogs"; };
        hooks.endSpreadsheet = [&order] { order << "end"; };
        f.form->setLifecycleHooks(hooks);
        f.form->show();
        QCOMPARE(order, QStringList({"start"}));
        f.form->close();
        QCOMPARE(order, QStringList({"start", "dialogs", "end"}));
    }

    void unloadClosesTheProgramsDialogsAndEndsTheSpreadsheet() {
        LoadedForm f(false);
        auto& spreadsheet = *f.fixture.spreadsheet;
        QVERIFY(!spreadsheet.isRunning());
        f.form->show();
        QVERIFY(spreadsheet.isRunning());  // started by the load
        f.form->commands().About_Pelgro_BPD_Click();
        f.form->commands().Loading_Click();
        QVERIFY(!f.form->isVisible());  // the viewer hides the main window
        f.form->show();
        f.form->commands().General_Click();
        const auto openDialogs = [] {
            QStringList names;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->objectName() != QLatin1String("Form1"))
                    names << w->objectName();
            names.sort();
            return names;
        };
        QCOMPARE(openDialogs(), QStringList({"Form2", "Form3", "Form4"}));
        f.form->close();
        QVERIFY(openDialogs().isEmpty());
        QVERIFY(!spreadsheet.isRunning());  // quit, its workbooks released
    }

    // The menu items and the Print Screen button reach the commands themselves.
    void menuItemsAndPrintButtonRunTheirCommands() {
        LoadedForm f;
        const auto shown = [](const char* name) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String(name) && w->isVisible()) return true;
            return false;
        };
        f.ui().About_Pelgro_BPD->trigger();
        QVERIFY(shown("Form4"));
        f.ui().Excel->trigger();
        QCOMPARE(f.shell->opens.size(), qsizetype(1));
        QCOMPARE(f.shell->opens[0].target, f.fixture.spreadsheet->latestWorkbook());
        f.ui().PrintBtn->click();
        QCOMPARE(f.fixture.printer->ended, 1);
        f.form->close();
        QVERIFY(!shown("Form4"));
    }
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1_layout.moc"
