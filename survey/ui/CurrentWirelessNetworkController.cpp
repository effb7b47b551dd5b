#include "survey/ui/CurrentWirelessNetworkController.h"

#include <QCoreApplication>

#include "adapter/SsidText.h"
#include "adapter/Trace.h"
#include "platform/Clock.h"
#include "platform/qt/NestedLoop.h"
#include "survey/LinkStatus.h"
#include "survey/ui/SignalHistoryGraph.h"
#include "ui_CurrentWirelessNetworkController.h"

namespace corvane {
namespace {

constexpr const char* kPage = "LinkStatusPageController";

// The network name is the driver's bytes; a name that is not UTF-8 (or
// holds controls) shows them escaped.
QString Text(const std::string& bytes) {
    const std::string shown = PrintableText(bytes);
    return QString::fromUtf8(shown.data(), qsizetype(shown.size()));
}

// One of the page's own words ("Connected", "None", ...), in the user's
// language.
QString Word(const std::string& english) {
    return QCoreApplication::translate("LinkStatus", english.c_str());
}

}  // namespace

CurrentWirelessNetworkController::CurrentWirelessNetworkController(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::CurrentWirelessNetworkController>()) {
    TraceEntry(kPage, "init");
    ui_->setupUi(this);
    history_ = new SignalHistoryGraph(this);
    ui_->PageLayout->insertWidget(ui_->PageLayout->indexOf(ui_->CurrentNetworkGroup) + 1, history_,
                                  1);  // the page's spare height
    connect(ui_->ShowMyNetworks, &QPushButton::clicked, this,
            &CurrentWirelessNetworkController::OnProfileDrawer);
}

CurrentWirelessNetworkController::~CurrentWirelessNetworkController() { StopTimer(); }

void CurrentWirelessNetworkController::connectOutlets(const Outlets& outlets) {
    outlets_ = outlets;
}

void CurrentWirelessNetworkController::awakeFromNib() {
    TraceEntry(kPage, "awakeFromNib");
    ChannelQuality = 0;
    ui_->SignalStrength->setRange(0, 100);
}

void CurrentWirelessNetworkController::StartTimer() {
    if (timer_) return;
    timer_ = new QTimer(this);
    timer_->setInterval(kLinkStatusIntervalMs);
    connect(timer_, &QTimer::timeout, this, &CurrentWirelessNetworkController::TimerFired);
    timer_->start();
}

void CurrentWirelessNetworkController::StopTimer() {
    if (!timer_) return;
    timer_->stop();
    timer_->deleteLater();  // safe even when called while it fires
    timer_ = nullptr;
}

bool CurrentWirelessNetworkController::TimerRunning() const { return timer_ && timer_->isActive(); }

// A tick that comes while a wait of another operation keeps the window
// painting is skipped: the refresh would put requests in the middle of it.
// Behind a dialog or an alert the page goes on refreshing.
void CurrentWirelessNetworkController::TimerFired() {
    if (platform::InOperationWait()) return;
    OnTimer();
}

void CurrentWirelessNetworkController::OnTimer() {
    TraceEntry(kPage, "OnTimer");
    if (!outlets_.Adapter) return;
    LinkStatusView view = ReadLinkStatus(*outlets_.Adapter, ChannelQuality);
    Show(view);
    history_->AddSample(platform::CurrentClock().NowMicroseconds(), view);
    if (view.associated) TraceEntry(kPage, "OnTimer - ending");
}

void CurrentWirelessNetworkController::Show(const LinkStatusView& view) {
    // Without a link the name, channel and BSSID read "None"; with one they
    // are the network's own and never looked up.
    const auto value = [&view](const std::string& text) {
        return view.associated ? Text(text) : Word(text);
    };
    ui_->NetworkName->setText(value(view.networkName));
    ui_->NetworkType->setText(Word(view.networkType));
    ui_->AttachedState->setText(Word(view.attachedState));
    ui_->Channel->setText(value(view.channel));
    ui_->LinkState->setText(Word(view.linkState));
    ui_->BSSID->setText(value(view.bssid));
    ui_->SignalStrength->setValue(int(view.signalStrength));
}

void CurrentWirelessNetworkController::OnProfileDrawer() { emit profileDrawerToggled(); }

void CurrentWirelessNetworkController::ShowProfileDrawerTitle(bool drawerOpen) {
    ui_->ShowMyNetworks->setText(QCoreApplication::translate(
        "CurrentWirelessNetworkController",
        drawerOpen ? kCloseProfileDrawerTitle : kOpenProfileDrawerTitle));
}

QPushButton* CurrentWirelessNetworkController::ShowMyNetworks() const {
    return ui_->ShowMyNetworks;
}

}  // namespace corvane
