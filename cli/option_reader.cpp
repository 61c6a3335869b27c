#include "cli/option_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace qv::cli {

OptionReader::OptionReader(const std::string& command, const std::vector<std::string>& args,
                           const char* short_options, const option* long_options)
    : name_("qorvan-logo-cli " + command), short_options_(short_options), long_options_(long_options) {
    storage_.push_back(name_);
    storage_.insert(storage_.end(), args.begin(), args.end());
    for (std::string& s : storage_) argv_.push_back(s.data());
    argv_.push_back(nullptr);
    // 0 makes GNU getopt start over, as every command parses its own arguments afresh.
    optind = 0;
    opterr = 1;
}

int OptionReader::Next() {
    const int argc = static_cast<int>(argv_.size()) - 1;
    const int code = getopt_long(argc, argv_.data(), short_options_, long_options_, nullptr);
    if (code == -1) end_ = optind;
    return code;
}

std::string OptionReader::Value() const { return optarg ? std::string(optarg) : std::string(); }

std::vector<std::string> OptionReader::Operands() const {
    // getopt has moved every operand behind the options.
    std::vector<std::string> operands;
    for (size_t n = static_cast<size_t>(end_); n + 1 < argv_.size(); ++n) operands.emplace_back(argv_[n]);
    return operands;
}

int UsageError(const std::string& command, const std::string& problem) {
    // getopt has said what is wrong with an option it could not read.
    if (!problem.empty()) std::fprintf(stderr, "qorvan-logo-cli %s: %s\n", command.c_str(), problem.c_str());
    std::fprintf(stderr, "Try 'qorvan-logo-cli %s --help' for more information.\n", command.c_str());
    return kExitUsage;
}

bool ParseRanged(const std::string& option, const std::string& text, int low, int high, int& value,
                 std::string& problem) {
    problem = option + " must be a whole number from " + std::to_string(low) + " to " +
              std::to_string(high) + ", not '" + text + "'";
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

}  // namespace qv::cli
