// The site survey page: the table of networks in range, Scan, Connect, Add
// to Profile and Connect to Hidden Network, the 3-second probe, and the
// pane's task runner (every rescan and connect of every page runs here, one
// at a time; other pages queue theirs through it as a TaskSink). Its form is
// SiteSurveyController.ui. What it calls of other pages are the interfaces
// in its outlets; what they should hear of (a scan runs, Add to Profile
// closed) it tells as signals, which the window connects.
//
// The probe and the task runner hold during an operation's wait and while
// one of this page's own dialogs or alerts is open (the key dialog, the
// hidden network's name, the editor of Add to Profile, their refusals): a
// connect being prepared there is queued only when it closes, and the table
// it was chosen from stays as shown. Behind any other page's dialog both
// run on (see platform/qt/NestedLoop.h).
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "adapter/Records.h"
#include "editor/KeyDialog.h"
#include "editor/KeyRules.h"
#include "exchange/WifiQr.h"
#include "profiles/ProfileRecord.h"
#include "profiles/TaskQueue.h"
#include "profiles/TaskSink.h"
#include "survey/AccessPoint.h"

class QPushButton;
class QTableView;

namespace Ui {
class SiteSurveyController;
}

namespace corvane {

class AccessPointModel;
class AccessPointSortProxy;
class ActiveProfileControl;
class HiddenSSIDController;
class JoinQrController;
class KestrelAccess;
class NetworkGroupModel;
class ProfileEditorSheet;

class SiteSurveyController : public QWidget, public TaskSink {
    Q_OBJECT

public:
    struct Outlets {
        KestrelAccess* Adapter = nullptr;
        KeyDialog* WEPSetting = nullptr;              // keys for Connect
        ProfileEditorSheet* ProfileEditor = nullptr;  // Add to Profile
        ActiveProfileControl* ProfilePage = nullptr;  // a connect of its own: no profile active
        HiddenSSIDController* HiddenSSID = nullptr;   // Connect to Hidden Network
    };

    explicit SiteSurveyController(QWidget* parent = nullptr);
    ~SiteSurveyController() override;

    void connectOutlets(const Outlets& outlets);
    void
    awakeFromNib();  // double click connects; G_bRescan set so the first probe shows the held list

    // Timers (the main controller starts and stops them).
    void StartTimer();
    void StopTimer();
    bool TimersRunning() const;

    void OnTimer(QTimer* timer);  // tick dispatch: task timer or probe timer
    void ProbeConnectStatus();
    void ChangeTimerCount2();

    // Actions.
    void OnStartScan() override;
    void ControlButton(int mode);
    void tableViewSelectionDidChange();
    void OnConnect();
    void OnAddToProfile();
    void OnConnectHidden();  // "Connect to Hidden Network..."
    // "Join from QR text…": the text read, a rescan queued; the network is
    // looked up in the list that scan brings (FinishQrJoin, from the probe).
    void OnJoinFromQr();
    void FinishQrJoin();

    // What the dialogs returned, kept (and bounded) for the connect.
    void ReceiveWEPsetting(const WEPSettingValues& values);
    void ReceiveHiddenSSID(int32_t length, const uint8_t* text);

    // Task queue producer entries (TaskSink, with OnStartScan) and the
    // consumer.
    void SetTaskQueue(ProfileRecordPtr record) override;
    void DoTask();
    void resetFlag() override;

    // Rows.
    void RefreshAPList();
    void ClearAPList();
    int32_t IsItemWPA() const;
    const std::vector<AccessPoint>& tableData() const;
    // The scan list the rows were built from (empty when none are shown).
    std::span<const uint8_t> ShownList() const { return shownList_; }

    // What the page's own last connect is to: by name (SetSsid), by address
    // (SetBssid), or neither once a connect of another page reset it.
    enum class OwnConnect { None, ByName, ByAddress };
    OwnConnect OwnConnectTarget() const;
    // Whether key bytes the key dialog returned are still held; they are
    // wiped once the connect they were for is built.
    bool HoldsKeys() const;

    QTimer* SiteSurveyTimer() const;
    QTimer* DoTaskTimer() const;

