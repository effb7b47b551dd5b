// nl80211_record_answers IFNAME: asks the kernel what corvane-nl80211d asks
// and the unit tests replay (the interface, the scan results, the stations,
// the regulatory domain; not the phy) and prints every answer message as one
// JSON line,
// {"request": ..., "message": hex}. The real-radio virtual machine runs it
// to record the answers the unit tests read (scripts/realradio/run-test.sh
// BUILD record).
#include <linux/netlink.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "driver/nl80211/KernelStack.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: nl80211_record_answers IFNAME\n");
        return 2;
    }
    corvane::nl80211::KernelStack stack(argv[1]);
    std::string request;
    stack.SetTap([&](const nlmsghdr* m) {
        static const char digits[] = "0123456789abcdef";
        std::string hex;
        const auto* bytes = reinterpret_cast<const uint8_t*>(m);
        for (uint32_t i = 0; i < m->nlmsg_len; ++i) {
            hex.push_back(digits[bytes[i] >> 4]);
            hex.push_back(digits[bytes[i] & 0xF]);
        }
        std::printf("%s\n", nlohmann::json{{"request", request}, {"message", hex}}.dump().c_str());
    });
    request = "interface";
    const auto info = stack.Interface();
    if (!info) {
        std::fprintf(stderr, "nl80211_record_answers: no interface %s (%s)\n", argv[1],
                     stack.Problem().c_str());
        return 1;
    }
    request = "scan";
    stack.ScanResults(info->ifindex);
    request = "station";
    stack.Stations(info->ifindex);
    request = "regulatory";
    stack.Regulatory();
    return 0;
}
