// The site survey page, the profile list, the key dialog, the profile
// editor and the hidden SSID dialog connected as the window connects them,
// in a shown main window, over the recording driver, in a temporary HOME,
// on the test clock, with alerts and beeps recorded. The adapter is present
// and its radio on.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <memory>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "editor/ui/ProfileEditorController.h"
#include "editor/ui/WEPSettingController.h"
#include "pane/PaneObjects.h"
#include "platform/Alert.h"
#include "platform/Clock.h"
#include "profiles/PreferenceFiles.h"
#include "profiles/TaskQueue.h"
#include "profiles/ui/ProfileController.h"
#include "profiles/ui/ProfileDrawer.h"
#include "survey/ui/HiddenSSIDController.h"
#include "survey/ui/SiteSurveyController.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/ScanEntries.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {

inline ByteVec Le32Bytes(uint32_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

// Runs `act` from inside the modal run of `dialog`, once it is shown. The
// returned watch is gone once it acted; delete it to stop waiting.
inline QPointer<QTimer> WhenShown(QDialog* dialog, std::function<void()> act) {
    auto* poll = new QTimer(dialog);
    QObject::connect(poll, &QTimer::timeout, dialog, [dialog, poll, act] {
        if (!dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start(1);
    return poll;
}

class PageFixture : public ::testing::Test {
public:
    PageFixture() : clockGuard_(clock_), alertGuard_(alerts_) {
        ResetGlobalsForTest();
        __DEBUG__ = 0;
        adapter_ = std::make_unique<KestrelAccess>();
        queue_ = std::make_unique<TaskQueue>();
        window_ = std::make_unique<QMainWindow>();
        auto* tabs = new QTabWidget(window_.get());
        window_->setCentralWidget(tabs);
        survey_ = new SiteSurveyController;
        tabs->addTab(survey_, "Site Survey");
        profiles_ = new ProfileController;
        drawer_ = new ProfileDrawer(window_.get(), profiles_);
        wep_ = new WEPSettingController(window_.get());
        editor_ = new ProfileEditorController(window_.get());
        hidden_ = new HiddenSSIDController(window_.get());

        objects_.mainWindow = window_.get();
        objects_.Adapter = adapter_.get();
        objects_.taskQueue = queue_.get();
        objects_.SiteSurveyPage = survey_;
        objects_.ProfilePage = profiles_;
        objects_.WEPSetting = wep_;
        objects_.ProfileEditor = editor_;
        objects_.HiddenSSID = hidden_;
        objects_.drawer = drawer_;
        survey_->connectOutlets(objects_);
        profiles_->connectOutlets(objects_);
        wep_->connectOutlets(objects_);
        editor_->connectOutlets(objects_);
        hidden_->connectOutlets(objects_);
        survey_->awakeFromNib();
        profiles_->awakeFromNib();
        G_bRescan = 0;

        G_bDeviceExist = 1;
        G_bDeviceRemove = 0;
        G_bRadio = 1;
        window_->resize(900, 480);
        window_->show();
    }
    ~PageFixture() override {
        window_.reset();
        queue_.reset();
        adapter_.reset();
        ResetGlobalsForTest();
        __DEBUG__ = 0;
    }

    template <typename W>
    W* Find(QWidget* root, const char* name) {
        W* widget = root->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QTableView* ApList() { return Find<QTableView>(survey_, "ApList"); }

    // The scan list the adapter holds, and the table rebuilt from it.
    void ShowNetworks(const std::vector<ScanEntrySpec>& networks) {
        std::vector<ByteVec> entries;
        for (const ScanEntrySpec& n : networks) entries.push_back(ScanEntry(n));
        const ByteVec list = ScanListOf(entries);
        std::fill(G_pBssidList, G_pBssidList + kBssidListBufferSize, 0);
        std::copy(list.begin(), list.end(), G_pBssidList);
        survey_->RefreshAPList();
    }

    // The queued tasks, oldest first, taken out of the queue.
    std::vector<std::shared_ptr<ProfileData>> TakeTasks() {
        std::vector<std::shared_ptr<ProfileData>> tasks;
        while (auto task = TaskQueue::GetTaskObject()) {
            tasks.push_back(task);
            TaskQueue::RemoveTaskObject();
        }
        return tasks;
    }

    void WriteProfiles(const PrefArray& profiles) {
        WritePreferenceArray(kProfileListPath, profiles);
    }
    PrefArray Profiles() { return ReadPreferenceArray(kProfileListPath); }
    void WriteActive(const PrefArray& active) { WritePreferenceArray(kActiveProfilePath, active); }
    std::string ActiveFlag() {
        const PrefArray active = ReadPreferenceArray(kActiveProfilePath);
        return active.empty() ? "" : active.front().Value(kKeyActiveProfileFlag);
    }

    TempHome home_;
    platform::ManualClock clock_;
    platform::RecordingAlerts alerts_;
    RecordingUserClientProvider driver_;
    std::unique_ptr<KestrelAccess> adapter_;
    std::unique_ptr<TaskQueue> queue_;
    std::unique_ptr<QMainWindow> window_;
    SiteSurveyController* survey_ = nullptr;
    ProfileController* profiles_ = nullptr;
    ProfileDrawer* drawer_ = nullptr;
    WEPSettingController* wep_ = nullptr;
    ProfileEditorController* editor_ = nullptr;
    HiddenSSIDController* hidden_ = nullptr;
    PaneObjects objects_;

private:
    platform::ScopedClock clockGuard_;
    platform::ScopedAlerts alertGuard_;
};

}  // namespace corvane::test
