// Stored bytes (a network name, a key, a profile file's string) as the text
// of a control, and back: both ways as UTF-8, so that bytes the user never
// touched come back unchanged. Used by every page and dialog that shows
// stored bytes.
#pragma once

#include <QString>
#include <string>
#include <vector>

class QComboBox;

namespace corvane {

QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& text);

// A list of stored words (`entries`, English) shown in the user's language
// (their translations in `context`), with `selected` chosen (-1: none). The
// list is rebuilt only when its entries changed, so that a list the user is
// working in is not rebuilt under them; the page's own choice emits no
// change signal.
void ShowEntries(QComboBox* combo, const std::vector<std::string>& entries, const char* context,
                 int selected);

}  // namespace corvane
