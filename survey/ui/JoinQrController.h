// The "Join from QR text…" dialog of the site survey page: the text of a
// Wi-Fi QR code (WIFI:T:WPA;S:...;P:...;;), pasted or typed, returned on
// OK from the call that runs the dialog. Its form is JoinQrController.ui.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class JoinQrController;
}

namespace corvane {

class JoinQrController : public QDialog {
public:
    explicit JoinQrController(QWidget* parent = nullptr);
    ~JoinQrController() override;

    // Empties the field and shows the dialog window-modal; the text's bytes
    // (UTF-8) on OK, nothing when cancelled.
    std::optional<std::string> Run();

private:
    std::unique_ptr<Ui::JoinQrController> ui_;
};

}  // namespace corvane
