// The typed requests: the bytes each sends and how each reads an answer
// that is short, failed or carries values the client never changes.
#include <gtest/gtest.h>

#include "adapter/Oids.h"
#include "adapter/Requests.h"
#include "tests/adapter/AdapterFixture.h"
#include "tests/support/RequestBytes.h"

namespace corvane::test {
namespace {

using RequestsTest = AdapterTest;

// A record read, changed in one field and set back keeps every other word
// as the driver answered it: the channel change and the Advanced page's
// set-back of the previous network rely on it.
TEST_F(RequestsTest, ARecordSetBackKeepsEveryWordTheDriverAnswered) {
    const ByteVec config = Words({32, 100, 7, 2412000, 16, 3, 4, 5});
    driver_.SetAnswer(OID_802_11_CONFIGURATION, config);
    SetConfiguration(*adapter_, QueryConfiguration(*adapter_));

    const ByteVec ssid = Words({40}, ByteVec(32, 0xEE));  // a length past the name
    driver_.SetAnswer(OID_802_11_SSID, ssid);
    SetSsid(*adapter_, QuerySsid(*adapter_));

    EXPECT_EQ(Recorded(driver_), (Calls{{OID_802_11_CONFIGURATION, ByteVec(32, 0)},
                                        {OID_802_11_CONFIGURATION | OID_SET_FLAG, config},
                                        {OID_802_11_SSID, ByteVec(36, 0)},
                                        {OID_802_11_SSID | OID_SET_FLAG, ssid}}));
}

// A query asks with a zeroed record of its size; what the driver leaves
// unanswered reads as zero.
TEST_F(RequestsTest, QueriesAskWithTheirRecordSizeAndReadAShortAnswerAsZeros) {
    driver_.SetAnswer(OID_802_11_CONFIGURATION, Words({32, 100}));
    driver_.SetAnswer(OID_VX_LINK_STATUS, Words({0, 80}));
    driver_.SetAnswer(OID_802_11_SSID, Words({3}, Text("abc")));
    const NDIS_802_11_CONFIGURATION config = QueryConfiguration(*adapter_);
    EXPECT_EQ(config.BeaconPeriod, 100u);
    EXPECT_EQ(config.DSConfig, 0u);
    EXPECT_EQ(QueryLinkStatus(*adapter_).ChannelQuality, 80u);
    EXPECT_EQ(QuerySsid(*adapter_).SsidLength, 3u);
    QuerySsid(*adapter_, SsidBuffer::WithSpareByte);

    const struct {
        uint32_t oid;
        size_t capacity;
    } asked[] = {{OID_802_11_CONFIGURATION, 32},
                 {OID_VX_LINK_STATUS, 20},
                 {OID_802_11_SSID, 36},
                 {OID_802_11_SSID, 37}};
    ASSERT_EQ(driver_.Calls().size(), std::size(asked));
    for (size_t i = 0; i < std::size(asked); ++i) {
        EXPECT_EQ(driver_.Calls()[i].selector, asked[i].oid) << i;
        EXPECT_EQ(driver_.Calls()[i].outputCapacity, asked[i].capacity) << i;
        EXPECT_EQ(driver_.Calls()[i].input, ByteVec(asked[i].capacity, 0)) << i;
    }
}

// A failed query leaves the caller's value: the radio flag and the media
// word keep what they held.
TEST_F(RequestsTest, AFailedQueryLeavesTheValueItWasGiven) {
    driver_.SetResult(OID_VX_RADIO, platform::kIOReturnError);
    driver_.SetResult(OID_GEN_MEDIA_CONNECT_STATUS, platform::kIOReturnError);
    uint8_t radio = 1;
    uint32_t media = kMediaDisconnected;
    EXPECT_FALSE(QueryRadio(*adapter_, radio));
    EXPECT_FALSE(QueryWord(*adapter_, OID_GEN_MEDIA_CONNECT_STATUS, media));
    EXPECT_EQ(radio, 1);
    EXPECT_EQ(media, kMediaDisconnected);
}

}  // namespace
}  // namespace corvane::test
