#include "editor/ui/ProfileEditorController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>

#include "adapter/ChannelPlan.h"
#include "adapter/Oids.h"
#include "platform/Alert.h"
#include "platform/qt/NestedLoop.h"
#include "profiles/ConnectEngine.h"
#include "profiles/StoredIndexes.h"
#include "ui_ProfileEditorController.h"

namespace corvane {
namespace {

// "Tx Power" 0..4: 100, 75, 50, 25 and 12 percent.
constexpr uint32_t kTxPowerEntries = 5;

// The entry that stands for `value` (item data).
void ShowValue(QComboBox* combo, int value) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(combo->findData(value));
}

int ValueAt(const QComboBox* combo, int index) {
    return index < 0 ? -1 : combo->itemData(index).toInt();
}

void ShowIndex(QComboBox* combo, int index) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// The text of a field unless it still shows the model's bytes (which may
// not be UTF-8 and show altered).
void ReadText(const QString& shown, std::string& bytes) {
    if (shown != FromBytes(bytes)) bytes = ToBytes(shown);
}

void ShowThreshold(QCheckBox* check, QSlider* slider, QLineEdit* text, bool enabled, int32_t value,
                   const std::string& shown) {
    {
        const QSignalBlocker blockCheck(check);
        check->setChecked(enabled);
        const QSignalBlocker blockSlider(slider);
        slider->setValue(value);
    }
    ShowText(text, shown);
    slider->setEnabled(enabled);
    text->setEnabled(enabled);
}

}  // namespace

ProfileEditorController::ProfileEditorController(QWidget* parent)
    : QDialog(parent),
      model_({}, CurrentChannelPlan),
      ui_(std::make_unique<Ui::ProfileEditorController>()) {
    ui_->setupUi(this);
    ui_->SSID->setCompleter(nullptr);  // what is typed stays as typed
    widgets_ = {ui_->AuthenType,
                ui_->EncryType,
                {ui_->WEPKey1Combo, ui_->WEPKey2Combo, ui_->WEPKey3Combo, ui_->WEPKey4Combo},
                {ui_->WEPKey1Text, ui_->WEPKey2Text, ui_->WEPKey3Text, ui_->WEPKey4Text},
                {ui_->WEPKey1Radio, ui_->WEPKey2Radio, ui_->WEPKey3Radio, ui_->WEPKey4Radio},
                ui_->WPAPreSharedKey};
    for (size_t type = 0; type < kNetworkTypeTexts.size(); ++type)
        ui_->NetworkType->addItem(
            QCoreApplication::translate("StoredIndexes", kNetworkTypeTexts[type]), int(type));
    for (uint32_t index = 0; index < kTxPowerEntries; ++index)
        ui_->TxPower->addItem(QStringLiteral("%1%").arg(TxPowerPercent(index)), int(index));
    FillKeyTypeLists(widgets_);
    // The sliders end at the largest thresholds; ShowModel puts them and
    // their texts there.
    ui_->RtsThresholdSlider->setMaximum(kRtsThresholdMax);
    ui_->FragThresholdSlider->setMaximum(kFragThresholdMax);
    ui_->ChannelText->show();
    ui_->Channel->show();
    ConnectControls();
    ShowModel();
}

ProfileEditorController::~ProfileEditorController() = default;

void ProfileEditorController::connectOutlets(const Outlets& outlets) {
    model_.SetScanListSource(outlets.scanList);
}

void ProfileEditorController::ConnectControls() {
    auto show = [this] { ShowModel(); };
    connect(ui_->ProfileName, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.profileName = ToBytes(text); });

    connect(ui_->SSID, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.OnSSID(index);
        ShowModel();
    });
    connect(ui_->SSID->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.ssidText = ToBytes(text);
        if (model_.FilterSsid()) platform::SystemBeep();
        ShowModel();
    });
    connect(ui_->NetworkType, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.OnNetworkType(ValueAt(ui_->NetworkType, index));
        ShowModel();
    });
    connect(ui_->Channel, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.OnChannel(index); });
    connect(ui_->PreambleType, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.preambleSelected = index; });
    connect(ui_->TxPower, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.OnTxPower(ValueAt(ui_->TxPower, index)); });
    connect(ui_->PSMode, &QRadioButton::toggled, this, [this](bool on) { model_.psMode = on; });
    connect(ui_->CamWhenAcPower, &QCheckBox::toggled, this,
            [this](bool on) { model_.camWhenAcPower = on; });

    connect(ui_->RtsThresholdCheck, &QCheckBox::toggled, this, [this, show](bool on) {
        model_.OnSelRTS(on);
        show();
    });
    connect(ui_->RtsThresholdSlider, &QSlider::valueChanged, this, [this, show](int value) {
        model_.OnRtsSlider(value);
        show();
    });
    connect(ui_->RtsThresholdText, &QLineEdit::textEdited, this, [this, show](const QString& text) {
        model_.rtsText = ToBytes(text);
        model_.FilterRtsText();
        show();
    });
    connect(ui_->FragThresholdCheck, &QCheckBox::toggled, this, [this, show](bool on) {
        model_.OnSelFrag(on);
        show();
    });
    connect(ui_->FragThresholdSlider, &QSlider::valueChanged, this, [this, show](int value) {
        model_.OnFragSlider(value);
        show();
    });
    connect(ui_->FragThresholdText, &QLineEdit::textEdited, this,
            [this, show](const QString& text) {
                model_.fragText = ToBytes(text);
                model_.FilterFragText();
                show();
            });

    ConnectKeyEntryGroup(this, model_.keys, widgets_, show);
    connect(ui_->OKButton, &QPushButton::clicked, this, &ProfileEditorController::OnOK);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &ProfileEditorController::OnCANCEL);
}

