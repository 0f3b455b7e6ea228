// Throughput of the design engine, of the sizing and of the batch mode.
//
//   bench_design                       the benchmarks below
//   bench_design --generate N          writes a batch file of N generated bearings to stdout

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <istream>
#include <ostream>
#include <sstream>

#include "BatchRun.h"
#include "GeneratedBearings.h"
#include "NumberFormat.h"
#include "PadCheck.h"
#include "PadSizing.h"
#include "PlanSizes.h"
#include "ResultTable.h"
#include "ThicknessCatalogue.h"

namespace {

using namespace bpd;

const NumberLocale kC{".", ","};

// One bearing, all seven thicknesses: read the texts, run the chain, write every cell.
void BM_OneBearingAllThicknesses(benchmark::State& state) {
    AnalysisRequest request;
    request.texts = InputTexts{"4.00", "4.00", ".01", "0.0711", "7.13"};
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    for (auto _ : state) {
        ResultTable table = analyze(request, thicknesses, kC);
        benchmark::DoNotOptimize(table.rows.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneBearingAllThicknesses);

// The chain alone, one thickness.
void BM_PadChain(benchmark::State& state) {
    PadInput in;
    in.w1 = 4;
    in.b1 = 4;
    in.A = 0.01;
    in.dh = 0.0711;
    in.Vap = 7.13;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        PadOutcome out = checkPad(in, 0.125, 4000);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_PadChain);

// One result cell.
void BM_ResultText(benchmark::State& state) {
    std::string out;
    double value = 5202.5576;
    for (auto _ : state) {
        out.clear();
        benchmark::DoNotOptimize(value);
        appendResult(out, value, 4, 2, kC);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_ResultText);

// The numeric test of one input text.
void BM_NumericTest(benchmark::State& state) {
    for (auto _ : state) {
        auto value = parseNumber("0.0711", kC);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_NumericTest);

// Sizing one bearing over the default grid (96 x 96 plan sizes x 7 thicknesses). Arg 0: a
// load that a mid-size pad carries; 1: a load only the largest pads carry; 2: no pad
// passes, so every one of the 64,512 pads is checked.
void BM_SizeOneBearing(benchmark::State& state) {
    const double loads[] = {45, 7000, 1e5};
    SizingRequest request;
    request.A = 0.02;
    request.dh = 0.5;
    request.Vap = loads[state.range(0)];
    std::string error;
    request.sizes = planSizes(defaultSizingStep(UnitSystem::Imperial),
                              defaultSizingMaximum(UnitSystem::Imperial), error)
                        .value();
    std::int64_t checked = 0;
    for (auto _ : state) {
        const SizingResult result = sizePad(request);
        checked = result.padsChecked;
        benchmark::DoNotOptimize(result.pad);
    }
    state.counters["pads"] = static_cast<double>(checked);
}
BENCHMARK(BM_SizeOneBearing)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The batch mode end to end on generated bearings: all seven rows each, every text, the
// CSV written to a sink that only counts. The input lines come from a pool made up front.
void BM_BatchMode(benchmark::State& state) {
    const std::int64_t bearings = state.range(0);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench::GeneratedBearings source(bearings, /*pooled=*/true);
        state.ResumeTiming();
        std::istream in(&source);
        bench::CountingSink sinkBuffer;
        std::ostream out(&sinkBuffer);
        std::ostringstream err;
        cli::BatchTotals totals;
        const int status =
            cli::runBatch(in, "standard input", out, err, UnitSystem::Imperial, &totals);
        if (status != 0 || totals.bearings != bearings || totals.rows != 7 * bearings) {
            state.SkipWithError("batch run did not check every bearing");
            break;
        }
        bytes += sinkBuffer.bytes;
    }
    state.SetItemsProcessed(state.iterations() * bearings);  // items = bearings
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_BatchMode)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--generate") == 0) {
        bench::GeneratedBearings source(std::atoll(argv[2]));
        std::cout << &source;
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
