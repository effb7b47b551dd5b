// The hidden SSID dialog: the name of a network that does not announce it,
// at most 32 bytes, returned on OK from the call that runs the dialog. Its
// form is HiddenSSIDController.ui.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class HiddenSSIDController;
}

namespace corvane {

class HiddenSSIDController : public QDialog {
public:
    explicit HiddenSSIDController(QWidget* parent = nullptr);
    ~HiddenSSIDController() override;

    // Empties the field and shows the dialog window-modal over the main
    // window; the name's bytes (UTF-8) on OK, nothing when cancelled.
    std::optional<std::string> Run();

    void controlTextDidChange();  // the length limit, with a beep
    void OnOK();                  // takes the text, result 1
    void OnCANCEL();              // result 0
    void ClearSSIDStr();

private:
    std::unique_ptr<Ui::HiddenSSIDController> ui_;
    std::string name_;  // as OK took it
};

}  // namespace corvane
