#pragma once

#include <getopt.h>

#include <string>
#include <vector>

namespace qv::cli {

// The exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// getopt_long over one command's arguments: "--opt=value", "--opt value", short options, "--"
// ending the options, and operands wherever they stand. getopt itself prints what is wrong with
// an unknown option or a missing value, prefixed with the command's name.
class OptionReader {
public:
    OptionReader(const std::string& command, const std::vector<std::string>& args,
                 const char* short_options, const option* long_options);

    // The next option's code; -1 after the last one; '?' for an unknown option or a missing
    // value.
    int Next();
    // The value of the option Next() returned.
    std::string Value() const;
    // The arguments that are not options, in their order; valid once Next() returned -1.
    std::vector<std::string> Operands() const;

private:
    std::string name_;
    std::vector<std::string> storage_;
    std::vector<char*> argv_;
    const char* short_options_;
    const option* long_options_;
    int end_ = 1;
};

// Prints "qorvan-logo-cli COMMAND: PROBLEM" (unless empty) and a pointer to the command's help;
// returns 2.
int UsageError(const std::string& command, const std::string& problem);

// A whole number within low..high; false with the problem stated ("--scale must be a whole
// number from 1 to 10000") otherwise.
bool ParseRanged(const std::string& option, const std::string& text, int low, int high, int& value,
                 std::string& problem);

}  // namespace qv::cli
