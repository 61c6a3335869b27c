#pragma once

// Guarded calls. While the expression runs, its text, file and line stand on the call trace;
// when it fails, the fault report is built from that trace. A failure never aborts the caller:
// the macro yields false and the code after it decides how to carry on.
//
//   QV_CHECK(cond)            a condition or a call that fails by returning false/zero/null
//   QV_CHECK_T(text, cond)    the same, reported under an explicit expression text
//   QV_FT(call)               a FreeType call, which fails with a non-zero error code
//   QV_FT_T(text, call)       the same with an explicit text
//
// The explicit forms exist because the reported text is part of the program's behaviour and
// must not change when the source is reformatted.

#include <cerrno>

#include "app/call_trace.h"
#include "app/fault_report.h"

namespace qv::detail {

template <class Eval>
inline bool GuardedCall(const char* text, const char* file, int line, Eval&& eval) {
    TraceScope scope(text, file, line);
    errno = 0;
    const bool ok = eval();
    if (!ok) ReportFault(errno, text);
    return ok;
}

}  // namespace qv::detail

#define QV_CHECK_T(text, cond) \
    ::qv::detail::GuardedCall(text, __FILE__, __LINE__, [&]() -> bool { return static_cast<bool>(cond); })
#define QV_CHECK(cond) QV_CHECK_T(#cond, cond)
#define QV_FT_T(text, call) \
    ::qv::detail::GuardedCall(text, __FILE__, __LINE__, [&]() -> bool { return (call) == 0; })
#define QV_FT(call) QV_FT_T(#call, call)
