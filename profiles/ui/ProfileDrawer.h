// The profile drawer: a panel at the side of the main window that holds the
// profile list. It opens and closes like a drawer; its state is one of the
// four a drawer has, and opening or closing takes effect at once.
#pragma once

#include <QDockWidget>

class QMainWindow;

namespace corvane {

class ProfileDrawer : public QDockWidget {
public:
    enum State { Closed = 0, Opening = 1, Open = 2, Closing = 3 };

    // Attaches itself to the right side of `parent`, closed.
    ProfileDrawer(QMainWindow* parent, QWidget* content);

    State state() const;
    void open();
    void close();
    void toggle();
};

}  // namespace corvane
