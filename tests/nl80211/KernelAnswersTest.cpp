// Reading the kernel's answers: recorded nl80211 messages, cut and
// corrupted; the BSS entries built from them.
#include <gtest/gtest.h>
#include <linux/netlink.h>

#include "adapter/ScanList.h"
#include "driver/nl80211/BssScanEntry.h"
#include "driver/nl80211/KernelStack.h"
#include "tests/nl80211/RecordedRadio.h"

namespace corvane::nl80211::test {
namespace {

TEST(KernelAnswers, RecordedMessagesReadWholeAndNeverPastTheirEnd) {
    auto messages = RecordedMessages();
    const auto& bss = messages["scan"].at(0);
    const auto& station = messages["station"].at(0);
    ASSERT_TRUE(ReadBss(bss));
    ASSERT_TRUE(ReadStation(station));
    EXPECT_FALSE(ReadBss(station)) << "a station message is no BSS";
    EXPECT_FALSE(ReadInterface(bss));
    EXPECT_EQ(ReadInterface(messages["interface"].at(0))->txPowerMbm, 2000) << "20 dBm in use";

    // Cut anywhere, with the header's length cut along or left claiming the
    // whole: never a read past the bytes given (the sanitizer build checks).
    const std::vector<const std::vector<uint8_t>*> recorded = {
        &bss, &station, &messages["regulatory"].at(0), &messages["interface"].at(0)};
    for (const auto* message : recorded) {
        for (size_t size = 0; size < message->size(); ++size) {
            std::vector<uint8_t> cut(message->begin(), message->begin() + size);
            EXPECT_FALSE(ReadBss(cut) && size < NLMSG_HDRLEN);
            if (size >= NLMSG_HDRLEN) {
                reinterpret_cast<nlmsghdr*>(cut.data())->nlmsg_len = uint32_t(size);
                ReadBss(cut);
                ReadStation(cut);
                ReadRegulatory(cut);
                ReadInterface(cut);
                PhyInfo phy;
                AddWiphy(cut, 0, phy);
            }
        }
    }
}

TEST(KernelAnswers, BssEntriesCarryTheKernelsFacts) {
    RecordedStack stack;
    for (const BssRecord& bss : stack.bss) {
        const std::vector<uint8_t> bytes = ScanEntryForBss(bss);
        const BssEntry entry(bytes);
        EXPECT_EQ(entry.Length(), bytes.size());
        EXPECT_EQ(bytes.size() % 4, 0u);
        EXPECT_TRUE(std::equal(bss.bssid.begin(), bss.bssid.end(), entry.MacAddress().begin()));
        EXPECT_EQ(entry.Ssid(), SsidOfElements(bss.elements));
        EXPECT_EQ(entry.DSConfig(), bss.frequencyMhz * 1000);
        EXPECT_EQ(entry.Rssi(), bss.signalMbm / 100);
        EXPECT_EQ(entry.Privacy() != 0, (bss.capability & 0x10) != 0);
        EXPECT_EQ(entry.InfrastructureMode(), 1u);
        const auto tagged = entry.TaggedElements();
        EXPECT_TRUE(
            std::equal(tagged.begin(), tagged.end(), bss.elements.begin(), bss.elements.end()));
    }
    // Capability bits decide privacy and ad hoc; a truncated element area
    // still gives the elements that are whole.
    BssRecord adHoc = stack.bss.at(0);
    adHoc.capability = 0x0012;
    adHoc.elements = {0, 4, 'C', 'a', 'm', 'p', 1, 8, 0x82};
    const std::vector<uint8_t> bytes = ScanEntryForBss(adHoc);
    const BssEntry entry(bytes);
    EXPECT_EQ(entry.InfrastructureMode(), 0u);
    EXPECT_EQ(entry.Privacy(), 1u);
    EXPECT_EQ(entry.Ssid(), "Camp");
    EXPECT_EQ(SsidOfElements({0, 5, 'C', 'a'}), "");
    adHoc.frequencyMhz = 5955;
    EXPECT_FALSE(Listable(adHoc));
    adHoc.frequencyMhz = 2484;
    EXPECT_TRUE(Listable(adHoc));
}

}  // namespace
}  // namespace corvane::nl80211::test
