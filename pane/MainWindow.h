// The pane's window, in the role of its interface file: the tab view with
// the site survey, link status, advanced and about pages, the profile
// drawer, every controller created and connected, and the window's busy
// state. It is the one place that knows every page: each page is given the
// outlets it uses, and the window connects the pages' notifications (a scan
// runs, the profiles changed, the drawer is to open or close, the radio was
// switched) to the pages they concern. Its form is MainWindow.ui.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "adapter/KestrelAccess.h"
#include "pane/PaneObjects.h"
#include "profiles/TaskQueue.h"

namespace Ui {
class MainWindow;
}

namespace corvane {

class VelaConfigKestrelPreferencePane;

inline constexpr const char* kScanningText = QT_TRANSLATE_NOOP("MainWindow", "Scanning\u2026");
inline constexpr const char* kClosingLaterText =
    QT_TRANSLATE_NOOP("MainWindow", "Closing when the current operation ends\u2026");

class MainWindow : public QMainWindow {
public:
    // Creates every page and dialog, connects their outlets and runs their
    // awakeFromNib in order. `pane` may be null (tests).
    explicit MainWindow(VelaConfigKestrelPreferencePane* pane = nullptr);
    ~MainWindow() override;

    const PaneObjects& objects() const { return objects_; }

    // Shown, restored from a minimised state and brought to the front, for
    // a second start of the program.
    void Raise();

    // The window's busy state while a long wait runs on the main thread (a
    // rescan waits 5 or 10 seconds for the driver): a wait cursor and the
    // text in the status bar. The window paints during the wait (the
    // clock's sleeps keep it answering), so the state shows the whole time.
    // Calls may nest; the state ends with the outermost EndBusy.
    void BeginBusy(const char* text);
    void EndBusy();

    // A close asked for while an operation waited, carried out when it ends.
    bool ClosePending() const { return closePending_; }

protected:
    void showEvent(QShowEvent* event) override;    // didSelect
    void hideEvent(QHideEvent* event) override;    // didUnselect
    void closeEvent(QCloseEvent* event) override;  // held back while a wait runs

private:
    // Each page's outlets, and the notifications between pages.
    void ConnectPages();
    void RetryClose();

    std::unique_ptr<Ui::MainWindow> ui_;
    KestrelAccess adapter_;
    TaskQueue taskQueue_;
    PaneObjects objects_;
    std::unique_ptr<VelaConfigKestrelController> mainController_;
    VelaConfigKestrelPreferencePane* pane_;
    int busyDepth_ = 0;
    bool closePending_ = false;
    QTimer closeRetry_;
};

}  // namespace corvane
