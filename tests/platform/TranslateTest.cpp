#include <gtest/gtest.h>

#include <string>

#include "platform/Translate.h"

namespace {

TEST(TranslateTest, ArgumentsGoWhereTheTranslationPutsThem) {
    struct Row {
        const char* pattern;
        const char* expected;
    } rows[] = {
        {"Invalid WEP key %1 characters.", "Invalid WEP key 13 characters."},
        {"%2 before %1", "Home before 13"},
        {"100% of %1", "100% of 13"},                  // a % before no digit stays
        {"%3 has no argument", "%3 has no argument"},  // nor one past the arguments
        {"%1%2%1", "13Home13"},
        {"trailing %", "trailing %"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        EXPECT_EQ(corvane::FormatText(row.pattern, {"13", "Home"}), row.expected);
    }
    // An argument that itself holds %2 is not expanded again.
    EXPECT_EQ(corvane::FormatText("%1 and %2", {"%2", "x"}), "%2 and x");
}

TEST(TranslateTest, TextsFallBackToEnglishWhereTheCatalogueHasNone) {
    EXPECT_EQ(corvane::Tr("Ctx", "Connect"), "Connect");
    corvane::SetTextTranslator([](const char* context, const char* source) {
        return std::string(context) == "Ctx" && std::string(source) == "Connect" ? "Verbinden" : "";
    });
    EXPECT_EQ(corvane::Tr("Ctx", "Connect"), "Verbinden");
    EXPECT_EQ(corvane::Tr("Other", "Connect"), "Connect");
    EXPECT_EQ(corvane::Tr("Ctx", "Rescan"), "Rescan");
    corvane::SetTextTranslator(nullptr);
    EXPECT_EQ(corvane::Tr("Ctx", "Connect"), "Connect");
}

}  // namespace
