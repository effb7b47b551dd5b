#include "agent/MiniTask.h"

#include <QCoreApplication>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/LinkQuality.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "adapter/Requests.h"
#include "adapter/SsidText.h"
#include "agent/LinkNotices.h"
#include "platform/BundleInfo.h"
#include "platform/Clock.h"
#include "platform/PaneLauncher.h"
#include "platform/SystemInfo.h"
#include "platform/Translate.h"
#include "profiles/PreferenceFiles.h"
#include "profiles/PreferenceLock.h"
#include "profiles/ProfileRecord.h"
#include "profiles/StoredIndexes.h"

namespace corvane {
namespace {

// The menu's network and channel lines: the name, 11 blanks, colon, blank
// and the value (nothing while there is no link).
std::string NetworkItemTitle(const std::string& network) {
    return FormatText(Tr("MiniTask", "Network           : %1"), {network});
}

std::string ChannelItemTitle(const std::string& channel) {
    return FormatText(Tr("MiniTask", "Channel            : %1"), {channel});
}

std::string Format(const char* format, long value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Whether a connect record carries a key (WEP or WPA), for what a failed
// reconnect may be blamed on.
bool HasKey(const PROFILE_DATA& record) {
    if (!PskKeyBytes(record).empty()) return true;
    for (int slot = 0; slot < kWepSlotCount; ++slot)
        if (!WepSlotBytes(record, slot).empty()) return true;
    return false;
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
    TaskItem.SetTitle(Tr("MiniTask", kWaitConnectionTitle));
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
        if (notices_) {
            if (state == kMediaConnected)
                notices_->LinkUp(networkName_);
            else
                notices_->LinkDown();
        }
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
    if (notices_) notices_->AdapterSearched();
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
    const NDIS_802_11_SSID ssid = QuerySsid(*Adapter);
    // The name is at most 32 bytes and, like a C string, ends at a NUL.
    size_t length = std::min<size_t>(ssid.SsidLength, kSsidMaxLength);
    const char* name = reinterpret_cast<const char*>(ssid.Ssid);
    length = std::find(name, name + length, '\0') - name;
    networkName_ = PrintableText(std::string_view(name, length));
    TaskItem.SetApItemTitle(NetworkItemTitle(networkName_));

    std::optional<uint32_t> channel = ChannelForFrequency(QueryConfiguration(*Adapter).DSConfig);
    TaskItem.SetChannelItemTitle(ChannelItemTitle(std::to_string(channel ? long(*channel) : -1L)));

    uint32_t q = SmoothLinkQuality(QueryLinkStatus(*Adapter).ChannelQuality, ChannelQuality);
    SignalQuality = q;

    TaskItem.SetTitle(Format("(%ld%%)", long(q)));
    TaskItem.SetSignalStrengthItemTitle(
        FormatText(Tr("MiniTask", "Signal Strength : %1%"), {std::to_string(q)}));
    TaskItem.SetImage(SignalIconLevel(q));
}

void MiniTask::updateStatusBlank() {
    TaskItem.SetApItemTitle(NetworkItemTitle(""));
    TaskItem.SetChannelItemTitle(ChannelItemTitle(""));
    TaskItem.SetTitle(Tr("MiniTask", kNoConnectionTitle));
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
        platform::SystemLog(
            "MiniTask-CorvaneUtility: the advanced settings could not be written to %s",
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
    if (notices_)
        notices_->ReconnectApplied(PrintableText(active.front().Value(kKeySsid)), HasKey(*record));
    ReleaseProfileData(record);
    keyMaterial.Zero();  // key bytes are not needed between attempts
    return false;
}

void MiniTask::ToConnect(const PROFILE_DATA* record) {
    if (record) AgentToConnect(*Adapter, *record);
}

}  // namespace corvane
