#include "profiles/ui/ProfileController.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include "adapter/Globals.h"
#include "adapter/Trace.h"
#include "editor/KeyRules.h"
#include "editor/ui/KeyEntryWidgets.h"
#include "editor/ui/ProfileEditorController.h"
#include "platform/Alert.h"
#include "survey/SurveyConnect.h"
#include "survey/ui/SiteSurveyController.h"
#include "ui_ProfileController.h"

namespace corvane {
namespace {

constexpr const char* kPage = "ProfilePageController";
constexpr int kBytesRole = Qt::UserRole;  // a row's SSID as stored

// A name being edited in place: its editor, the only child the list's
// viewport shows, passes on the Enter that ends the edit.
bool EditorOpen(const QAbstractItemView* view) {
    for (const QWidget* child :
         view->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden()) return true;
    return false;
}

}  // namespace

ProfileController::ProfileController(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::ProfileController>()) {
    TraceEntry(kPage, "init");
    ui_->setupUi(this);
    ui_->profileList->horizontalHeaderItem(0)->setData(Qt::UserRole, QStringLiteral("SSID"));
    ui_->profileList->verticalHeader()->setDefaultSectionSize(
        ui_->profileList->fontMetrics().height() + 8);
    ui_->profileList->installEventFilter(this);
    connect(ui_->Add, &QPushButton::clicked, this, &ProfileController::OnAdd);
    connect(ui_->Edit, &QPushButton::clicked, this, &ProfileController::OnEdit);
    connect(ui_->Delete, &QPushButton::clicked, this, &ProfileController::OnDelete);
    connect(ui_->Activate, &QPushButton::clicked, this, &ProfileController::OnActivate);
    connect(ui_->profileList, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { OnSSIDEdited(item->row()); });
}

ProfileController::~ProfileController() = default;

void ProfileController::connectOutlets(const PaneObjects& objects) { outlets_ = objects; }

void ProfileController::awakeFromNib() {
    TraceEntry(kPage, "awakeFromNib");
    connect(ui_->profileList, &QAbstractItemView::doubleClicked, this,
            &ProfileController::OnActivate, Qt::UniqueConnection);
    RefreshProfileList();
}

void ProfileController::RefreshProfileList() {
    state_.Refresh();
    ClearProfileList();
    QTableWidget* list = ui_->profileList;
    const QSignalBlocker block(list);
    list->setRowCount(int(state_.records.size()));
    for (size_t row = 0; row < state_.records.size(); ++row) {
        const std::string ssid = state_.records[row].Value(kKeySsid);
        auto* item = new QTableWidgetItem(FromBytes(ssid));
        item->setData(kBytesRole, QByteArray(ssid.data(), qsizetype(ssid.size())));
        list->setItem(int(row), 0, item);
    }
    list->clearSelection();
    list->setCurrentCell(-1, -1);
}

void ProfileController::ClearProfileList() {
    TraceEntry(kPage, "ClearProfileList");
    const QSignalBlocker block(ui_->profileList);
    ui_->profileList->setRowCount(0);
}

int ProfileController::SelectedRow() const {
    const QModelIndexList selected = ui_->profileList->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void ProfileController::OnAdd() {
    if (!outlets_.ProfileEditor) return;
    outlets_.ProfileEditor->AddInit();
    outlets_.ProfileEditor->Run();
    RefreshProfileList();
}

void ProfileController::OnEdit() {
    const int row = SelectedRow();
    if (row < 0 || !outlets_.ProfileEditor) return;
    // The file may have changed since the list was shown: then there is
    // nothing to edit at that row.
    if (outlets_.ProfileEditor->EditInit(row)) outlets_.ProfileEditor->Run();
    RefreshProfileList();
}

void ProfileController::OnDelete() {
    const int row = SelectedRow();
    if (row < 0) {
        platform::RunAlertPanel(kAlertNoSelectedItem, kAlertSelectToDelete, "OK");
        return;
    }
    const DeleteOutcome outcome = DeleteProfile(state_, size_t(row));
    if (outcome.queueReset && outlets_.SiteSurveyPage)
        outlets_.SiteSurveyPage->SetTaskQueue(MakeResetRecord());
    RefreshProfileList();
}

void ProfileController::OnActivate() {
    const int row = SelectedRow();
    if (row < 0) return;
    ProfileRecordPtr record = ActivateProfile(state_, size_t(row), keys_);
    keys_.Zero();
    if (!record) return;
    G_bRescan = 0;
    if (outlets_.SiteSurveyPage) outlets_.SiteSurveyPage->SetTaskQueue(std::move(record));
    RefreshProfileList();
    if (outlets_.SiteSurveyPage) outlets_.SiteSurveyPage->resetFlag();
}

void ProfileController::DisabledActivateProfile() {
    corvane::DisabledActivateProfile(state_.recordActivate);
}

bool ProfileController::CheckProfileSettingForConnect() {
    ProfileRecordPtr record = ConvertActiveProfile(
        state_.recordActivate, kPaneActiveProfileCheck.pskKeyRecordLength, keys_);
    keys_.Zero();
    if (!record) return false;
    G_bRescan = 0;
    if (outlets_.SiteSurveyPage) {
        outlets_.SiteSurveyPage->SetTaskQueue(std::move(record));
        outlets_.SiteSurveyPage->resetFlag();
    }
    return true;
}

void ProfileController::OnSSIDEdited(int row) {
    QTableWidgetItem* item = ui_->profileList->item(row, 0);
    if (!item || row < 0 || size_t(row) >= state_.records.size()) return;
    const QByteArray typed = item->text().toUtf8();
    const QByteArray stored = item->data(kBytesRole).toByteArray();
    TextFilterResult kept =
        LimitSsidText(std::string_view(typed.constData(), size_t(typed.size())));
    const QSignalBlocker block(ui_->profileList);
    if (kept.text.empty()) {
        // A profile needs a network name: the old one stays.
        platform::SystemBeep();
        item->setText(QString::fromUtf8(stored));
        return;
    }
    if (kept.text.size() < size_t(typed.size())) {
        platform::SystemBeep();
        item->setText(FromBytes(kept.text));
    }
    state_.records[size_t(row)].Set(kKeySsid, kept.text);
    item->setData(kBytesRole, QByteArray(kept.text.data(), qsizetype(kept.text.size())));
    WritePreferenceArray(kProfileListPath, state_.records);
}

bool ProfileController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->profileList && event->type() == QEvent::KeyPress &&
        !EditorOpen(ui_->profileList)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnActivate();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace corvane
