// CorvaneWirelessUtility: the settings window. A second start brings the
// running window to the front instead of opening another.
#include <QApplication>
#include <cstdio>

#include "pane/MainWindow.h"
#include "pane/PreferencePane.h"
#include "pane/SingleInstance.h"
#include "platform/Alert.h"
#include "platform/BundleInfo.h"
#include "platform/Clock.h"
#include "platform/PaneLauncher.h"
#include "platform/qt/FirstPaint.h"
#include "platform/qt/NestedLoop.h"
#include "platform/qt/QtAlerts.h"
#include "translations/Translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CorvaneWirelessUtility"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Wireless Utility"));
    QGuiApplication::setDesktopFileName(QStringLiteral("CorvaneWirelessUtility"));
    corvane::i18n::InstallTranslations();

    corvane::MainWindow* window = nullptr;
    corvane::SingleInstance instance([&window] {
        if (window) window->Raise();
    });
    qint64 other = 0;
    switch (instance.Start(&other)) {
        case corvane::SingleInstance::Outcome::Raised:
            std::printf(
                "Corvane Wireless Utility is already running (process %lld); "
                "its window was brought to the front.\n",
                static_cast<long long>(other));
            return 0;
        case corvane::SingleInstance::Outcome::NotAnswering:
            std::fprintf(stderr,
                         "Corvane Wireless Utility is already running but does not answer; "
                         "not starting a second window.\n");
            return 1;
        case corvane::SingleInstance::Outcome::Unguarded:
            std::fprintf(stderr,
                         "CorvaneWirelessUtility: no private folder for the single-window "
                         "guard; a second start would open a second window.\n");
            break;
        case corvane::SingleInstance::Outcome::First:
            break;
    }

    // Waits keep the window painting; alerts are modal message boxes.
    platform::ResponsiveClock clock;
    platform::ScopedClock clockScope(clock);
    platform::QtAlerts alerts;
    platform::ScopedAlerts alertScope(alerts);

    std::string bundle = corvane::RunningBundlePath();
    if (bundle.empty()) bundle = platform::ResolveSystemPath(platform::kPaneBundleSystemPath);
    corvane::VelaConfigKestrelPreferencePane pane(bundle);
    corvane::MainWindow mainWindow(&pane);
    window = &mainWindow;
    platform::ReportFirstPaintIfAsked(mainWindow);
    mainWindow.show();
    const int status = app.exec();
    window = nullptr;
    return status;
}
