#include "survey/ui/SiteSurveyController.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTreeView>
#include <algorithm>
#include <cstring>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "adapter/Requests.h"
#include "adapter/ScanList.h"
#include "adapter/Trace.h"
#include "editor/ProfileEditorSheet.h"
#include "platform/Alert.h"
#include "platform/qt/NestedLoop.h"
#include "profiles/ActiveProfileControl.h"
#include "profiles/ActiveRecord.h"
#include "survey/QrJoin.h"
#include "survey/SurveyConnect.h"
#include "survey/ui/AccessPointModel.h"
#include "survey/ui/HiddenSSIDController.h"
#include "survey/ui/JoinQrController.h"
#include "survey/ui/NetworkGroupModel.h"
#include "ui_SiteSurveyController.h"

namespace corvane {
namespace {

constexpr const char* kPage = "SiteSurveyPageController";

constexpr int kProbeIntervalMs = 3000;
constexpr int kTaskIntervalMs = 200;
constexpr int kTaskDelayMs = 100;
// Probe ticks between the scans the probe asks for whatever the link does.
constexpr int32_t kProbesPerForcedScan = 200;
// Probes while not associated between two scan requests.
constexpr int32_t kProbesPerIdleScan = 20;
// Probes that miss the associated network before a scan is requested.
constexpr int32_t kMissedProbesBeforeScan = 4;

enum ButtonMode { kScanRequested = 1, kListRebuilt = 2, kRowSelected = 3 };

void SetEnabled(QPushButton* button, bool enabled) {
    if (button) button->setEnabled(enabled);
}

// Counts one of the page's own dialogs or alerts for its lifetime.
class OwnDialog {
public:
    explicit OwnDialog(int& open) : open_(open) { ++open_; }
    ~OwnDialog() { --open_; }
    OwnDialog(const OwnDialog&) = delete;
    OwnDialog& operator=(const OwnDialog&) = delete;

private:
    int& open_;
};

}  // namespace

SiteSurveyController::SiteSurveyController(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::SiteSurveyController>()) {
    TraceEntry(kPage, "init");
    ui_->setupUi(this);
    model_ = new AccessPointModel(this);
    proxy_ = new AccessPointSortProxy(this);
    proxy_->setSourceModel(model_);
    ui_->ApList->setModel(proxy_);
    // The driver's order until the user clicks a column.
    ui_->ApList->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    proxy_->sort(-1);
    ui_->ApList->verticalHeader()->setDefaultSectionSize(ui_->ApList->fontMetrics().height() + 8);
    ui_->ApList->installEventFilter(this);

    connect(ui_->StartScan, &QPushButton::clicked, this, &SiteSurveyController::OnStartScan);
    connect(ui_->Connect, &QPushButton::clicked, this, &SiteSurveyController::OnConnect);
    connect(ui_->AddToProfile, &QPushButton::clicked, this, &SiteSurveyController::OnAddToProfile);
    connect(ui_->ConnectHidden, &QPushButton::clicked, this,
            &SiteSurveyController::OnConnectHidden);
    connect(ui_->JoinQr, &QPushButton::clicked, this, &SiteSurveyController::OnJoinFromQr);
    connect(ui_->ApList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SiteSurveyController::tableViewSelectionDidChange);

    // The grouped view, fed from the same rows; hidden until "Group by
    // network" is checked. It follows each rebuild of the rows (the
    // connections below come after the group model's own).
    groupModel_ = new NetworkGroupModel(model_, this);
    groupProxy_ = new AccessPointSortProxy(this);
    groupProxy_->setSourceModel(groupModel_);
    QTreeView* groups = ui_->networkGroups;
    groups->setModel(groupProxy_);
    groups->header()->setSortIndicator(-1, Qt::AscendingOrder);
    groupProxy_->sort(-1);
    groups->hide();
    groups->installEventFilter(this);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this,
            &SiteSurveyController::NoteExpandedNetworks);
    connect(model_, &QAbstractItemModel::modelReset, this,
            &SiteSurveyController::RestoreGroupedView);
    connect(groups->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SiteSurveyController::tableViewSelectionDidChange);
    connect(ui_->groupByNetwork, &QCheckBox::toggled, this,
            &SiteSurveyController::OnGroupByNetwork);
}

