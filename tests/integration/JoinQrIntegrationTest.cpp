// `corvane join --qr` against the simulated driver as its own process: the
// network a Wi-Fi QR text names, found in a fresh scan and joined as
// `corvane join` joins it, or refused with the reason.
#include <gmock/gmock.h>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

class JoinQrTest : public CliTest {
protected:
    void SetUp() override {
        json environment = json::parse(ReadFile(CORVANE_SAMPLE_ENVIRONMENT));
        environment["adapter"]["supports_5ghz"] = false;
        WriteFile(home_.Path() + "/environment.json", environment.dump());
        StartDriver({"--environment", home_.Path() + "/environment.json"});
    }
    CommandResult Join(const std::string& text, const std::string& input = "") {
        return Corvane({"join", "--qr", text}, input);
    }
    bool AssociatedWith(const std::string& ssid) {
        json sim = SimStatus();
        return sim["associated"] == true && sim["ssid"] == ssid;
    }
};

TEST_F(JoinQrTest, TextsJoinWithTheirKeysAsConnectDoes) {
    CommandResult wrong = Join("WIFI:T:WPA;S:CorvaneHome;P:wrong horse battery;;");
    EXPECT_EQ(wrong.status, 1) << wrong.err;
    EXPECT_FALSE(AssociatedWith("CorvaneHome"));
    CommandResult home = Join("WIFI:T:WPA;S:CorvaneHome;P:correct horse battery;;");
    EXPECT_EQ(home.status, 0) << home.err;
    EXPECT_THAT(home.out, HasSubstr("Connected to CorvaneHome"));
    EXPECT_TRUE(AssociatedWith("CorvaneHome"));
    // From standard input, with a line end; a WEP key as key 1.
    EXPECT_EQ(Join("-", "WIFI:T:WEP;S:OldRouter-WEP;P:abcde;;\n").status, 0);
    EXPECT_TRUE(AssociatedWith("OldRouter-WEP"));
    // A hidden network the scan does not name is joined by its name.
    EXPECT_EQ(Join("WIFI:T:WPA;S:SecretLab;P:hidden in plain sight;H:true;;").status, 0);
    EXPECT_TRUE(AssociatedWith("SecretLab"));
}

TEST_F(JoinQrTest, RefusalsSayWhyAndJoinNothing) {
    struct Case {
        std::string text;
        int status;
        const char* err;
    };
    const Case cases[] = {
        // Refused before any scan.
        {"WIFI:T:WPA;S:CorvaneHome;P:correct horse battery", 2, "no closing \";\""},
        {"https://example.org/", 2, "does not begin with \"WIFI:\""},
        {"WIFI:T:SAE;S:CorvaneHome;P:correct horse battery;;", 1, "WPA3-SAE"},
        // Refused after the scan, as Connect refuses, or by the key rules.
        {"WIFI:T:nopass;S:Nowhere;;", 1, "No network named Nowhere is in range."},
        {"WIFI:T:WPA;S:eduroam;P:whatever-it-is;;", 1,
         "WPA-Enterprise / WPA2-Enterprise isn't supported yet!!!"},
        {"WIFI:T:WPA;S:CafeOpen;P:whatever-it-is;;", 1, "CafeOpen is an open network"},
        {"WIFI:T:WEP;S:OldRouter-WEP;P:abcdef;;", 2, "Invalid WEP key 1 length"},
    };
    for (const Case& c : cases) {
        CommandResult r = Join(c.text);
        EXPECT_EQ(r.status, c.status) << c.text << "\n" << r.err;
        EXPECT_THAT(r.err, HasSubstr(c.err)) << c.text;
    }
    EXPECT_EQ(SimStatus()["associated"], false);
}

}  // namespace
}  // namespace corvane::test
