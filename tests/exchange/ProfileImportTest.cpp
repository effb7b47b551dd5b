// Importing into the stored profile list and exporting it: the names an
// import gives, --replace, the rules every imported profile meets, one
// atomic write under the preference lock (a failed import leaves the files
// as they were), the active record following a replaced profile, and an
// export that reads back as the same list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "exchange/ProfileImport.h"
#include "profiles/ActiveRecord.h"
#include "profiles/PreferenceFiles.h"
#include "tests/support/FailingPreferenceWrites.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Names = std::vector<std::string>;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

PrefDictionary Named(const std::string& name, const std::string& ssid = "Net") {
    PrefDictionary p = NewImportedProfile();
    p.Set(kKeyProfileName, name);
    p.Set(kKeySsid, ssid);
    return p;
}

ImportFile FileOf(std::vector<PrefDictionary> profiles) {
    ImportFile file;
    for (PrefDictionary& p : profiles) {
        ImportEntry entry;
        entry.origin = "test";
        entry.ssid = p.Value(kKeySsid);
        entry.profile = std::move(p);
        file.entries.push_back(std::move(entry));
    }
    return file;
}

Names NamesOf(const PrefArray& records) {
    Names names;
    for (const PrefDictionary& p : records) names.push_back(p.Value(kKeyProfileName));
    return names;
}

