// Parse + encode + free of realistic EMV records, and the general reader's walk of
// ber_reader_walk.h, next to the OpenSSL reference walk of asn1_reference_walk.h over the same
// records, in one binary and run. Every benchmark runs on two workloads: the five-record corpus
// and its largest element alone (259 bytes, 85 children). Run with repetitions and random
// interleaving; the run ends with the ratios of our rates to the reference's per workload.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "bench/asn1_reference_walk.h"
#include "bench/ber_reader_walk.h"
#include "core/tlv.h"
#include "support/tlv_samples.h"

namespace {

const std::vector<TlvSample>& Corpus() {
    return EmvRecords();
}

const std::vector<TlvSample>& Largest() {
    static const std::vector<TlvSample> largest = {EmvRecords().back()};
    return largest;
}

void SetCounters(benchmark::State& state, const std::vector<TlvSample>& records) {
    size_t bytes = 0;
    for (const TlvSample& record : records) {
        bytes += record.bytes.size();
    }
    state.counters["records/s"] = benchmark::Counter(static_cast<double>(records.size()),
                                                     benchmark::Counter::kIsIterationInvariantRate);
    state.counters["per_byte"] = benchmark::Counter(
        static_cast<double>(bytes),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void ParseEncodeFree(benchmark::State& state, const std::vector<TlvSample>& records) {
    uint8_t encoded[TLV_ENCODE_BUFFER_SIZE];
    for (auto _ : state) {
        for (const TlvSample& record : records) {
            TlvNode* root = nullptr;
            uint32_t constructed = 0;
            TlvParse(record.bytes.data(), static_cast<uint16_t>(record.bytes.size()), &root,
                     &constructed);
            uint16_t length = 0;
            TlvEncode(encoded, root, &length, 0);
            benchmark::DoNotOptimize(length);
            TlvFree(root);
        }
    }
    SetCounters(state, records);
}

void OpenSslWalk(benchmark::State& state, const std::vector<TlvSample>& records) {
    for (auto _ : state) {
        for (const TlvSample& record : records) {
            Asn1NodeArray nodes;
            const bool walked = Asn1BuildNodes(record.bytes.data(), record.bytes.size(), &nodes);
            benchmark::DoNotOptimize(walked);
            benchmark::DoNotOptimize(nodes.nodes.get());
        }
    }
    SetCounters(state, records);
}

void BerReaderWalk(benchmark::State& state, const std::vector<TlvSample>& records) {
    for (auto _ : state) {
        for (const TlvSample& record : records) {
            BerNodeArray nodes;
            const bool walked = BerBuildNodes(record.bytes.data(), record.bytes.size(), &nodes);
            benchmark::DoNotOptimize(walked);
            benchmark::DoNotOptimize(nodes.nodes.get());
        }
    }
    SetCounters(state, records);
}

void BM_TlvParseEncodeFree_Corpus(benchmark::State& state) {
    ParseEncodeFree(state, Corpus());
}
void BM_OpenSslWalk_Corpus(benchmark::State& state) {
    OpenSslWalk(state, Corpus());
}
void BM_TlvParseEncodeFree_Largest(benchmark::State& state) {
    ParseEncodeFree(state, Largest());
}
void BM_OpenSslWalk_Largest(benchmark::State& state) {
    OpenSslWalk(state, Largest());
}
void BM_BerReaderWalk_Corpus(benchmark::State& state) {
    BerReaderWalk(state, Corpus());
}
void BM_BerReaderWalk_Largest(benchmark::State& state) {
    BerReaderWalk(state, Largest());
}
BENCHMARK(BM_TlvParseEncodeFree_Corpus);
BENCHMARK(BM_OpenSslWalk_Corpus);
BENCHMARK(BM_TlvParseEncodeFree_Largest);
BENCHMARK(BM_OpenSslWalk_Largest);
BENCHMARK(BM_BerReaderWalk_Corpus);
BENCHMARK(BM_BerReaderWalk_Largest);

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Prints the usual table, then per workload the ratio of the median rates (ours over the
// reference's) and the lowest and highest ratio of the i-th repetitions of both.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With --benchmark_report_aggregates_only only the aggregates arrive: the median
        // then stands for the repetitions.
        for (const Run& run : runs) {
            auto found = run.counters.find("records/s");
            if (found == run.counters.end()) {
                continue;
            }
            if (run.run_type == Run::RT_Iteration) {
                rates_[run.run_name.function_name].push_back(found->second.value);
            } else if (run.aggregate_name == "median") {
                medians_[run.run_name.function_name] = found->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        printf("\n");
        for (const auto& median : medians_) {
            if (rates_[median.first].empty()) {
                rates_[median.first].push_back(median.second);
            }
        }
        const struct {
            const char* benchmark;
            const char* label;
        } ours[] = {{"BM_TlvParseEncodeFree_", "parse+encode+free"},
                    {"BM_BerReaderWalk_", "general reader walk"}};
        for (const auto& subject : ours) {
            for (const char* workload : {"Corpus", "Largest"}) {
                PrintRatio(subject.label, rates_[std::string(subject.benchmark) + workload],
                           rates_[std::string("BM_OpenSslWalk_") + workload], workload);
            }
        }
    }

private:
    static void PrintRatio(const char* label, const std::vector<double>& ours,
                           const std::vector<double>& reference, const char* workload) {
        const size_t pairs = std::min(ours.size(), reference.size());
        if (pairs == 0) {
            return;
        }
        std::vector<double> ratios;
        for (size_t i = 0; i < pairs; ++i) {
            ratios.push_back(ours[i] / reference[i]);
        }
        printf(
            "%-8s %s %.2f M records/s, OpenSSL walk %.2f M records/s: ratio %.2f (repetitions "
            "%.2f to %.2f, %zu pairs)\n",
            workload, label, Median(ours) / 1e6, Median(reference) / 1e6,
            Median(ours) / Median(reference), *std::min_element(ratios.begin(), ratios.end()),
            *std::max_element(ratios.begin(), ratios.end()), pairs);
    }

    std::map<std::string, std::vector<double>> rates_;
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
