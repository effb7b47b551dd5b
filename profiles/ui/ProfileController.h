// The profile list: the stored profiles by network name, in the profile
// drawer, with Add, Edit, Delete and Activate, a double click activating
// and a name edited in place written to the file. Its form is
// ProfileController.ui. It also holds the pane's copies of the profile file
// and the active-profile file.
#pragma once

#include <QWidget>
#include <memory>

#include "pane/PaneObjects.h"
#include "profiles/ConnectEngine.h"
#include "profiles/ProfileList.h"

namespace Ui {
class ProfileController;
}

namespace corvane {

class ProfileController : public QWidget {
public:
    explicit ProfileController(QWidget* parent = nullptr);
    ~ProfileController() override;

    void connectOutlets(const PaneObjects& objects);
    void awakeFromNib();  // double click activates; RefreshProfileList

    void RefreshProfileList();
    void ClearProfileList();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnActivate();
    void DisabledActivateProfile();
    // The active profile queued for connecting (the active-profile check's
    // 103-byte key record); false when there is none.
    bool CheckProfileSettingForConnect();

    const ProfileListState& state() const { return state_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;  // Enter on a row activates

private:
    int SelectedRow() const;  // -1 when none
    // A network name edited in place: stored in the row's profile and the
    // file written.
    void OnSSIDEdited(int row);

    ProfileListState state_;
    ConverterKeyBuffers keys_;
    std::unique_ptr<Ui::ProfileController> ui_;
    PaneObjects outlets_;
};

}  // namespace corvane
