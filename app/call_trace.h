#pragma once

namespace qv {

// The chain of guarded calls that are running right now, outermost first. Entries point at
// constant text compiled into the program, so the trace never allocates.
struct CallTrace {
    static constexpr int kCapacity = 100;

    const char* expression[kCapacity] = {};
    const char* file[kCapacity] = {};
    int line[kCapacity] = {};
    int depth = 0;
};

// The one trace of the process. Everything that makes guarded calls runs on one thread.
CallTrace& GlobalCallTrace();

// Pushes an entry for as long as the scope lives. A push onto a full trace is reported as a
// fault and not recorded, so the trace is never written past its last entry.
class TraceScope {
public:
    TraceScope(const char* expression, const char* file, int line);
    ~TraceScope();
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

private:
    bool recorded_ = false;
};

}  // namespace qv
