// The About page: driver version, EEPROM version, MAC address and the
// pane's own version, filled at every bring-up of the adapter (see
// AboutInformation.h for where each comes from). Its form is
// AboutController.ui.
#pragma once

#include <QWidget>
#include <memory>

#include "pane/PaneObjects.h"

namespace Ui {
class AboutController;
}

namespace corvane {

class AboutController : public QWidget {
public:
    explicit AboutController(QWidget* parent = nullptr);
    ~AboutController() override;

    void connectOutlets(const PaneObjects& objects);
    void GetAllInformation();

private:
    std::unique_ptr<Ui::AboutController> ui_;
    PaneObjects outlets_;
};

}  // namespace corvane
