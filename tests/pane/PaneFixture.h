// The whole settings window over the recording driver: a temporary HOME, a
// temporary system root holding the pane's bundle and the driver bundles'
// information files, the test clock, recorded alerts and beeps, globals
// reset. PageTest opens it shown, with the adapter present and its radio on.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "editor/ui/ProfileEditorController.h"
#include "editor/ui/WEPSettingController.h"
#include "pane/AboutController.h"
#include "pane/AdvanceController.h"
#include "pane/MainWindow.h"
#include "pane/PreferencePane.h"
#include "pane/VelaConfigKestrelController.h"
#include "platform/Alert.h"
#include "platform/Clock.h"
#include "profiles/TaskQueue.h"
#include "profiles/ui/ProfileController.h"
#include "profiles/ui/ProfileDrawer.h"
#include "survey/ui/CurrentWirelessNetworkController.h"
#include "survey/ui/HiddenSSIDController.h"
#include "survey/ui/SiteSurveyController.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/ScanEntries.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {

using Bytes = std::vector<uint8_t>;

inline Bytes U32(uint32_t v) {
    Bytes b(4);
    WriteLe32(b.data(), v);
    return b;
}
constexpr uint32_t SetOid(uint32_t oid) { return oid | OID_SET_FLAG; }

inline std::string InfoPlist(const std::string& entries) {
    return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>" + entries + "</dict></plist>";
}
inline std::string Entry(const std::string& key, const std::string& value) {
    return "<key>" + key + "</key><string>" + value + "</string>";
}

inline constexpr const char* kPaneBundle =
    "/System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane";

// Runs `act` inside the modal run of `dialog` once it shows; delete the
// returned watch to stop waiting.
inline QPointer<QTimer> WhenShown(QDialog* dialog, std::function<void()> act) {
    auto* poll = new QTimer(dialog);
    QObject::connect(poll, &QTimer::timeout, dialog, [dialog, poll, act] {
        if (!dialog->isVisible()) return;
        poll->deleteLater();
        poll->stop();
        act();
    });
    poll->start(1);
    return poll;
}

// Runs `act` once a dialog named `name` under `owner` shows: for dialogs a
// page makes at their first use, which WhenShown cannot be given yet.
inline void WhenDialogShown(QObject* owner, const char* name, std::function<void(QDialog*)> act) {
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, owner, [owner, poll, name, act] {
        auto* dialog = owner->findChild<QDialog*>(QString::fromLatin1(name));
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act(dialog);
    });
    poll->start(1);
}

class PaneTest : public ::testing::Test {
protected:
    PaneTest() {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
        WriteFile(std::string(kPaneBundle) + "/Contents/Info.plist",
                  InfoPlist(Entry("CFBundleShortVersionString", "2.5.0") +
                            Entry("CFBundleExecutable", "CorvaneWirelessUtility")));
        for (auto [kext, version] : {std::pair{"Osprey", "5.1.2"}, {"Heron", "4.0.7"}})
            WriteFile(std::string("/System/Library/Extensions/") + kext +
                          "USBWirelessDriver.kext/Contents/Info.plist",
                      InfoPlist(Entry("CFBundleShortVersionString", version)));
    }
    ~PaneTest() override {
        window_.reset();
        driver_.reset();
        corvane::test::ResetGlobals();
        RemoveTree(root_);
    }

