// Not a test: the writer for scripts/measure-preference-kills.py. Marks a
// profile active and inactive again and again, as `corvane connect` and
// `corvane disconnect` do, until it is killed; with --once, one write; with
// --read, one read of the file, as the agent's tick does.
#include <cstring>

#include "profiles/ActiveRecord.h"
#include "profiles/PreferenceFiles.h"

int main(int argc, char** argv) {
    using namespace corvane;
    const PrefDictionary profile = {
        {kKeyProfileName, "Home"}, {kKeySsid, "CorvaneHome"},
        {kKeyNetworkType, "1"},    {kKeyAuthenticationType, "3"},
        {kKeyEncryptionType, "1"}, {kKeyWpaPsk, "correct horse battery"},
        {kKeyHidden, "0"}};
    if (argc > 1 && std::strcmp(argv[1], "--read") == 0)
        return ReadPreferenceArray(kActiveProfilePath).size() == 1 ? 0 : 1;
    const bool once = argc > 1 && std::strcmp(argv[1], "--once") == 0;
    do {
        if (!WriteActiveProfile(profile) || !DisableActiveProfile()) return 1;
    } while (!once);
    return 0;
}
