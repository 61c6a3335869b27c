#include "app/call_trace.h"

#include "app/fault_report.h"

namespace qv {

CallTrace& GlobalCallTrace() {
    static CallTrace trace;
    return trace;
}

TraceScope::TraceScope(const char* expression, const char* file, int line) {
    CallTrace& trace = GlobalCallTrace();
    if (trace.depth >= CallTrace::kCapacity) {
        ReportFault(0, "depth<100");
        return;
    }
    trace.expression[trace.depth] = expression;
    trace.file[trace.depth] = file;
    trace.line[trace.depth] = line;
    ++trace.depth;
    recorded_ = true;
}

TraceScope::~TraceScope() {
    if (recorded_) --GlobalCallTrace().depth;
}

}  // namespace qv