    void WriteFile(const std::string& relative, const std::string& text) {
        const std::filesystem::path path = root_ + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    // The adapter (none: `driverClass` null), then the window, as a new
    // start of the program finds them.
    void Open(const char* driverClass = "OspreyUSBWirelessDriver") {
        window_.reset();
        pane_.reset();
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
        if (driverClass) Plug(driverClass);
        pane_.emplace(root_ + kPaneBundle);
        window_ = std::make_unique<MainWindow>(&*pane_);
    }
    void Plug(const char* driverClass) {
        driver_.reset();
        driver_.emplace(driverClass);
    }
    // The networks types answer with or without 5 GHz.
    void FiveGigahertz(bool supported) {
        const Bytes types =
            supported ? Bytes{2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0} : Bytes{1, 0, 0, 0, 1, 0, 0, 0};
        driver_->SetAnswer(OID_802_11_NETWORK_TYPES_SUPPORTED, types);
    }
    void Tick() { O().mainController->OnTimer(); }

    const PaneObjects& O() const { return window_->objects(); }
    QObject* Advanced() const { return O().AdvancePage; }
    QObject* Link() const { return O().CurrentWirelessNetwork; }
    QObject* About() const { return O().AboutPage; }
    // A control by its object name on one page (names repeat across
    // pages and dialogs: "Cancel").
    template <typename T>
    T* Find(const QObject* page, const char* name) const {
        T* widget = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // The text a line edit, label or button shows.
    static QString Text(const QObject* page, const char* name) {
        const QObject* o = page->findChild<QObject*>(QString::fromLatin1(name));
        if (auto* edit = qobject_cast<const QLineEdit*>(o)) return edit->text();
        if (auto* label = qobject_cast<const QLabel*>(o)) return label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(o)) return button->text();
        ADD_FAILURE() << "no text control " << name;
        return {};
    }
    // What a user's choice in a list does: select, then the action.
    void Choose(const char* combo, int index) {
        QComboBox* box = Find<QComboBox>(Advanced(), combo);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void Click(const QObject* page, const char* button) {
        Find<QAbstractButton>(page, button)->click();
    }
    // The queued tasks, oldest first, taken out of the queue.
    std::vector<std::shared_ptr<ProfileData>> TakeTasks() {
        std::vector<std::shared_ptr<ProfileData>> tasks;
        for (; auto task = TaskQueue::GetTaskObject(); TaskQueue::RemoveTaskObject())
            tasks.push_back(task);
        return tasks;
    }
    std::vector<int32_t> DrainTasks() {
        std::vector<int32_t> types;
        for (const auto& task : TakeTasks()) types.push_back(task->getTaskType());
        return types;
    }
    std::string ActiveFlag() {
        const PrefArray active = ReadPreferenceArray(kActiveProfilePath);
        return active.empty() ? "" : active.front().Value(kKeyActiveProfileFlag);
    }

    std::string root_ = MakeTempFolder("pane-root");
    ScopedEnv rootEnv_{"CORVANE_SYSTEM_ROOT", root_};
    TempHome home_;
    corvane::test::ManualClock clock_;
    platform::ScopedClock clockScope_{clock_};
    corvane::test::RecordingAlerts alerts_;
    platform::ScopedAlerts alertScope_{alerts_};
    std::optional<RecordingUserClientProvider> driver_;
    std::optional<VelaConfigKestrelPreferencePane> pane_;
    std::unique_ptr<MainWindow> window_;
};

// The site survey page, the profile list and the dialogs in the shown
// window, its heartbeat stopped, the adapter present with its radio on.
class PageTest : public PaneTest {
protected:
    PageTest() {
        Open();
        O().mainController->timer().stop();
        survey_ = O().SiteSurveyPage;
        profiles_ = O().ProfilePage;
        drawer_ = O().drawer;
        wep_ = O().WEPSetting;
        editor_ = O().ProfileEditor;
        hidden_ = O().HiddenSSID;
        G_bRescan = 0;
        G_bDeviceExist = 1;
        G_bDeviceRemove = 0;
        window_->resize(900, 480);
        window_->show();
    }
    QTableView* ApList() { return Find<QTableView>(survey_, "ApList"); }
    // The adapter's scan list (as a scan leaves it), and the table rebuilt
    // from it.
    void ScanFinds(const std::vector<ScanEntrySpec>& networks) {
        std::vector<ByteVec> entries;
        for (const ScanEntrySpec& n : networks) entries.push_back(ScanEntry(n));
        const ByteVec list = ScanListOf(entries);
        std::fill(G_pBssidList, G_pBssidList + kBssidListBufferSize, 0);
        std::copy(list.begin(), list.end(), G_pBssidList);
    }
    void ShowNetworks(const std::vector<ScanEntrySpec>& networks) {
        ScanFinds(networks);
        survey_->RefreshAPList();
    }

    SiteSurveyController* survey_ = nullptr;
    ProfileController* profiles_ = nullptr;
    ProfileDrawer* drawer_ = nullptr;
    WEPSettingController* wep_ = nullptr;
    ProfileEditorController* editor_ = nullptr;
    HiddenSSIDController* hidden_ = nullptr;
};

}  // namespace corvane::test
