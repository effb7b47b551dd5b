#include "editor/ui/KeyEntryWidgets.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/Alert.h"

namespace corvane {

void ShowText(QLineEdit* field, const std::string& bytes) {
    if (!field) return;
    const QString text = FromBytes(bytes);
    if (field->text() == text) return;
    const QSignalBlocker block(field);
    field->setText(text);
}

namespace {

// Runs the live filter after `changed` was typed into and shows its result.
void FilterKeyText(KeyEntryGroup& group, const KeyEntryWidgets& w, KeyField changed) {
    const std::optional<FilterEdit> edit = VerifyWEPKey(group.fields, changed);
    if (!edit) return;
    if (edit->field == KeyField::PreSharedKey) {
        group.fields.wpaPreSharedKey = edit->text;
        ShowText(w.preSharedKey, edit->text);
    } else if (edit->field != KeyField::Other) {
        const size_t slot = size_t(edit->field) - size_t(KeyField::WepKey1);
        group.fields.keyText[slot] = edit->text;
        ShowText(w.keyText[slot], edit->text);
    }
    if (edit->beep) platform::SystemBeep();
}

}  // namespace

QWidget* KeyEntryWidgets::FocusTarget(int32_t which) const {
    if (which == 0) return keyText[0];
    if (which == 1) return preSharedKey;
    return nullptr;
}

void FillKeyTypeLists(const KeyEntryWidgets& w) {
    for (QComboBox* combo : w.keyCombo) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (size_t type = 0; type < kKeyTypeTexts.size(); ++type)
            combo->addItem(QCoreApplication::translate("StoredIndexes", kKeyTypeTexts[type]),
                           int(type));
    }
}

void ShowKeyEntryGroup(const KeyEntryGroup& group, const KeyEntryWidgets& w) {
    const KeyEntryFields& f = group.fields;
    // The stored lists' words, shown in the user's language.
    ShowEntries(w.authenType, group.authEntries, "StoredIndexes", group.authSelected);
    ShowEntries(w.encryType, group.encEntries, "StoredIndexes", group.encSelected);
    for (size_t slot = 0; slot < kWepSlotCount; ++slot) {
        if (QComboBox* combo = w.keyCombo[slot]) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(combo->findData(f.keyType[slot]));
        }
        ShowText(w.keyText[slot], f.keyText[slot]);
        if (QRadioButton* radio = w.keyRadio[slot]) {
            // Exclusive radios cannot all be turned off; the group's values
            // decide, whatever they are.
            const QSignalBlocker block(radio);
            radio->setAutoExclusive(false);
            radio->setChecked(f.radio[slot]);
            radio->setAutoExclusive(true);
        }
    }
    ShowText(w.preSharedKey, f.wpaPreSharedKey);

    if (w.preSharedKey) w.preSharedKey->setEnabled(group.pskEnabled);
    for (size_t slot = 0; slot < kWepSlotCount; ++slot) {
        for (QWidget* control :
             {static_cast<QWidget*>(w.keyRadio[slot]), static_cast<QWidget*>(w.keyCombo[slot]),
              static_cast<QWidget*>(w.keyText[slot])})
            if (control) control->setEnabled(group.wepEnabled);
    }
}

void ConnectKeyEntryGroup(QObject* context, KeyEntryGroup& group, const KeyEntryWidgets& w,
                          std::function<void()> changed) {
    QObject::connect(w.authenType, &QComboBox::currentIndexChanged, context,
                     [&group, changed](int index) {
                         group.OnAuthType(index);
                         changed();
                     });
    QObject::connect(w.encryType, &QComboBox::currentIndexChanged, context,
                     [&group, changed](int index) {
                         group.OnEncryType(index);
                         changed();
                     });
    for (size_t slot = 0; slot < kWepSlotCount; ++slot) {
        QObject::connect(w.keyCombo[slot], &QComboBox::currentIndexChanged, context,
                         [&group, w, changed, slot, combo = w.keyCombo[slot]](int index) {
                             group.OnWEPKeyCombo(int(slot),
                                                 index < 0 ? -1 : combo->itemData(index).toInt());
                             // The text typed for the other type is filtered
                             // for this one, as if typed again.
                             ReadKeyEntryTexts(group, w);
                             FilterKeyText(group, w, KeyField(size_t(KeyField::WepKey1) + slot));
                             changed();
                         });
        QObject::connect(w.keyText[slot], &QLineEdit::textEdited, context,
                         [&group, w, slot](const QString& text) {
                             group.fields.keyText[slot] = ToBytes(text);
                             FilterKeyText(group, w, KeyField(size_t(KeyField::WepKey1) + slot));
                         });
        QObject::connect(w.keyRadio[slot], &QRadioButton::toggled, context,
                         [&group, slot](bool on) { group.fields.radio[slot] = on; });
    }
    QObject::connect(w.preSharedKey, &QLineEdit::textEdited, context,
                     [&group, w](const QString& text) {
                         group.fields.wpaPreSharedKey = ToBytes(text);
                         FilterKeyText(group, w, KeyField::PreSharedKey);
                     });
}

void ReadKeyEntryTexts(KeyEntryGroup& group, const KeyEntryWidgets& w) {
    KeyEntryFields& f = group.fields;
    for (size_t slot = 0; slot < kWepSlotCount; ++slot) {
        // A text the control shows unchanged keeps its bytes (they may not
        // be UTF-8 and show altered).
        if (w.keyText[slot] && w.keyText[slot]->text() != FromBytes(f.keyText[slot]))
            f.keyText[slot] = ToBytes(w.keyText[slot]->text());
        if (w.keyRadio[slot]) f.radio[slot] = w.keyRadio[slot]->isChecked();
    }
    if (w.preSharedKey && w.preSharedKey->text() != FromBytes(f.wpaPreSharedKey))
        f.wpaPreSharedKey = ToBytes(w.preSharedKey->text());
}

}  // namespace corvane
