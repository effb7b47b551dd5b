#include "profiles/ui/ProfileDrawer.h"

#include <QCoreApplication>
#include <QMainWindow>

namespace corvane {
namespace {

// Wide enough for the list and its buttons; a drawer never shrinks below.
constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 200;

}  // namespace

ProfileDrawer::ProfileDrawer(QMainWindow* parent, QWidget* content) : QDockWidget(parent) {
    setObjectName(QStringLiteral("ProfileDrawer"));
    setWindowTitle(QCoreApplication::translate("ProfileDrawer", "Profiles"));
    setAccessibleName(QCoreApplication::translate("ProfileDrawer", "Profile drawer"));
    // Only the drawer button opens and closes it, so its title always names
    // what pressing it does next.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::RightDockWidgetArea);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setWidget(content);
    parent->addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
}

// Opening and closing take effect at once: there is no opening or closing
// in between.
ProfileDrawer::State ProfileDrawer::state() const { return isHidden() ? Closed : Open; }

void ProfileDrawer::open() { show(); }

void ProfileDrawer::close() { hide(); }

void ProfileDrawer::toggle() {
    if (state() == Closed)
        open();
    else
        close();
}

}  // namespace corvane
