#include <gtest/gtest.h>

#include <string>

#include "app/call_trace.h"
#include "app/fault_report.h"
#include "app/guard.h"
#include "tests/support/fault_capture.h"

namespace qv {
namespace {

int CountLinesStartingWith(const std::string& text, const std::string& prefix) {
    int count = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        const size_t end = text.find("\r\n", pos);
        const std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (line.rfind(prefix, 0) == 0) ++count;
        if (end == std::string::npos) break;
        pos = end + 2;
    }
    return count;
}

TEST(FaultReport, NestedFailureListsTheChainOutermostFirst) {
    CallTrace trace;
    trace.expression[0] = "A";
    trace.file[0] = "F1";
    trace.line[0] = 120;
    trace.expression[1] = "B";
    trace.file[1] = "F2";
    trace.line[1] = 45;
    trace.depth = 2;
    const std::string expected = std::string("Error sequence: A -> B\r\n\r\n") +
                                 "Error in line: B\r\n\r\n" + "Error code: 6\r\n" +
                                 "\r\nFile: F1; line: 120" + "\r\nFile: F2; line: 45" + "\r\n\r\n" +
                                 "Please email this error message to:\r\n" + kSupportAddress;
    EXPECT_EQ(BuildFaultReport(6, "B", trace), expected);
}

TEST(FaultReport, DepthOneHasNoArrowAndOneFileLine) {
    test::FaultCapture capture;
    QV_CHECK_T("n>=0&&n<objs", false);
    ASSERT_EQ(capture.faults.size(), 1u);
    const std::string& report = capture.faults[0].report;
    EXPECT_EQ(report.rfind("Error sequence: n>=0&&n<objs\r\n", 0), 0u);
    EXPECT_EQ(report.find(" -> "), std::string::npos);
    EXPECT_EQ(CountLinesStartingWith(report, "File: "), 1);
    EXPECT_EQ(capture.FailedExpression(), "n>=0&&n<objs");
}

TEST(FaultReport, MemoryFailureOutsideEveryGuardedCall) {
    test::FaultCapture capture;
    ReportFault(0, kOutOfMemory);
    ASSERT_EQ(capture.faults.size(), 1u);
    const std::string& report = capture.faults[0].report;
    EXPECT_EQ(report.rfind("Error sequence: \r\n\r\n", 0), 0u);
    EXPECT_NE(report.find("Error code: 0\r\n\r\n\r\nPlease email this error message to:"),
              std::string::npos);
    EXPECT_EQ(CountLinesStartingWith(report, "File: "), 0);
    EXPECT_EQ(capture.faults[0].code, 0);
}

TEST(FaultReport, FailedLineIsTheInnermostEntryOfTheSequence) {
    test::FaultCapture capture;
    auto inner = [] {
        QV_CHECK_T("inner()", false);
        return true;
    };
    QV_CHECK_T("outer()", inner());
    ASSERT_EQ(capture.faults.size(), 1u);
    const std::string& report = capture.faults[0].report;
    EXPECT_EQ(report.rfind("Error sequence: outer() -> inner()\r\n", 0), 0u);
    EXPECT_EQ(capture.FailedExpression(), "inner()");
    EXPECT_EQ(CountLinesStartingWith(report, "File: "), 2);
}

TEST(GuardedCall, KeepsTheTraceBalancedAndCarriesOn) {
    test::FaultCapture capture;
    const int depth = GlobalCallTrace().depth;
    int ran_after = 0;
    EXPECT_FALSE(QV_FT_T("FT_Init_FreeType(&library)", 7));
    ++ran_after;
    EXPECT_TRUE(QV_FT_T("FT_Done_FreeType(library)", 0));
    EXPECT_TRUE(QV_CHECK(depth >= 0));
    EXPECT_EQ(GlobalCallTrace().depth, depth);
    EXPECT_EQ(ran_after, 1);
    ASSERT_EQ(capture.faults.size(), 1u);
    EXPECT_EQ(capture.FailedExpression(), "FT_Init_FreeType(&library)");
}

TEST(GuardedCall, ReportsTheSystemErrorCode) {
    test::FaultCapture capture;
    QV_CHECK_T("open()", (errno = 13, false));
    ASSERT_EQ(capture.faults.size(), 1u);
    EXPECT_EQ(capture.faults[0].code, 13);
    EXPECT_NE(capture.faults[0].report.find("Error code: 13\r\n"), std::string::npos);
}

void Nest(int levels) {
    if (levels == 0) return;
    QV_CHECK_T("Nest()", (Nest(levels - 1), true));
}

TEST(CallTrace, NeverWritesPastItsLastEntry) {
    test::FaultCapture capture;
    const int depth = GlobalCallTrace().depth;
    // Enough nesting to overflow whatever the test runner itself has pushed.
    Nest(CallTrace::kCapacity + 1);
    EXPECT_EQ(GlobalCallTrace().depth, depth);
    ASSERT_GE(capture.faults.size(), 1u);
    EXPECT_EQ(capture.FailedExpression(), "depth<100");
    // The report of the overflow lists exactly the full trace.
    EXPECT_EQ(CountLinesStartingWith(capture.faults[0].report, "File: "), CallTrace::kCapacity);
}

TEST(FaultReport, CountsEveryReport) {
    test::FaultCapture capture;
    const int before = FaultsReported();
    ReportFault(1, "x");
    ReportFault(2, "y");
    EXPECT_EQ(FaultsReported(), before + 2);
}

}  // namespace
}  // namespace qv
