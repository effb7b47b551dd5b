// The hidden SSID dialog: the name of a network that does not announce it,
// at most 32 bytes, handed to the site survey page on OK. Its form is
// HiddenSSIDController.ui.
#pragma once

#include <QDialog>
#include <memory>

#include "pane/PaneObjects.h"

namespace Ui {
class HiddenSSIDController;
}

namespace corvane {

class HiddenSSIDController : public QDialog {
public:
    explicit HiddenSSIDController(QWidget* parent = nullptr);
    ~HiddenSSIDController() override;

    void connectOutlets(const PaneObjects& objects);

    // Empties the field and shows the dialog window-modal over the main
    // window; 1 when the name was handed back, 0 when cancelled.
    int Run();

    void controlTextDidChange();  // the length limit, with a beep
    void OnOK();                  // hands the text back, result 1
    void OnCANCEL();              // result 0
    void ClearSSIDStr();

private:
    std::unique_ptr<Ui::HiddenSSIDController> ui_;
    PaneObjects outlets_;
};

}  // namespace corvane
