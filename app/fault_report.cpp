#include "app/fault_report.h"

#include <cstdio>
#include <utility>

namespace qv {
namespace {

void PrintToStderr(int /*code*/, const std::string& report) {
    std::fprintf(stderr, "Fatal Error\n%s\n", report.c_str());
}

FaultHandler& CurrentHandler() {
    static FaultHandler handler = PrintToStderr;
    return handler;
}

int& FaultCounter() {
    static int count = 0;
    return count;
}

}  // namespace

std::string BuildFaultReport(int code, const std::string& expression, const CallTrace& trace) {
    const char* crlf = "\r\n";
    std::string text = "Error sequence: ";
    for (int i = 0; i < trace.depth; ++i) {
        if (i > 0) text += " -> ";
        text += trace.expression[i];
    }
    text += crlf;
    text += crlf;
    text += "Error in line: " + expression;
    text += crlf;
    text += crlf;
    text += "Error code: " + std::to_string(code);
    text += crlf;
    for (int i = 0; i < trace.depth; ++i) {
        text += crlf;
        text += "File: ";
        text += trace.file[i];
        text += "; line: " + std::to_string(trace.line[i]);
    }
    text += crlf;
    text += crlf;
    text += "Please email this error message to:";
    text += crlf;
    text += kSupportAddress;
    return text;
}

FaultHandler SetFaultHandler(FaultHandler handler) {
    FaultHandler previous = std::move(CurrentHandler());
    CurrentHandler() = handler ? std::move(handler) : FaultHandler(PrintToStderr);
    return previous;
}

void ReportFault(int code, const std::string& expression) {
    ++FaultCounter();
    const std::string report = BuildFaultReport(code, expression, GlobalCallTrace());
    // Copy the handler: a handler may install another one while it runs.
    FaultHandler handler = CurrentHandler();
    handler(code, report);
}

int FaultsReported() { return FaultCounter(); }

}  // namespace qv