SiteSurveyController::~SiteSurveyController() = default;

void SiteSurveyController::connectOutlets(const Outlets& outlets) { outlets_ = outlets; }

void SiteSurveyController::awakeFromNib() {
    TraceEntry(kPage, "awakeFromNib");
    connect(ui_->ApList, &QAbstractItemView::doubleClicked, this, &SiteSurveyController::OnConnect,
            Qt::UniqueConnection);
    connect(ui_->networkGroups, &QAbstractItemView::doubleClicked, this,
            &SiteSurveyController::OnConnect, Qt::UniqueConnection);
    G_bRescan = 1;
}

// --- timers ------------------------------------------------------------------

void SiteSurveyController::StartTimer() {
    auto start = [this](QPointer<QTimer>& slot, int intervalMs) {
        if (slot) return;
        auto* timer = new QTimer(this);
        timer->setInterval(intervalMs);
        connect(timer, &QTimer::timeout, this, [this, timer] { OnTimer(timer); });
        timer->start();
        slot = timer;
    };
    start(siteSurveyTimer_, kProbeIntervalMs);
    start(doTaskTimer_, kTaskIntervalMs);
}

void SiteSurveyController::StopTimer() {
    for (QPointer<QTimer>* slot : {&siteSurveyTimer_, &doTaskTimer_}) {
        if (!*slot) continue;
        (*slot)->stop();
        (*slot)->deleteLater();
        *slot = nullptr;
    }
}

bool SiteSurveyController::TimersRunning() const { return siteSurveyTimer_ && doTaskTimer_; }

QTimer* SiteSurveyController::SiteSurveyTimer() const { return siteSurveyTimer_; }
QTimer* SiteSurveyController::DoTaskTimer() const { return doTaskTimer_; }

bool SiteSurveyController::Holding() const {
    return platform::InOperationWait() || ownDialogs_ > 0;
}

void SiteSurveyController::OnTimer(QTimer* timer) {
    if (Holding()) return;
    TraceEntry(kPage, "OnTimer");
    if (!G_bDeviceExist || G_bDeviceRemove) return;

    if (timer && timer == doTaskTimer_ && tasks.ShouldScheduleTask())
        QTimer::singleShot(kTaskDelayMs, this, [this] { DoTask(); });

    if (timer && timer == siteSurveyTimer_ && G_bRadio) {
        ProbeConnectStatus();
        TimerCount = (TimerCount + 1) % kProbesPerForcedScan;
        if (TimerCount == 0) OnStartScan();
    }
}

void SiteSurveyController::ChangeTimerCount2() { ScanTriggerCount2 = kProbesPerIdleScan; }

// --- the probe ---------------------------------------------------------------

