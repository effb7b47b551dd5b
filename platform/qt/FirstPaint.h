// A start-up time probe for the windowed programs. When the environment
// variable CORVANE_REPORT_FIRST_PAINT is set (to anything but empty), the
// first time the watched window has painted and flushed its contents the
// line "first-paint" is written to standard output; a measuring program
// times the launch up to that line. Without the variable nothing is watched.
#pragma once

class QWidget;

namespace platform {

void ReportFirstPaintIfAsked(QWidget& window);

}  // namespace platform
