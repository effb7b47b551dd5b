// The bytes of a NetworkManager keyfile, as `corvane profiles import` and the drawer's
// Import… read them: each network converted, held to the rules of a stored
// profile (the key rules among them) and merged into a stored list.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/NmKeyfile.h"
#include "exchange/ProfileImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    corvane::ImportFile file = corvane::ReadNmKeyfile(text);
    const corvane::PrefArray stored = {{{corvane::kKeyProfileName, "PROF1"}},
                                       {{corvane::kKeyProfileName, "Home"}}};
    const std::vector<std::pair<std::string, corvane::ImportFile>> files = {
        {"fuzz", std::move(file)}};
    corvane::MergeImport(stored, files, false);
    corvane::MergeImport(stored, files, true);
    return 0;
}
