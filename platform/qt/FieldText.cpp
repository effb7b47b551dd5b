#include "platform/qt/FieldText.h"

#include <QByteArray>
#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>

namespace corvane {

QString FromBytes(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

std::string ToBytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), size_t(utf8.size()));
}

void ShowEntries(QComboBox* combo, const std::vector<std::string>& entries, const char* context,
                 int selected) {
    if (!combo) return;
    const QSignalBlocker block(combo);
    const auto shown = [context](const std::string& entry) {
        return QCoreApplication::translate(context, entry.c_str());
    };
    bool same = combo->count() == int(entries.size());
    for (int i = 0; same && i < combo->count(); ++i)
        same = combo->itemText(i) == shown(entries[size_t(i)]);
    if (!same) {
        combo->clear();
        for (const std::string& entry : entries) combo->addItem(shown(entry));
    }
    combo->setCurrentIndex(selected >= 0 && selected < combo->count() ? selected : -1);
}

}  // namespace corvane
