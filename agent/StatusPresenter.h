// What the agent shows: the status item (title and signal icon) and the
// three information lines of its menu. MiniTask only talks to this
// interface, so its ticks run and can be checked without any window; the
// tray icon is one implementation, a recording one serves the tests.
#pragma once

#include <string>

namespace corvane {

// Icon levels: kNoImage, or 0..5 for the icons "signal0" .. "signal5".
inline constexpr int kNoImage = -1;
inline constexpr int kSignalIconCount = 6;

class StatusPresenter {
public:
    virtual ~StatusPresenter() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetImage(int level) = 0;
    virtual void SetApItemTitle(const std::string& title) = 0;
    virtual void SetChannelItemTitle(const std::string& title) = 0;
    virtual void SetSignalStrengthItemTitle(const std::string& title) = 0;
};

// Keeps only the latest of each; counts how often the status item changed.
class LastStatus : public StatusPresenter {
public:
    void SetTitle(const std::string& t) override {
        title = t;
        ++titleChanges;
    }
    void SetImage(int level) override { image = level; }
    void SetApItemTitle(const std::string& t) override { apItem = t; }
    void SetChannelItemTitle(const std::string& t) override { channelItem = t; }
    void SetSignalStrengthItemTitle(const std::string& t) override { signalStrengthItem = t; }

    std::string title;
    int image = kNoImage;
    std::string apItem, channelItem, signalStrengthItem;
    int titleChanges = 0;
};

}  // namespace corvane
