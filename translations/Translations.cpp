#include "translations/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

#include "platform/Translate.h"

namespace corvane::i18n {
namespace {

// The window's and agent's texts, and the command's own.
constexpr const char* kCatalogues[] = {"corvane", "corvane_cli"};

std::vector<std::unique_ptr<QTranslator>>& Loaded() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

}  // namespace

std::string InstallTranslations() {
    auto& loaded = Loaded();
    if (!loaded.empty()) return loaded.front()->language().left(2).toStdString();
    const QLocale locale;
    for (const char* catalogue : kCatalogues) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(locale, QString::fromLatin1(catalogue), QStringLiteral("_"),
                              QStringLiteral(":/i18n")))
            continue;
        if (QCoreApplication::instance()) QCoreApplication::installTranslator(translator.get());
        loaded.push_back(std::move(translator));
    }
    if (loaded.empty()) return {};
    // Qt's own texts (the file dialogs, a text field's context menu) in the
    // same language, where Debian's Qt translations are installed.
    if (QCoreApplication* application = QCoreApplication::instance()) {
        auto* qt = new QTranslator(application);  // the application's to delete
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
    }
    SetTextTranslator([](const char* context, const char* source) {
        for (const auto& translator : Loaded()) {
            const QString text = translator->translate(context, source);
            if (!text.isEmpty()) return text.toStdString();
        }
        return std::string();
    });
    return loaded.front()->language().left(2).toStdString();
}

}  // namespace corvane::i18n
