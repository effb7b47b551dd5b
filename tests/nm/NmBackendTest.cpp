// The NetworkManager backend behind the driver core and the system's own
// request code: a NetworkManager that writes down what it is asked, the
// kernel's nl80211 answers recorded on mac80211_hwsim radios, and the
// rfkill switches in a temporary sysfs tree.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "driver/Daemon.h"
#include "driver/DriverCore.h"
#include "driver/nl80211/BssScanEntry.h"
#include "driver/nm/NmBackend.h"
#include "driver/nm/NmDbus.h"
#include "driver/nm/Supervisor.h"
#include "platform/Clock.h"
#include "profiles/ConnectEngine.h"
#include "tests/nl80211/RecordedRadio.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/TempFolders.h"

namespace corvane::nm {
namespace {

using corvane::test::MakeTempFolder;
using corvane::test::RemoveTree;

// NetworkManager as the backend meets it: one device, wlan4.
class FakeNetworkManager : public NetworkService {
public:
    std::vector<std::string> WifiInterfaces(Outcome* why) override {
        if (why) *why = trouble;
        return trouble.Ok() ? interfaces : std::vector<std::string>{};
    }
    std::optional<DeviceInfo> Device(const std::string& name, Outcome* why) override {
        if (!trouble.Ok() || name != "wlan4") {
            if (why) *why = trouble.Ok() ? Outcome{Trouble::NoDevice, "gone"} : trouble;
            return std::nullopt;
        }
        if (why) *why = {};
        return device;
    }
    Outcome RequestScan(const std::string&) override { return Record("scan", refuse); }
    Outcome Activate(const std::string&, const ConnectionSettings& c) override {
        activated.push_back(c);
        return Record("activate", refuse);
    }
    Outcome Disconnect(const std::string&) override { return Record("disconnect", {}); }
    Outcome SetManaged(const std::string&, bool managed) override {
        device.managed = managed;
        return Record(managed ? "manage" : "unmanage", {});
    }
    std::optional<bool> WirelessEnabled() override {
        return wirelessEnabledWhenUnblocked ? std::ifstream(rfkillDevice).peek() != EOF
                                            : wirelessEnabled;
    }
    void ServeIncoming() override {}

    Outcome Record(const std::string& call, const Outcome& outcome) {
        calls.push_back(call);
        return outcome;
    }

