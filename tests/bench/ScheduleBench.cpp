// Benchmarks of the bearing schedule: a 10,000-bearing design file opened into the model with
// every line checked; one edit's re-check; sizing 1,000 bearings on one core; and the longest
// stall of the user-interface thread (the largest gap between the ticks of a 10 ms timer)
// while the window sizes 1,000 bearings and while it exports a package of 200, each through
// the window's own menu item. Figures only: nothing here is asserted.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <memory>

#include "DesignFileReader.h"
#include "DesignFileWriter.h"
#include "GeneratedDocument.h"
#include "PadProposal.h"
#include "ScheduleModel.h"
#include "ScheduleWindow.h"
#include "SizeSelectedCommand.h"
#include "TestServices.h"

namespace {

using namespace bpd;
using designfile::DesignBearing;
using designfile::DesignDocument;

bpd::testing::TestServices* services = nullptr;

QString writtenFile(const QString& name, int bearings) {
    const QString path = services->path(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray::fromStdString(
            designfile::writeDesignText(bench::generatedDocument(bearings))));
    return path;
}

// The file read and every line checked into the model, as Open does it.
void BM_OpenTenThousandBearings(benchmark::State& state) {
    const QString path = writtenFile(QStringLiteral("open.bpd"), 10000);
    schedule::ScheduleModel model;
    for (auto _ : state) {
        auto read = designfile::readDesignFile(QFile::encodeName(path).toStdString(), "f");
        model.setDocument(std::move(*read.document));
        benchmark::DoNotOptimize(model.line(9999).status);
    }
    state.counters["lines"] = model.rowCount();
}
BENCHMARK(BM_OpenTenThousandBearings)->Unit(benchmark::kMillisecond)->UseRealTime();

// One cell edited in a 10,000-bearing schedule: the undo step and its line's re-check.
void BM_EditRechecksItsLine(benchmark::State& state) {
    schedule::ScheduleModel model;
    model.setDocument(bench::generatedDocument(10000));
    const QModelIndex vap = model.index(5000, schedule::ScheduleModel::Vap);
    int i = 0;
    for (auto _ : state) model.setData(vap, QString::number(40 + (i++ % 50)));
    state.counters["checked"] = double(model.checkedLines());
}
BENCHMARK(BM_EditRechecksItsLine)->Unit(benchmark::kMicrosecond);

std::unique_ptr<schedule::ScheduleWindow> openedWindow(int bearings);

// The same edit in the shown window, until its table has taken the change and repainted.
void BM_EditInTheWindow(benchmark::State& state) {
    auto window = openedWindow(10000);
    window->table()->clearSelection();
    schedule::ScheduleModel& model = window->model();
    const QModelIndex vap = model.index(5, schedule::ScheduleModel::Vap);
    int i = 0;
    for (auto _ : state) {
        model.setData(vap, QString::number(40 + (i++ % 50)));
        window->table()->viewport()->repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EditInTheWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// The engine's sizing of 1,000 bearings on this thread alone.
void BM_SizeThousandBearingsOneCore(benchmark::State& state) {
    const DesignDocument document = bench::generatedDocument(1000);
    const bool keepWidth = state.range(0) != 0;
    const schedule::PadProposer proposer(document.units, keepWidth);
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (int i = 0; i < 1000; ++i)
            found += proposer.propose(document.bearings[std::size_t(i)], i).found ? 1 : 0;
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_SizeThousandBearingsOneCore)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("keepWidth")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The largest gap between the ticks of a 10 ms timer while `work` runs, in milliseconds.
double longestStall(const std::function<void()>& work) {
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    ticker.start(10);
    work();
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - last);  // the tail after the last tick
    return double(longest) / 1e6;
}

std::unique_ptr<schedule::ScheduleWindow> openedWindow(int bearings) {
    auto window = std::make_unique<schedule::ScheduleWindow>(services->services());
    window->openFile(writtenFile(QStringLiteral("window.bpd"), bearings));
    window->show();
    QCoreApplication::processEvents();
    window->table()->selectAll();
    return window;
}

// Edit > Size Selected on 1,000 bearings, every proposal accepted, through the window.
void BM_StallWhileSizingThousand(benchmark::State& state) {
    double stall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = openedWindow(1000);
        window->sizing().setDialogs(
            {[](QWidget*, int) { return std::optional<bool>(false); },
             [](QWidget*, const std::vector<schedule::PadProposal>& proposals) {
                 std::vector<int> all(proposals.size());
                 for (std::size_t i = 0; i < all.size(); ++i) all[i] = int(i);
                 return all;
             }});
        QAction* size = window->findChild<QAction*>(QStringLiteral("actionSizeSelected"));
        state.ResumeTiming();
        stall = std::max(stall, longestStall([&] { size->trigger(); }));
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["stall_ms"] = stall;
}
BENCHMARK(BM_StallWhileSizingThousand)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// File > Export > Calculation Package of 200 bearings through the window.
void BM_StallWhileExportingTwoHundred(benchmark::State& state) {
    double stall = 0;
    services->files->answer = services->path(QStringLiteral("package.pdf"));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = openedWindow(200);
        window->table()->clearSelection();
        QAction* exports = window->findChild<QAction*>(QStringLiteral("actionExportPackage"));
        state.ResumeTiming();
        stall = std::max(stall, longestStall([&] { exports->trigger(); }));
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["stall_ms"] = stall;
    state.counters["pdf_MB"] = double(QFile(services->files->answer).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_StallWhileExportingTwoHundred)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

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
