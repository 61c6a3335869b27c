#pragma once

#include <functional>
#include <string>

#include "app/call_trace.h"

namespace qv {

// Where the report asks the user to write to.
inline constexpr const char* kSupportAddress = "support@qorvan-logo.org";

// The report text for a failure of `expression` with `code`, from the given trace.
std::string BuildFaultReport(int code, const std::string& expression, const CallTrace& trace);

// Shows a report. The editor runs its "Fatal Error" dialog (which may end the process); the
// command-line tool and the tests print it and carry on, as Retry does.
using FaultHandler = std::function<void(int code, const std::string& report)>;

// Installs a handler and returns the previous one; an empty handler restores the default,
// which prints the report to stderr.
FaultHandler SetFaultHandler(FaultHandler handler);

// Builds the report from the global trace and hands it to the current handler. Returns once
// the handler returns (the Retry path).
void ReportFault(int code, const std::string& expression);

// How many faults have been reported since the process started.
int FaultsReported();

// The text reported for every allocation that could not be satisfied.
inline constexpr const char* kOutOfMemory = "not enough memory to complete operation";

}  // namespace qv
