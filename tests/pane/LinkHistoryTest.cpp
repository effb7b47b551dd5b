// The link quality graph on the link status page: under the fields, a
// sample per refresh tick on the one clock, read out as text.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLayout>
#include <QPixmap>
#include <algorithm>
#include <cstring>

#include "platform/qt/NestedLoop.h"
#include "survey/ui/SignalHistoryGraph.h"
#include "tests/pane/PaneFixture.h"

namespace corvane::test {
namespace {

class LinkHistoryTest : public PageTest {
protected:
    CurrentWirelessNetworkController* Page() const { return O().CurrentWirelessNetwork; }
    // The adapter associated with `ssid`/`bssid` at a driver quality of
    // `raw` (the page shows raw x 1.2 + 10, averaged with what it showed).
    void Associated(const char* ssid, uint8_t lastBssidByte, uint32_t raw) {
        const size_t length = std::min<size_t>(std::strlen(ssid), 32);
        Bytes ssidRecord(36, 0);
        WriteLe32(ssidRecord.data(), uint32_t(length));
        std::memcpy(ssidRecord.data() + 4, ssid, length);
        driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(0));
        driver_->SetAnswer(OID_802_11_SSID, ssidRecord);
        driver_->SetAnswer(OID_802_11_BSSID, {0x02, 0, 0, 0, 0, lastBssidByte});
        Bytes link(20, 0);
        WriteLe32(link.data() + 4, raw);
        driver_->SetAnswer(OID_VX_LINK_STATUS, link);
    }
    void Disassociated() { driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(1)); }
    // One tick of the page's own timer, a second after the last.
    void RefreshTick() {
        clock_.Advance(1000000);
        QMetaObject::invokeMethod(Page()->Timer(), "timeout", Qt::DirectConnection);
    }
    QString Description() const { return Page()->History()->accessibleDescription(); }
};

TEST_F(LinkHistoryTest, SitsUnderTheFields) {
    auto* graph = Find<SignalHistoryGraph>(Page(), kSignalHistoryObjectName);
    ASSERT_EQ(graph, Page()->History());
    EXPECT_TRUE(graph->isVisibleTo(Page()));
    auto* fields = Find<QGroupBox>(Page(), "CurrentNetworkGroup");
    Page()->layout()->activate();
    EXPECT_GE(graph->geometry().top(), fields->geometry().bottom());
    EXPECT_EQ(Description(), "Link quality over the last 5 minutes: no samples yet");
}

TEST_F(LinkHistoryTest, OneSamplePerRefreshTickReadOut) {
    Page()->StartTimer();
    Associated("Home", 1, 50);  // 70
    RefreshTick();
    EXPECT_EQ(
        Description(),
        "Link quality over the last 5 minutes: now 70 %, lowest 70 %, highest 70 %, mean 70 %");
    Associated("Home", 1, 75);  // 100, shown as (70 + 100) / 2
    RefreshTick();
    Disassociated();
    RefreshTick();
    Associated("Home", 2, 0);  // 10, shown as (85 + 10) / 2 rounded up: a roam
    RefreshTick();

    const SignalHistory& history = Page()->History()->History();
    ASSERT_EQ(history.Samples().size(), 4u);
    EXPECT_EQ(history.Samples()[1].atUs - history.Samples()[0].atUs, 1000000u)
        << "stamped with the one clock";
    EXPECT_TRUE(history.Samples()[3].networkChanged);
    EXPECT_EQ(
        Description(),
        "Link quality over the last 5 minutes: now 48 %, lowest 48 %, highest 85 %, mean 68 %");
    EXPECT_EQ(Page()->History()->toolTip(), Description());
    EXPECT_FALSE(Page()->History()->grab().isNull());  // paints the line, the gap and the mark

    // A tick that comes during another operation's wait is skipped: no sample.
    {
        platform::NestedLoopScope wait;
        RefreshTick();
    }
    EXPECT_EQ(history.Samples().size(), 4u);
}

}  // namespace
}  // namespace corvane::test
