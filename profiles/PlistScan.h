// A look at a property list's bytes before libplist parses them. libplist's
// parser and its free both recurse once per level, and its binary reader
// copies an object once for every reference to it, so a small hostile file
// can exhaust the stack or the memory. The scan walks the document without
// recursion and without building anything, and says whether libplist may be
// given it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Levels from the top node to the deepest one: in XML every element counts
// (<plist>, <array>, <dict>, <string>: four in the files this system
// writes); in a binary list every object (array, dictionary, string: three).
inline constexpr size_t kMaxPlistDepth = 16;
// Nodes libplist would build, a binary object counted once per reference.
inline constexpr uint64_t kMaxPlistNodes = uint64_t(1) << 20;

// What libplist cannot be asked about in a dictionary of the top-level
// array: a key holding a NUL character (libplist keeps it but aborts when
// asked for its text) and a string value holding one (libplist hands out
// only the bytes before it). Only a binary list can carry either.
struct NulEntries {
    uint32_t element = 0;        // index in the top-level array
    uint32_t entryCount = 0;     // entries of that dictionary
    std::vector<uint32_t> keys;  // positions of the entries whose key holds a NUL, ascending
    // Positions, ascending, of string values holding a NUL, with their bytes
    // (UTF-8 for a UTF-16 string).
    std::vector<std::pair<uint32_t, std::string>> values;
};

struct PlistScan {
    // Empty when the bytes may be handed to libplist; otherwise why not, in
    // words for a person ("it is nested more than 16 levels deep").
    std::string problem;
    std::vector<NulEntries> nulEntries;  // by ascending element
};

// "bplist00" at the start selects the binary format, anything else is taken
// as XML, as libplist decides.
PlistScan ScanPropertyList(std::string_view bytes);

}  // namespace corvane
