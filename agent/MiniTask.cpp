#include "agent/MiniTask.h"

#include <QCoreApplication>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "adapter/ByteOrder.h"
#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/LinkQuality.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "adapter/SsidText.h"
#include "platform/BundleInfo.h"
#include "platform/Clock.h"
#include "platform/PaneLauncher.h"
#include "platform/SystemInfo.h"
#include "profiles/PreferenceFiles.h"
#include "profiles/PreferenceLock.h"
#include "profiles/StoredIndexes.h"

namespace corvane {
namespace {

constexpr int kRetry = 3;

void Disassociate(KestrelAccess& adapter) {
    uint8_t bytes[4] = {};
    uint64_t written = 0;
    adapter.OidSetInformation(OID_802_11_DISASSOCIATE, bytes, sizeof bytes, &written, kRetry);
}

std::string Format(const char* format, long value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void DefaultExit(QTimer& timer, int status) {
    if (QCoreApplication::instance()) {
        timer.stop();
        QCoreApplication::exit(status);
    } else {
        std::exit(status);
    }
}

}  // namespace

int SignalIconLevel(uint32_t quality) {
    if (quality == 0) return 0;
    if (quality <= 20) return 1;
    if (quality <= 40) return 2;
    if (quality <= 60) return 3;
    if (quality <= 80) return 4;
    return 5;
}


int32_t DefaultWirelessMode(uint32_t device, bool nSupport, bool aSupport) {
    // Columns: n only, a only, both, neither.
    int column = nSupport && !aSupport ? 0 : aSupport && !nSupport ? 1 : nSupport ? 2 : 3;
    static constexpr int32_t kOsprey[4] = {9, 8, 5, 5};
    static constexpr int32_t kOlder[4] = {0, 2, 3, 5};
    if (device == kAdapterOsprey) return kOsprey[column];
    if (device == kAdapterKestrel || device == kAdapterMerlin) return kOlder[column];
    return 5;
}

MiniTask::MiniTask(StatusPresenter& statusItem, Hooks hooks)
    : TaskItem(statusItem), hooks_(std::move(hooks)) {
    if (!hooks_.exitProcess) {
        hooks_.exitProcess = [this](int status) { DefaultExit(updater, status); };
    }
    if (!hooks_.openPane) {
        hooks_.openPane = [] { platform::OpenBundle(platform::kPaneBundleSystemPath); };
    }
    updater.setInterval(kTickIntervalMs);
    updater.setSingleShot(false);
    // A tick that blocks (card initialisation waits up to 30 s) must not be
    // followed by a burst of missed ones; QTimer never queues them.
    connect(&updater, &QTimer::timeout, this, &MiniTask::OnTimer);
}

MiniTask::~MiniTask() {
    updater.stop();
    keyMaterial.Zero();
}

void MiniTask::awakeFromNib(bool startTimer) {
    SignalQuality = 0;
    count = 0;
    Adapter = std::make_unique<KestrelAccess>();
    TaskItem.SetTitle("");
    TaskItem.SetTitle(kWaitConnectionTitle);
    if (startTimer) updater.start();
}

void MiniTask::OnTimer() {
    if (!Adapter) return;
    uint32_t state = 0;
    bool stateRead = QueryWord(*Adapter, OID_GEN_MEDIA_CONNECT_STATUS, state);
    uint32_t restartPending = 0;
    QueryWord(*Adapter, OID_VX_RESTART_PENDING, restartPending);

    if ((restartPending & 0xFF) == 1 && G_bDeviceExist) RestartWait();

    if (G_bDeviceExist && stateRead && restartPending == 0) {
        if (state == kMediaConnected) {
            reconnectCount = 0;
            updateStatus();
            networktypeformCheckProfile = 1;
        } else if (state == kMediaDisconnected && networktypeformCheckProfile == 0) {
            // The ad hoc network we set up may simply have no peer yet;
            // applying it again would only tear it down.
            reconnectCount = 0;
            updateStatusBlank();
        } else {
            reconnectCount += 1;
            updateStatusBlank();
            if (reconnectCount > kReconnectAfterTicks) {
                reconnectCount = 0;
                CheckProfileSettingForConnect();
            }
        }
        checkProfileCount = 0;
        G_bDeviceRemove = 0;
        return;
    }
    RecheckTick();
}

void MiniTask::RestartWait() {
    Disassociate(*Adapter);
    for (int poll = 0; poll < kRestartDonePolls; ++poll) {
        platform::USleep(kRestartDonePauseUs);
        uint32_t done = 0;
        QueryWord(*Adapter, OID_VX_RESTART_DONE, done);
        if (done == 1) break;
    }
}

void MiniTask::RecheckTick() {
    reconnectCount = 0;
    G_bDeviceExist = IsDeviceDriverExist() ? 1 : 0;
    if (G_bDeviceExist) {
        count = 0;
        G_bDeviceRemove = 0;
        checkProfileCount += 1;
        Adapter->InitCard();
        InitAdvanceSetting();
        return;
    }
    checkProfileCount = 0;
    G_bDeviceRemove = 1;
    count += 1;
    if (count == kMissingTicksBeforeExit) hooks_.exitProcess(0);
}

bool MiniTask::IsDeviceDriverExist() {
    bool found = Adapter->SearchDevice() && Adapter->OpenConnectToDevice();
    Adapter->CloseConnectToDevice();
    return found;
}

void MiniTask::updateStatus() {
    uint8_t ssidBytes[sizeof(NDIS_802_11_SSID)] = {};
    uint64_t written = 0;
    Adapter->OidQueryInformation(OID_802_11_SSID, ssidBytes, sizeof ssidBytes, &written);
    NDIS_802_11_SSID ssid = DecodeSsid(ssidBytes);
    // The name is at most 32 bytes and, like a C string, ends at a NUL.
    size_t length = std::min<size_t>(ssid.SsidLength, kSsidMaxLength);
    const char* name = reinterpret_cast<const char*>(ssid.Ssid);
    length = std::find(name, name + length, '\0') - name;
    TaskItem.SetApItemTitle(kApItemPrefix + PrintableText(std::string_view(name, length)));

    uint8_t configBytes[sizeof(NDIS_802_11_CONFIGURATION)] = {};
    Adapter->OidQueryInformation(OID_802_11_CONFIGURATION, configBytes, sizeof configBytes,
                                 &written);
    std::optional<uint32_t> channel =
        ChannelForFrequency(DecodeConfiguration(configBytes).DSConfig);
    TaskItem.SetChannelItemTitle(
        Format("Channel            : %ld", channel ? long(*channel) : -1L));

    uint8_t linkBytes[sizeof(VX_802_11_LINK_STATUS)] = {};
    Adapter->OidQueryInformation(OID_VX_LINK_STATUS, linkBytes, sizeof linkBytes, &written);
    uint32_t q = SmoothLinkQuality(DecodeLinkStatus(linkBytes).ChannelQuality, ChannelQuality);
    SignalQuality = q;

    TaskItem.SetTitle(Format("(%ld%%)", long(q)));
    TaskItem.SetSignalStrengthItemTitle(Format("Signal Strength : %ld%%", long(q)));
    TaskItem.SetImage(SignalIconLevel(q));
}

void MiniTask::updateStatusBlank() {
    TaskItem.SetApItemTitle(kApItemPrefix);
    TaskItem.SetChannelItemTitle(kChannelItemPrefix);
    TaskItem.SetTitle(kNoConnectionTitle);
    TaskItem.SetImage(kNoImage);
}

void MiniTask::InitAdvanceSetting() {
    std::optional<int32_t> defaultMode;  // asked of the adapter only when needed
    auto defaultWirelessMode = [&] {
        if (!defaultMode) {
            const bool n = Adapter->Is80211nSupport();
            const bool a = Adapter->Is80211aSupport();
            defaultMode = DefaultWirelessMode(Current_Device, n, a);
        }
        return *defaultMode;
    };
    if (ReadPreferenceArray(kAdvancedSettingPath).empty()) defaultWirelessMode();

    Disassociate(*Adapter);

    // Written from the file as it is under the preference lock, so that an
    // Apply the window made meanwhile is kept.
    const bool written = UpdatePreferenceArray(kAdvancedSettingPath, [&](PrefArray& settings) {
        AdvancedSettingValues values;
        if (!settings.empty())
            values = ReadAdvancedSettingValues(settings.front());
        else
            values.wirelessMode = defaultWirelessMode();
        ReplaceFirstOrAppend(settings, AdvancedSettingsRecord(values));
        return true;
    });
    if (!written)
        platform::SystemLog("MiniTask-CorvaneUtility: the advanced settings could not be written to %s",
                            ExpandTilde(kAdvancedSettingPath).c_str());
}

void MiniTask::updateDisplayPrefs(const QObject* sender) {
    if (!sender) return;
    bool ok = false;
    int tag = sender->property("tag").toInt(&ok);
    if (ok) updateDisplayPrefs(tag);
}

void MiniTask::updateDisplayPrefs(int tag) {
    if (tag == kOpenPaneTag) hooks_.openPane();
}

bool MiniTask::CheckProfileSettingForConnect() {
    // Read afresh each time: the pane may have activated another profile.
    PrefArray active = ReadPreferenceArray(kActiveProfilePath);
    keyMaterial.Zero();
    ProfileRecordPtr record = ConvertActiveProfile(active, kAgent.pskKeyRecordLength, keyMaterial);
    if (!record) return false;
    networktypeformCheckProfile = IntValue(active.front(), kKeyNetworkType);
    ToConnect(record.get());
    ReleaseProfileData(record);
    keyMaterial.Zero();  // key bytes are not needed between attempts
    return false;
}

void MiniTask::ToConnect(const PROFILE_DATA* record) {
    if (record) AgentToConnect(*Adapter, *record);
}

}  // namespace corvane
