// The texts a user reads, in the user's language. Code without Qt asks for a
// text by its context and English source; the deliverables route the request
// to Qt's translation catalogues at start (translations/Translations.h), and
// without a catalogue the English source comes back unchanged. The English
// texts are the system's own and stay exactly as they are.
//
// `Tr` is spelled so that lupdate collects its calls (scripts/update-
// translations.sh passes it as an alias of translate): both arguments must be
// string literals.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a literal for the catalogues and leaves it as it is: for an English
// text the code also stores, compares or hands on, translated with `Tr` and
// the same context where it is shown. Qt's own spelling, so that lupdate
// collects it; the same definition as Qt's where Qt is included too.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace corvane {

using TextTranslator = std::function<std::string(const char* context, const char* source)>;

// Installs the translator every `Tr` goes through; an empty one restores the
// English texts.
void SetTextTranslator(TextTranslator translator);

// The translation of `source` in `context`, or `source` itself.
std::string Tr(const char* context, const char* source);

// Replaces %1 ... %9 in `pattern` with the arguments in order (as Qt's
// QString::arg does), so a translation may move them; a % followed by
// anything else, or by a number with no argument, stays as it is.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace corvane
