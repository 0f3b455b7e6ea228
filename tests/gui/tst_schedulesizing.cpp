// Edit > Size Selected: the proposals are the pads bpd-check --size finds (both dimensions
// free, or b1 kept as the batch form keeps a given b1), accepted ones are one undo step, a
// cancel while sizing changes nothing; the background runner keeps the event loop running.

#include <QAbstractButton>
#include <QFile>
#include <QProgressDialog>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <atomic>
#include <sstream>
#include <string_view>

#include "BackgroundJob.h"
#include "BearingInputs.h"
#include "CheckCommand.h"
#include "DesignFileWriter.h"
#include "PadProposalsDialog.h"
#include "ScheduleDocuments.h"
#include "ScheduleFiles.h"
#include "ScheduleModel.h"
#include "SizeSelectedCommand.h"
#include "ThicknessCatalogue.h"

using bpd::UnitSystem;
using bpd::designfile::DesignBearing;
using bpd::designfile::DesignDocument;
using bpd::schedule::BackgroundJob;
using bpd::schedule::PadProposal;
using bpd::schedule::PadProposalsDialog;
using bpd::schedule::ScheduleModel;
using bpd::schedule::SizeSelectedCommand;
using bpd::testing::bearing;

using bpd::testing::cancelWhenUnderway;

