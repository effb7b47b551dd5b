// The profile editor sheet: a window-modal dialog over the main window
// that creates or changes one profile. Its form is
// ProfileEditorController.ui (two tabs; the second holds the key-entry
// group); its values and rules are a ProfileEditorModel, which this class
// mirrors onto the controls.
#pragma once

#include <QDialog>
#include <memory>

#include "editor/ProfileEditorModel.h"
#include "editor/ProfileEditorSheet.h"
#include "editor/ui/KeyEntryWidgets.h"

namespace Ui {
class ProfileEditorController;
}

namespace corvane {

class ProfileEditorController : public QDialog, public ProfileEditorSheet {
public:
    struct Outlets {
        // The scan list whose networks the SSID list offers, and whose
        // access point a picked name records: the one the site survey
        // table shows.
        ProfileEditorModel::ScanListSource scanList;
    };

    explicit ProfileEditorController(QWidget* parent = nullptr);
    ~ProfileEditorController() override;

    void connectOutlets(const Outlets& outlets);

    // Entry operations (then Run()).
    void AddInit() override;
    bool EditInit(int index) override;
    bool AddProfile(const ProfilePrefill& prefill) override;

    // Shows the sheet window-modal over the main window; 1 saved, 0 cancelled.
    int Run() override;

    void OnOK();
    void OnCANCEL();
    void reject() override;  // Cancel, Escape and the window's close button

    ProfileEditorModel& model() { return model_; }

private:
    // The model onto the controls; `opening` also picks the tab and focus.
    void ShowModel(bool opening = false);
    // Texts as the controls hold them into the model (before OK).
    void ReadTexts();
    void ConnectControls();

    ProfileEditorModel model_;
    std::unique_ptr<Ui::ProfileEditorController> ui_;
    KeyEntryWidgets widgets_;
};

}  // namespace corvane
