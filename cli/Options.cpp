#include "cli/Options.h"

#include <algorithm>

#include "platform/Translate.h"

namespace corvane::cli {

std::optional<std::string> ParsedOptions::Value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end() || it->second.empty()) return std::nullopt;
    return it->second.back();
}

std::vector<std::string> ParsedOptions::Values(const std::string& name) const {
    auto it = values_.find(name);
    return it == values_.end() ? std::vector<std::string>{} : it->second;
}

std::optional<ParsedOptions> ParseOptions(const std::vector<std::string>& args,
                                          const std::vector<OptionDef>& defs, size_t minPositional,
                                          size_t maxPositional, std::string* error) {
    ParsedOptions parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || arg == "-") {
            parsed.positional_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        auto def = std::find_if(defs.begin(), defs.end(),
                                [&](const OptionDef& s) { return s.name == arg; });
        if (def == defs.end()) {
            *error = FormatText(Tr("cli::Options", "unknown option %1"), {arg});
            return std::nullopt;
        }
        if (parsed.values_.count(arg) && !def->repeatable) {
            *error = FormatText(Tr("cli::Options", "%1 given twice"), {arg});
            return std::nullopt;
        }
        std::string value;
        if (def->takesValue) {
            if (i + 1 >= args.size()) {
                *error = FormatText(Tr("cli::Options", "%1 needs a value"), {arg});
                return std::nullopt;
            }
            value = args[++i];
        }
        parsed.values_[arg].push_back(value);
    }
    if (parsed.positional_.size() < minPositional) {
        *error = Tr("cli::Options", "missing argument");
        return std::nullopt;
    }
    if (parsed.positional_.size() > maxPositional) {
        *error = FormatText(Tr("cli::Options", "unexpected argument %1"),
                            {parsed.positional_[maxPositional]});
        return std::nullopt;
    }
    return parsed;
}

std::optional<size_t> ParseIndex(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    size_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + size_t(c - '0');
    }
    if (value == 0) return std::nullopt;
    return value;
}

bool IsMalformedIndex(const std::string& text) {
    if (ParseIndex(text)) return false;
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '+' && c != '-' && c != ' ' && c != '\t')
            return false;
    }
    return digit;
}

}  // namespace corvane::cli
