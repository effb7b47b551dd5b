// The status item as a system tray icon with the menu of MiniTask.ui.
//
// A tray shows no text beside its icon, so the status title goes to the
// tooltip and to the first (disabled) line of the menu. Where there is no
// tray (offscreen, or no tray host), nothing is shown but the menu and its
// lines are kept up to date all the same.
#pragma once

#include <QIcon>
#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "agent/StatusPresenter.h"

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace Ui {
class MiniTaskMenu;
}

namespace corvane {

class TrayStatusItem : public QObject, public StatusPresenter {
public:
    // `onMenuAction` receives the menu item chosen (its "tag" property says
    // what it stands for).
    explicit TrayStatusItem(std::function<void(const QObject*)> onMenuAction);
    ~TrayStatusItem() override;

    void SetTitle(const std::string& title) override;
    void SetImage(int level) override;
    void SetApItemTitle(const std::string& title) override;
    void SetChannelItemTitle(const std::string& title) override;
    void SetSignalStrengthItemTitle(const std::string& title) override;

    QMenu* menu() const { return menu_.get(); }
    QAction* WirelessPreference() const;
    // Pops the menu up where the tray icon is (or at the screen's top right).
    void PopUpMenu();
    // Shows a message from the tray icon, where the tray offers one; false
    // where there is no tray or it shows no messages.
    bool ShowMessage(const std::string& title, const std::string& message);
    // The "Show Notifications" check item.
    QAction* ShowNotifications() const;

private:
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<Ui::MiniTaskMenu> ui_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    // dbm0 .. dbm5
    std::array<QIcon, kSignalIconCount> dbm_;
};

}  // namespace corvane
