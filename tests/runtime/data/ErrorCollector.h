// A test fixture part that records run-time error reports instead of ending the process.
#pragma once

#include <utility>
#include <vector>

#include "runtime/error/ErrorReport.h"

namespace runtime::test {

class ErrorCollector {
 public:
  std::vector<ErrorNumber> Take() { return std::exchange(errors_, {}); }

 private:
  std::vector<ErrorNumber> errors_;
  ScopedErrorHook hook_{[this](const RuntimeError& error) { errors_.push_back(error.number); }};
};

}  // namespace runtime::test