namespace {

// Bearings of every kind the sizing meets: free, sliding, one thickness, SI, none passing.
DesignDocument imperialBridge() {
    DesignDocument d = bpd::testing::threeBearings();
    d.bearings.push_back(bearing("B4", 12, 6, 0.02, 0.3, 80, "All", true));
    d.bearings.push_back(bearing("B5", 4, 4, 0.01, 0.0711, 7.13, "1/2"));
    d.bearings.push_back(bearing("B6", 4, 4, 0.01, 2.0, 50));            // shear: too thick
    d.bearings.push_back(bearing("B7", 4, 4, 0.01, 0.2, 1.0e6));         // load: too heavy
    d.bearings.push_back(bearing("B8", 10, 9.5, 0.0, 0.25, 45, "3/8"));  // A = 0
    return d;
}

DesignDocument siBridge() {
    DesignDocument d;
    d.units = UnitSystem::SI;
    d.bearings = {bearing("S1", 300, 200, 0.01, 5, 400),
                  bearing("S2", 101.6, 101.6, 0.01, 1.8, 31.7),
                  bearing("S3", 400, 250, 0.005, 10, 900, "All", true)};
    return d;
}

QString run(std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in;
    std::ostringstream out, err;
    bpd::cli::runCheck(views, in, out, err);
    return QString::fromStdString(out.str() + "\n#err\n" + err.str());
}

QStringList fields(const QString& line) {
    return line.split(QLatin1Char(','));
}

// What bpd-check --size says of each bearing, by mark: "w1 b1 t governs utilisation", or
// "none: <reason>".
QMap<QString, QString> checkerPads(const DesignDocument& document, bool keepWidth,
                                   const QString& folder) {
    QMap<QString, QString> pads;
    const auto sized = [&](const QString& mark, const QStringList& f) {
        // w1, b1, the 13 cells (Status, then the thickness label), Ucomp, Ushear, Governs.
        const QString governs = f.last();
        const QString u =
            governs == QLatin1String("compression") ? f[f.size() - 3] : f[f.size() - 2];
        pads[mark] = QStringList{f[0], f[1], f[3], governs, u + QStringLiteral(" %")}.join(u' ');
    };
    if (!keepWidth) {
        const QString path = folder + QStringLiteral("/bridge.bpd");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(QByteArray::fromStdString(bpd::designfile::writeDesignText(document)));
        file.close();
        const QString out = run({"--project", path.toStdString(), "--size", "--explain"});
        const QStringList parts = out.split(QStringLiteral("\n#err\n"));
        for (const QString& line : parts[0].split(u'\n', Qt::SkipEmptyParts).mid(1)) {
            QStringList f = fields(line);
            const QString mark = f.takeFirst();
            sized(mark, f);
        }
        for (const QString& line : parts[1].split(u'\n', Qt::SkipEmptyParts)) {
            static const QRegularExpression problem(
                QStringLiteral("^bpd-check: bearing \\d+ \\(([^)]*)\\): no pad passes: (.*)$"));
            const auto m = problem.match(line);
            if (m.hasMatch()) pads[m.captured(1)] = QStringLiteral("none: ") + m.captured(2);
        }
        return pads;
    }
    // b1 kept: the batch form with w1 left out, one line per bearing.
    QString csv = QStringLiteral("w1,b1,A,dh,Vap,sliding,thickness\n");
    for (const DesignBearing& b : document.bearings) {
        const bpd::InputTexts t = bpd::designfile::fieldTexts(b);
        csv += QStringLiteral(",%1,%2,%3,%4,%5,%6\n")
                   .arg(QString::fromStdString(t.b1), QString::fromStdString(t.A),
                        QString::fromStdString(t.dh), QString::fromStdString(t.Vap),
                        b.sliding ? QStringLiteral("yes") : QStringLiteral("no"),
                        QString::fromStdString(b.thickness));
    }
    const QString path = folder + QStringLiteral("/bridge.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(csv.toUtf8());
    file.close();
    const QString out = run({"--batch", path.toStdString(), "--size", "--explain", "--units",
                             document.units == UnitSystem::SI ? "si" : "imperial"});
    const QStringList parts = out.split(QStringLiteral("\n#err\n"));
    for (const QString& line : parts[0].split(u'\n', Qt::SkipEmptyParts).mid(1)) {
        QStringList f = fields(line);
        const int number = f.takeFirst().toInt();  // the line number, the header being 1
        sized(QString::fromStdString(*document.bearings[std::size_t(number - 2)].mark), f);
    }
    for (const QString& line : parts[1].split(u'\n', Qt::SkipEmptyParts)) {
        static const QRegularExpression problem(
            QStringLiteral("line (\\d+): no pad passes: (.*)$"));
        const auto m = problem.match(line);
        if (m.hasMatch())
            pads[QString::fromStdString(
                *document.bearings[std::size_t(m.captured(1).toInt() - 2)].mark)] =
                QStringLiteral("none: ") + m.captured(2);
    }
    return pads;
}

QString describe(const PadProposal& p, UnitSystem units) {
    if (!p.found) return QStringLiteral("none: ") + p.reason.mid(p.reason.indexOf(u':') + 2);
    const auto text = [](double v) { return QString::fromStdString(bpd::planSizeOf(v).text); };
    Q_UNUSED(units);
    return QStringList{text(*p.after.values.w1), text(*p.after.values.b1),
                       QString::fromStdString(p.after.thickness), p.governs, p.utilisation}
        .join(u' ');
}

std::vector<int> everyRow(const ScheduleModel& m) {
    std::vector<int> rows;
    for (int r = 0; r < m.rowCount(); ++r) rows.push_back(r);
    return rows;
}

// Answers that record whether the proposals were shown.
struct Answers {
    std::optional<bool> keepWidth = false;
    std::vector<int> accept;
    int shown = 0;
    std::vector<PadProposal> proposals;
    SizeSelectedCommand::Dialogs dialogs() {
        return {[this](QWidget*, int) { return keepWidth; },
                [this](QWidget*, const std::vector<PadProposal>& p) {
                    ++shown;
                    proposals = p;
                    return accept;
                }};
    }
};

std::string bytes(const ScheduleModel& m) {
    return bpd::designfile::writeDesignText(m.document());
}

}  // namespace

class TestScheduleSizing : public QObject {
    Q_OBJECT

private slots:
    void proposalsAreTheCheckersPads_data() {
        QTest::addColumn<DesignDocument>("document");
        QTest::addColumn<bool>("keepWidth");
        QTest::newRow("Imperial, both free") << imperialBridge() << false;
        QTest::newRow("Imperial, width kept") << imperialBridge() << true;
        QTest::newRow("SI, both free") << siBridge() << false;
        QTest::newRow("SI, width kept") << siBridge() << true;
    }
    void proposalsAreTheCheckersPads() {
        QFETCH(DesignDocument, document);
        QFETCH(bool, keepWidth);
        QTemporaryDir dir;
        const QMap<QString, QString> expected = checkerPads(document, keepWidth, dir.path());
        QCOMPARE(expected.size(), qsizetype(document.bearings.size()));

        QWidget window;
        ScheduleModel model;
        model.setDocument(document);
        SizeSelectedCommand command(&window, model);
        const auto proposals = command.propose(everyRow(model), keepWidth);
        QVERIFY(proposals);
        QCOMPARE(proposals->size(), document.bearings.size());
        int none = 0;
        for (const PadProposal& p : *proposals) {
            QCOMPARE(describe(p, document.units), expected.value(p.mark));
            if (keepWidth && p.found)
                QCOMPARE(*p.after.values.b1, *document.bearings[std::size_t(p.row)].values.b1);
            none += p.found ? 0 : 1;
        }
        if (document.units == UnitSystem::Imperial) QVERIFY(none >= 2);  // B6 and B7
    }

