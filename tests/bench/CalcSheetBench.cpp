// The calculation sheet of one bearing: the steps alone (engine), and the whole PDF (steps,
// layout, drawing, the metadata update) in memory and through AtomicFile to a file. The aim
// is under 100 ms for a sheet of all seven thicknesses, failing ones with their advice.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QList>
#include <QTemporaryDir>

#include "CalculationDocument.h"
#include "CalculationSteps.h"

namespace {

using namespace bpd;

calcsheet::SheetHeading heading() {
    calcsheet::SheetHeading h;
    h.project.sCompany = QStringLiteral("Pelgro Precast Ltd");
    h.project.sProjectName = QStringLiteral("Mill Creek Bridge");
    h.project.sEngineer = QStringLiteral("A. Engineer");
    h.version = QStringLiteral("bench");
    h.made = QDateTime::currentDateTimeUtc();
    return h;
}

// The window's opening inputs (all pass), and a heavy load at a rotation where every
// thickness fails and carries the sizing's advice.
BearingInputs bearing(int which) {
    if (which == 0) return {UnitSystem::Imperial, {4, 4, 0.01, 0.0711, 7.13}, false, 0};
    return {UnitSystem::Imperial, {4, 4, 0.01, 0.1, 45}, true, 0};
}

void BM_SheetSteps(benchmark::State& state) {
    const BearingInputs b = bearing(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        BearingCalculation c = calculateBearing(b);
        benchmark::DoNotOptimize(c.thicknesses.data());
    }
}
BENCHMARK(BM_SheetSteps)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SheetPdf(benchmark::State& state) {
    const BearingInputs b = bearing(static_cast<int>(state.range(0)));
    const calcsheet::SheetHeading h = heading();
    const QPageSize letter(QPageSize::Letter);
    for (auto _ : state) {
        QByteArray pdf =
            calcsheet::CalculationDocument::bearingSheetPdf(calculateBearing(b), h, letter);
        benchmark::DoNotOptimize(pdf.data());
    }
}
BENCHMARK(BM_SheetPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SheetFile(benchmark::State& state) {
    const BearingInputs b = bearing(static_cast<int>(state.range(0)));
    const calcsheet::SheetHeading h = heading();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    for (auto _ : state) {
        QString error;
        if (!calcsheet::CalculationDocument::writeBearingSheet(path, b, h, us, &error))
            state.SkipWithError(error.toStdString().c_str());
    }
}
BENCHMARK(BM_SheetFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A schedule of N bearings in one package: the cover, N sheets, the page numbers through.
void BM_Package(benchmark::State& state) {
    QList<calcsheet::PackageBearing> bearings;
    for (int i = 0; i < state.range(0); ++i) {
        calcsheet::PackageBearing b;
        b.bearing = bearing(i % 2);
        b.bearing.selection = 1 + i % 7;
        b.bearing.values.w1 += 0.5 * (i % 11);
        b.mark = QStringLiteral("B%1").arg(i + 1);
        b.location = QStringLiteral("Pier %1").arg(i / 4 + 1);
        bearings << b;
    }
    const calcsheet::SheetHeading h = heading();
    const QPageSize letter(QPageSize::Letter);
    for (auto _ : state) {
        QByteArray pdf = calcsheet::CalculationDocument::packagePdf(bearings, h, letter);
        benchmark::DoNotOptimize(pdf.data());
        state.counters["MB"] = pdf.size() / 1e6;
    }
}
BENCHMARK(BM_Package)->Arg(10)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    static int qtArgc = 3;
    static char name[] = "bench_calcsheet", option[] = "-platform", platform[] = "offscreen";
    static char* qtArgv[] = {name, option, platform, nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
