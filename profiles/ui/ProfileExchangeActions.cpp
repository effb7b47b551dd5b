// The profile drawer's Share…, Import… and Export…: the QR code dialog, and
// the profile list from and to a file chosen in a file dialog, over the
// import and export that `corvane profiles import|export` run.
#include <QCoreApplication>
#include <QFileDialog>
#include <QStringList>

#include "exchange/ProfileImport.h"
#include "platform/Alert.h"
#include "platform/Translate.h"
#include "platform/qt/FieldText.h"
#include "platform/qt/NestedLoop.h"
#include "profiles/ui/ProfileController.h"
#include "profiles/ui/ShareProfileController.h"

namespace corvane {
namespace {

// The files the user picked, none when cancelled.
QStringList ChooseFiles(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, title);
    dialog.setObjectName(mode == QFileDialog::AcceptSave ? QStringLiteral("ExportFileDialog")
                                                         : QStringLiteral("ImportFileDialog"));
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(
            QCoreApplication::translate("ProfileExchangeActions", "Property lists (*.plist)"));
        dialog.setDefaultSuffix(QStringLiteral("plist"));
        dialog.selectFile(QStringLiteral("Profiles.plist"));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.setNameFilter(QCoreApplication::translate(
            "ProfileExchangeActions",
            "Profiles and Wi-Fi settings (*.plist *.conf *.nmconnection);;All files (*)"));
    }
    dialog.setWindowModality(Qt::WindowModal);
    if (platform::RunModal(dialog) != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

void ProfileController::OnShare() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (!share_) share_ = new ShareProfileController(this);
    share_->Run(state_.records[size_t(row)]);
}

void ProfileController::OnExport() {
    const QStringList files =
        ChooseFiles(this, QCoreApplication::translate("ProfileExchangeActions", "Export Profiles"),
                    QFileDialog::AcceptSave);
    if (files.isEmpty()) return;
    const std::string path = ToBytes(files.front());
    if (!ExportProfiles(path))
        platform::RunAlertPanel(Tr("ProfileExchangeActions", "The profiles could not be exported."),
                                path, "OK");
}

void ProfileController::OnImport() {
    const QStringList files =
        ChooseFiles(this, QCoreApplication::translate("ProfileExchangeActions", "Import Profiles"),
                    QFileDialog::AcceptOpen);
    if (files.isEmpty()) return;
    std::vector<std::string> paths;
    for (const QString& file : files) paths.push_back(ToBytes(file));
    const ImportReport report = ImportProfileFiles(paths, false);
    switch (report.result) {
        case ImportReport::Result::kUnreadable:
            platform::RunAlertPanel(Tr("ProfileExchangeActions", "The file could not be imported."),
                                    report.problem, "OK");
            break;
        case ImportReport::Result::kFailed:
            platform::RunAlertPanel(Tr("ProfileList", kAlertProfilesNotSaved),
                                    ExpandTilde(kProfileListPath), "OK");
            break;
        case ImportReport::Result::kNothing:
            platform::RunAlertPanel(Tr("ProfileExchangeActions", "No profile was imported."),
                                    Lines(DescribeImport(report)), "OK");
            break;
        case ImportReport::Result::kStored: {
            const size_t n = report.imported.size();
            const std::string title =
                n == 1 ? Tr("ProfileExchangeActions", "Imported 1 profile.")
                       : FormatText(Tr("ProfileExchangeActions", "Imported %1 profiles."),
                                    {std::to_string(n)});
            platform::RunAlertPanel(title, Lines(DescribeImport(report)), "OK");
            break;
        }
    }
    RefreshProfileList();
}

}  // namespace corvane
