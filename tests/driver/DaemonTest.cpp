// The daemon over its real sockets: published in a temporary registry,
// answering user-client calls and control commands, surviving garbage and
// stalled clients, and cleaning up on SIGTERM.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "adapter/Oids.h"
#include "platform/WireFormat.h"
#include "tests/support/TempFolders.h"

extern char** environ;

namespace corvane::sim {
namespace {

namespace wire = platform::wire;

bool Exists(const std::string& path) {
    struct stat st{};
    return lstat(path.c_str(), &st) == 0;
}

int Connect(const std::string& path) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool SendAll(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        ssize_t k = send(fd, p, n, MSG_NOSIGNAL);
        if (k <= 0) return false;
        p += k;
        n -= size_t(k);
    }
    return true;
}

// Reads exactly n bytes within two seconds; fewer when the peer closes.
std::vector<uint8_t> ReadExactly(int fd, size_t n) {
    std::vector<uint8_t> out;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (out.size() < n && std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        uint8_t buffer[4096];
        ssize_t k = recv(fd, buffer, std::min(sizeof buffer, n - out.size()), 0);
        if (k <= 0) break;
        out.insert(out.end(), buffer, buffer + k);
    }
    return out;
}

std::pair<int, std::string> RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, ""};
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

class Daemon : public ::testing::Test {
protected:
    void SetUp() override {
        journal_ = registry_.Path() + "/../simdriver-journal.jsonl";
        const std::vector<std::string> args = {CORVANE_SIMDRIVER_EXE, "--registry",
                                               registry_.Path(), "--journal", journal_,
                                               "--instance", "t1"};
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        service_ = registry_.SocketPath("OspreyUSBWirelessDriver", "t1");
        control_ = registry_.Path() + "/.simctl@t1";
        for (int i = 0; i < 200 && !(Exists(service_) && Exists(control_)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(Exists(service_) && Exists(control_));
    }
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::remove(journal_.c_str());
    }
    std::pair<int, std::string> Ctl(const std::string& args) {
        return RunCommand(std::string(CORVANE_SIMCTL_EXE) + " --registry " + registry_.Path() +
                   " --instance t1 " + args + " 2>&1");
    }
    // Opens a user client over the socket; -1 when refused.
    int OpenClient() {
        int fd = Connect(service_);
        if (fd < 0) return -1;
        const auto open = wire::Encode(wire::Open{wire::kVersion, 0});
        SendAll(fd, open.data(), open.size());
        const auto answer = ReadExactly(fd, wire::kOpenAnswerSize);
        if (answer.size() != wire::kOpenAnswerSize || wire::DecodeOpenAnswer(answer.data())->result)
            return close(fd), -1;
        return fd;
    }
    std::optional<uint32_t> QueryU32(int fd, uint32_t selector) {
        std::vector<uint8_t> frame(wire::kCallHeaderSize + 4, 0);
        const auto header = wire::Encode(wire::CallHeader{selector, 4, 4});
        std::copy(header.begin(), header.end(), frame.begin());
        if (!SendAll(fd, frame.data(), frame.size())) return std::nullopt;
        const auto head = ReadExactly(fd, wire::kCallAnswerHeaderSize);
        if (head.size() != wire::kCallAnswerHeaderSize) return std::nullopt;
        const auto decoded = wire::DecodeCallAnswerHeader(head.data(), 4);
        if (!decoded || decoded->result != 0 || decoded->outputLength != 4) return std::nullopt;
        const auto body = ReadExactly(fd, 4);
        if (body.size() != 4) return std::nullopt;
        return wire::Get32(body.data());
    }

    corvane::test::TempRegistry registry_;
    std::string journal_, service_, control_;
    pid_t pid_ = -1;
};

TEST_F(Daemon, ServesClientsAndControlAndStopsCleanly) {
    auto [rc, out] = Ctl("status");
    ASSERT_EQ(rc, 0) << out;
    const nlohmann::json status = nlohmann::json::parse(out);
    EXPECT_EQ(status["present"], true);
    EXPECT_EQ(status["associated"], false);
    for (const char* field : {"ssid", "bssid", "channel", "infrastructure_mode", "auth_mode",
                              "encryption", "radio", "tx_power", "preamble", "rts", "frag",
                              "power_mode", "client_64bit", "keys", "psk_installed", "scans"})
        EXPECT_TRUE(status.contains(field)) << field;

    // A garbage sender is dropped; a client that stalls halfway through its
    // open holds nobody up.
    int garbage = Connect(service_);
    ASSERT_GE(garbage, 0);
    const uint8_t junk[] = "GARBAGE-GARBAGE-GARBAGE";
    SendAll(garbage, junk, sizeof junk);
    EXPECT_TRUE(ReadExactly(garbage, 1).empty()) << "connection closed without an answer";
    close(garbage);
    int stalled = Connect(service_);
    ASSERT_GE(stalled, 0);
    const auto open = wire::Encode(wire::Open{wire::kVersion, 0});
    SendAll(stalled, open.data(), 6);

    int client = OpenClient();
    ASSERT_GE(client, 0);
    EXPECT_EQ(QueryU32(client, OID_GEN_MEDIA_CONNECT_STATUS), kMediaDisconnected);
    EXPECT_EQ(QueryU32(client, OID_VX_COUNTRY_REGION), 0x81u);
    EXPECT_EQ(Ctl("status").first, 0);

    // Commands reach the model; bad ones fail with a message.
    EXPECT_EQ(Ctl("radio off").first, 0);
    EXPECT_EQ(nlohmann::json::parse(Ctl("status").second)["radio"], false);
    EXPECT_NE(Ctl("radio sideways").first, 0);
    EXPECT_NE(Ctl("rssi 00:0C:43:A1:00:99 -50").first, 0);
    EXPECT_EQ(Ctl("rssi 00:0C:43:A1:00:02 -70").first, 0);
    EXPECT_EQ(Ctl("add-network '{\"ssid\":\"New\",\"bssid\":\"00:00:00:00:00:77\",\"channel\":3}'")
                  .first,
              0);
    EXPECT_NE(Ctl("add-network '{\"ssid\":\"New\"}'").first, 0);
    EXPECT_EQ(Ctl("remove-network 00:00:00:00:00:77").first, 0);

    // Unplug takes the service away and breaks open clients; plug brings it back.
    EXPECT_EQ(Ctl("unplug").first, 0);
    EXPECT_FALSE(Exists(service_));
    EXPECT_FALSE(QueryU32(client, OID_GEN_MEDIA_CONNECT_STATUS));
    close(client);
    EXPECT_EQ(nlohmann::json::parse(Ctl("status").second)["present"], false);
    EXPECT_EQ(Ctl("plug").first, 0);
    client = OpenClient();
    ASSERT_GE(client, 0);
    EXPECT_EQ(QueryU32(client, OID_GEN_MEDIA_CONNECT_STATUS), kMediaDisconnected);
    close(client);
    close(stalled);

    // The journal holds the calls in order.
    std::ifstream journal(journal_);
    std::string line;
    std::vector<nlohmann::json> lines;
    while (std::getline(journal, line)) lines.push_back(nlohmann::json::parse(line));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0]["selector"], OID_GEN_MEDIA_CONNECT_STATUS);
    EXPECT_EQ(lines[0]["output"], "01000000");
    EXPECT_EQ(lines[1]["selector"], OID_VX_COUNTRY_REGION);

    ASSERT_EQ(kill(pid_, SIGTERM), 0);
    int wstatus = 0;
    ASSERT_EQ(waitpid(pid_, &wstatus, 0), pid_);
    pid_ = -1;
    EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0);
    EXPECT_FALSE(Exists(service_));
    EXPECT_FALSE(Exists(control_));
    auto [rcAfter, message] = Ctl("status");
    EXPECT_NE(rcAfter, 0);
    EXPECT_NE(message.find("no simulated driver"), std::string::npos) << message;
}

TEST_F(Daemon, SecondDaemonOnTheSameInstanceIsRefused) {
    auto [rc, out] = RunCommand(std::string(CORVANE_SIMDRIVER_EXE) + " --registry " + registry_.Path() +
                         " --instance t1 2>&1");
    EXPECT_NE(rc, 0);
    EXPECT_NE(out.find("another driver"), std::string::npos) << out;
    EXPECT_EQ(Ctl("status").first, 0) << "the first one still serves";
}

}  // namespace
}  // namespace corvane::sim
