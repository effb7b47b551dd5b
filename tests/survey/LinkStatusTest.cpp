// The link status page's words: what an association shows, and what shows
// when there is none.
#include <gtest/gtest.h>

#include <cstring>

#include "adapter/Oids.h"
#include "survey/LinkStatus.h"
#include "tests/adapter/AdapterFixture.h"
#include "tests/support/RequestBytes.h"

namespace corvane::test {
namespace {

using LinkStatusTest = AdapterTest;

void ScriptAssociated(RecordingUserClientProvider& d, uint32_t mode, uint32_t khz, uint32_t raw) {
    d.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, Le32(kMediaConnected));
    d.SetAnswer(OID_802_11_SSID, Words({32}, ByteVec(32, 'N')));
    d.SetAnswer(OID_802_11_BSSID, {0x00, 0x1a, 0x2b, 0xc3, 0xd4, 0xe5});
    d.SetAnswer(OID_802_11_INFRASTRUCTURE_MODE, Le32(mode));
    d.SetAnswer(OID_802_11_CONFIGURATION, Config(khz));
    d.SetAnswer(OID_VX_LINK_STATUS, Words({0, raw, 5, 6, 0}));
}

TEST_F(LinkStatusTest, AssociatedShowsEveryField) {
    G_bDeviceExist = 1;
    const struct {
        uint32_t mode, khz, raw;
        const char *type, *channel;
        uint32_t signal;
    } cases[] = {
        {1, 2437000, 50, "Infrastructure", "6 (2.437 GHz)", 70},
        {0, 5180000, 0, "Ad Hoc", "36 (5.180 GHz)", 10},
        {2, 2484000, 0, "", "14 (2.484 GHz)", 10},
        {1, 2400000, 0, "Infrastructure", "0", 10},
    };
    for (const auto& c : cases) {
        ScriptAssociated(driver_, c.mode, c.khz, c.raw);
        uint32_t quality = 0;
        LinkStatusView v = ReadLinkStatus(*adapter_, quality);
        EXPECT_EQ(v.linkState, "Connected");
        EXPECT_EQ(v.networkName, std::string(32, 'N')) << "a 32-byte name is shown whole";
        EXPECT_EQ(v.bssid, "00-1A-2B-C3-D4-E5");
        EXPECT_EQ(v.networkType, c.type);
        EXPECT_EQ(v.channel, c.channel);
        EXPECT_EQ(v.attachedState, "");
        EXPECT_EQ(v.signalStrength, c.signal);
        EXPECT_EQ(quality, c.signal);
    }
    EXPECT_EQ(driver_.CallsFor(OID_802_11_SSID)[0].outputCapacity, 37u);
}

// The query asks with one byte past the record; a driver that fills that
// byte too still shows no more than the 32 name bytes (it used to be read
// as part of the name, and whatever followed the buffer with it).
TEST_F(LinkStatusTest, AnAnswerFillingTheSpareByteShowsOnlyTheNameBytes) {
    G_bDeviceExist = 1;
    ScriptAssociated(driver_, 1, 2437000, 50);
    for (const auto& [answer, name] :
         {std::pair{Words({32}, ByteVec(33, 'N')), std::string(32, 'N')},
          {Words({3}, Text(std::string("abc\0d", 5)), 37), std::string("abc")}}) {
        driver_.SetAnswer(OID_802_11_SSID, answer);
        uint32_t quality = 0;
        EXPECT_EQ(ReadLinkStatus(*adapter_, quality).networkName, name);
    }
}

TEST_F(LinkStatusTest, NotAssociatedWords) {
    const struct {
        bool deviceExists, mediaAnswers, radioFlag;
        uint32_t hwRadio;
        const char* linkState;
        bool queriesStaConfig;
    } cases[] = {
        {false, true, true, 1, "No connection", false},
        {true, false, true, 1, "No connection", false},
        {true, true, true, 1, "Disconnected", true},
        {true, true, true, 0, "Radio OFF", true},
        {true, true, false, 1, "Radio OFF", false},
    };
    for (const auto& c : cases) {
        driver_.ClearCalls();
        driver_.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, Le32(kMediaDisconnected),
                          c.mediaAnswers ? platform::KERN_SUCCESS : platform::kIOReturnError);
        driver_.SetAnswer(OID_VX_STA_CONFIG, Words({0, 0, 0, 0, 0, c.hwRadio, 0, 0}));
        G_bDeviceExist = c.deviceExists;
        G_bRadio = c.radioFlag;
        uint32_t quality = 55;
        LinkStatusView v = ReadLinkStatus(*adapter_, quality);
        EXPECT_EQ(v.linkState, c.linkState);
        for (const std::string* field : {&v.networkName, &v.networkType, &v.channel, &v.bssid})
            EXPECT_EQ(*field, "None");
        EXPECT_EQ(v.attachedState, "No wireless connection");
        EXPECT_EQ(v.signalStrength, 0u);
        EXPECT_EQ(quality, 55u) << "the smoothed value survives the link going down";
        EXPECT_EQ(driver_.CallsFor(OID_VX_STA_CONFIG).size(), c.queriesStaConfig ? 1u : 0u);
    }
}

}  // namespace
}  // namespace corvane::test