    std::vector<std::string> interfaces{"wlan4"};
    DeviceInfo device{kStateDisconnected, true, std::nullopt};
    Outcome trouble;
    Outcome refuse;
    bool wirelessEnabled = true;
    // NetworkManager sees Wi-Fi on once something was written to /dev/rfkill.
    bool wirelessEnabledWhenUnblocked = false;
    std::string rfkillDevice;
    std::vector<std::string> calls;
    std::vector<ConnectionSettings> activated;
};

// A sysfs tree with the station's phy and its rfkill switch, and one more
// Wi-Fi switch (another adapter's).
class SysfsTree {
public:
    explicit SysfsTree(uint32_t wiphy) : root_(MakeTempFolder("corvane-sysfs")) {
        Write("class/ieee80211/phy" + std::to_string(wiphy) + "/index", std::to_string(wiphy));
        Write("class/ieee80211/phy" + std::to_string(wiphy) + "/rfkill4/name", "phy");
        SetSwitch(4, false, false);
        SetSwitch(7, false, false);
        Write("dev-rfkill", "");
    }
    ~SysfsTree() { RemoveTree(root_); }
    void SetSwitch(uint32_t index, bool soft, bool hard) {
        const std::string folder = "class/rfkill/rfkill" + std::to_string(index);
        Write(folder + "/type", "wlan");
        Write(folder + "/soft", soft ? "1" : "0");
        Write(folder + "/hard", hard ? "1" : "0");
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(root_ + "/" + relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    const std::string& Root() const { return root_; }

private:
    void Write(const std::string& relative, const std::string& text) {
        const std::string path = root_ + "/" + relative;
        std::filesystem::create_directories(path.substr(0, path.rfind('/')));
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string root_;
};

class NmDriverTest : public ::testing::Test {
protected:
    NmDriverTest() : clockGuard_(clock_) {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
        auto nm = std::make_unique<FakeNetworkManager>();
        auto stack = std::make_unique<nl80211::test::RecordedStack>();
        nm_ = nm.get();
        stack_ = stack.get();
        sysfs_ = std::make_unique<SysfsTree>(stack->interface->wiphy);
        nm_->rfkillDevice = sysfs_->Root() + "/dev-rfkill";
        marker_ = registry_ + "/.nm-radio-off@wlan4";
        core_ = std::make_unique<driver::DriverCore>(std::make_unique<NmBackend>(
            std::move(nm), std::move(stack),
            RfkillSwitches(sysfs_->Root(), sysfs_->Root() + "/dev-rfkill"),
            NmDevice{"wlan4", driver::AdapterKind::Osprey, "alice", marker_, false}));
        core_->SetLog(&log_, "corvane-nmd");
        registration_ = platform::RegisterInProcessService(core_->ClassName(), core_.get());
        adapter_ = std::make_unique<KestrelAccess>();
    }
    ~NmDriverTest() override {
        adapter_.reset();
        platform::UnregisterInProcessService(registration_);
        core_.reset();
        RemoveTree(registry_);
        corvane::test::ResetGlobals();
    }

    bool Set(uint32_t oid, std::vector<uint8_t> bytes) {
        uint64_t returned = 0;
        return adapter_->OidSetInformation(oid, bytes.data(), bytes.size(), &returned, 3);
    }
    std::vector<uint8_t> Query(uint32_t oid, size_t size) {
        std::vector<uint8_t> bytes(size);
        uint64_t returned = 0;
        if (!adapter_->OidQueryInformation(oid, bytes.data(), bytes.size(), &returned)) return {};
        bytes.resize(returned);
        return bytes;
    }
    uint32_t Word(uint32_t oid) {
        const auto bytes = Query(oid, 4);
        return bytes.size() >= 4 ? ReadLe32(bytes.data()) : 0xFFFFFFFF;
    }
    std::vector<std::string> Calls() { return std::exchange(nm_->calls, {}); }

    // The connection the agent's apply sequence activates for a profile.
    const ConnectionSettings& Apply(PrefDictionary profile) {
        if (!profile.Contains("Network Type")) profile.Set("Network Type", "1");
        ConverterKeyBuffers keys;
        ProfileRecordPtr record = ConvertProfile(profile, kAgent.pskKeyRecordLength, keys);
        nm_->activated.clear();
        AgentToConnect(*adapter_, *record);
        EXPECT_EQ(nm_->activated.size(), 1u);
        static const ConnectionSettings none;
        return nm_->activated.empty() ? none : nm_->activated.back();
    }

    corvane::test::ManualClock clock_;
    platform::ScopedClock clockGuard_;
    std::string registry_ = MakeTempFolder("corvane-nm-registry");
    std::string marker_;
    FakeNetworkManager* nm_ = nullptr;
    nl80211::test::RecordedStack* stack_ = nullptr;
    std::unique_ptr<SysfsTree> sysfs_;
    std::ostringstream log_;
    std::unique_ptr<driver::DriverCore> core_;
    uint32_t registration_ = 0;
    std::unique_ptr<KestrelAccess> adapter_;
};

QString Text(const QVariant& v) {
    if (v.typeId() == QMetaType::QByteArray) return QString::fromLatin1(v.toByteArray());
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

// The apply sequence of each kind of profile ends in exactly one
// activation, after the disconnect its disassociate asks for, with the keys
// the profile's texts give; a network the recorded scan heard is not probed
// for.
TEST_F(NmDriverTest, EachProfileIsOneActivation) {
    const struct {
        const char* name;
        PrefDictionary profile;
        QStringList expected;  // setting.key=value
    } rows[] = {
        {"wpa2-psk aes: the passphrase's key; a network no scan heard is probed for",
         {{"SSID", "IEEE"},
          {"Authentication Type", "3"},
          {"Encryption Type", "1"},
          {"WPAPSK", "password"}},
         {"802-11-wireless.ssid=IEEE", "802-11-wireless.mode=infrastructure",
          "802-11-wireless.hidden=true", "802-11-wireless-security.key-mgmt=wpa-psk",
          "802-11-wireless-security.proto=rsn", "802-11-wireless-security.pairwise=ccmp",
          "802-11-wireless-security.psk="
          "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e",
          "ipv4.method=auto"}},
        {"wpa-psk tkip, heard on channel 1",
         {{"SSID", "CorvaneWPA2"}, {"Authentication Type", "2"}, {"WPAPSK", "corvane-secret"}},
         {"802-11-wireless.ssid=CorvaneWPA2", "802-11-wireless.channel=1",
          "802-11-wireless-security.proto=wpa", "802-11-wireless-security.pairwise=tkip"}},
        {"wep-104 shared key, heard on channel 11",
         {{"SSID", "CorvaneWEP"},
          {"Authentication Type", "1"},
          {"WEPKey1", "CorvaneWEP104"},
          {"WEPKey1 Type", "1"},
          {"WEPKeyUse", "0"}},
         {"802-11-wireless.ssid=CorvaneWEP", "802-11-wireless.channel=11",
          "802-11-wireless-security.auth-alg=shared",
          "802-11-wireless-security.wep-key0=436f7276616e65574550313034"}},
        {"open ad hoc on channel 11, with link-local addresses",
         {{"SSID", "Camp"}, {"Network Type", "0"}, {"Channel", "11"}},
         {"802-11-wireless.ssid=Camp", "802-11-wireless.mode=adhoc", "802-11-wireless.channel=11",
          "ipv4.method=link-local"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Calls();
        const ConnectionSettings& c = Apply(row.profile);
        EXPECT_EQ(Calls(), (std::vector<std::string>{"disconnect", "activate"}));
        for (const QString& expected : row.expected) {
            const QString setting = expected.section(QLatin1Char('.'), 0, 0);
            const QString key =
                expected.section(QLatin1Char('.'), 1).section(QLatin1Char('='), 0, 0);
            const QString value = expected.section(QLatin1Char('='), 1);
            EXPECT_EQ(Text(c.value(setting).value(key)), value) << expected.toStdString();
        }
        EXPECT_EQ(c.value("connection").value("permissions").toStringList(),
                  QStringList{"user:alice"});
        EXPECT_EQ(c.value("802-11-wireless").contains("hidden"),
                  row.expected.contains("802-11-wireless.hidden=true"));
        EXPECT_EQ(c.value("802-11-wireless").contains("channel"),
                  !row.expected.filter("802-11-wireless.channel=").isEmpty());
    }
}

// The site survey's connect joins by BSSID: the connection is locked to it
// and takes its SSID from the recorded scan.
TEST_F(NmDriverTest, ABssidRequestLocksTheConnectionToThatAccessPoint) {
    const auto found = std::find_if(stack_->bss.begin(), stack_->bss.end(), [](const auto& bss) {
        return nl80211::SsidOfElements(bss.elements) == "CorvaneOpen";
    });
    ASSERT_NE(found, stack_->bss.end());
    const nl80211::BssRecord& open = *found;
    ASSERT_TRUE(Set(OID_802_11_BSSID_SET, {open.bssid.begin(), open.bssid.end()}));
    ASSERT_EQ(nm_->activated.size(), 1u);
    const QVariantMap wireless = nm_->activated[0].value("802-11-wireless");
    EXPECT_EQ(wireless.value("ssid").toByteArray(), QByteArray("CorvaneOpen"));
    EXPECT_EQ(wireless.value("bssid").toByteArray(),
              QByteArray(reinterpret_cast<const char*>(open.bssid.data()), 6));
    EXPECT_FALSE(wireless.contains("hidden"));
    EXPECT_EQ(wireless.value("channel").toUInt(), 6u);

    // A BSSID no scan heard cannot name a network: nothing is activated,
    // the device is disconnected and the request fails.
    Calls();
    EXPECT_FALSE(Set(OID_802_11_BSSID_SET, {0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE}));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"disconnect"}));
    EXPECT_NE(log_.str().find("not joining: no network with this BSSID is in the scan results"),
              std::string::npos);
}

// Associated from IP configuration (70) to activated (100): a network still
// waiting for DHCP counts; deactivating and failed do not.
TEST_F(NmDriverTest, TheLinkFollowsNetworkManagersDeviceState) {
    AccessPointInfo ap{"CorvaneWPA2", {0x02, 0, 0, 0, 0, 0}, 2412, false};
    const struct {
        uint32_t state;
        bool associated;
    } rows[] = {{kStateDisconnected, false}, {kStateNeedAuth, false},     {kStateIpConfig, true},
                {kStateActivated, true},     {kStateDeactivating, false}, {kStateFailed, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.state);
        nm_->device.state = row.state;
        nm_->device.accessPoint = ap;
        EXPECT_EQ(Word(OID_GEN_MEDIA_CONNECT_STATUS),
                  row.associated ? kMediaConnected : kMediaDisconnected);
        const auto ssid = Query(OID_802_11_SSID, 36);
        ASSERT_EQ(ssid.size(), 36u);
        EXPECT_EQ(std::string(ssid.begin() + 4, ssid.begin() + 4 + ReadLe32(ssid.data())),
                  row.associated ? "CorvaneWPA2" : "");
        if (row.associated) {
            EXPECT_EQ(Query(OID_802_11_BSSID, 6), (std::vector<uint8_t>{2, 0, 0, 0, 0, 0}));
            EXPECT_EQ(ReadLe32(&Query(OID_802_11_CONFIGURATION, 32).at(12)), 2412000u);
        }
    }
}

TEST_F(NmDriverTest, RadioOffLeavesEveryRfkillSwitchAndOtherRadiosAlone) {
    ASSERT_TRUE(Set(OID_VX_RADIO_SET, {0, 0, 0, 0}));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"disconnect", "unmanage"}));
    EXPECT_EQ(sysfs_->Read("dev-rfkill"), "");
    EXPECT_EQ(Query(OID_VX_RADIO, 1), std::vector<uint8_t>{0});