TEST(ProfileImport, TakenNamesGetTheNextFreeNumber) {
    const PrefArray stored = {Named("Home"), Named("PROF1"), Named("PROF7"), Named("Cafe2"),
                              Named("Lab")};
    struct Row {
        std::string name;
        std::string given;
    };
    const std::vector<Row> rows = {
        // Names are matched exactly, as the profile list matches them.
        {"Home", "Home2"}, {"Cafe2", "Cafe3"}, {"PROF1", "PROF8"},   {"prof7", "prof7"},
        {"Lab", "Lab2"},   {"", "PROF8"},      {"Office", "Office"}, {"1234", "1234"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ImportMerge merge = MergeImport(stored, {{"f", FileOf({Named(row.name)})}}, false);
        ASSERT_EQ(merge.imported.size(), 1u);
        EXPECT_EQ(merge.imported[0].name, row.given);
        EXPECT_EQ(merge.imported[0].renamedFrom,
                  row.name == row.given || row.name.empty() ? "" : row.name);
        EXPECT_EQ(merge.records.back().Value(kKeyProfileName), row.given);
        EXPECT_EQ(merge.records.size(), stored.size() + 1);
    }
    // Names taken by the import itself count too.
    const ImportMerge twice =
        MergeImport(stored, {{"f", FileOf({Named("Home"), Named("Home"), Named("Home2")})}}, false);
    EXPECT_THAT(NamesOf(twice.records),
                ElementsAre("Home", "PROF1", "PROF7", "Cafe2", "Lab", "Home2", "Home3", "Home4"));
}

TEST(ProfileImport, ReplaceTakesTheStoredProfilesPlaceOnce) {
    const PrefArray stored = {Named("Home", "Old"), Named("Lab", "LabNet")};
    const ImportMerge merge = MergeImport(
        stored, {{"f", FileOf({Named("Home", "New"), Named("Home", "Newer"), Named("Cafe")})}},
        true);
    EXPECT_THAT(NamesOf(merge.records), ElementsAre("Home", "Lab", "Home2", "Cafe"));
    EXPECT_EQ(merge.records[0].Value(kKeySsid), "New");
    EXPECT_TRUE(merge.imported[0].replaced);
    EXPECT_FALSE(merge.imported[1].replaced);
    EXPECT_EQ(merge.imported[1].renamedFrom, "Home");
    EXPECT_THAT(merge.replacedRows, ElementsAre(0u));
}

TEST(ProfileImport, ProfilesMeetTheEditorsRulesAndTheKeyRules) {
    struct Row {
        const char* what;
        std::vector<PrefDictionary::Entry> set;
        std::string problem;  // empty: imported
    };
    const std::vector<Row> rows = {
        {"open", {}, ""},
        {"no SSID", {{kKeySsid, ""}}, "SSID is empty"},
        {"33-byte SSID", {{kKeySsid, std::string(33, 's')}}, "longer than 32 bytes"},
        {"network type 2", {{kKeyNetworkType, "2"}}, "network type"},
        {"authentication 4", {{kKeyAuthenticationType, "4"}}, "authentication or encryption"},
        {"shared with encryption 1",
         {{kKeyAuthenticationType, "1"}, {kKeyEncryptionType, "1"}},
         "authentication or encryption"},
        {"ad hoc WPA",
         {{kKeyNetworkType, "0"}, {kKeyChannel, "6"}, {kKeyAuthenticationType, "3"}},
         "open authentication only"},
        {"ad hoc channel 36", {{kKeyNetworkType, "0"}, {kKeyChannel, "36"}}, "2.4 GHz"},
        {"WPA passphrase of 7",
         {{kKeyAuthenticationType, "3"}, {kKeyWpaPsk, "1234567"}},
         "Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be more than 8 characters."},
        {"WPA key of 64 with a g",
         {{kKeyAuthenticationType, "2"}, {kKeyWpaPsk, std::string(63, 'a') + "g"}},
         "should be hexadecimal digital."},
        {"WEP default key empty",
         {{kKeyEncryptionType, "1"}, {kKeyWepKey[1], "abcde"}, {kKeyWepKeyType[1], "1"}},
         "Invalid WEP key 1 length. WEP should be 10 or 26 hexadecimal digits."},
        {"WEP hexadecimal key with a g",
         {{kKeyEncryptionType, "1"}, {kKeyWepKey[0], "01234567g9"}},
         "Invalid WEP key 1 characters."},
        {"WEP key type 5",
         {{kKeyEncryptionType, "1"}, {kKeyWepKey[0], "abcde"}, {kKeyWepKeyType[0], "5"}},
         "unknown key type"},
        {"WEP default key 4 of 4",
         {{kKeyAuthenticationType, "1"},
          {kKeyWepKey[3], "Corvane13abcd"},
          {kKeyWepKeyType[3], "1"},
          {kKeyWepKeyUse, "3"}},
         ""},
        {"WEP default key 5",
         {{kKeyEncryptionType, "1"}, {kKeyWepKey[0], "abcde"}, {kKeyWepKeyUse, "4"}},
         "default WEP key"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PrefDictionary p = Named("X");
        for (const auto& [key, value] : row.set) p.Set(key, value);
        const auto problem = ImportedProfileProblem(p);
        if (row.problem.empty())
            EXPECT_EQ(problem, std::nullopt);
        else
            EXPECT_THAT(problem.value_or(""), HasSubstr(row.problem));
    }
}

TEST(ProfileImport, ValuesAreBroughtIntoTheEditorsForm) {
    PrefDictionary p;  // only what an old or foreign list might hold
    p.Set(kKeySsid, "Net");
    p.Set(kKeyNetworkType, "1");
    p.Set(kKeyChannel, "11");
    p.Set(kKeyTxPower, "9");
    p.Set(kKeyRtsThreshold, "9999");
    p.Set(kKeyFragThreshold, "-5");
    p.Set(kKeyPowerSaveMode, "7");
    p.Set(kKeyBssid, "00:11:22:33:44:55");
    p.Set(kKeyHidden, "yes");
    ASSERT_EQ(ImportedProfileProblem(p), std::nullopt);
    EXPECT_EQ(p.Value(kKeyChannel), "1");
    EXPECT_EQ(p.Value(kKeyTxPower), "0");
    EXPECT_EQ(p.Value(kKeyRtsThreshold), "2347");
    EXPECT_EQ(p.Value(kKeyFragThreshold), "0");
    EXPECT_EQ(p.Value(kKeyPowerSaveMode), "1");
    EXPECT_EQ(p.Value(kKeyBssid), "") << "no 12 hexadecimal digits";
    EXPECT_EQ(p.Value(kKeyHidden), "0") << "\"yes\" reads as 0";
    PrefDictionary lower = Named("Y");
    lower.Set(kKeyBssid, "000c43a10001");
    ASSERT_EQ(ImportedProfileProblem(lower), std::nullopt);
    EXPECT_EQ(lower.Value(kKeyBssid), "000C43A10001");
}

class ImportFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = folder_ + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string Fixture(const std::string& name) {
        return std::string(CORVANE_EXCHANGE_DATA) + "/" + name;
    }

    test::TempHome home_;
    std::string folder_ = test::MakeTempFolder("import-files");
};

TEST_F(ImportFiles, ImportsEveryFileInOneWrite) {
    WritePreferenceArray(kProfileListPath, {Named("Home", "CorvaneHome")});
    test::FailingPreferenceWrites counted(test::FailingPreferenceWrites::kNone);
    std::optional<ScopedPreferenceWriter> writes(counted);
    const ImportReport report =
        ImportProfileFiles({Fixture("Home.nmconnection"), Fixture("Cafe.nmconnection"),
                            Fixture("eduroam.nmconnection")},
                           false);
    EXPECT_EQ(report.result, ImportReport::Result::kStored);
    writes.reset();
    EXPECT_EQ(counted.writes, 1);
    EXPECT_THAT(NamesOf(ReadPreferenceArray(kProfileListPath)),
                ElementsAre("Home", "Home2", "Cafe upstairs"));
    EXPECT_THAT(
        DescribeImport(report),
        ElementsAre("Imported Home (CorvaneHome) as Home2: the name Home is taken",
                    "Imported Cafe upstairs (Cafe Hidden)",
                    "Skipped eduroam (keyfile) of " + Fixture("eduroam.nmconnection") +
                        ": it uses 802.1X (WPA-Enterprise), which this adapter does not support"));
}

TEST_F(ImportFiles, NothingIsWrittenWhenAFileCannotBeReadOrNothingIsImported) {
    WritePreferenceArray(kProfileListPath, {Named("Home")});
    const std::string before = ReadText(ExpandTilde(kProfileListPath));
    ImportReport report = ImportProfileFiles(
        {Fixture("Home.nmconnection"), Fixture("malformed.nmconnection")}, false);
    EXPECT_EQ(report.result, ImportReport::Result::kUnreadable);
    EXPECT_THAT(report.problem, HasSubstr("malformed.nmconnection: line 7"));
    report = ImportProfileFiles({folder_ + "/missing.conf"}, false);
    EXPECT_EQ(report.result, ImportReport::Result::kUnreadable);
    EXPECT_THAT(report.problem, HasSubstr("no such file"));
    report = ImportProfileFiles({folder_}, false);
    EXPECT_THAT(report.problem, HasSubstr("not a regular file"));
    report = ImportProfileFiles({Fixture("Modern.nmconnection")}, false);
    EXPECT_EQ(report.result, ImportReport::Result::kNothing);
    EXPECT_EQ(report.skipped.size(), 1u);
    EXPECT_EQ(ReadText(ExpandTilde(kProfileListPath)), before);
}

TEST_F(ImportFiles, AFailedWriteLeavesTheStoredFilesAsTheyWere) {
    PrefDictionary home = Named("Home", "CorvaneHome");
    home.Set(kKeyAuthenticationType, "3");
    home.Set(kKeyEncryptionType, "1");
    home.Set(kKeyWpaPsk, "old passphrase");
    WritePreferenceArray(kProfileListPath, {home, Named("Lab")});
    ASSERT_TRUE(WriteActiveProfile(home));
    const std::string profiles = ReadText(ExpandTilde(kProfileListPath));
    const std::string active = ReadText(ExpandTilde(kActiveProfilePath));

    // The profile file's write fails; then, with --replace of the active
    // profile, the active file's write (the second one) fails.
    for (int failing : {1, 2}) {
        SCOPED_TRACE(failing);
        test::FailingPreferenceWrites writes(failing);
        std::optional<ScopedPreferenceWriter> writing(writes);
        const ImportReport report = ImportProfileFiles({Fixture("Home.nmconnection")}, true);
        writing.reset();
        EXPECT_EQ(report.result, ImportReport::Result::kFailed);
        EXPECT_EQ(ReadText(ExpandTilde(kProfileListPath)), profiles);
        EXPECT_EQ(ReadText(ExpandTilde(kActiveProfilePath)), active);
    }

    // Succeeding, the active record follows the replaced profile.
    const ImportReport report = ImportProfileFiles({Fixture("Home.nmconnection")}, true);
    ASSERT_EQ(report.result, ImportReport::Result::kStored);
    EXPECT_TRUE(report.imported[0].replaced);
    const PrefArray stored = ReadPreferenceArray(kProfileListPath);
    EXPECT_THAT(NamesOf(stored), ElementsAre("Home", "Lab"));
    EXPECT_EQ(stored[0].Value(kKeyWpaPsk), "correct horse battery");
    const PrefArray activeNow = ReadPreferenceArray(kActiveProfilePath);
    EXPECT_EQ(activeNow[0].Value(kKeyWpaPsk), "correct horse battery");
    EXPECT_EQ(activeNow[0].Value(kKeyActiveProfileFlag), "YES");
    EXPECT_EQ(ActiveProfileRow(stored, activeNow), 0u);
}

TEST_F(ImportFiles, AnExportReadsBackAsTheSameList) {
    std::ifstream sample(CORVANE_SAMPLE_PROFILES);
    const std::string sampleText((std::istreambuf_iterator<char>(sample)), {});
    const std::string samplePath = Write("sample.plist", sampleText);
    ASSERT_EQ(ImportProfileFiles({samplePath}, false).result, ImportReport::Result::kStored);
    const PrefArray stored = ReadPreferenceArray(kProfileListPath);
    ASSERT_THAT(NamesOf(stored), ElementsAre("Home", "Cafe"));

    const std::string exported = folder_ + "/export.plist";
    EXPECT_EQ(ExportProfiles(exported), 2u);
    struct stat st {};
    ASSERT_EQ(stat(exported.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "it holds the keys";
    PrefArray read;
    ASSERT_EQ(ParsePreferenceArray(ReadText(exported), read), "");
    EXPECT_EQ(read, stored);

    // Into an empty list it is the same list; into this one, every name is
    // taken.
    RemovePreferenceFile(kProfileListPath);
    ASSERT_EQ(ImportProfileFiles({exported}, false).result, ImportReport::Result::kStored);
    EXPECT_EQ(ReadPreferenceArray(kProfileListPath), stored);
    ASSERT_EQ(ImportProfileFiles({exported}, false).result, ImportReport::Result::kStored);
    EXPECT_THAT(NamesOf(ReadPreferenceArray(kProfileListPath)),
                ElementsAre("Home", "Cafe", "Home2", "Cafe2"));

    EXPECT_EQ(ExportProfiles(folder_ + "/no/such/folder/x.plist"), std::nullopt);
}

}  // namespace
}  // namespace corvane
