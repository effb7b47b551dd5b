// The profile list: the stored profiles by network name, in the profile
// drawer, with Add, Edit, Delete and Activate, a double click activating
// and a network name edited in place (F2, or Rename in the row's context
// menu) written to the file. Its form is ProfileController.ui. It also holds
// the pane's copies of the profile file and the active-profile file, which
// it reads again whenever another program changes them, and marks the
// active profile's row; other pages reach the active profile through it as
// an ActiveProfileControl.
#pragma once

#include <QFileSystemWatcher>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "profiles/ActiveProfileControl.h"
#include "profiles/ConnectEngine.h"
#include "profiles/ProfileList.h"

namespace Ui {
class ProfileController;
}

namespace corvane {

class ProfileEditorSheet;
class ShareProfileController;
class TaskSink;

class ProfileController : public QWidget, public ActiveProfileControl {
public:
    struct Outlets {
        ProfileEditorSheet* ProfileEditor = nullptr;  // Add and Edit
        TaskSink* SiteSurveyPage = nullptr;           // where connects are queued
    };

    explicit ProfileController(QWidget* parent = nullptr);
    ~ProfileController() override;

    void connectOutlets(const Outlets& outlets);
    // Double click activates; the preference files are watched;
    // RefreshProfileList.
    void awakeFromNib();

    void RefreshProfileList();
    void ClearProfileList();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnActivate();
    // The row's context menu: the selected profile as a QR code; the
    // profiles from and to a file the user picks (ProfileExchangeActions.cpp).
    void OnShare();
    void OnImport();
    void OnExport();
    // False (and an alert) when the active file could not be written.
    bool DisabledActivateProfile() override;
    // The active profile queued for connecting (the active-profile check's
    // 103-byte key record); false when there is none.
    bool CheckProfileSettingForConnect() override;

    const ProfileListState& state() const { return state_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;  // Enter on a row activates

private:
    int SelectedRow() const;  // -1 when none
    // The rows rebuilt from state_, with the active profile's row marked.
    void ShowRows();
    // A network name edited in place: stored in that profile (and in the
    // active record when it was made from it).
    void OnSSIDEdited(int row);
    void OnRename();
    // The files changed on disk: read again and, when they differ from the
    // copies, the rows rebuilt with the same profile selected. Waits while
    // a name is being edited.
    void OnPreferencesChanged();
    void WatchPreferences();
    // Says why a change was not made, then shows the files as they are.
    void Report(StoreResult result, const char* notSaved, const char* path);

    ProfileListState state_;
    ConverterKeyBuffers keys_;
    std::unique_ptr<Ui::ProfileController> ui_;
    Outlets outlets_;
    QFileSystemWatcher watcher_;
    QTimer reload_;                            // gathers a burst of changes into one reload
    ShareProfileController* share_ = nullptr;  // made at the first Share…
};

}  // namespace corvane
