// Loads the translation catalogues for the user's language and puts them in
// force: for Qt's tr() (and the .ui forms) when an application object exists,
// and for corvane::Tr everywhere.
#pragma once

#include <string>

namespace corvane::i18n {

// The language follows the user's locale as Qt reads it (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG). Returns the catalogues' language ("de", "fr"), or an
// empty string when the texts stay English. Call once, after the
// application object (if any) is made and before any window is built.
std::string InstallTranslations();

}  // namespace corvane::i18n
