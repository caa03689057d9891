// A Google Benchmark reporter for benchmarks that run in pairs, ours and a reference, with
// repetitions in random interleaving: after the usual table it prints per pair the median CPU
// time of each side and their ratio (ours over the reference's), with the lowest and highest
// ratio of the i-th repetitions of both.
#ifndef QUORVEL_BENCH_PAIRED_REPORTER_H
#define QUORVEL_BENCH_PAIRED_REPORTER_H

#include <benchmark/benchmark.h>
#include <stdio.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

struct BenchmarkPair {
    std::string label;
    std::string ours;
    std::string reference;
};

class PairedReporter : public benchmark::ConsoleReporter {
public:
    explicit PairedReporter(std::vector<BenchmarkPair> pairs) : pairs_(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times_[run.run_name.function_name].push_back(run.GetAdjustedCPUTime());
                units_[run.run_name.function_name] = benchmark::GetTimeUnitString(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        printf("\n");
        for (const BenchmarkPair& pair : pairs_) {
            const std::vector<double>& ours = times_[pair.ours];
            const std::vector<double>& reference = times_[pair.reference];
            const size_t count = std::min(ours.size(), reference.size());
            if (count == 0) {
                continue;
            }
            std::vector<double> ratios;
            for (size_t i = 0; i < count; ++i) {
                ratios.push_back(ours[i] / reference[i]);
            }
            const char* unit = units_[pair.ours].c_str();
            printf(
                "%-18s ours %.3f %s, reference %.3f %s: ratio %.3f (repetitions %.3f to %.3f, "
                "%zu pairs)\n",
                pair.label.c_str(), Median(ours), unit, Median(reference), unit,
                Median(ours) / Median(reference), *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()), count);
        }
    }

private:
    static double Median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const size_t middle = values.size() / 2;
        return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    }

    std::vector<BenchmarkPair> pairs_;
    std::map<std::string, std::vector<double>> times_;
    std::map<std::string, std::string> units_;
};

#endif