void SiteSurveyController::ProbeConnectStatus() {
    TraceEntry(kPage, "ProbeConnectStatus");
    if (G_bRescan) {
        RefreshAPList();
        ControlButton(kListRebuilt);
        G_bRescan = 0;
        if (pendingQr_ && --qrListsToWait_ <= 0) FinishQrJoin();
    }
    if (!outlets_.Adapter) return;
    KestrelAccess& adapter = *outlets_.Adapter;

    MediaConnectStatus = 0;
    QueryWord(adapter, OID_GEN_MEDIA_CONNECT_STATUS, MediaConnectStatus);
    if (MediaConnectStatus != 0 || !G_bRadio) {
        std::fill(std::begin(BssidQuery), std::end(BssidQuery), 0);
        SsidQuery = {};
        if (ScanTriggerCount2 % kProbesPerIdleScan == 0) {
            ScanTriggerCount2 = 0;
            OnStartScan();
        }
        ++ScanTriggerCount2;
        ui_->ApList->viewport()->update();
        return;
    }

    const MacAddress bssid = QueryBssid(adapter);
    std::copy(bssid.begin(), bssid.end(), std::begin(BssidQuery));
    SsidQuery = QuerySsid(adapter);
    if (SsidQuery.SsidLength == 0 || SsidQuery.Ssid[0] == 0) {
        MediaConnectStatus = 1;
        return;
    }

    const NDIS_802_11_CONFIGURATION config = QueryConfiguration(adapter);
    const std::string strBssidQuery = FormatMac(BssidQuery);

    bool found = false;
    if (G_pBssidList) {
        for (BssEntry entry : BssidList({G_pBssidList, kBssidListBufferSize})) {
            if (FormatMac(entry.MacAddress()) == strBssidQuery &&
                entry.DSConfig() == config.DSConfig) {
                found = true;
                break;
            }
        }
    }

    const bool empty = model_->rowCount() == 0;
    if (empty) ScanTriggerCount = kMissedProbesBeforeScan + 1;
    if (empty || !found) {
        if (!tasks.runFlag && ScanTriggerCount > kMissedProbesBeforeScan) {
            ScanTriggerCount = 0;
            OnStartScan();
        } else {
            ++ScanTriggerCount;
        }
    }
    ScanTriggerCount2 = 0;
    ui_->ApList->viewport()->update();
}

// --- actions -----------------------------------------------------------------

void SiteSurveyController::OnStartScan() {
    TraceEntry(kPage, "OnRescan");
    ControlButton(kScanRequested);
    TimerCount = 0;
    tasks.QueueRescan();
}

// This page's own buttons only: the advanced page's Apply and Cancel follow
// that page's unsaved changes, which a scan does not touch.
void SiteSurveyController::ControlButton(int mode) {
    switch (mode) {
        case kScanRequested:
            SetEnabled(ui_->AddToProfile, false);
            SetEnabled(ui_->StartScan, false);
            SetEnabled(ui_->Connect, false);
            break;
        case kListRebuilt:
            SetEnabled(ui_->StartScan, true);
            break;
        case kRowSelected:
            SetEnabled(ui_->AddToProfile, true);
            SetEnabled(ui_->Connect, true);
            break;
        default:
            return;
    }
    window()->update();
}

void SiteSurveyController::tableViewSelectionDidChange() {
    if (SelectedRow() != -1) ControlButton(kRowSelected);
}

int SiteSurveyController::SelectedRow() const {
    if (shownGrouped_) return GroupedSelectedRow();
    const QModelIndexList selected = ui_->ApList->selectionModel()->selectedRows();
    if (selected.isEmpty()) return -1;
    return proxy_->SourceRow(selected.front().row());
}

std::optional<BssEntry> SiteSurveyController::ShownEntry(int row) const {
    if (row < 0 || shownList_.size() < 4) return std::nullopt;
    const BssidList list(shownList_);
    if (list.NumberOfItems() == 0) return std::nullopt;
    int index = 0;
    for (BssEntry entry : list)
        if (index++ == row) return entry;
    return std::nullopt;
}

std::optional<BssEntry> SiteSurveyController::PickedEntry(int* row) {
    *row = SelectedRow();
    CurrentSelectedItem = *row + 1;
    if (CurrentSelectedItem == 0) {
        Alert(Tr("SurveyConnect", kAlertNoSelectedItem),
              Tr("SurveyConnect", kAlertSelectToConnect));
        return std::nullopt;
    }
    return ShownEntry(*row);
}

