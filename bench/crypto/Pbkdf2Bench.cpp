// WPA passphrase-to-key derivation against OpenSSL's PBKDF2-HMAC-SHA1 on the
// same inputs, in one process. Before timing, the outputs are checked to be
// identical; at the end the ratio of the times (ours / OpenSSL) is printed.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "crypto/MathFunc.h"
#include "crypto/Pbkdf2Engine.h"

namespace {

using corvane::detail::Sha1Engine;

const char kPassphrase[] = "correct horse battery";  // 21 characters
const unsigned char kSsid[] = "HomeNet-5G";          // 10 bytes
constexpr int kSsidLen = 10;

void OpenSslPsk(unsigned char out[32]) {
    PKCS5_PBKDF2_HMAC_SHA1(kPassphrase, int(std::strlen(kPassphrase)), kSsid, kSsidLen, 4096, 32,
                           out);
}

void BM_PasswordHash(benchmark::State& state) {
    unsigned char out[corvane::kPasswordHashOutputLen];
    for (auto _ : state) {
        corvane::PasswordHash(kPassphrase, kSsid, kSsidLen, out);
        benchmark::DoNotOptimize(out);
    }
}

void BM_PasswordHashPortable(benchmark::State& state) {
    unsigned char out[corvane::kPasswordHashOutputLen];
    for (auto _ : state) {
        corvane::detail::PasswordHash(Sha1Engine::Portable, kPassphrase, kSsid, kSsidLen, out);
        benchmark::DoNotOptimize(out);
    }
}

void BM_OpenSslPbkdf2(benchmark::State& state) {
    unsigned char out[32];
    for (auto _ : state) {
        OpenSslPsk(out);
        benchmark::DoNotOptimize(out);
    }
}

BENCHMARK(BM_PasswordHash)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PasswordHashPortable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenSslPbkdf2)->Unit(benchmark::kMicrosecond);

// Console output as usual, plus the fastest real and CPU time per iteration
// of each benchmark (over repetitions), for the ratio. The CPU time is the
// steadier figure on a loaded machine.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const double toUs = 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            Times& t = best_[run.run_name.function_name];
            const double real = run.GetAdjustedRealTime() * toUs;
            const double cpu = run.GetAdjustedCPUTime() * toUs;
            if (t.real == 0 || real < t.real) t.real = real;
            if (t.cpu == 0 || cpu < t.cpu) t.cpu = cpu;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    struct Times {
        double real = 0, cpu = 0;
    };
    Times Best(const std::string& name) const {
        auto it = best_.find(name);
        return it == best_.end() ? Times{} : it->second;
    }

private:
    std::map<std::string, Times> best_;
};

bool OutputsIdentical() {
    unsigned char ours[corvane::kPasswordHashOutputLen], portable[corvane::kPasswordHashOutputLen];
    unsigned char theirs[32];
    corvane::PasswordHash(kPassphrase, kSsid, kSsidLen, ours);
    corvane::detail::PasswordHash(Sha1Engine::Portable, kPassphrase, kSsid, kSsidLen, portable);
    OpenSslPsk(theirs);
    return std::memcmp(ours, theirs, 32) == 0 && std::memcmp(portable, theirs, 32) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!OutputsIdentical()) {
        std::fprintf(stderr, "PasswordHash and PKCS5_PBKDF2_HMAC_SHA1 disagree\n");
        return 1;
    }
    std::printf("outputs identical: yes; engine: %s\n",
                corvane::detail::ShaNiSupported() ? "SHA extensions" : "portable");

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const RatioReporter::Times ours = reporter.Best("BM_PasswordHash");
    const RatioReporter::Times portable = reporter.Best("BM_PasswordHashPortable");
    const RatioReporter::Times openssl = reporter.Best("BM_OpenSslPbkdf2");
    if (ours.cpu > 0 && openssl.cpu > 0) {
        std::printf("CPU time:  PasswordHash %.0f us, portable engine %.0f us, OpenSSL %.0f us\n",
                    ours.cpu, portable.cpu, openssl.cpu);
        std::printf("real time: PasswordHash %.0f us, portable engine %.0f us, OpenSSL %.0f us\n",
                    ours.real, portable.real, openssl.real);
        std::printf("ratio ours/OpenSSL: %.3f CPU, %.3f real (portable engine: %.3f CPU)\n",
                    ours.cpu / openssl.cpu, ours.real / openssl.real, portable.cpu / openssl.cpu);
    }
    return 0;
}
