// The window in the user's language. Each test builds the window once in
// English, then puts the catalogues of the language its process was started
// in (LANGUAGE, LC_ALL; see CMakeLists.txt) in force, as the program does at
// start, builds the window again and walks both: every text the English
// window shows is a text of the catalogue, and the translated window shows
// its translation in the same place. Translations stay in force for the
// process, so each language runs in a process of its own.
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <QtTest/QtTest>
#include <map>
#include <set>

#include "survey/ui/AccessPointModel.h"
#include "tests/pane/PaneFixture.h"
#include "translations/Translations.h"

namespace corvane::test {
namespace {

// One text the window shows, and where.
struct Shown {
    QString where;
    QString text;
};

void Add(std::vector<Shown>& out, const QObject* o, const QString& what, const QString& text) {
    out.push_back(
        {QStringLiteral("%1 %2 (%3)")
             .arg(QString::fromLatin1(o->metaObject()->className()), o->objectName(), what),
         text});
}

// The labels, buttons, group titles, tab titles, list entries, column
// titles and table cells below `root`, in the order the widgets were made.
std::vector<Shown> Walk(const QObject* root) {
    std::vector<Shown> out;
    for (const QObject* o : root->findChildren<QObject*>()) {
        if (auto* label = qobject_cast<const QLabel*>(o)) Add(out, o, "text", label->text());
        if (auto* button = qobject_cast<const QAbstractButton*>(o))
            Add(out, o, "text", button->text());
        if (auto* group = qobject_cast<const QGroupBox*>(o)) Add(out, o, "title", group->title());
        if (auto* tabs = qobject_cast<const QTabWidget*>(o))
            for (int i = 0; i < tabs->count(); ++i) Add(out, o, "tab", tabs->tabText(i));
        if (auto* combo = qobject_cast<const QComboBox*>(o))
            for (int i = 0; i < combo->count(); ++i) Add(out, o, "entry", combo->itemText(i));
        auto* view = qobject_cast<const QAbstractItemView*>(o);
        if (!view || !view->model()) continue;
        const QAbstractItemModel* model = view->model();
        for (int c = 0; c < model->columnCount(); ++c) {
            Add(out, o, "column", model->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < model->rowCount(); ++r)
                Add(out, o, "cell", model->index(r, c).data().toString());
        }
    }
    return out;
}

// Every source text of a catalogue with its translations (one per context).
std::map<QString, std::set<QString>> Catalogue(const char* language) {
    QFile file(QStringLiteral(CORVANE_TRANSLATIONS_DIR "/corvane_%1.ts").arg(language));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    std::map<QString, std::set<QString>> out;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement()) continue;
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        if (xml.name() == QLatin1String("translation")) out[source].insert(xml.readElementText());
    }
    return out;
}

// What the window shows that is the user's data or the same in every
// language, never looked up: numbers, names, addresses and versions.
bool IsData(const QString& text) {
    static const QRegularExpression words(QStringLiteral("[A-Za-z]{2,}"));
    static const QStringList data = {QStringLiteral("CafeOpen"), QStringLiteral("ASCII")};
    return !words.match(text).hasMatch() || data.contains(text);
}

class TranslatedWindow : public PageTest {
protected:
    // The window with its link page refreshed and a scan shown.
    std::vector<Shown> ShowAndWalk() {
        O().CurrentWirelessNetwork->OnTimer();
        ScanEntrySpec open;
        open.ssid = "CafeOpen";
        ShowNetworks({open});
        return Walk(window_.get());
    }

    // Builds the window again in `language` and checks every text against
    // the English window's.
    void ExpectTranslated(const char* language, const std::vector<Shown>& english) {
        ASSERT_EQ(i18n::InstallTranslations(), language)
            << "start the test with LANGUAGE=" << language << " (ctest does)";
        const auto catalogue = Catalogue(language);
        Open();
        O().mainController->timer().stop();
        survey_ = O().SiteSurveyPage;
        const std::vector<Shown> shown = ShowAndWalk();
        ASSERT_EQ(shown.size(), english.size());
        int translated = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            const QString& en = english[i].text;
            SCOPED_TRACE(english[i].where.toStdString() + ": " + en.toStdString());
            const auto entry = catalogue.find(en);
            if (entry == catalogue.end()) {
                EXPECT_TRUE(IsData(en)) << "a text the catalogue lacks";
                EXPECT_EQ(shown[i].text, en);
                continue;
            }
            EXPECT_TRUE(entry->second.count(shown[i].text))
                << "shows " << shown[i].text.toStdString();
            translated += shown[i].text != en;
        }
        EXPECT_GT(translated, int(shown.size()) / 2);
    }
};

TEST_F(TranslatedWindow, GermanShowsEveryPageAndItsAlertsInGerman) {
    ExpectTranslated("de", ShowAndWalk());
    EXPECT_EQ(Find<QAbstractButton>(survey_, "StartScan")->text(), QStringLiteral("&Suchen"));
    EXPECT_EQ(ApList()->model()->index(0, AccessPointModel::kAuthentication).data().toString(),
              QStringLiteral("Offen"));

    // Connect with no network selected.
    ApList()->clearSelection();
    alerts_.alerts.clear();
    survey_->OnConnect();
    ASSERT_EQ(alerts_.alerts.size(), 1u);
    EXPECT_EQ(alerts_.alerts[0].title, "Kein Eintrag ausgewählt");
    EXPECT_EQ(alerts_.alerts[0].message,
              "Bitte wählen Sie einen Eintrag aus, mit dem verbunden werden soll.");
}

TEST_F(TranslatedWindow, FrenchShowsTheWindowInFrench) {
    ExpectTranslated("fr", ShowAndWalk());
    EXPECT_EQ(Find<QAbstractButton>(survey_, "StartScan")->text(), QStringLiteral("&Rechercher"));
}

}  // namespace
}  // namespace corvane::test
