// The error report's texts, its hook, and the default report that ends the process.
#include <gtest/gtest.h>

#include "runtime/error/ErrorReport.h"

namespace runtime {
namespace {

TEST(ErrorReport, TextIsTheMessageThenTheModule) {
  EXPECT_EQ(ErrorText(ErrorNumber::WindowRecordNotFound, "WSLDIAL"), "Internal error 02 : WSLDIAL");
  EXPECT_EQ(ErrorText(ErrorNumber::VariableListExhausted, "CTLUSE"), "Internal error 01 : CTLUSE");
  EXPECT_EQ(ErrorText(ErrorNumber::WindowAlreadyOpen, ""), "Window is already open");
}

TEST(ErrorReport, HookReceivesTheReportAndIsRemovedWithItsScope) {
  std::vector<RuntimeError> seen;
  {
    ScopedErrorHook hook([&](const RuntimeError& e) { seen.push_back(e); });
    ReportError(ErrorNumber::WindowRecordNotFound, "WSLDIAL", "no record");
  }
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].number, ErrorNumber::WindowRecordNotFound);
  EXPECT_EQ(seen[0].text, "Internal error 02 : WSLDIAL");
  EXPECT_EQ(seen[0].detail, "no record");
}

TEST(ErrorReportDeathTest, WithoutAHookTheTextGoesToStandardErrorAndTheProcessEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(ReportError(ErrorNumber::WindowAlreadyOpen), testing::ExitedWithCode(kErrorExitStatus),
              "Run-time error 535: Window is already open");
}

}  // namespace
}  // namespace runtime