void ProfileEditorController::ShowModel(bool opening) {
    const ProfileEditorModel& m = model_;
    ShowText(ui_->ProfileName, m.profileName);

    {
        QComboBox* ssid = ui_->SSID;
        const QSignalBlocker block(ssid);
        const QSignalBlocker blockEdit(ssid->lineEdit());
        bool same = ssid->count() == int(m.ssidList.size());
        for (int i = 0; same && i < ssid->count(); ++i)
            same =
                ssid->itemData(i).toByteArray() ==
                QByteArray(m.ssidList[size_t(i)].data(), qsizetype(m.ssidList[size_t(i)].size()));
        if (!same) {
            ssid->clear();
            // Names are bytes: the item shows them as well as it can and
            // carries them unchanged.
            for (const std::string& name : m.ssidList)
                ssid->addItem(FromBytes(name), QByteArray(name.data(), qsizetype(name.size())));
        }
        // The box is touched only where it differs from the model: setting
        // its selection or text again would put the cursor at the end while
        // the user types.
        const int selected =
            m.ssidSelected >= 0 && m.ssidSelected < ssid->count() ? m.ssidSelected : -1;
        if (ssid->currentIndex() != selected) ssid->setCurrentIndex(selected);
        if (ssid->currentText() != FromBytes(m.ssidText)) ssid->setEditText(FromBytes(m.ssidText));
    }

    ShowValue(ui_->NetworkType, m.networkTypeSelected);
    {
        QComboBox* channel = ui_->Channel;
        const QSignalBlocker block(channel);
        bool same = channel->count() == int(m.channelList.size());
        for (int i = 0; same && i < channel->count(); ++i)
            same = channel->itemText(i) == QString::number(m.channelList[size_t(i)]);
        if (!same) {
            channel->clear();
            for (uint32_t number : m.channelList) channel->addItem(QString::number(number));
            channel->setMaxVisibleItems(std::max(1, int(m.channelList.size())));
        }
        channel->setCurrentIndex(m.channelSelected >= 0 && m.channelSelected < channel->count()
                                     ? m.channelSelected
                                     : -1);
    }
    ui_->Channel->setEnabled(m.channelEnabled);
    ui_->ChannelText->setEnabled(m.channelEnabled);
    ui_->PreambleType->setEnabled(m.channelEnabled);
    ShowIndex(ui_->PreambleType, m.preambleSelected);
    ShowValue(ui_->TxPower, m.txPowerSelected);
    {
        const QSignalBlocker blockCam(ui_->CAM);
        const QSignalBlocker blockPs(ui_->PSMode);
        (m.psMode ? ui_->PSMode : ui_->CAM)->setChecked(true);
        const QSignalBlocker blockAc(ui_->CamWhenAcPower);
        ui_->CamWhenAcPower->setChecked(m.camWhenAcPower);
    }
    ShowThreshold(ui_->RtsThresholdCheck, ui_->RtsThresholdSlider, ui_->RtsThresholdText,
                  m.rtsEnabled, m.rtsSlider, m.rtsText);
    ShowThreshold(ui_->FragThresholdCheck, ui_->FragThresholdSlider, ui_->FragThresholdText,
                  m.fragEnabled, m.fragSlider, m.fragText);
    ShowKeyEntryGroup(m.keys, widgets_);

    if (!opening) return;
    ui_->TabView->setCurrentIndex(m.tab);
    switch (m.focus) {
        case ProfileEditorModel::Focus::FirstWepKey:
            ui_->WEPKey1Text->setFocus();
            break;
        case ProfileEditorModel::Focus::PreSharedKey:
            ui_->WPAPreSharedKey->setFocus();
            break;
        case ProfileEditorModel::Focus::None:
            (m.tab == 0 ? static_cast<QWidget*>(ui_->ProfileName) : ui_->AuthenType)->setFocus();
            break;
    }
}

void ProfileEditorController::ReadTexts() {
    ReadText(ui_->ProfileName->text(), model_.profileName);
    ReadText(ui_->SSID->currentText(), model_.ssidText);
    ReadText(ui_->RtsThresholdText->text(), model_.rtsText);
    ReadText(ui_->FragThresholdText->text(), model_.fragText);
    ReadKeyEntryTexts(model_.keys, widgets_);
}

void ProfileEditorController::AddInit() {
    model_.AddInit();
    ShowModel(true);
}

bool ProfileEditorController::EditInit(int index) {
    const bool opened = model_.EditInit(index);
    ShowModel(true);
    return opened;
}

bool ProfileEditorController::AddProfile(const ProfilePrefill& prefill) {
    const bool opened = model_.AddProfile(prefill);
    ShowModel(true);
    return opened;
}

int ProfileEditorController::Run() {
    // A sheet over the window that owns it.
    setWindowModality(parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    return platform::RunModal(*this);
}

void ProfileEditorController::OnOK() {
    ReadTexts();
    const bool saved = model_.OnOK();
    ShowModel();
    if (saved) accept();
}

void ProfileEditorController::OnCANCEL() { reject(); }

void ProfileEditorController::reject() {
    model_.OnCANCEL();
    QDialog::reject();
}

}  // namespace corvane
