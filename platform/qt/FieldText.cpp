#include "platform/qt/FieldText.h"

#include <QByteArray>

namespace corvane {

QString FromBytes(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

std::string ToBytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), size_t(utf8.size()));
}

}  // namespace corvane
