#include "agent/TrayStatusItem.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QMenu>

#include "agent/MiniTask.h"

namespace corvane {
namespace {

QAction* Item(QMenu* menu, const char* name) { return menu->findChild<QAction*>(name); }

TEST(TrayStatusItem, MenuFormHasTheOutletsAndTheOpenPaneTag) {
    const QObject* chosen = nullptr;
    TrayStatusItem item([&](const QObject* sender) { chosen = sender; });
    QMenu* menu = item.menu();
    for (const char* name : {"ApItem", "ChannelItem", "SignalStrengthItem", "WirelessPreference"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(Item(menu, name), nullptr);
        EXPECT_TRUE(menu->actions().contains(Item(menu, name)));
    }
    EXPECT_EQ(Item(menu, "WirelessPreference")->property("tag").toInt(), kOpenPaneTag);
    EXPECT_FALSE(Item(menu, "ApItem")->isEnabled());
    Item(menu, "WirelessPreference")->trigger();
    EXPECT_EQ(chosen, Item(menu, "WirelessPreference"));
}

TEST(TrayStatusItem, LinesFollowTheControllerWithoutATray) {
    TrayStatusItem item(nullptr);
    EXPECT_FALSE(item.HasTray());  // offscreen
    item.SetTitle("(60%)");
    item.SetApItemTitle("Network           : CorvaneHome");
    item.SetChannelItemTitle("Channel            : 6");
    item.SetSignalStrengthItemTitle("Signal Strength : 60%");
    item.SetImage(3);
    item.SetImage(kNoImage);
    QMenu* menu = item.menu();
    EXPECT_EQ(menu->actions().front()->text(), "(60%)");
    EXPECT_EQ(Item(menu, "ApItem")->text(), "Network           : CorvaneHome");
    EXPECT_EQ(Item(menu, "ChannelItem")->text(), "Channel            : 6");
    EXPECT_EQ(Item(menu, "SignalStrengthItem")->text(), "Signal Strength : 60%");
}

TEST(TrayStatusItem, SixSignalIconsAreResources) {
    for (int level = 0; level < kSignalIconCount; ++level) {
        QIcon icon(QStringLiteral(":/signal%1").arg(level));
        EXPECT_FALSE(icon.pixmap(22, 22).isNull()) << level;
    }
}

}  // namespace
}  // namespace corvane
