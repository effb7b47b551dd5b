// The key-entry group's controls (authentication and encryption lists, four
// WEP key rows, the pre-shared key field) as the security key dialog and the
// profile editor both carry them, and the two directions between them and a
// KeyEntryGroup: the group shown on the controls, and the user's edits run
// through the group's actions and its live key filter.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <string>

#include "editor/KeyEntryGroup.h"
#include "platform/qt/FieldText.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace corvane {

struct KeyEntryWidgets {
    QComboBox* authenType = nullptr;
    QComboBox* encryType = nullptr;
    std::array<QComboBox*, kWepSlotCount> keyCombo = {};
    std::array<QLineEdit*, kWepSlotCount> keyText = {};
    std::array<QRadioButton*, kWepSlotCount> keyRadio = {};
    QLineEdit* preSharedKey = nullptr;

    // The control that SetFocus(0) and SetFocus(1) pick; null otherwise.
    QWidget* FocusTarget(int32_t which) const;
};

// Sets a field's text, with its signals blocked, only when it differs from
// what the field shows (so the cursor stays where the user left it).
void ShowText(QLineEdit* field, const std::string& bytes);

// The key-type lists' entries, each carrying the stored key type it stands
// for (the stored-index table's texts).
void FillKeyTypeLists(const KeyEntryWidgets& widgets);

// Lists, selections, texts, radios and enabling as the group has them;
// the controls' signals are blocked meanwhile, and a text is set only when
// it differs from what the control shows.
void ShowKeyEntryGroup(const KeyEntryGroup& group, const KeyEntryWidgets& widgets);

// The user's edits go to the group: list picks run its actions, typed key
// text runs the live filter (a beep through the alert seam when it cuts),
// radios set the default key. `changed` runs after each edit, to show the
// group again.
void ConnectKeyEntryGroup(QObject* context, KeyEntryGroup& group, const KeyEntryWidgets& widgets,
                          std::function<void()> changed);

// The texts and radios as the controls hold them (whatever way they got
// there), into the group's fields.
void ReadKeyEntryTexts(KeyEntryGroup& group, const KeyEntryWidgets& widgets);

}  // namespace corvane