void SiteSurveyController::OnConnect() {
    TraceEntry(kPage, "OnConnect");
    TimerCount = 0;
    G_bRescan = 0;

    int row = -1;
    const std::optional<BssEntry> shown = PickedEntry(&row);
    if (!shown) return;
    // Copies: the dialog below runs an event loop.
    const std::vector<uint8_t> entryBytes(shown->Bytes().begin(), shown->Bytes().end());
    const BssEntry entry(entryBytes);
    const AccessPoint network = tableData()[size_t(row)];

    const ConnectPlan plan = PlanSurveyConnect(network, entry);
    if (plan.refusal) {
        Alert(*plan.refusal, "");
        return;
    }
    const WEPSettingValues* handedBack = nullptr;
    if (plan.needsKeys) {
        if (!outlets_.WEPSetting) return;
        OwnDialog own(ownDialogs_);
        if (!RunKeyDialog(plan.preset)) return;
        handedBack = &keys;
    }

    ProfileRecordPtr record = BuildSurveyConnectRecord(entry, handedBack);
    keys.Wipe();
    SsidSet = record->SsidRecord;
    std::fill(std::begin(BssidSet), std::end(BssidSet), 0);
    auto mac = entry.MacAddress();
    std::copy_n(mac.begin(), std::min(mac.size(), sizeof BssidSet), BssidSet);
    QueueOwnConnect(std::move(record), entry.InfrastructureMode() != uint32_t(Ndis802_11IBSS));
}

void SiteSurveyController::OnConnectHidden() {
    if (!outlets_.HiddenSSID || !outlets_.WEPSetting) return;
    OwnDialog own(ownDialogs_);
    const std::optional<std::string> name = outlets_.HiddenSSID->Run();
    if (!name) return;
    ReceiveHiddenSSID(int32_t(name->size()), reinterpret_cast<const uint8_t*>(name->data()));
    if (HiddenSSIDlen <= 0) return;
    const std::vector<uint8_t> entryBytes = EntryForNetworkName(std::string_view(
        reinterpret_cast<const char*>(HiddenSSIDtext.data()), size_t(HiddenSSIDlen)));

    // The name says nothing about the security: the user chooses it.
    KeyDialogPreset preset;
    preset.listKind = kAuthListInfrastructure;
    preset.authIndex = kAuthOpen;
    preset.encIndex = kEncOpenNone;
    preset.focus = 0;
    if (!RunKeyDialog(preset)) return;

    ProfileRecordPtr record = BuildSurveyConnectRecord(BssEntry(entryBytes), &keys);
    keys.Wipe();
    record->bConnectByBssid = 0;
    std::fill(std::begin(record->Bssid), std::end(record->Bssid), 0);
    SsidSet = record->SsidRecord;
    std::fill(std::begin(BssidSet), std::end(BssidSet), 0);
    QueueOwnConnect(std::move(record), false);
}

void SiteSurveyController::OnJoinFromQr() {
    if (!joinQr_) joinQr_ = new JoinQrController(this);
    std::optional<std::string> text;
    {
        OwnDialog own(ownDialogs_);
        text = joinQr_->Run();
    }
    if (!text) return;
    const WifiQrParse parsed = ParseWifiQr(*text);
    if (parsed.outcome != WifiQrParse::Outcome::kNetwork) {
        Alert(parsed.problem, "");
        return;
    }
    // A list already waiting to be shown was scanned before the text came.
    pendingQr_ = parsed.network;
    qrListsToWait_ = G_bRescan ? 2 : 1;
    OnStartScan();
}