    // "Group by network": while it is checked the page shows one row per
    // network (NetworkGroupModel) instead of the table, and the row the
    // actions use is the access point picked there (a network's row: its
    // strongest). The selection goes with the switch.
    void OnGroupByNetwork(bool grouped);
    bool GroupedByNetwork() const;

signals:
    // A rescan task's wait for the driver begins and ends (seconds; the
    // window paints meanwhile and shows that a scan runs).
    void scanStarted();
    void scanFinished();
    // The profile editor of Add to Profile has closed: the profile file may
    // hold a new profile.
    void profilesChanged();
    // Add to Profile saved the profile: the profile drawer is to open.
    void openProfileDrawer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;  // Enter on a row connects

private:
    // The table row behind the view's selection (the view may be sorted),
    // or -1.
    int SelectedRow() const;
    // The scan-list entry shown in table row `row`: from the list the rows
    // were built from, which a later scan does not change.
    std::optional<BssEntry> ShownEntry(int row) const;
    // Connect's and Add to Profile's pick: the selected row (in `*row`) and
    // its entry; with nothing selected, alerts so and gives nothing.
    std::optional<BssEntry> PickedEntry(int* row);
    // Runs the key dialog; what it confirmed goes to `keys`. False when
    // cancelled.
    bool RunKeyDialog(const KeyDialogPreset& preset);
    // Queues a connect built here and notes what it connects to.
    void QueueOwnConnect(ProfileRecordPtr record, bool byBssid);
    // One of this page's alerts (title, message, "OK").
    void Alert(const std::string& title, const std::string& message);
    // Whether the probe and the task runner let their turn pass.
    bool Holding() const;

    // The grouped view: the table row behind its selection (or -1), and
    // selecting a table row in it.
    int GroupedSelectedRow() const;
    void SelectInGroups(int row);
    // Expanded networks, kept over a rebuild of the rows.
    void NoteExpandedNetworks();
    void RestoreGroupedView();
    // The grouped view's columns fit its first rows it shows; the user's
    // later changes stay.
    void SizeGroupColumnsOnce();

    // Members the page's rules work with.
    int32_t ScanTriggerCount = 0;   // probes with the link up that missed its network
    int32_t ScanTriggerCount2 = 0;  // probes with the link down (every 20th scans)
    WEPSettingValues
        keys;  // AuthenType, EncryType, SelKeyIndex, Key*Len, Key*Material, WPAPSKlen, WPAPSK
    uint8_t SetSsid = 0;   // the page's own connect: by name
    uint8_t SetBssid = 0;  // the page's own connect: by address
    TaskRunner tasks;      // runFlag and DoTask's steps
    int32_t CurrentSelectedItem = 0;
    int32_t TimerCount = 0;
    uint32_t MediaConnectStatus = 1;
    uint8_t BssidQuery[6] = {};
    NDIS_802_11_SSID SsidQuery;
    int32_t HiddenSSIDlen = 0;
    std::array<uint8_t, 32> HiddenSSIDtext = {};
    NDIS_802_11_SSID SsidSet;
    uint8_t BssidSet[6] = {};

    std::unique_ptr<Ui::SiteSurveyController> ui_;
    Outlets outlets_;
    AccessPointModel* model_ = nullptr;
    AccessPointSortProxy* proxy_ = nullptr;
    std::vector<uint8_t> shownList_;  // the scan list the rows were built from
    bool columnsSized_ = false;
    int ownDialogs_ = 0;  // this page's dialogs and alerts open
    QPointer<QTimer> siteSurveyTimer_;
    QPointer<QTimer> doTaskTimer_;
    JoinQrController* joinQr_ = nullptr;  // made at the first use
    std::optional<WifiQrNetwork> pendingQr_;
    int qrListsToWait_ = 0;  // scan lists the probe shows before pendingQr_ is looked up

    // The grouped view's model, its sort, and the networks expanded in it
    // (by their strongest access point's texts) before the rows were last
    // rebuilt.
    NetworkGroupModel* groupModel_ = nullptr;
    AccessPointSortProxy* groupProxy_ = nullptr;
    std::vector<AccessPoint> expandedNetworks_;
    bool groupColumnsSized_ = false;
    bool shownGrouped_ = false;  // the grouped view is the one shown
};

}  // namespace corvane