    // Accepting two of three proposals: one undo step that changes those two bearings (and
    // re-checks their lines); undo gives back the document byte for byte, redo the pads.
    void acceptedProposalsAreOneUndoStep() {
        QWidget window;
        ScheduleModel model;
        model.setDocument(bpd::testing::threeBearings());
        const std::string before = bytes(model);
        Answers answers;
        answers.accept = {0, 2};
        SizeSelectedCommand command(&window, model);
        command.setDialogs(answers.dialogs());
        QCOMPARE(command.run({0, 1, 2}), SizeSelectedCommand::Outcome::Applied);
        QCOMPARE(answers.shown, 1);
        QCOMPARE(model.undoStack().count(), 1);
        for (const int row : {0, 2}) {
            const DesignBearing& now = model.document().bearings[std::size_t(row)];
            const PadProposal& p = answers.proposals[std::size_t(row)];
            QVERIFY(p.found);
            QCOMPARE(now.values.w1, p.after.values.w1);
            QCOMPARE(now.values.b1, p.after.values.b1);
            QCOMPARE(now.thickness, p.after.thickness);
            QCOMPARE(model.line(row).status, std::string("Pass"));
            // The check made with the proposal is the line's check of the new bearing.
            const bpd::schedule::LineCheck fresh =
                bpd::schedule::checkLine(model.document().units, now, std::size_t(row) + 1);
            QCOMPARE(model.line(row).thinnest, fresh.thinnest);
            QCOMPARE(model.line(row).governingThickness, fresh.governingThickness);
            QCOMPARE(model.line(row).utilisation, fresh.utilisation);
        }
        QCOMPARE(model.document().bearings[1].values.w1,
                 bpd::testing::threeBearings().bearings[1].values.w1);
        QVERIFY(bytes(model) != before);
        const std::string after = bytes(model);
        model.undoStack().undo();
        QCOMPARE(bytes(model), before);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(model.line(row).status,
                     bpd::schedule::checkLine(model.document().units,
                                              model.document().bearings[std::size_t(row)],
                                              std::size_t(row) + 1)
                         .status);
        QCOMPARE(model.line(1).status, std::string("FAIL!"));
        model.undoStack().redo();
        QCOMPARE(bytes(model), after);
    }

    void declinedOrCancelledChangesNothing_data() {
        QTest::addColumn<std::optional<bool>>("keepWidth");
        QTest::addColumn<std::vector<int>>("accept");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("shown");
        QTest::newRow("options cancelled") << std::optional<bool>() << std::vector<int>{0}
                                           << int(SizeSelectedCommand::Outcome::Cancelled) << 0;
        QTest::newRow("nothing ticked") << std::optional<bool>(true) << std::vector<int>{}
                                        << int(SizeSelectedCommand::Outcome::NoneApplied) << 1;
        QTest::newRow("only a bearing without a pad")  // the first proposal: line 1
            << std::optional<bool>(false) << std::vector<int>{0}
            << int(SizeSelectedCommand::Outcome::NoneApplied) << 1;
    }
    void declinedOrCancelledChangesNothing() {
        QFETCH(std::optional<bool>, keepWidth);
        QFETCH(std::vector<int>, accept);
        QFETCH(int, outcome);
        QFETCH(int, shown);
        QWidget window;
        ScheduleModel model;
        DesignDocument d = bpd::testing::threeBearings();
        d.bearings[1] = bearing("B2", 4, 4, 0.01, 2.0, 50);  // no pad passes
        model.setDocument(d);
        const std::string before = bytes(model);
        Answers answers;
        answers.keepWidth = keepWidth;
        answers.accept = accept;
        SizeSelectedCommand command(&window, model);
        command.setDialogs(answers.dialogs());
        QCOMPARE(int(command.run({1, 0})), outcome);
        QCOMPARE(answers.shown, shown);
        QCOMPARE(bytes(model), before);
        QCOMPARE(model.undoStack().count(), 0);
        QCOMPARE(int(command.run({})), int(SizeSelectedCommand::Outcome::NothingSelected));
    }

