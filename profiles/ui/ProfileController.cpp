#include "profiles/ui/ProfileController.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include "adapter/Globals.h"
#include "adapter/Trace.h"
#include "editor/KeyRules.h"
#include "editor/ProfileEditorSheet.h"
#include "platform/Alert.h"
#include "platform/qt/FieldText.h"
#include "profiles/AtomicFile.h"
#include "profiles/TaskSink.h"
#include "survey/SurveyConnect.h"
#include "ui_ProfileController.h"

namespace corvane {
namespace {

constexpr const char* kPage = "ProfilePageController";
constexpr int kBytesRole = Qt::UserRole;  // a row's SSID as stored
constexpr int kReloadDelayMs = 50;

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
    connect(ui_->Rename, &QAction::triggered, this, &ProfileController::OnRename);
    connect(ui_->Share, &QAction::triggered, this, &ProfileController::OnShare);
    connect(ui_->Import, &QAction::triggered, this, &ProfileController::OnImport);
    connect(ui_->Export, &QAction::triggered, this, &ProfileController::OnExport);
    // The list's own items apart from those on the whole list.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    ui_->profileList->insertAction(ui_->Import, separator);
    connect(ui_->profileList, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { OnSSIDEdited(item->row()); });
    reload_.setSingleShot(true);
    reload_.setInterval(kReloadDelayMs);
    connect(&reload_, &QTimer::timeout, this, &ProfileController::OnPreferencesChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &reload_,
            qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &reload_, qOverload<>(&QTimer::start));
}

ProfileController::~ProfileController() = default;

void ProfileController::connectOutlets(const Outlets& outlets) { outlets_ = outlets; }

void ProfileController::awakeFromNib() {
    TraceEntry(kPage, "awakeFromNib");
    connect(ui_->profileList, &QAbstractItemView::doubleClicked, this,
            &ProfileController::OnActivate, Qt::UniqueConnection);
    WatchPreferences();
    RefreshProfileList();
}

void ProfileController::RefreshProfileList() {
    state_.Refresh();
    ClearProfileList();
    ShowRows();
    ui_->profileList->clearSelection();
    ui_->profileList->setCurrentCell(-1, -1);
}

void ProfileController::ShowRows() {
    QTableWidget* list = ui_->profileList;
    const QSignalBlocker block(list);
    list->setRowCount(int(state_.records.size()));
    const std::optional<size_t> active =
        IsActiveRecord(state_.recordActivate) ? state_.ActiveRow() : std::nullopt;
    for (size_t row = 0; row < state_.records.size(); ++row) {
        const std::string ssid = state_.records[row].Value(kKeySsid);
        auto* item = new QTableWidgetItem(FromBytes(ssid));
        item->setData(kBytesRole, QByteArray(ssid.data(), qsizetype(ssid.size())));
        if (row == active) {
            QFont font = item->font();
            font.setBold(true);
            item->setFont(font);
            item->setToolTip(
                QCoreApplication::translate("ProfileController", "The active profile"));
            item->setData(Qt::AccessibleDescriptionRole, item->toolTip());
        }
        list->setItem(int(row), 0, item);
    }
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

void ProfileController::Report(StoreResult result, const char* notSaved, const char* path) {
    if (result == StoreResult::kGone)
        platform::RunAlertPanel(Tr("ProfileList", kAlertProfileGone), "", "OK");
    if (result == StoreResult::kFailed)
        platform::RunAlertPanel(Tr("ProfileList", notSaved), ExpandTilde(path), "OK");
    RefreshProfileList();
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
    // The editor opens the profile the user selected, wherever the file
    // holds it now; its OK finds it again the same way.
    const std::optional<size_t> found = FindProfile(ReadPreferenceArray(kProfileListPath),
                                                    state_.records[size_t(row)], size_t(row));
    if (!found) return Report(StoreResult::kGone, "", "");
    if (outlets_.ProfileEditor->EditInit(int(*found))) outlets_.ProfileEditor->Run();
    RefreshProfileList();
}

void ProfileController::OnDelete() {
    const int row = SelectedRow();
    if (row < 0) {
        platform::RunAlertPanel(Tr("SurveyConnect", kAlertNoSelectedItem),
                                Tr("SurveyConnect", kAlertSelectToDelete), "OK");
        return;
    }
    const DeleteOutcome outcome = DeleteProfile(state_, size_t(row));
    if (outcome.result != StoreResult::kStored)
        return Report(outcome.result, kAlertProfilesNotSaved, kProfileListPath);
    if (outcome.queueReset && outlets_.SiteSurveyPage)
        outlets_.SiteSurveyPage->SetTaskQueue(MakeResetRecord());
    RefreshProfileList();
}

void ProfileController::OnActivate() {
    const int row = SelectedRow();
    if (row < 0) return;
    ActivateOutcome outcome = ActivateProfile(state_, size_t(row), keys_);
    keys_.Zero();
    // Nothing is connected that the active file does not name: the agent
    // would take the link back to the old profile at the next loss.
    if (outcome.result != StoreResult::kStored)
        return Report(outcome.result, kAlertActiveNotSaved, kActiveProfilePath);
    G_bRescan = 0;
    if (outlets_.SiteSurveyPage) outlets_.SiteSurveyPage->SetTaskQueue(std::move(outcome.record));
    RefreshProfileList();
    if (outlets_.SiteSurveyPage) outlets_.SiteSurveyPage->resetFlag();
}

bool ProfileController::DisabledActivateProfile() {
    if (corvane::DisabledActivateProfile(state_.recordActivate)) return true;
    platform::RunAlertPanel(Tr("ProfileList", kAlertActiveNotSaved),
                            ExpandTilde(kActiveProfilePath), "OK");
    return false;
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
    const PrefDictionary& shown = state_.records[size_t(row)];
    PrefDictionary changed = shown;
    changed.Set(kKeySsid, kept.text);
    const StoreResult result = ReplaceProfile(shown, size_t(row), changed);
    if (result != StoreResult::kStored) {
        // The item is still being committed: say so, and rebuild the rows,
        // once the edit has ended.
        QTimer::singleShot(
            0, this, [this, result] { Report(result, kAlertProfilesNotSaved, kProfileListPath); });
        return;
    }
    item->setData(kBytesRole, QByteArray(kept.text.data(), qsizetype(kept.text.size())));
    state_.Refresh();
}

void ProfileController::OnRename() {
    const int row = SelectedRow();
    if (QTableWidgetItem* item = row < 0 ? nullptr : ui_->profileList->item(row, 0))
        ui_->profileList->editItem(item);
}

void ProfileController::WatchPreferences() {
    const std::string profiles = ExpandTilde(kProfileListPath);
    const std::string folder = profiles.substr(0, profiles.find_last_of('/'));
    CreateFolders(folder);
    const QStringList watched = watcher_.files() + watcher_.directories();
    // A replaced file is a new one: its watch went with the old.
    for (const std::string& path : {folder, profiles, ExpandTilde(kActiveProfilePath)}) {
        const QString name = QString::fromStdString(path);
        if (!watched.contains(name) && QFileInfo::exists(name)) watcher_.addPath(name);
    }
}

void ProfileController::OnPreferencesChanged() {
    QTableWidget* list = ui_->profileList;
    if (EditorOpen(list)) {
        reload_.start();
        return;
    }
    WatchPreferences();
    ProfileListState now;
    now.Refresh();
    if (now.records == state_.records && now.recordActivate == state_.recordActivate) return;
    const int row = SelectedRow();
    const std::optional<PrefDictionary> selected =
        row < 0 ? std::nullopt : std::optional(state_.records[size_t(row)]);
    state_ = std::move(now);
    ShowRows();
    const std::optional<size_t> found =
        selected ? FindProfile(state_.records, *selected, size_t(row)) : std::nullopt;
    if (found)
        list->selectRow(int(*found));
    else
        list->clearSelection();
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