    // A driver process started again while the radio is off still serves
    // the device NetworkManager no longer manages.
    auto nm = std::make_unique<FakeNetworkManager>(*nm_);
    nm_ = nm.get();
    platform::UnregisterInProcessService(registration_);
    core_ = std::make_unique<driver::DriverCore>(std::make_unique<NmBackend>(
        std::move(nm), std::make_unique<nl80211::test::RecordedStack>(),
        RfkillSwitches(sysfs_->Root(), sysfs_->Root() + "/dev-rfkill"),
        NmDevice{"wlan4", driver::AdapterKind::Osprey, "alice", marker_, false}));
    registration_ = platform::RegisterInProcessService(core_->ClassName(), core_.get());
    EXPECT_EQ(Query(OID_VX_RADIO, 1), std::vector<uint8_t>{0});
    ASSERT_TRUE(Set(OID_VX_RADIO_SET, {1, 0, 0, 0}));
    EXPECT_EQ(Query(OID_VX_RADIO, 1), std::vector<uint8_t>{1});
    EXPECT_FALSE(std::ifstream(marker_).good());
}

// Radio on lifts a soft block of this adapter's own switch (through
// /dev/rfkill), never one that holds other radios too, and reports a
// machine-wide Wi-Fi off and a hardware switch instead of overriding them.
TEST_F(NmDriverTest, RadioOnLiftsOnlyThisAdaptersOwnBlock) {
    nm_->wirelessEnabledWhenUnblocked = true;
    sysfs_->SetSwitch(4, true, false);
    EXPECT_EQ(Query(OID_VX_RADIO, 1), std::vector<uint8_t>{0});
    ASSERT_TRUE(Set(OID_VX_RADIO_SET, {1, 0, 0, 0}));
    // struct rfkill_event: idx 4, type 0, op 2 (change), soft 0, hard 0.
    EXPECT_EQ(sysfs_->Read("dev-rfkill"), std::string("\x04\0\0\0\0\x02\0\0", 8));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"manage"}));

    // Both adapters blocked: the machine's Wi-Fi is off, not this adapter's.
    std::ofstream(sysfs_->Root() + "/dev-rfkill", std::ios::trunc).flush();
    sysfs_->SetSwitch(7, true, false);
    EXPECT_FALSE(Set(OID_VX_RADIO_SET, {1, 0, 0, 0}));
    EXPECT_EQ(sysfs_->Read("dev-rfkill"), "");
    EXPECT_NE(log_.str().find("Wi-Fi is switched off for the whole machine"), std::string::npos);

    sysfs_->SetSwitch(7, false, false);
    sysfs_->SetSwitch(4, false, true);
    EXPECT_FALSE(Set(OID_VX_RADIO_SET, {1, 0, 0, 0}));
    EXPECT_NE(log_.str().find("the adapter's hardware radio switch is off"), std::string::npos);
    const auto sta = Query(OID_VX_STA_CONFIG, 32);
    ASSERT_EQ(sta.size(), 32u);
    EXPECT_EQ(ReadLe32(&sta[20]), 0u);  // HwRadioStatus
    EXPECT_EQ(Query(OID_VX_RADIO, 1), std::vector<uint8_t>{0});
}