void SiteSurveyController::FinishQrJoin() {
    const WifiQrNetwork qr = std::move(*pendingQr_);
    pendingQr_.reset();
    // The rows and their entries as shown, copied: alerts run event loops.
    std::vector<std::vector<uint8_t>> shown;
    for (size_t row = 0; row < tableData().size(); ++row) {
        const std::optional<BssEntry> entry = ShownEntry(int(row));
        if (!entry) break;
        shown.emplace_back(entry->Bytes().begin(), entry->Bytes().end());
    }
    std::vector<BssEntry> entries;
    for (const auto& bytes : shown) entries.emplace_back(bytes);
    const std::optional<size_t> found = StrongestNamed(entries, qr.ssid);
    if (!found && !qr.hidden) {
        Alert(QrNetworkNotFound(qr.ssid), "");
        return;
    }
    const std::vector<uint8_t> entryBytes = found ? shown[*found] : EntryForNetworkName(qr.ssid);
    const BssEntry entry(entryBytes);
    const QrJoinPlan plan =
        found ? PlanQrJoin(qr, tableData()[*found], entry) : PlanHiddenQrJoin(qr);
    if (plan.refusal) {
        Alert(*plan.refusal, "");
        return;
    }
    const WEPSettingValues* handedBack = nullptr;
    if (plan.needsKeys) {
        // The text's key, judged by the key dialog's rules and alerts.
        KeyEntryGroup group(SecurityListOwner::KeyDialog);
        PresetKeyDialog(group, plan.preset);
        FillQrKeys(group, qr);
        WEPSettingValues entered;
        bool confirmed = false;
        {
            OwnDialog own(ownDialogs_);
            confirmed = ConfirmKeyDialog(group, entered);
        }
        if (!confirmed) return;
        ReceiveWEPsetting(entered);
        entered.Wipe();
        handedBack = &keys;
    }
    ProfileRecordPtr record = BuildSurveyConnectRecord(entry, handedBack);
    keys.Wipe();
    std::fill(std::begin(BssidSet), std::end(BssidSet), 0);
    if (found) {
        auto mac = entry.MacAddress();
        std::copy_n(mac.begin(), std::min(mac.size(), sizeof BssidSet), BssidSet);
    } else {  // by name, as Connect to Hidden Network
        record->bConnectByBssid = 0;
        std::fill(std::begin(record->Bssid), std::end(record->Bssid), 0);
    }
    SsidSet = record->SsidRecord;
    QueueOwnConnect(std::move(record),
                    found && entry.InfrastructureMode() != uint32_t(Ndis802_11IBSS));
}

bool SiteSurveyController::RunKeyDialog(const KeyDialogPreset& preset) {
    std::optional<WEPSettingValues> entered = outlets_.WEPSetting->RunFor(preset);
    if (!entered) return false;
    ReceiveWEPsetting(*entered);
    entered->Wipe();
    return true;
}

void SiteSurveyController::QueueOwnConnect(ProfileRecordPtr record, bool byBssid) {
    // The stored active profile is no longer what the adapter connects to.
    // When that cannot be stored (the profile page has told the user),
    // nothing is connected: the agent would take the link back to the
    // profile the file still names at the next loss.
    const bool stored = outlets_.ProfilePage ? outlets_.ProfilePage->DisabledActivateProfile()
                                             : DisableActiveProfile();
    if (!stored) return;
    G_bRescan = 0;
    SetTaskQueue(std::move(record));
    SetSsid = byBssid ? 0 : 1;
    SetBssid = byBssid ? 1 : 0;
}

void SiteSurveyController::OnAddToProfile() {
    TraceEntry(kPage, "OnAddProfile");
    int row = -1;
    const std::optional<BssEntry> shown = PickedEntry(&row);
    if (!shown) return;
    const AddToProfilePlan plan = PlanAddToProfile(tableData()[size_t(row)], *shown);
    if (plan.refusal) {
        Alert(*plan.refusal, "");
        return;
    }
    if (!outlets_.ProfileEditor || !outlets_.ProfileEditor->AddProfile(plan.prefill)) return;
    int result = 0;
    {
        OwnDialog own(ownDialogs_);
        result = outlets_.ProfileEditor->Run();
    }
    emit profilesChanged();
    if (result != 0) emit openProfileDrawer();
}

void SiteSurveyController::Alert(const std::string& title, const std::string& message) {
    OwnDialog own(ownDialogs_);
    platform::RunAlertPanel(title, message, "OK");
}

// --- what the dialogs returned -------------------------------------------------

void SiteSurveyController::ReceiveWEPsetting(const WEPSettingValues& values) {
    keys = values;
    for (uint8_t& length : keys.KeyLen)
        length = std::min<uint8_t>(length, uint8_t(kMaxWepKeyBytes));
    keys.WPAPSKlen = std::clamp<int32_t>(keys.WPAPSKlen, 0, int32_t(keys.WPAPSK.size()));
}

