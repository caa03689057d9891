// Parse + encode + free of realistic EMV records, next to a walk of the same records with
// OpenSSL's ASN1_get_object that builds an equivalent flat node array, as a reference.
#include <benchmark/benchmark.h>
#include <openssl/asn1.h>

#include <map>
#include <string>
#include <vector>

#include "core/tlv.h"
#include "support/tlv_samples.h"

namespace {

size_t CorpusBytes() {
    size_t total = 0;
    for (const TlvSample& record : EmvRecords()) {
        total += record.bytes.size();
    }
    return total;
}

void SetCounters(benchmark::State& state) {
    const double records = static_cast<double>(EmvRecords().size());
    state.counters["records/s"] =
        benchmark::Counter(records, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["per_byte"] = benchmark::Counter(
        static_cast<double>(CorpusBytes()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_TlvParseEncodeFree(benchmark::State& state) {
    uint8_t encoded[TLV_ENCODE_BUFFER_SIZE];
    for (auto _ : state) {
        for (const TlvSample& record : EmvRecords()) {
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
    SetCounters(state);
}
BENCHMARK(BM_TlvParseEncodeFree);

struct ReferenceNode {
    int tag;
    int tagClass;
    long length;
    const unsigned char* value;
    int parent;
};

// Depth-first walk of one constructed value, appending a node per element.
bool WalkAsn1(const unsigned char* pos, long length, int parent,
              std::vector<ReferenceNode>* nodes) {
    const unsigned char* end = pos + length;
    while (pos < end) {
        long valueLength = 0;
        int tag = 0;
        int tagClass = 0;
        const int flags = ASN1_get_object(&pos, &valueLength, &tag, &tagClass, end - pos);
        if ((flags & 0x80) != 0) {
            return false;
        }
        const int self = static_cast<int>(nodes->size());
        nodes->push_back(ReferenceNode{tag, tagClass, valueLength, pos, parent});
        if ((flags & V_ASN1_CONSTRUCTED) != 0 && !WalkAsn1(pos, valueLength, self, nodes)) {
            return false;
        }
        pos += valueLength;
    }
    return true;
}

void BM_OpenSslAsn1Walk(benchmark::State& state) {
    for (auto _ : state) {
        for (const TlvSample& record : EmvRecords()) {
            // Like the parsed tree, each record's node array is built, owned and released; one
            // allocation suffices, as no record has more elements than bytes.
            std::vector<ReferenceNode> nodes;
            nodes.reserve(record.bytes.size());
            const bool walked =
                WalkAsn1(record.bytes.data(), static_cast<long>(record.bytes.size()), -1, &nodes);
            benchmark::DoNotOptimize(walked);
            benchmark::DoNotOptimize(nodes.data());
        }
    }
    SetCounters(state);
}
BENCHMARK(BM_OpenSslAsn1Walk);

// Prints the usual table, then how our records/s compare with the reference walk.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            auto found = run.counters.find("records/s");
            if (found != run.counters.end()) {
                rates_[run.benchmark_name()] = found->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double ours = rates_["BM_TlvParseEncodeFree"];
        const double reference = rates_["BM_OpenSslAsn1Walk"];
        if (ours > 0 && reference > 0) {
            printf(
                "\nparse+encode+free: %.2f M records/s; OpenSSL walk: %.2f M records/s; "
                "ratio %.2f\n",
                ours / 1e6, reference / 1e6, ours / reference);
        }
    }

private:
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