// What goes wrong is said once, and its end once; requests meanwhile find
// no adapter.
TEST_F(NmDriverTest, NetworkManagerMissingOrRefusingIsNamed) {
    nm_->trouble = {Trouble::NoNetworkManager, "NetworkManager does not run"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Word(OID_GEN_MEDIA_CONNECT_STATUS), 0xFFFFFFFFu);
    nm_->trouble = {};
    EXPECT_EQ(Word(OID_GEN_MEDIA_CONNECT_STATUS), kMediaDisconnected);
    nm_->device.managed = false;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Word(OID_GEN_MEDIA_CONNECT_STATUS), 0xFFFFFFFFu);
    nm_->device.managed = true;
    nm_->refuse = {Trouble::Refused,
                   "NetworkManager refused to scan on wlan4: polkit did not grant "
                   "org.freedesktop.NetworkManager.wifi.scan to this user"};
    uint32_t scratch = 0;
    adapter_->OidQueryInformation(OID_802_11_BSSID_LIST_SCAN_PASSED, &scratch, 4, nullptr);
    const std::string log = log_.str();
    auto count = [&](const std::string& s) {
        size_t n = 0;
        for (size_t at = log.find(s); at != std::string::npos; at = log.find(s, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("corvane-nmd: NetworkManager does not run\n"), 1u) << log;
    EXPECT_EQ(count("NetworkManager answers again"), 2u) << log;
    EXPECT_EQ(count("NetworkManager does not manage wlan4 (`nmcli device set wlan4 managed yes`"),
              1u)
        << log;
    EXPECT_EQ(count("polkit did not grant org.freedesktop.NetworkManager.wifi.scan"), 1u) << log;
}

TEST(NmErrors, EachReplyInWords) {
    const NmRequest scan{"scan", "org.freedesktop.NetworkManager.wifi.scan"};
    const struct {
        const char* name;
        Trouble trouble;
        const char* text;
    } rows[] = {
        {"org.freedesktop.DBus.Error.ServiceUnknown", Trouble::NoNetworkManager,
         "NetworkManager does not run (no org.freedesktop.NetworkManager on the system bus)"},
        {"org.freedesktop.DBus.Error.UnknownObject", Trouble::NoDevice, "the device wlan4 is gone"},
        {"org.freedesktop.NetworkManager.UnknownDevice", Trouble::NoDevice,
         "the device wlan4 is gone"},
        {"org.freedesktop.NetworkManager.PermissionDenied", Trouble::Refused,
         "NetworkManager refused to scan on wlan4: polkit did not grant "
         "org.freedesktop.NetworkManager.wifi.scan to this user (NetworkManager's policy grants it "
         "to a local desktop session: run the utility inside yours) [said]"},
        {"org.freedesktop.DBus.Error.NoReply", Trouble::Failed,
         "NetworkManager did not answer in time"},
        {"org.freedesktop.NetworkManager.Device.NotAllowed", Trouble::Failed,
         "NetworkManager could not scan on wlan4: said"},
    };
    for (const auto& row : rows) {
        const Outcome o = ExplainError(QString::fromLatin1(row.name), "said", scan, "wlan4");
        EXPECT_EQ(o.trouble, row.trouble) << row.name;
        EXPECT_EQ(o.text, row.text);
    }
}

// The devices the supervisor serves, and their services' names: the search
// keeps the last service it finds, so a USB adapter's must sort last.
TEST(NmSupervisor, ServesManagedDevicesAndPutsUsbAdaptersLast) {
    const std::string root = MakeTempFolder("corvane-sysfs");
    // As sysfs has them: the interface's device, and the device's bus.
    namespace fs = std::filesystem;
    for (const auto& [name, device, bus] :
         {std::tuple{"wlx00c0ca000001", "devices/pci0/usb1/1-2/1-2:1.0", "usb"},
          std::tuple{"wlp2s0", "devices/pci0/0000:02:00.0", "pci"}}) {
        fs::create_directories(root + "/bus/" + bus);
        fs::create_directories(root + "/" + device);
        fs::create_directories(root + "/class/net/" + name);
        fs::create_directory_symlink(fs::relative(root + "/bus/" + bus, root + "/" + device),
                                     root + "/" + device + "/subsystem");
        fs::create_directory_symlink(fs::relative(root + "/" + device, root + "/class/net/" + name),
                                     root + "/class/net/" + name + "/device");
    }
    EXPECT_TRUE(OnUsb(root, "wlx00c0ca000001"));
    EXPECT_FALSE(OnUsb(root, "wlp2s0"));
    EXPECT_FALSE(OnUsb(root, "wlan9"));
    EXPECT_LT(InstanceName("wlp2s0", false), InstanceName("wlx00c0ca000001", true));
    EXPECT_LT(InstanceName("zz9", false), InstanceName("a0", true));

    FakeNetworkManager nm;
    nm.interfaces = {"wlan4", "wlan5"};
    EXPECT_EQ(DevicesToServe(nm, root, nullptr), std::vector<std::string>{"wlan4"});
    nm.device.managed = false;
    EXPECT_EQ(DevicesToServe(nm, root, nullptr), std::vector<std::string>{});
    std::ofstream(RadioOffMarker(root, "wlan4")) << "off\n";
    std::ofstream(RadioOffMarker(root, "wlan5")) << "off\n";
    EXPECT_EQ(DevicesToServe(nm, root, nullptr), (std::vector<std::string>{"wlan4", "wlan5"}));
    RemoveTree(root);
}

}  // namespace
}  // namespace corvane::nm

