// The About facts: the Merlin device-word correction, the versions, the MAC
// address, and which driver bundle the version comes from.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "pane/AboutInformation.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using Bytes = std::vector<uint8_t>;

std::string InfoPlist(const std::string& version) {
    return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
           "<key>CFBundleShortVersionString</key><string>" +
           version + "</string></dict></plist>";
}

class AboutInformationTest : public ::testing::Test {
protected:
    AboutInformationTest() : rootEnv_("CORVANE_SYSTEM_ROOT", root_) {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
    }
    ~AboutInformationTest() override {
        corvane::test::ResetGlobals();
        test::RemoveTree(root_);
    }
    void Plug(const char* driverClass) {
        driver_.reset();
        driver_.emplace(driverClass);
        ASSERT_TRUE(adapter_.SearchDevice());
        adapter_.CloseConnectToDevice();
    }
    void WriteFile(const std::string& relative, const std::string& text) {
        const std::filesystem::path path = root_ + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }

    std::string root_ = test::MakeTempFolder("about-root");
    test::ScopedEnv rootEnv_;
    std::optional<test::RecordingUserClientProvider> driver_;
    KestrelAccess adapter_;
};

TEST_F(AboutInformationTest, MerlinDeviceWordsAreCorrectedOnlyWhenBothBytesDiffer) {
    struct Row {
        const char* driverClass;
        uint16_t word;
        bool written;
    } const rows[] = {{"MerlinUSBWirelessDriver", 0x0105, true},
                      {"MerlinUSBWirelessDriver", 0x0106, false},
                      {"MerlinUSBWirelessDriver", 0x0205, false},
                      {"OspreyUSBWirelessDriver", 0x0105, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.word);
        Plug(row.driverClass);
        Bytes answer = {4, 1, 2, 0, 0, 0};
        WriteLe16(&answer[4], row.word);
        driver_->SetAnswer(OID_VX_DEVICE_WORD_READ, answer);
        const bool merlin = std::string(row.driverClass) == "MerlinUSBWirelessDriver";
        ReadAboutFacts(adapter_, merlin ? AdapterKind::Merlin : AdapterKind::Osprey);
        const auto reads = driver_->CallsFor(OID_VX_DEVICE_WORD_READ);
        const auto writes = driver_->CallsFor(OID_VX_DEVICE_WORD_WRITE);
        ASSERT_EQ(reads.size(), merlin ? 1u : 0u);
        if (merlin) {
            EXPECT_EQ(reads[0].input, (Bytes{4, 1, 2, 0, 0, 0}));
            EXPECT_EQ(reads[0].index, 0u) << "before the versions are read";
        }
        ASSERT_EQ(writes.size(), row.written ? 2u : 0u);
        if (row.written) {
            EXPECT_EQ(writes[0].input, (Bytes{4, 1, 2, 0, 0x06, 0x02}));
            EXPECT_EQ(writes[1].input, (Bytes{22, 1, 2, 0, 0x06, 0x02}));
        }
    }
}

TEST_F(AboutInformationTest, FactsAndTheirFallbacks) {
    Plug("OspreyUSBWirelessDriver");
    WriteFile(DriverInfoPlistPath(AdapterKind::Osprey), InfoPlist("3.1.4"));
    std::strcpy(VelaConfigVerChar, "1.0.0");
    driver_->SetAnswer(OID_VX_EEPROM_VERSION, {2, 7, 9, 9});
    driver_->SetAnswer(OID_802_3_CURRENT_ADDRESS, {0x00, 0x0C, 0x43, 0x25, 0x73, 0x0A});
    AboutFacts facts = ReadAboutFacts(adapter_, AdapterKind::Osprey);
    EXPECT_EQ(facts.EEPROMVersion, "2.7");
    EXPECT_EQ(facts.MacAddress, "00-0C-43-25-73-0A");
    EXPECT_EQ(facts.DriverVersion, "3.1.4");
    EXPECT_EQ(facts.VelaConfigVersion, "1.0.0");

    driver_->SetAnswer(OID_VX_EEPROM_VERSION, {}, platform::kIOReturnError);
    driver_->SetAnswer(OID_802_3_CURRENT_ADDRESS, {}, platform::kIOReturnError);
    std::filesystem::remove(root_ + DriverInfoPlistPath(AdapterKind::Osprey));
    facts = ReadAboutFacts(adapter_, AdapterKind::Osprey);
    EXPECT_EQ(facts.EEPROMVersion, "1.1");
    EXPECT_EQ(facts.MacAddress, "00-00-00-00-00-00");
    EXPECT_EQ(facts.DriverVersion, "");
}

}  // namespace
}  // namespace corvane