void SiteSurveyController::ReceiveHiddenSSID(int32_t length, const uint8_t* text) {
    const int32_t kept = text ? std::clamp<int32_t>(length, 0, int32_t(HiddenSSIDtext.size())) : 0;
    HiddenSSIDtext.fill(0);
    if (kept > 0) std::memcpy(HiddenSSIDtext.data(), text, size_t(kept));
    HiddenSSIDlen = kept;
}

// --- the task queue ------------------------------------------------------------

void SiteSurveyController::SetTaskQueue(ProfileRecordPtr record) {
    tasks.SetTaskQueue(std::move(record));
}

void SiteSurveyController::DoTask() {
    if (Holding()) return;
    if (!outlets_.Adapter) return;
    const std::shared_ptr<ProfileData> next = TaskQueue::GetTaskObject();
    const bool scan = next && next->Profile() && next->getTaskType() == TASK_RESCAN &&
                      !tasks.runFlag && G_bDeviceExist && !G_bDeviceRemove;
    if (!scan) {
        tasks.DoTask(*outlets_.Adapter);
        return;
    }
    // The scan waits seconds for the driver; the window paints meanwhile,
    // with a busy cursor and "Scanning…" in its status line.
    emit scanStarted();
    tasks.DoTask(*outlets_.Adapter);
    emit scanFinished();
    // Scan is there again as soon as no scan is queued or running, whether
    // or not a probe shows the new list (a Connect in between takes that
    // probe's turn).
    if (!TaskQueue::Holds(TASK_RESCAN)) SetEnabled(ui_->StartScan, true);
}

void SiteSurveyController::resetFlag() {
    SetSsid = 0;
    SetBssid = 0;
}

SiteSurveyController::OwnConnect SiteSurveyController::OwnConnectTarget() const {
    if (SetBssid) return OwnConnect::ByAddress;
    return SetSsid ? OwnConnect::ByName : OwnConnect::None;
}

bool SiteSurveyController::HoldsKeys() const {
    const auto held = [](const auto& bytes) {
        return std::any_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b != 0; });
    };
    return keys.WPAPSKlen != 0 || held(keys.KeyLen) || held(keys.WPAPSK) ||
           std::any_of(keys.KeyMaterial.begin(), keys.KeyMaterial.end(), held);
}

// --- rows ------------------------------------------------------------------------

void SiteSurveyController::RefreshAPList() {
    ClearAPList();
    if (G_pBssidList && outlets_.Adapter) {
        shownList_.assign(G_pBssidList, G_pBssidList + kBssidListBufferSize);
        model_->setRows(BuildAccessPointRows(*outlets_.Adapter, shownList_));
    }
    // The first rows decide the column widths; the user's later changes stay.
    if (!columnsSized_ && model_->rowCount() > 0) {
        ui_->ApList->resizeColumnsToContents();
        columnsSized_ = true;
    }
    // Every rebuild shows the driver's order again, with nothing selected.
    ui_->ApList->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    proxy_->sort(-1);
    ui_->ApList->clearSelection();
}

void SiteSurveyController::ClearAPList() {
    TraceEntry(kPage, "ClearAPList");
    model_->clear();
    shownList_.clear();
}

int32_t SiteSurveyController::IsItemWPA() const {
    const int row = CurrentSelectedItem - 1;
    if (row < 0 || size_t(row) >= tableData().size()) return 0;
    return corvane::IsItemWPA(tableData()[size_t(row)].Authentication);
}

const std::vector<AccessPoint>& SiteSurveyController::tableData() const { return model_->rows(); }

bool SiteSurveyController::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == ui_->ApList || watched == ui_->networkGroups) &&
        event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnConnect();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- grouped by network ----------------------------------------------------------

bool SiteSurveyController::GroupedByNetwork() const { return shownGrouped_; }

