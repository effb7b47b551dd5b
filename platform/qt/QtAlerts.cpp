#include "platform/qt/QtAlerts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include "platform/qt/NestedLoop.h"

namespace platform {

void QtAlerts::RunAlert(const std::string& title, const std::string& message,
                        const std::string& button) {
    // Like an alert panel: the title is the bold text, the message the
    // informative text below it, and the only button ends the modal run.
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(title));
    if (!message.empty()) {
        box.setInformativeText(QString::fromStdString(message));
    }
    // The button's text ("OK" for every alert) in the user's language.
    const char* const text = button.empty() ? QT_TRANSLATE_NOOP("QtAlerts", "OK") : button.c_str();
    QPushButton* ok =
        box.addButton(QCoreApplication::translate("QtAlerts", text), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    NestedLoopScope scope(NestedLoopKind::ModalRun);
    box.exec();
}

void QtAlerts::Beep() { QApplication::beep(); }

}  // namespace platform
