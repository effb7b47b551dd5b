// The Share… dialog of the profile drawer: a profile as the Wi-Fi QR code
// phones read, with its text to copy. A code that holds a key is withheld
// until the user turns on "Show key", and is dropped from the dialog again
// when it is turned off or the dialog closes. Its form is
// ShareProfileController.ui.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "profiles/PreferenceFiles.h"

namespace Ui {
class ShareProfileController;
}

namespace corvane {

class ShareProfileController : public QDialog {
public:
    explicit ShareProfileController(QWidget* parent = nullptr);
    ~ShareProfileController() override;

    // Shows the profile's code window-modal; a profile that has none (an ad
    // hoc one, a missing key) is refused with an alert instead.
    void Run(const PrefDictionary& profile);

    void OnShowKey(bool shown);

private:
    void ShowCode(bool shown);

    std::unique_ptr<Ui::ShareProfileController> ui_;
    std::string text_;  // the QR text while the dialog runs
};

}  // namespace corvane
