// Preference writes that fail on demand, for tests that prove a failed write
// leaves every file as it was. Each write runs the real atomic replacement
// (ReplaceFile) and, when it is the one to fail, fails at its last instant:
// the complete content flushed beside the old file, just before it would take
// its place. Install it with ScopedPreferenceWriter.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/AtomicFile.h"
#include "profiles/PreferenceFiles.h"

namespace corvane::test {

class FailingPreferenceWrites : public PreferenceWriter {
public:
    static constexpr int kEvery = -1;
    static constexpr int kNone = 0;

    // `failing`: the number of the write that fails (1 for the first), kEvery
    // or kNone.
    explicit FailingPreferenceWrites(int failing = kEvery) : failing_(failing) {}

    bool Replace(const std::string& path, std::string_view bytes) override {
        ++writes;
        const bool fail = failing_ == kEvery || writes == failing_;
        return ReplaceFile(path, bytes, [&](const std::string& readable) {
            std::ifstream in(readable, std::ios::binary);
            contents.emplace_back(std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>());
            return !fail;
        });
    }

    int writes = 0;                     // writes asked for
    std::vector<std::string> contents;  // what each had written before its last instant

private:
    int failing_;
};

}  // namespace corvane::test
