// The site survey page, the profile list and the three dialogs connected
// as the window connects them, in a shown main window, over the recording
// driver, in a temporary HOME, on the test clock, alerts and beeps
// recorded; the adapter present with its radio on.
#pragma once

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
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
#include "platform/Alert.h"
#include "platform/Clock.h"
#include "profiles/TaskQueue.h"
#include "profiles/ui/ProfileController.h"
#include "profiles/ui/ProfileDrawer.h"
#include "survey/ui/HiddenSSIDController.h"
#include "survey/ui/SiteSurveyController.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/ScanEntries.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {

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

class PageFixture : public ::testing::Test {
public:
    PageFixture() : clockGuard_(clock_), alertGuard_(alerts_) {
        ResetGlobalsForTest();
        __DEBUG__ = 0;
        auto* tabs = new QTabWidget(window_.get());
        window_->setCentralWidget(tabs);
        tabs->addTab(survey_ = new SiteSurveyController, "Site Survey");
        profiles_ = new ProfileController;
        drawer_ = new ProfileDrawer(window_.get(), profiles_);
        wep_ = new WEPSettingController(window_.get());
        editor_ = new ProfileEditorController(window_.get());
        hidden_ = new HiddenSSIDController(window_.get());
        PaneObjects o;
        o.mainWindow = window_.get();
        o.Adapter = adapter_.get();
        o.taskQueue = &queue_;
        o.SiteSurveyPage = survey_;
        o.ProfilePage = profiles_;
        o.WEPSetting = wep_;
        o.ProfileEditor = editor_;
        o.HiddenSSID = hidden_;
        o.drawer = drawer_;
        survey_->connectOutlets(o);
        profiles_->connectOutlets(o);
        wep_->connectOutlets(o);
        editor_->connectOutlets(o);
        hidden_->connectOutlets(o);
        survey_->awakeFromNib();
        profiles_->awakeFromNib();
        G_bRescan = 0;
        G_bDeviceExist = 1;
        G_bDeviceRemove = 0;
        window_->resize(900, 480);
        window_->show();
    }
    ~PageFixture() override {
        window_.reset();
        ResetGlobalsForTest();
        __DEBUG__ = 0;
    }

    template <typename W>
    W* Find(QWidget* root, const char* name) {
        W* widget = root->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    template <typename W = QPushButton>
    void Click(QWidget* root, const char* button) {
        Find<W>(root, button)->click();
    }
    QTableView* ApList() { return Find<QTableView>(survey_, "ApList"); }

    // The adapter's scan list, and the table rebuilt from it.
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
        for (; auto task = TaskQueue::GetTaskObject(); TaskQueue::RemoveTaskObject())
            tasks.push_back(task);
        return tasks;
    }
    std::string ActiveFlag() {
        const PrefArray active = ReadPreferenceArray(kActiveProfilePath);
        return active.empty() ? "" : active.front().Value(kKeyActiveProfileFlag);
    }

    TempHome home_;
    platform::ManualClock clock_;
    platform::RecordingAlerts alerts_;
    RecordingUserClientProvider driver_;
    std::unique_ptr<KestrelAccess> adapter_ = std::make_unique<KestrelAccess>();
    TaskQueue queue_;
    std::unique_ptr<QMainWindow> window_ = std::make_unique<QMainWindow>();
    SiteSurveyController* survey_ = nullptr;
    ProfileController* profiles_ = nullptr;
    ProfileDrawer* drawer_ = nullptr;
    WEPSettingController* wep_ = nullptr;
    ProfileEditorController* editor_ = nullptr;
    HiddenSSIDController* hidden_ = nullptr;

private:
    platform::ScopedClock clockGuard_;
    platform::ScopedAlerts alertGuard_;
};

}  // namespace corvane::test
