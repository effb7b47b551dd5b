#include "agent/TrayStatusItem.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>

#include "ui_MiniTask.h"

// The icons live in a static library, whose resources are only linked in
// when registered explicitly (outside any namespace, as Qt requires).
static void RegisterAgentResources() { Q_INIT_RESOURCE(MiniTask); }

namespace corvane {
namespace {

bool PlatformCanShowTray() {
    const QString name = QGuiApplication::platformName();
    return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

}  // namespace

TrayStatusItem::TrayStatusItem(std::function<void(const QObject*)> onMenuAction)
    : menu_(std::make_unique<QMenu>()), ui_(std::make_unique<Ui::MiniTaskMenu>()) {
    RegisterAgentResources();
    ui_->setupUi(menu_.get());
    for (int level = 0; level < kSignalIconCount; ++level) {
        dbm_[level] = QIcon(QStringLiteral(":/signal%1").arg(level));
    }
    connect(ui_->WirelessPreference, &QAction::triggered, this,
            [this, onMenuAction = std::move(onMenuAction)] {
                if (onMenuAction) onMenuAction(ui_->WirelessPreference);
            });

    // On X11 a tray host that appears later is picked up by the icon itself,
    // so the icon is created whenever the platform can show one at all.
    if (PlatformCanShowTray()) {
        tray_ = std::make_unique<QSystemTrayIcon>();
        tray_->setContextMenu(menu_.get());
        // The tray needs some image to be visible; the empty bars stand for
        // "no image".
        tray_->setIcon(dbm_[0]);
        connect(tray_.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger) PopUpMenu();
                });
        tray_->show();
    }
}

TrayStatusItem::~TrayStatusItem() {
    if (tray_) tray_->hide();
}

QAction* TrayStatusItem::WirelessPreference() const { return ui_->WirelessPreference; }

QAction* TrayStatusItem::ShowNotifications() const { return ui_->ShowNotifications; }

void TrayStatusItem::SetTitle(const std::string& title) {
    const QString text = QString::fromStdString(title);
    ui_->StatusTitleItem->setText(text);
    if (tray_) tray_->setToolTip(text);
}

void TrayStatusItem::SetImage(int level) {
    if (!tray_) return;
    tray_->setIcon(level >= 0 && level < kSignalIconCount ? dbm_[level] : dbm_[0]);
}

void TrayStatusItem::SetApItemTitle(const std::string& title) {
    ui_->ApItem->setText(QString::fromStdString(title));
}

void TrayStatusItem::SetChannelItemTitle(const std::string& title) {
    ui_->ChannelItem->setText(QString::fromStdString(title));
}

void TrayStatusItem::SetSignalStrengthItemTitle(const std::string& title) {
    ui_->SignalStrengthItem->setText(QString::fromStdString(title));
}

void TrayStatusItem::PopUpMenu() {
    QPoint at;
    if (tray_ && tray_->geometry().isValid()) {
        at = tray_->geometry().bottomLeft();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        at = screen->availableGeometry().topRight() - QPoint(menu_->sizeHint().width(), 0);
    }
    menu_->popup(at);
}

bool TrayStatusItem::ShowMessage(const std::string& title, const std::string& message) {
    if (!tray_ || !QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return false;
    tray_->showMessage(QString::fromStdString(title), QString::fromStdString(message),
                       tray_->icon());
    return true;
}

}  // namespace corvane
