#include "platform/qt/FirstPaint.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace platform {
namespace {

class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Runs once the paint event has been handled and the window's
            // contents flushed to the display.
            QTimer::singleShot(0, this, [this] {
                std::fputs("first-paint\n", stdout);
                std::fflush(stdout);
                deleteLater();
            });
        }
        return false;
    }
};

}  // namespace

void ReportFirstPaintIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsEmpty("CORVANE_REPORT_FIRST_PAINT")) return;
    new FirstPaintWatch(window);
}

}  // namespace platform
