#pragma once

#include <string>
#include <vector>

#include "app/fault_report.h"
#include "app/user_message.h"

namespace qv::test {

// Collects fault reports and user messages instead of printing them, for as long as it lives.
class FaultCapture {
public:
    struct Fault {
        int code;
        std::string report;
    };

    FaultCapture() {
        previous_fault_ = SetFaultHandler(
            [this](int code, const std::string& report) { faults.push_back({code, report}); });
        previous_message_ = SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
    }
    ~FaultCapture() {
        SetFaultHandler(previous_fault_);
        SetMessageHandler(previous_message_);
    }
    FaultCapture(const FaultCapture&) = delete;
    FaultCapture& operator=(const FaultCapture&) = delete;

    // The text after "Error in line: " of fault i.
    std::string FailedExpression(size_t i = 0) const {
        const std::string& r = faults.at(i).report;
        const auto start = r.find("Error in line: ") + 15;
        return r.substr(start, r.find("\r\n", start) - start);
    }

    std::vector<Fault> faults;
    std::vector<std::string> messages;

private:
    FaultHandler previous_fault_;
    MessageHandler previous_message_;
};

}  // namespace qv::test
