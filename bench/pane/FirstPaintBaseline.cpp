// The yardstick for the settings window's start-up time: a minimal Qt
// Widgets main window (a title and one label), started and watched the same
// way as the window (see measure_window.py): "first-paint" on standard
// output once it has painted, when CORVANE_REPORT_FIRST_PAINT is set.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "platform/qt/FirstPaint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("First paint baseline"));
    window.setCentralWidget(new QLabel(QStringLiteral("A minimal Qt Widgets window")));
    window.resize(860, 560);
    platform::ReportFirstPaintIfAsked(window);
    window.show();
    return app.exec();
}
