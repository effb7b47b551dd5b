// A small parser for one command's arguments: named options (with or
// without a value, some repeatable) and positional arguments. Anything it
// does not know is a usage error, never ignored.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

struct OptionDef {
    std::string name;  // "--cipher"
    bool takesValue = false;
    bool repeatable = false;
};

class ParsedOptions {
public:
    bool Has(const std::string& name) const { return values_.count(name) != 0; }
    // The (last) value of an option, or nullopt.
    std::optional<std::string> Value(const std::string& name) const;
    std::vector<std::string> Values(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return positional_; }

private:
    friend std::optional<ParsedOptions> ParseOptions(const std::vector<std::string>&,
                                                     const std::vector<OptionDef>&, size_t, size_t,
                                                     std::string*);
    std::map<std::string, std::vector<std::string>> values_;
    std::vector<std::string> positional_;
};

// nullopt, with the reason in *error, for an unknown option, a missing
// value, a repeated single option, or a positional count outside
// [minPositional, maxPositional]. "--" ends the options.
std::optional<ParsedOptions> ParseOptions(const std::vector<std::string>& args,
                                          const std::vector<OptionDef>& defs, size_t minPositional,
                                          size_t maxPositional, std::string* error);

// A 1-based index written as plain decimal digits ("2", not "+2" or " 2").
std::optional<size_t> ParseIndex(const std::string& text);
// True for a text that holds a number in some other form ("+2", " 2",
// "-1"): a mistyped index rather than a name.
bool IsMalformedIndex(const std::string& text);

}  // namespace corvane::cli
