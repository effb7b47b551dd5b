// Information files of bundles, read through the bounded reader: whatever
// stands at the path gives a value or none, never a hang.
#include <gtest/gtest.h>
#include <plist/plist.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/BundleInfo.h"
#include "platform/PaneLauncher.h"
#include "tests/support/TempFolders.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string XmlInfo(const std::string& body) {
    return "<?xml version=\"1.0\"?><plist version=\"1.0\">" + body + "</plist>";
}

class BundleInfoTest : public ::testing::Test {
protected:
    ~BundleInfoTest() override { corvane::test::RemoveTree(root_); }

    // Puts `kind` at Contents/Info.plist of a fresh bundle and returns the
    // bundle's folder.
    enum class Kind { kFile, kFifo, kFolder, kNothing };
    std::string Bundle(Kind kind, const std::string& text = "") {
        const std::string bundle = root_ + "/B" + std::to_string(++bundles_) + ".prefPane";
        fs::create_directories(bundle + "/Contents");
        const std::string info = BundleInfoPath(bundle);
        if (kind == Kind::kFile) std::ofstream(info, std::ios::binary) << text;
        if (kind == Kind::kFifo) {
            EXPECT_EQ(mkfifo(info.c_str(), 0600), 0);
        }
        if (kind == Kind::kFolder) fs::create_directory(info);
        return bundle;
    }

    std::string root_ = corvane::test::MakeTempFolder("bundle-info");
    int bundles_ = 0;
};

TEST_F(BundleInfoTest, AStringEntryOrNone) {
    // {"1": "2"} as a binary property list.
    plist_t dict = plist_new_dict();
    plist_dict_set_item(dict, "1", plist_new_string("2"));
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(dict, &bytes, &length);
    const std::string binary(bytes, length);
    std::free(bytes);
    plist_free(dict);
    struct Row {
        const char* name;
        Kind kind;
        std::string text;
        const char* key;
        std::optional<std::string> value;
    } const rows[] = {
        {"XML", Kind::kFile, XmlInfo("<dict><key>K</key><string>1.2</string></dict>"), "K", "1.2"},
        {"binary", Kind::kFile, binary, "1", "2"},
        {"another key", Kind::kFile, XmlInfo("<dict><key>K</key><string>1</string></dict>"), "L",
         std::nullopt},
        {"not a string", Kind::kFile, XmlInfo("<dict><key>K</key><integer>1</integer></dict>"), "K",
         std::nullopt},
        {"an array", Kind::kFile, XmlInfo("<array><string>K</string></array>"), "K", std::nullopt},
        {"not a property list", Kind::kFile, "K=1", "K", std::nullopt},
        {"empty", Kind::kFile, "", "K", std::nullopt},
        {"larger than 1 MiB", Kind::kFile,
         XmlInfo("<dict><key>K</key><string>" + std::string(1024 * 1024, 'x') + "</string></dict>"),
         "K", std::nullopt},
        {"a FIFO", Kind::kFifo, "", "K", std::nullopt},
        {"a folder", Kind::kFolder, "", "K", std::nullopt},
        {"missing", Kind::kNothing, "", "K", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(InfoPlistString(BundleInfoPath(Bundle(row.kind, row.text)), row.key), row.value)
            << row.name;
    EXPECT_EQ(BundleInfoPath("/a/B.prefPane//"), "/a/B.prefPane/Contents/Info.plist");
}

// The agent opens the window by the bundle's executable name: an
// information file it cannot use leaves the folder's name, and a FIFO in its
// place must not hang the agent.
TEST_F(BundleInfoTest, TheExecutableNameFallsBackToTheFolderName) {
    const std::string named =
        XmlInfo("<dict><key>CFBundleExecutable</key><string>PaneHost</string></dict>");
    const std::string bundle = Bundle(Kind::kFile, named);
    EXPECT_EQ(BundleExecutableName(bundle), "PaneHost");
    for (Kind kind : {Kind::kFifo, Kind::kFolder, Kind::kNothing}) {
        const std::string other = Bundle(kind);
        EXPECT_EQ(BundleExecutableName(other), fs::path(other).stem().string()) << int(kind);
    }
}

}  // namespace
}  // namespace platform
