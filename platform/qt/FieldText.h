// Stored bytes (a network name, a key, a profile file's string) as the text
// of a control, and back: both ways as UTF-8, so that bytes the user never
// touched come back unchanged. Used by every page and dialog that shows
// stored bytes.
#pragma once

#include <QString>
#include <string>

namespace corvane {

QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

}  // namespace corvane
