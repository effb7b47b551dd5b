// The request path through the socket, against the simulated driver running
// as a separate process: the median time of one query round trip (search,
// open, call, close) and of reading a scan list of 60 networks.
//
//   bench_request_path [ROUNDS]
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "platform/Clock.h"
#include "platform/Registry.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Waits cost nothing here, so that a scan-list read measures the requests
// and not the 5 ms poll before the first chunk.
class NoWaitClock : public platform::Clock {
public:
    uint64_t NowMicroseconds() override { return platform::SystemClock().NowMicroseconds(); }
    void SleepMicroseconds(uint64_t) override {}
};

std::string WriteEnvironment(const std::string& folder, int networks) {
    std::string path = folder + "/bench-environment.json";
    std::ofstream out(path);
    out << "{\"adapter\": {\"kind\": \"osprey\", \"ready_delay_ms\": 0}, \"networks\": [\n";
    const char* kinds[] = {"open", "wep", "wpa-psk", "wpa2-psk", "wpa-psk/wpa2-psk"};
    for (int i = 0; i < networks; ++i) {
        char bssid[18];
        std::snprintf(bssid, sizeof bssid, "02:00:00:00:%02X:%02X", i / 256, i % 256);
        std::string security = kinds[i % 5];
        out << (i ? ",\n" : "") << "{\"ssid\": \"BenchNet" << i << "\", \"bssid\": \"" << bssid
            << "\", \"channel\": " << (1 + i % 11) << ", \"rssi\": " << (-40 - i % 50)
            << ", \"security\": \"" << security << "\"";
        if (security == "wep")
            out << ", \"wep_keys\": [\"abcde\"]";
        else if (security != "open")
            out << ", \"passphrase\": \"benchmark passphrase\"";
        out << "}";
    }
    out << "]}\n";
    return path;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

template <typename F>
std::vector<double> Time(int rounds, F&& f) {
    std::vector<double> us;
    us.reserve(size_t(rounds));
    for (int i = 0; i < rounds; ++i) {
        auto t0 = Clock::now();
        f();
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    return us;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
    char folderTemplate[] = "/tmp/corvane-bench-XXXXXX";
    if (!mkdtemp(folderTemplate)) return 1;
    const std::string folder = folderTemplate;
    const std::string registry = folder + "/registry";
    setenv("CORVANE_IOREGISTRY", registry.c_str(), 1);
    const std::string environment = WriteEnvironment(folder, 60);

    pid_t driver = 0;
    std::vector<std::string> args = {CORVANE_SIMDRIVER, "--environment", environment};
    std::vector<char*> argvDriver;
    for (auto& a : args) argvDriver.push_back(a.data());
    argvDriver.push_back(nullptr);
    if (posix_spawn(&driver, CORVANE_SIMDRIVER, nullptr, nullptr, argvDriver.data(), environ) !=
        0) {
        std::fprintf(stderr, "cannot start %s\n", CORVANE_SIMDRIVER);
        return 1;
    }

    corvane::__DEBUG__ = 0;
    corvane::KestrelAccess adapter;
    uint8_t word[4];
    uint64_t returned = 0;
    bool up = false;
    for (int i = 0; i < 200 && !up; ++i) {
        up = adapter.OidQueryInformation(corvane::OID_GEN_MEDIA_CONNECT_STATUS, word, 4, &returned);
        if (!up) usleep(20000);
    }
    if (!up) {
        std::fprintf(stderr, "the simulated driver did not come up\n");
        kill(driver, SIGTERM);
        return 1;
    }

    auto query = Time(rounds, [&] {
        adapter.OidQueryInformation(corvane::OID_GEN_MEDIA_CONNECT_STATUS, word, 4, &returned);
    });

    // Start one scan and wait for it with the real clock, then read the list.
    adapter.RescanBssidList();
    NoWaitClock noWait;
    platform::ScopedClock guard(noWait);
    adapter.QueryBssidList();
    const uint32_t listed = corvane::ReadLe32(corvane::G_pBssidList);
    const int listRounds = std::max(10, rounds / 10);
    auto list = Time(listRounds, [&] { adapter.QueryBssidList(); });

    std::printf(
        "query round trip (search, open, call, close): median %.1f us, p90 %.1f us over %d\n",
        Median(query), Percentile(query, 0.9), rounds);
    std::printf(
        "scan-list read of %u networks: median %.1f us, p90 %.1f us over %d (poll wait excluded)\n",
        listed, Median(list), Percentile(list, 0.9), listRounds);

    kill(driver, SIGTERM);
    int status = 0;
    waitpid(driver, &status, 0);
    std::string cleanup = "rm -rf '" + folder + "'";
    if (std::system(cleanup.c_str()) != 0) return 1;
    return listed == 60 ? 0 : 1;
}
