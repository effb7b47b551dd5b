// The wpa_supplicant control client and the readers of its replies.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

#include "driver/nl80211/SupplicantReplies.h"
#include "driver/nl80211/WpaControl.h"
#include "tests/support/TempFolders.h"

namespace corvane::nl80211 {
namespace {

int BoundDatagramSocket(const std::string& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    return fd;
}

TEST(WpaControl, AnswersAndEveryWayOfNotReachingWpaSupplicant) {
    const std::string folder = corvane::test::MakeTempFolder("corvane-wpa");
    // A control socket that answers each command with "<command> done".
    const int answering = BoundDatagramSocket(folder + "/wlan0");
    std::thread server([answering] {
        char buffer[256];
        sockaddr_un from{};
        socklen_t length = sizeof from;
        const ssize_t n = recvfrom(answering, buffer, sizeof buffer, 0,
                                   reinterpret_cast<sockaddr*>(&from), &length);
        const std::string reply = std::string(buffer, size_t(n)) + " done";
        sendto(answering, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from),
               length);
    });
    const int silent = BoundDatagramSocket(folder + "/wlan1");
    close(BoundDatagramSocket(folder + "/wlan2"));  // left over

    const struct {
        const char* interface;
        std::optional<std::string> reply;
        const char* problem;
    } rows[] = {
        {"wlan0", "PING done", ""},
        {"wlan1", std::nullopt, "did not answer within 200 ms"},
        {"wlan2", std::nullopt, "is left over from a wpa_supplicant that no longer runs"},
        {"wlan3", std::nullopt, "no wpa_supplicant control socket at"},
    };
    for (const auto& row : rows) {
        WpaControl control(folder + "/" + row.interface, 200);
        EXPECT_EQ(control.Request("PING"), row.reply) << row.interface;
        EXPECT_NE(control.Problem().find(row.problem), std::string::npos) << control.Problem();
    }
    server.join();
    close(answering);
    close(silent);
    std::system(("rm -rf '" + folder + "'").c_str());
}

TEST(SupplicantReplies, SsidEscapesStatusLinesAndNetworkLists) {
    const std::pair<std::string, std::string> ssids[] = {
        {"Plain name", "Plain name"},
        {"a\\\"quote\\\" and \\\\", "a\"quote\" and \\"},
        {"\\xe2\\x98\\x95\\x00end", std::string("\xe2\x98\x95\0end", 7)},
        {"\\e\\n\\r\\t", "\033\n\r\t"},
        {"bad \\xZ1 and trailing \\", "bad \\xZ1 and trailing \\"},
    };
    for (const auto& [text, bytes] : ssids) EXPECT_EQ(UnescapeSsid(text), bytes) << text;

    const SupplicantStatus s =
        ReadStatus("bssid=02:00:00:00:00:0a\nfreq=5180\nssid=Caf\\xc3\\xa9\nwpa_state=COMPLETED\n");
    EXPECT_TRUE(s.Completed());
    EXPECT_EQ(s.bssid, (Mac{2, 0, 0, 0, 0, 10}));
    EXPECT_EQ(s.frequencyMhz, 5180u);
    EXPECT_EQ(s.ssid, "Caf\xc3\xa9");
    EXPECT_FALSE(ReadStatus("bssid=02:00:00:00:00\nwpa_state=SCANNING\n").bssid);

    EXPECT_EQ(
        NetworkIds(
            "network id / ssid / bssid / flags\n0\tHome\tany\t[DISABLED]\n12\tLab\tany\t\nx\t\n"),
        (std::vector<int>{0, 12}));
    EXPECT_EQ(NetworkId("7\n"), 7);
    EXPECT_FALSE(NetworkId("FAIL\n"));
    EXPECT_FALSE(NetworkId("-1"));
}

}  // namespace
}  // namespace corvane::nl80211
