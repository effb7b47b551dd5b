#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QMenu>

#include "agent/MiniTask.h"
#include "agent/TrayStatusItem.h"

namespace corvane {
namespace {

TEST(TrayStatusItem, MenuFormOutletsTagAndIcons) {
    const QObject* chosen = nullptr;
    TrayStatusItem item([&](const QObject* sender) { chosen = sender; });
    EXPECT_FALSE(item.HasTray());  // offscreen: the lines are still kept
    auto find = [&](const char* name) { return item.menu()->findChild<QAction*>(name); };
    for (const char* name : {"ApItem", "ChannelItem", "SignalStrengthItem", "WirelessPreference"}) {
        ASSERT_NE(find(name), nullptr) << name;
    }
    item.SetTitle("(60%)");
    item.SetApItemTitle("Network           : CorvaneHome");
    EXPECT_EQ(item.menu()->actions().front()->text(), "(60%)");
    EXPECT_EQ(find("ApItem")->text(), "Network           : CorvaneHome");
    EXPECT_EQ(find("WirelessPreference")->property("tag").toInt(), kOpenPaneTag);
    find("WirelessPreference")->trigger();
    EXPECT_EQ(chosen, find("WirelessPreference"));
    for (int level = 0; level < kSignalIconCount; ++level) {
        EXPECT_FALSE(QIcon(QStringLiteral(":/signal%1").arg(level)).pixmap(22).isNull()) << level;
    }
}

}  // namespace
}  // namespace corvane
