#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "adapter/Oids.h"
#include "survey/LinkStatus.h"
#include "tests/adapter/AdapterFixture.h"

namespace corvane::test {
namespace {

using ::testing::ElementsAre;

using LinkStatusTest = AdapterTest;

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words) {
    std::vector<uint8_t> b;
    for (uint32_t w : words) {
        auto le = Le32(w);
        b.insert(b.end(), le.begin(), le.end());
    }
    return b;
}

void ScriptAssociated(RecordingUserClientProvider& d, uint32_t mode, uint32_t khz, uint32_t raw) {
    d.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, Le32(kMediaConnected));
    std::vector<uint8_t> ssid(36, 0);
    WriteLe32(ssid.data(), 32);
    std::memset(ssid.data() + 4, 'N', 32);
    d.SetAnswer(OID_802_11_SSID, ssid);
    d.SetAnswer(OID_802_11_BSSID, {0x00, 0x1a, 0x2b, 0xc3, 0xd4, 0xe5});
    d.SetAnswer(OID_802_11_INFRASTRUCTURE_MODE, Le32(mode));
    d.SetAnswer(OID_802_11_CONFIGURATION, Words({32, 100, 0, khz, 0, 0, 0, 0}));
    d.SetAnswer(OID_VX_LINK_STATUS, Words({0, raw, 5, 6, 0}));
}

TEST_F(LinkStatusTest, AssociatedShowsEveryField) {
    ScriptAssociated(driver_, 1, 2437000, 50);
    G_bDeviceExist = 1;
    uint32_t quality = 0;
    LinkStatusView v = ReadLinkStatus(*adapter_, quality);
    EXPECT_EQ(v.linkState, "Connected");
    EXPECT_EQ(v.networkName, std::string(32, 'N')) << "a 32-byte name is shown whole";
    EXPECT_EQ(v.bssid, "00-1A-2B-C3-D4-E5");
    EXPECT_EQ(v.networkType, "Infrastructure");
    EXPECT_EQ(v.channel, "6 (2.437 GHz)");
    EXPECT_EQ(v.attachedState, "");
    EXPECT_EQ(v.signalStrength, 70u);
    EXPECT_EQ(quality, 70u);
    EXPECT_EQ(driver_.CallsFor(OID_802_11_SSID)[0].outputCapacity, 37u);
}

TEST_F(LinkStatusTest, TypeAndChannelTexts) {
    struct Case {
        uint32_t mode, khz;
        const char *type, *channel;
    };
    const Case cases[] = {
        {0, 5180000, "Ad Hoc", "36 (5.180 GHz)"},
        {2, 2484000, "", "14 (2.484 GHz)"},
        {1, 2400000, "Infrastructure", "0"},
    };
    for (const Case& c : cases) {
        ScriptAssociated(driver_, c.mode, c.khz, 0);
        uint32_t quality = 0;
        LinkStatusView v = ReadLinkStatus(*adapter_, quality);
        EXPECT_EQ(v.networkType, c.type);
        EXPECT_EQ(v.channel, c.channel);
        EXPECT_EQ(v.signalStrength, 10u);
    }
}

TEST_F(LinkStatusTest, NotAssociatedWords) {
    struct Case {
        bool deviceExists, mediaAnswers, radioFlag;
        uint32_t hwRadio;
        const char* linkState;
        bool queriesStaConfig;
    };
    const Case cases[] = {
        {false, true, true, 1, "No connection", false},
        {true, false, true, 1, "No connection", false},
        {true, true, true, 1, "Disconnected", true},
        {true, true, true, 0, "Radio OFF", true},
        {true, true, false, 1, "Radio OFF", false},
    };
    for (const Case& c : cases) {
        driver_.ClearCalls();
        driver_.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, Le32(kMediaDisconnected),
                          c.mediaAnswers ? platform::KERN_SUCCESS : platform::kIOReturnError);
        std::vector<uint8_t> sta(32, 0);
        WriteLe32(sta.data() + 20, c.hwRadio);
        driver_.SetAnswer(OID_VX_STA_CONFIG, sta);
        G_bDeviceExist = c.deviceExists;
        G_bRadio = c.radioFlag;
        uint32_t quality = 55;
        LinkStatusView v = ReadLinkStatus(*adapter_, quality);
        EXPECT_EQ(v.linkState, c.linkState);
        EXPECT_EQ(v.networkName, "None");
        EXPECT_EQ(v.networkType, "None");
        EXPECT_EQ(v.channel, "None");
        EXPECT_EQ(v.bssid, "None");
        EXPECT_EQ(v.attachedState, "No wireless connection");
        EXPECT_EQ(v.signalStrength, 0u);
        EXPECT_EQ(quality, 55u) << "the smoothed value survives the link going down";
        EXPECT_EQ(driver_.CallsFor(OID_VX_STA_CONFIG).size(), c.queriesStaConfig ? 1u : 0u);
    }
}

TEST_F(LinkStatusTest, FailedQueriesWhileConnectedReadAsZero) {
    driver_.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, Le32(kMediaConnected));
    for (uint32_t oid : {OID_802_11_SSID, OID_802_11_BSSID, OID_802_11_INFRASTRUCTURE_MODE,
                         OID_802_11_CONFIGURATION, OID_VX_LINK_STATUS})
        driver_.SetResult(oid, platform::kIOReturnError);
    uint32_t quality = 0;
    LinkStatusView v = ReadLinkStatus(*adapter_, quality);
    EXPECT_EQ(v.networkName, "");
    EXPECT_EQ(v.bssid, "00-00-00-00-00-00");
    EXPECT_EQ(v.networkType, "Ad Hoc");
    EXPECT_EQ(v.channel, "0");
    EXPECT_EQ(v.signalStrength, 10u);
}

}  // namespace
}  // namespace corvane::test
