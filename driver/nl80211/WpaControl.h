// A client of wpa_supplicant's control interface: text commands over a
// Unix datagram socket, "<ctrl_interface folder>/<interface>". Each request
// uses a socket of its own, bound to an address the kernel picks in the
// abstract namespace (wpa_supplicant answers to it), so nothing is left in
// the file system and a late answer can never be taken for the next one.
#pragma once

#include <string>

#include "driver/nl80211/Stack.h"

namespace corvane::nl80211 {

class WpaControl : public Supplicant {
public:
    WpaControl(std::string socketPath, int timeoutMs = 2000);

    std::optional<std::string> Request(std::string_view command) override;
    // Why the last request failed: no socket, no permission, a socket left
    // over from a wpa_supplicant that is gone, or no answer in time.
    std::string Problem() const override { return problem_; }
    const std::string& SocketPath() const { return path_; }

private:
    std::string path_;
    int timeoutMs_;
    std::string problem_;
};

}  // namespace corvane::nl80211
