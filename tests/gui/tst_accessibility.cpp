// What assistive technology reads of every window: each control named by what the window
// shows beside it, the names following a unit switch, the results grid named with its column
// headers and each row's hover text as its description.
//
// A new window joins by one row in kWindows: a factory that makes it as the program does,
// and the decoration it may leave unnamed, each with its reason.

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "AboutBox.h"
#include "AccessibilityAudit.h"
#include "AccessibleSelector.h"
#include "ConditionsViewer.h"
#include "CsvImport.h"
#include "CsvImportDialog.h"
#include "DesignFileWriter.h"
#include "Form1Commands.h"
#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "GridPresenter.h"
#include "OpenWithDialog.h"
#include "PadProposalsDialog.h"
#include "PadSizingDialog.h"
#include "ScheduleDocuments.h"
#include "ScheduleWindow.h"
#include "SizingOptionsDialog.h"
#include "WelcomeDlg.h"
#include "tst_form1_support.h"

using bpdtest::A11yExemption;
using bpdtest::accessibleName;
using bpdtest::LoadedForm;
using bpdtest::unnamedControls;

namespace {

// A window as a test makes it, and whatever must live as long as it does.
struct MadeWindow {
    std::shared_ptr<void> owner;
    QWidget* window = nullptr;
};

template <typename Holder>
MadeWindow made(std::shared_ptr<Holder> holder, QWidget* window) {
    return {std::move(holder), window};
}

struct Services {
    bpd::testing::TestServices fixture;
};

MadeWindow mainWindow() {
    auto f = std::make_shared<LoadedForm>();
    return made(f, f->form.get());
}

MadeWindow mainWindowInSi() {
    MadeWindow w = mainWindow();
    static_cast<bpd::mainwindow::Form1*>(w.window)->SI_Click();
    return w;
}

MadeWindow disclaimer() {
    auto dialog = std::make_shared<bpd::dialogs::WelcomeDlg>([] {}, [] {});
    return made(dialog, dialog.get());
}

MadeWindow generalSettings() {
    struct Holder : Services {
        std::unique_ptr<bpd::reports::Form3> form;
    };
    auto h = std::make_shared<Holder>();
    h->form =
        std::make_unique<bpd::reports::Form3>(nullptr, *h->fixture.store, *h->fixture.messages);
    return made(h, h->form.get());
}

MadeWindow conditionsViewer() {
    struct Holder {
        QWidget mainWindow;
        bpd::dialogs::ConditionsViewer viewer{&mainWindow};
    };
    auto h = std::make_shared<Holder>();
    h->viewer.open(bpd::dialogs::ConditionsViewer::Sheet::NonUniformBearing);
    return made(h, h->viewer.viewer());
}

struct AboutHolder : Services {
    std::unique_ptr<bpd::dialogs::AboutBox> about;
};

MadeWindow aboutBox() {
    auto h = std::make_shared<AboutHolder>();
    bpd::dialogs::SystemInformationLauncher launcher(
        [](const QString&, const QString&, QString&) { return false; }, *h->fixture.shell,
        *h->fixture.messages);
    h->about =
        std::make_unique<bpd::dialogs::AboutBox>(launcher, *h->fixture.shell, *h->fixture.messages);
    h->about->show();
    return made(h, h->about->box());
}

MadeWindow openWith(bool browsed) {
    struct Holder : Services {
        std::unique_ptr<bpd::dialogs::OpenWithDialog> dialog;
    };
    auto h = std::make_shared<Holder>();
    h->dialog = std::make_unique<bpd::dialogs::OpenWithDialog>(
        QStringLiteral("/opt/bpd/Help/Pelgro_BPD.chm"), *h->fixture.shell, *h->fixture.messages);
    if (browsed) h->dialog->addProgram(QStringLiteral("/usr/bin/xchm"));
    return made(h, h->dialog.get());
}

MadeWindow padSizing() {
    auto f = std::make_shared<LoadedForm>(false);
    f->ui().Smallest_Passing_Pad->trigger();
    return made(f, f->form->commands().sizingDialog());
}

// The bearing schedule with a passing and a failing bearing in its table.
MadeWindow bearingSchedule() {
    struct Holder : Services {
        std::unique_ptr<bpd::schedule::ScheduleWindow> window;
    };
    auto h = std::make_shared<Holder>();
    h->window = std::make_unique<bpd::schedule::ScheduleWindow>(h->fixture.services());
    const QString path = h->fixture.path(QStringLiteral("bridge.bpd"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray::fromStdString(
            bpd::designfile::writeDesignText(bpd::testing::threeBearings())));
    file.close();
    if (!h->window->openFile(path)) return {};
    return made(h, h->window.get());
}

// File > Project Data... of the schedule, over the file's project data.
MadeWindow scheduleProjectData() {
    MadeWindow schedule = bearingSchedule();
    if (!schedule.window) return {};
    schedule.window->findChild<QAction*>(QStringLiteral("actionProjectData"))->trigger();
    return {schedule.owner,
            schedule.window->findChild<QDialog*>(QStringLiteral("ProjectDataDialog"))};
}

// Import CSV's review of a file with lines that cannot be read, over the schedule window.
MadeWindow csvImportReview() {
    MadeWindow schedule = bearingSchedule();
    bpd::designfile::CsvImport import = bpd::designfile::readBearingCsv(
        "w1,b1,A,dh,Vap,sliding\n9,14,.01,.5,100,0\n0,14,.01,.5,100,0\n", bpd::UnitSystem::SI);
    auto* review = new bpd::schedule::CsvImportDialog(import, QStringLiteral("\"piers.csv\""),
                                                      bpd::UnitSystem::SI, schedule.window);
    review->show();
    return {schedule.owner, review};
}

// Size Selected's two dialogs: the choice before the sizing and the proposals after it.
MadeWindow sizingOptions() {
    auto dialog = std::make_shared<bpd::schedule::SizingOptionsDialog>(3);
    return made(dialog, dialog.get());
}

MadeWindow sizingProposals() {
    bpd::designfile::DesignDocument document = bpd::testing::threeBearings();
    const bpd::schedule::PadProposer proposer(document.units, false);
    std::vector<bpd::schedule::PadProposal> proposals;
    for (int row = 0; row < 3; ++row)
        proposals.push_back(proposer.propose(document.bearings[std::size_t(row)], row));
    proposals[1].found = false;
    proposals[1].reason = QStringLiteral("no pad passes: the shear check needs a thicker pad");
    auto dialog = std::make_shared<bpd::schedule::PadProposalsDialog>(proposals);
    return made(dialog, dialog.get());
}

struct WindowEntry {
    const char* name;
    std::function<MadeWindow()> make;
    QList<A11yExemption> exemptions;  // decoration only, each with its reason
};

const QList<WindowEntry>& windows() {
    static const QList<WindowEntry> kWindows = {
        {"main window", mainWindow, {}},
        {"main window in SI", mainWindowInSi, {}},
        {"disclaimer",
         disclaimer,
         {{"PictureWelCome",
           "the owner's brand banner above the disclaimer, which is read as text"}}},
        {"General Setttings", generalSettings, {}},
        {"conditions viewer", conditionsViewer, {}},
        {"About box",
         aboutBox,
         {{"Picture_Pelgro", "the owner's logo beside \"Owned By: Pelgro INC.\", which is read"},
          {"Picture_Tolvane",
           "the developer's logo beside \"Developed By: Tolvane LLC.\", which is read"}}},
        {"Open With, nothing on offer", [] { return openWith(false); }, {}},
        {"Open With, a program browsed for", [] { return openWith(true); }, {}},
        {"Smallest Passing Pad", padSizing, {}},
        {"bearing schedule", bearingSchedule, {}},
        {"schedule's Project Data", scheduleProjectData, {}},
        {"Import CSV review", csvImportReview, {}},
        {"Size Selected options", sizingOptions, {}},
        {"Size Selected proposals", sizingProposals, {}},
    };
    return kWindows;
}

// The main window's inputs and selectors with the names a reader hears in each unit system.
struct NamedField {
    const char* control;
    const char* imperial;
    const char* si;
};
const NamedField kFields[] = {
    {"w1Text", "Bearing Length (w1), in.", "Bearing Length (w1), mm"},
    {"b1Text", "Bearing Width (b1), in.", "Bearing Width (b1), mm"},
    {"tCombo", "Thickness (t), in.", "Thickness (t), mm"},
    {"tCombo_SI", "Thickness (t), in.", "Thickness (t), mm"},
    {"AText", "Angle of Rotation (A), rad", "Angle of Rotation (A), rad."},
    {"dhText", "Horizontal Deformation (dh), in.", "Horizontal Deformation (dh), mm"},
    {"VapText", "Applied Vertical Load (Vap), kips", "Applied Vertical Load (Vap), KN"},
};

QAccessibleTableInterface* gridTable(const LoadedForm& f) {
    QAccessibleInterface* iface =
        QAccessible::queryAccessibleInterface(&bpdtest::gridTable(f.grid()));
    return iface ? iface->tableInterface() : nullptr;
}

QString cellDescription(const LoadedForm& f, int row, int col) {
    QAccessibleTableInterface* table = gridTable(f);
    QAccessibleInterface* cell = table ? table->cellAt(row - 1, col) : nullptr;
    return cell ? cell->text(QAccessible::Description) : QStringLiteral("(no cell)");
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // As the program's start does, before any window is made.
        bpd::platform::AccessibleSelector::install();
    }

    void everyControlOfEveryWindowIsNamed_data() {
        QTest::addColumn<int>("entry");
        for (int i = 0; i < windows().size(); ++i) QTest::newRow(windows()[i].name) << i;
    }
    void everyControlOfEveryWindowIsNamed() {
        QFETCH(int, entry);
        const WindowEntry& e = windows()[entry];
        const MadeWindow w = e.make();
        QVERIFY(w.window);
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window));
        // Each exemption has its reason and is still needed: the control is there, unnamed.
        const QStringList unexempted = unnamedControls(w.window);
        for (const A11yExemption& x : e.exemptions) {
            QVERIFY2(!x.reason.isEmpty(), qPrintable(x.objectName));
            QVERIFY2(unexempted.filter(x.objectName).size() == 1, qPrintable(x.objectName));
        }
        const QStringList unnamed = unnamedControls(w.window, e.exemptions);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
    }

    // The audit itself: it finds what a reader could not name, and only that.
    void auditFindsUnnamedControls() {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Audit"));
        auto* frame = new QGroupBox(QStringLiteral("Pad Sizes"), &window);
        auto* nameless = new QLineEdit(&window);
        nameless->setObjectName(QStringLiteral("nameless"));
        auto* selector = new QComboBox(&window);
        selector->setObjectName(QStringLiteral("selector"));
        selector->addItems({QStringLiteral("All"), QStringLiteral("1/8")});
        auto* iconButton = new QPushButton(&window);
        iconButton->setObjectName(QStringLiteral("iconButton"));
        auto* caption = new QLabel(QStringLiteral("Company"), &window);
        auto* labelled = new QLineEdit(&window);
        caption->setBuddy(labelled);
        auto* named = new QLineEdit(&window);
        named->setAccessibleName(QStringLiteral("Bearing Length (w1), in."));
        auto* framed = new QLineEdit(frame);  // named by its frame's title only
        framed->setObjectName(QStringLiteral("framed"));
        auto* box = new QCheckBox(QStringLiteral("Sliding"), &window);
        Q_UNUSED(box);
        auto* logo = new QLabel(&window);
        logo->setObjectName(QStringLiteral("logo"));
        QPixmap picture(8, 8);
        picture.fill(Qt::red);
        logo->setPixmap(picture);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QStringList found = unnamedControls(&window);
        QCOMPARE(found.size(), qsizetype(5));
        for (const char* name : {"nameless", "selector", "iconButton", "framed", "logo"})
            QVERIFY2(found.filter(QLatin1String(name)).size() == 1, name);
        QCOMPARE(unnamedControls(&window, {{QStringLiteral("logo"), QStringLiteral("decoration")}})
                     .size(),
                 qsizetype(4));
        // A selector named by the program is read by that name, its entry as the value.
        selector->setAccessibleName(QStringLiteral("Thickness (t), in."));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(selector);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Thickness (t), in."));
        QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("All"));
        QCOMPARE(iface->role(), QAccessible::ComboBox);
        QCOMPARE(iface->childCount(), 1);  // its list, as Qt's own interface has it
        // Qt names a field inside a frame by the frame when nothing else names it; a caption
        // beside it in the frame names it.
        QCOMPARE(accessibleName(framed), QStringLiteral("Pad Sizes"));
        auto* framedCaption = new QLabel(QStringLiteral("Bearing Width (b1)"), frame);
        framedCaption->setBuddy(framed);
        QCOMPARE(unnamedControls(&window).filter(QStringLiteral("framed")).size(), qsizetype(0));
    }

    // The names carry the unit captions and follow both switches; the selectors keep their
    // entry as the value.
    void fieldNamesFollowTheUnitSwitch() {
        LoadedForm f;
        auto namesNow = [&f](bool si) {
            for (const NamedField& field : kFields) {
                QObject* control = f.form->findChild<QWidget*>(QString::fromLatin1(field.control));
                QVERIFY2(control, field.control);
                QCOMPARE(accessibleName(control),
                         QString::fromLatin1(si ? field.si : field.imperial));
            }
        };
        namesNow(false);
        QAccessibleInterface* selector = QAccessible::queryAccessibleInterface(f.ui().tCombo);
        QCOMPARE(selector->text(QAccessible::Value), QStringLiteral("All"));
        f.form->SI_Click();
        namesNow(true);
        QCOMPARE(QAccessible::queryAccessibleInterface(f.ui().tCombo_SI)->text(QAccessible::Value),
                 QStringLiteral("All"));
        f.form->Imperial_Click();
        // The angle caption reads "rad." once a switch has run.
        for (const NamedField& field : kFields) {
            QObject* control = f.form->findChild<QWidget*>(QString::fromLatin1(field.control));
            const QString expected = QString::fromLatin1(field.imperial);
            QCOMPARE(accessibleName(control), QLatin1String(field.control) == QLatin1String("AText")
                                                  ? QStringLiteral("Angle of Rotation (A), rad.")
                                                  : expected);
        }
        // A rejected switch (a field that does not read as a number) leaves the names as they are.
        bpdtest::typeInto(f.ui().w1Text, QStringLiteral("abc"));
        f.form->SI_Click();
        QCOMPARE(accessibleName(f.ui().b1Text), QStringLiteral("Bearing Width (b1), in."));
    }

    // Named "Results", with the header texts of the active units as its column headers and
    // each header's hover text as its description.
    void gridIsNamedResultsWithItsColumnHeaders() {
        LoadedForm f;
        QCOMPARE(accessibleName(&bpdtest::gridTable(f.grid())), QStringLiteral("Results"));
        QAccessibleTableInterface* table = gridTable(f);
        QVERIFY(table);
        QCOMPARE(table->columnCount(), 13);
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(table->columnDescription(0), QStringLiteral("Status"));
        QCOMPARE(table->columnDescription(1), QStringLiteral("t(in.)"));
        QCOMPARE(table->columnDescription(12), QStringLiteral("G(psi)"));
        QAccessibleInterface* gridIface =
            QAccessible::queryAccessibleInterface(&bpdtest::gridTable(f.grid()));
        QAccessibleInterface* header = nullptr;
        for (int i = 0; i < gridIface->childCount() && !header; ++i)
            if (gridIface->child(i)->role() == QAccessible::ColumnHeader &&
                gridIface->child(i)->text(QAccessible::Name) == QLatin1String("N(lbs)"))
                header = gridIface->child(i);
        QVERIFY(header);
        QCOMPARE(header->text(QAccessible::Description),
                 QStringLiteral("Total allowable non-ultimate shear working load."));
        f.form->SI_Click();
        QCOMPARE(table->columnDescription(1), QStringLiteral("t(mm)"));
        QCOMPARE(table->columnDescription(4), QStringLiteral("Snr(N/m2)"));
    }

    // Each body row's cells describe the row as the hover does: hovering must show the same.
    void rowDescriptionIsItsHoverText_data() {
        QTest::addColumn<QString>("vap");
        QTest::addColumn<QString>("dh");
        QTest::addColumn<QStringList>("expected");  // rows 1.. as the hover explains them
        const QString pass = QStringLiteral("Pass");
        const QString shear = QString::fromLatin1(bpd::mainwindow::GridPresenter::kShearFailure);
        const QString comp =
            QString::fromLatin1(bpd::mainwindow::GridPresenter::kCompressiveFailure);
        QTest::newRow("opening inputs") << QStringLiteral("7.13") << QStringLiteral("0.0711")
                                        << QStringList{pass, pass, pass, pass, pass, pass, pass};
        // Row 1 fails shear only (Var 59.46), row 2 on the load (Var 43.09).
        QTest::newRow("shear, then load") << QStringLiteral("45") << QStringLiteral("0.1")
                                          << QStringList{shear, comp, comp, comp, comp, comp, comp};
    }
    void rowDescriptionIsItsHoverText() {
        QFETCH(QString, vap);
        QFETCH(QString, dh);
        QFETCH(QStringList, expected);
        LoadedForm f;
        bpdtest::typeAndTab(f.ui().dhText, dh);
        bpdtest::typeAndTab(f.ui().VapText, vap);
        QCOMPARE(f.grid().Rows(), int(expected.size()) + 1);
        for (int r = 1; r < f.grid().Rows(); ++r) {
            const QString description = cellDescription(f, r, 0);
            QCOMPARE(cellDescription(f, r, 12), description);
            bpdtest::hoverGridCell(f.grid(), r, 3);
            QTRY_COMPARE(f.grid().ToolTipText(), description);
            QCOMPARE(description, expected[r - 1]);
        }
    }

    // The descriptions are rewritten by every run: none is left from an earlier one.
    void descriptionsFollowEachRun() {
        LoadedForm f;
        bpdtest::typeAndTab(f.ui().VapText, QStringLiteral("45"));
        QCOMPARE(cellDescription(f, 2, 0),
                 QString::fromLatin1(bpd::mainwindow::GridPresenter::kCompressiveFailure));
        f.ui().tCombo->setCurrentIndex(3);  // one thickness: one body row
        QCOMPARE(f.grid().Rows(), 2);
        QCOMPARE(cellDescription(f, 1, 0),
                 QString::fromLatin1(bpd::mainwindow::GridPresenter::kCompressiveFailure));
        bpdtest::typeAndTab(f.ui().VapText, QStringLiteral("7.13"));
        QCOMPARE(cellDescription(f, 1, 7), QStringLiteral("Pass"));
    }

    // The controls the program paints itself show the focus once the keyboard moved it there,
    // and look exactly as laid out otherwise.
    void focusCueOfPaintedControls_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("tabs");  // from the grid, which has the focus at load
        QTest::newRow("preview") << "Picture1" << 1;
        QTest::newRow("results grid") << "MSFlexGrid1" << 11;
    }
    void focusCueOfPaintedControls() {
        QFETCH(QString, control);
        QFETCH(int, tabs);
        LoadedForm f;
        QWidget* target = f.form->findChild<QWidget*>(control);
        QVERIFY(target);
        QTRY_VERIFY(f.grid().hasFocus());
        const QImage asLaidOut = target->grab().toImage();  // focused, but not by the keyboard
        for (int i = 0; i < tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(target->hasFocus());
        QVERIFY(target->grab().toImage() != asLaidOut);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(!target->hasFocus());
        QCOMPARE(target->grab().toImage(), asLaidOut);
    }

    // The About box's web links are in its tab cycle after the buttons; Enter and Space open
    // them as a click does.
    void webLinksOpenFromTheKeyboard() {
        MadeWindow w = aboutBox();
        auto* fakes = &static_cast<AboutHolder*>(w.owner.get())->fixture;
        QVERIFY(QTest::qWaitForWindowActive(w.window));
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command_Ok"));
        QStringList cycle;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            cycle << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(cycle, QStringList({"Command_SysInfo", "Label_PelgroWeb", "Label_TolvaneWeb",
                                     "Command_Ok"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(fakes->shell->opens.size(), qsizetype(2));
        QCOMPARE(fakes->shell->opens[0].target, bpd::dialogs::Form4::developerWebsite());
        QCOMPARE(fakes->shell->opens[1].target, bpd::dialogs::Form4::ownerWebsite());
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