void SiteSurveyController::OnGroupByNetwork(bool grouped) {
    if (grouped == shownGrouped_) return;
    QWidget* shown = grouped ? static_cast<QWidget*>(ui_->ApList) : ui_->networkGroups;
    QWidget* next = grouped ? static_cast<QWidget*>(ui_->networkGroups) : ui_->ApList;
    const int row = SelectedRow();
    const bool focused = shown->hasFocus();
    shownGrouped_ = grouped;
    next->show();
    shown->hide();
    if (grouped) {
        SizeGroupColumnsOnce();
        SelectInGroups(row);
    } else if (row >= 0) {
        ui_->ApList->selectRow(proxy_->ViewRow(row));
    } else {
        ui_->ApList->clearSelection();
    }
    if (focused) next->setFocus();
}

int SiteSurveyController::GroupedSelectedRow() const {
    const QModelIndexList selected = ui_->networkGroups->selectionModel()->selectedRows();
    if (selected.isEmpty()) return -1;
    return groupModel_->TableRow(groupProxy_->mapToSource(selected.front()));
}

void SiteSurveyController::SelectInGroups(int row) {
    QTreeView* groups = ui_->networkGroups;
    const QModelIndex at = groupProxy_->mapFromSource(groupModel_->IndexOfTableRow(row));
    if (!at.isValid()) {
        groups->clearSelection();
        return;
    }
    if (at.parent().isValid()) groups->expand(at.parent());
    groups->selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    groups->scrollTo(at);
}

void SiteSurveyController::NoteExpandedNetworks() {
    // A rebuild empties the rows first: what was open before is kept.
    if (groupProxy_->rowCount() == 0) return;
    expandedNetworks_.clear();
    for (int i = 0; i < groupProxy_->rowCount(); ++i) {
        const QModelIndex network = groupProxy_->index(i, 0);
        if (!ui_->networkGroups->isExpanded(network)) continue;
        const int row = groupModel_->TableRow(groupProxy_->mapToSource(network));
        if (row >= 0) expandedNetworks_.push_back(tableData()[size_t(row)]);
    }
}

void SiteSurveyController::RestoreGroupedView() {
    QTreeView* groups = ui_->networkGroups;
    // As the table: strongest first again after every rebuild, nothing
    // selected; the networks the user had open stay open.
    groups->header()->setSortIndicator(-1, Qt::AscendingOrder);
    groupProxy_->sort(-1);
    for (int i = 0; i < groupProxy_->rowCount(); ++i) {
        const QModelIndex network = groupProxy_->index(i, 0);
        const int row = groupModel_->TableRow(groupProxy_->mapToSource(network));
        if (row < 0) continue;
        const AccessPoint& strongest = tableData()[size_t(row)];
        const bool wasOpen =
            std::any_of(expandedNetworks_.begin(), expandedNetworks_.end(),
                        [&](const AccessPoint& open) { return SameNetwork(open, strongest); });
        if (wasOpen) groups->expand(network);
    }
    if (shownGrouped_) SizeGroupColumnsOnce();
}

void SiteSurveyController::SizeGroupColumnsOnce() {
    if (groupColumnsSized_ || groupProxy_->rowCount() == 0) return;
    // Folded access points count too (the view's own sizing sees only the
    // rows it shows).
    QTreeView* groups = ui_->networkGroups;
    const QFontMetrics metrics = groups->fontMetrics();
    const int margin = 2 * groups->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
    for (int column = 0; column < NetworkGroupModel::kColumnCount; ++column) {
        int width = groups->header()->sectionSizeHint(column);
        auto fit = [&](const QModelIndex& at, int indent) {
            const QString text = at.data().toString();
            width = std::max(width, metrics.horizontalAdvance(text) + margin + indent);
        };
        for (int n = 0; n < groupModel_->rowCount(); ++n) {
            const QModelIndex network = groupModel_->index(n, column);
            fit(network, column == 0 ? groups->indentation() : 0);
            const QModelIndex first = groupModel_->index(n, 0);
            for (int a = 0; a < groupModel_->rowCount(first); ++a)
                fit(groupModel_->index(a, column, first),
                    column == 0 ? 2 * groups->indentation() : 0);
        }
        groups->setColumnWidth(column, width);
    }
    groupColumnsSized_ = true;
}

}  // namespace corvane
