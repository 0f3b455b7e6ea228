// Benchmarks of the main window: Analyze pressed to grid rebuilt and painted, a unit switch
// there and back, building and showing the window with its results, and a whole process start
// to the shown disclaimer, the program's first window (pelgro-bpd with BPD_EXIT_WHEN_SHOWN,
// offscreen).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <memory>

#include "Form1.h"
#include "ResultsGrid.h"
#include "TestServices.h"

namespace {

// Nothing is shown, opened or printed; the settings and reports stay in a temporary folder.
bpd::testing::TestServices* services = nullptr;

std::unique_ptr<bpd::mainwindow::Form1> shownForm() {
    auto form = std::make_unique<bpd::mainwindow::Form1>(services->services());
    form->show();
    QCoreApplication::processEvents();
    return form;
}

void paintGrid(bpd::mainwindow::ResultsGrid& grid) {
    grid.repaint();
}

void BM_AnalyzeAllPressedToGridPainted(benchmark::State& state) {
    auto form = shownForm();
    QPushButton* analyze = form->controls().AnalyzeBtn;
    for (auto _ : state) {
        analyze->click();
        paintGrid(form->grid());
    }
    benchmark::DoNotOptimize(form->grid().TextMatrix(7, 12));
}
BENCHMARK(BM_AnalyzeAllPressedToGridPainted)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The two halves of the above: the grid rebuilt without painting, and painting alone.
void BM_AnalyzeAllRebuildOnly(benchmark::State& state) {
    auto form = shownForm();
    for (auto _ : state) form->AnalyzeImperial();
}
BENCHMARK(BM_AnalyzeAllRebuildOnly)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_GridPaintOnly(benchmark::State& state) {
    auto form = shownForm();
    for (auto _ : state) paintGrid(form->grid());
}
BENCHMARK(BM_GridPaintOnly)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_AnalyzeOneThicknessPressedToGridPainted(benchmark::State& state) {
    auto form = shownForm();
    form->controls().tCombo->setCurrentIndex(4);
    QPushButton* analyze = form->controls().AnalyzeBtn;
    for (auto _ : state) {
        analyze->click();
        paintGrid(form->grid());
    }
}
BENCHMARK(BM_AnalyzeOneThicknessPressedToGridPainted)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_UnitSwitchThereAndBack(benchmark::State& state) {
    auto form = shownForm();
    for (auto _ : state) {
        form->SI_Click();
        form->Imperial_Click();
        paintGrid(form->grid());
    }
}
BENCHMARK(BM_UnitSwitchThereAndBack)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_WindowBuiltAndShownWithResults(benchmark::State& state) {
    for (auto _ : state) {
        auto form = shownForm();
        benchmark::DoNotOptimize(form->grid().TextMatrix(1, 0));
    }
}
BENCHMARK(BM_WindowBuiltAndShownWithResults)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ProcessStartToDisclaimerShown(benchmark::State& state) {
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath("pelgro-bpd");
    if (!QFile::exists(program)) {
        state.SkipWithError("pelgro-bpd is not built beside the benchmark");
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("BPD_EXIT_WHEN_SHOWN", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, {});
        process.waitForFinished(10000);
        if (process.exitCode() != 0) state.SkipWithError("pelgro-bpd did not end cleanly");
    }
}
BENCHMARK(BM_ProcessStartToDisclaimerShown)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bpd::testing::TestServices fixture;
    services = &fixture;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    services = nullptr;
    return 0;
}