    // Hundreds of bearings that no pad fits (each search visits every pad): Cancel in the
    // progress dialog ends the sizing before its end, no proposal is shown, nothing changes.
    void cancelWhileSizingChangesNothing() {
        QWidget window;
        window.show();
        ScheduleModel model;
        DesignDocument d;
        for (int i = 0; i < 400; ++i)
            d.bearings.push_back(
                bearing(std::string("H").append(std::to_string(i + 1)), 4, 4, 0.01, 0.2, 1.0e6));
        model.setDocument(d);
        const std::string before = bytes(model);
        Answers answers;
        SizeSelectedCommand command(&window, model);
        command.setDialogs(answers.dialogs());
        cancelWhenUnderway(window);
        QCOMPARE(command.run(everyRow(model)), SizeSelectedCommand::Outcome::Cancelled);
        QCOMPARE(answers.shown, 0);
        QCOMPARE(bytes(model), before);
        QCOMPARE(model.undoStack().count(), 0);
        QVERIFY(!window.findChild<QProgressDialog*>(BackgroundJob::kDialogName));
    }

    // The runner: the event loop keeps running while the work runs (the work waits for the
    // user-interface thread's timer to tick), results come back, the dialog only for more
    // than a few steps, with its range the steps.
    void theJobKeepsTheEventLoopRunning_data() {
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("dialog");
        QTest::newRow("a few: no dialog") << BackgroundJob::kQuietSteps << false;
        QTest::newRow("more: a dialog") << BackgroundJob::kQuietSteps + 1 << true;
        QTest::newRow("many") << 50 << true;
    }
    void theJobKeepsTheEventLoopRunning() {
        QFETCH(int, steps);
        QFETCH(bool, dialog);
        QWidget window;
        window.show();
        std::atomic<int> ticks{0};
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(1);
        int maximum = -1;
        bool sawDialog = false;
        QTimer look;
        connect(&look, &QTimer::timeout, [&] {
            if (auto* d = window.findChild<QProgressDialog*>(BackgroundJob::kDialogName)) {
                sawDialog = sawDialog || d->isVisible();
                maximum = d->maximum();
            }
        });
        look.start(1);
        std::vector<int> results(std::size_t(steps), 0);
        BackgroundJob job(&window, QStringLiteral("Working..."));
        QVERIFY(job.forEach(steps, [&](int i) {
            const int until = ticks.load() + 2;
            QDeadlineTimer deadline(5000);
            while (ticks.load() < until && !deadline.hasExpired()) QThread::usleep(200);
            results[std::size_t(i)] = ticks.load() >= until ? i * i : -1;
        }));
        for (int i = 0; i < steps; ++i) QCOMPARE(results[std::size_t(i)], i * i);
        QCOMPARE(sawDialog, dialog);
        if (dialog) QCOMPARE(maximum, steps);
    }

    // The proposals dialog: a line per bearing, the found pads ticked, a bearing without a
    // pad cannot be ticked and says why; Apply only with something ticked.
    void theProposalsDialogTicksTheFoundPads() {
        ScheduleModel model;
        DesignDocument d = bpd::testing::threeBearings();
        d.bearings[1] = bearing("B2", 4, 4, 0.01, 2.0, 50);
        model.setDocument(d);
        QWidget window;
        SizeSelectedCommand command(&window, model);
        const auto proposals = command.propose({0, 1, 2}, false);
        QVERIFY(proposals);
        PadProposalsDialog dialog(*proposals);
        QTreeWidget* list = dialog.list();
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(PadProposalsDialog::Mark), QStringLiteral("B1"));
        QCOMPARE(list->topLevelItem(0)->text(PadProposalsDialog::OldPad),
                 QStringLiteral("9 x 4 in., t = All"));
        QCOMPARE(list->topLevelItem(0)->text(PadProposalsDialog::NewPad), (*proposals)[0].newPad);
        QCOMPARE(list->topLevelItem(1)->text(PadProposalsDialog::NewPad), QStringLiteral("none"));
        QVERIFY(
            list->topLevelItem(1)->text(PadProposalsDialog::Utilisation).contains(u"shear check"));
        QVERIFY(!(list->topLevelItem(1)->flags() & Qt::ItemIsUserCheckable));
        QCOMPARE(dialog.accepted(), (std::vector<int>{0, 2}));
        auto* apply = dialog.findChild<QAbstractButton*>(QStringLiteral("applyProposals"));
        QVERIFY(apply && apply->isEnabled());
        list->topLevelItem(0)->setCheckState(PadProposalsDialog::Mark, Qt::Unchecked);
        QCOMPARE(dialog.accepted(), (std::vector<int>{2}));
        list->topLevelItem(2)->setCheckState(PadProposalsDialog::Mark, Qt::Unchecked);
        QVERIFY(dialog.accepted().empty());
        QVERIFY(!apply->isEnabled());
    }
};

QTEST_MAIN(TestScheduleSizing)
#include "tst_schedulesizing.moc"