namespace corvane::nm {
namespace {

// A served driver that only counts its ticks.
class TickCounter : public ServedDriver {
public:
    explicit TickCounter(int interval) : interval_(interval) {}
    std::unique_ptr<platform::UserClient> OpenUserClient(uint32_t) override { return nullptr; }
    const char* ClassName() const override { return "OspreyUSBWirelessDriver"; }
    bool IsPresent() const override { return true; }
    uint64_t Generation() const override { return 0; }
    nlohmann::json Control(std::string_view) override { return {{"ok", true}}; }
    int TickIntervalMs() const override { return interval_; }
    void Tick() override { ++ticks; }
    std::atomic<int> ticks{0};

private:
    int interval_;
};

// The daemon ticks a driver that asks for it while no client sends
// anything (NetworkManager's calls into the process wait for that), and
// leaves the others alone.
TEST(NmDaemon, TicksTheDriverWhileNoClientAsks) {
    for (const int interval : {50, -1}) {
        const std::string registry = MakeTempFolder("corvane-nm-registry");
        TickCounter driver(interval);
        driver::Daemon daemon(driver, registry, "wlan4");
        std::string error;
        int stop[2];
        ASSERT_EQ(pipe(stop), 0);
        ASSERT_TRUE(daemon.Start(&error)) << error;
        std::thread serving([&] { daemon.Run(stop[0]); });
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        (void)!write(stop[1], "x", 1);
        serving.join();
        close(stop[0]);
        close(stop[1]);
        if (interval < 0)
            EXPECT_EQ(driver.ticks, 0);
        else
            EXPECT_GE(driver.ticks, 4);  // 12 at the interval; slack for a loaded machine
        RemoveTree(registry);
    }
}

}  // namespace
}  // namespace corvane::nm
