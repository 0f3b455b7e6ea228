// Design files of a large bridge: 10,000 bearings, all seven thicknesses each.
//
//   bench_designfile                   the benchmarks below
//   bench_designfile --generate N      writes a design file of N generated bearings to stdout

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "AtomicWrite.h"
#include "CheckCommand.h"
#include "DesignFileReader.h"
#include "DesignFileWriter.h"
#include "GeneratedBearings.h"
#include "GeneratedDocument.h"

namespace {

using namespace bpd;
using namespace bpd::designfile;

constexpr int kBearings = 10000;

const std::string& fileText() {
    static const std::string text = writeDesignText(bpd::bench::generatedDocument(kBearings));
    return text;
}

// A temporary file holding the generated design file, removed at exit.
const std::string& filePath() {
    static const std::string path = [] {
        char name[] = "/tmp/bench-designfile-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0) std::abort();
        ::close(fd);
        std::string error;
        if (!fileio::AtomicWrite::writeFile(name, fileText(), &error)) std::abort();
        static const std::string kept = name;
        std::atexit([] { ::unlink(kept.c_str()); });
        return std::string(name);
    }();
    return path;
}

// bpd-check --project on the file: reading it and checking every bearing, CSV out.
void BM_CheckProjectFile(benchmark::State& state) {
    const std::string& path = filePath();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        bench::CountingSink sink;
        std::ostream out(&sink);
        std::ostringstream err;
        std::istringstream in;
        const std::vector<std::string_view> args{"--project", path};
        if (cli::runCheck(args, in, out, err) != 0) state.SkipWithError("the check failed");
        bytes = sink.bytes;
    }
    state.counters["bearings"] = kBearings;
    state.counters["output_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kBearings);
}
BENCHMARK(BM_CheckProjectFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading alone: parsing, the document and the problems of every bearing.
void BM_ReadProjectText(benchmark::State& state) {
    const std::string& text = fileText();
    for (auto _ : state) {
        const ReadResult result = readDesignText(text, "\"bench.bpd\"");
        if (!result.document) state.SkipWithError("refused");
        benchmark::DoNotOptimize(result.document->bearings.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadProjectText)->Unit(benchmark::kMillisecond);

// Writing it: the text and the atomic write beside the file (fsync included).
void BM_WriteProjectFile(benchmark::State& state) {
    const DesignDocument document = bpd::bench::generatedDocument(kBearings);
    const std::string path = filePath() + ".out";
    for (auto _ : state) {
        std::string error;
        if (!fileio::AtomicWrite::writeFile(path, writeDesignText(document), &error))
            state.SkipWithError(error.c_str());
    }
    ::unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * kBearings);
}
BENCHMARK(BM_WriteProjectFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--generate") == 0) {
        std::cout << writeDesignText(bpd::bench::generatedDocument(std::atoi(argv[2])));
        return std::cout.good() ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
