#pragma once

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

// A benchmark of kvt-bench. Each subsystem registers its own with KVT_BENCH in a file of this
// folder; each prints "<name> <value> <unit>" lines, the measured case and a small baseline
// measured in the same run, so that ratios, not absolute times, are compared.
namespace kvt::bench {

struct Benchmark {
    QString name;
    QString summary;
    std::function<int(const QStringList& args, QTextStream& out)> run;
};

std::vector<Benchmark>& Benchmarks();

struct BenchRegistrar {
    explicit BenchRegistrar(Benchmark b) { Benchmarks().push_back(std::move(b)); }
};

} // namespace kvt::bench

#define KVT_BENCH_CONCAT2(a, b) a##b
#define KVT_BENCH_CONCAT(a, b) KVT_BENCH_CONCAT2(a, b)
#define KVT_BENCH(...) \
    static const ::kvt::bench::BenchRegistrar KVT_BENCH_CONCAT(kvtBench_, __LINE__)(::kvt::bench::Benchmark{__VA_ARGS__});
