// The About page: driver version, EEPROM version, MAC address and the
// pane's own version, filled at every bring-up of the adapter (see
// AboutInformation.h for where each comes from). Its form is
// AboutController.ui.
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class AboutController;
}

namespace corvane {

class KestrelAccess;

class AboutController : public QWidget {
public:
    struct Outlets {
        KestrelAccess* Adapter = nullptr;
    };

    explicit AboutController(QWidget* parent = nullptr);
    ~AboutController() override;

    void connectOutlets(const Outlets& outlets);
    void GetAllInformation();

private:
    std::unique_ptr<Ui::AboutController> ui_;
    Outlets outlets_;
};

}  // namespace corvane
