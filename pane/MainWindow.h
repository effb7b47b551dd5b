// The pane's window, in the role of its interface file: the tab view with
// the site survey, link status, advanced and about pages, the profile
// drawer, and every controller created and connected. Its form is
// MainWindow.ui.
#pragma once

#include <QMainWindow>
#include <memory>

#include "adapter/KestrelAccess.h"
#include "pane/PaneObjects.h"
#include "profiles/TaskQueue.h"

namespace Ui {
class MainWindow;
}

namespace corvane {

class VelaConfigKestrelPreferencePane;

class MainWindow : public QMainWindow {
public:
    // Creates every page and dialog, connects their outlets and runs their
    // awakeFromNib in order. `pane` may be null (tests).
    explicit MainWindow(VelaConfigKestrelPreferencePane* pane = nullptr);
    ~MainWindow() override;

    const PaneObjects& objects() const { return objects_; }

protected:
    void showEvent(QShowEvent* event) override;   // didSelect
    void hideEvent(QHideEvent* event) override;   // didUnselect
    void closeEvent(QCloseEvent* event) override; // held back while a wait runs

private:
    std::unique_ptr<Ui::MainWindow> ui_;
    KestrelAccess adapter_;
    TaskQueue taskQueue_;
    PaneObjects objects_;
    VelaConfigKestrelPreferencePane* pane_;
};

}  // namespace corvane
