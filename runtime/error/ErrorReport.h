// The one run-time error report through which every failure of the runtime's
// operations reaches the user.
//
// The program's own code checks no results, so the runtime reports what goes
// wrong here: the text ("Internal error 02 : WSLDIAL") goes to standard error
// and, when a display is up, into a message box; then the process ends with
// exit status kErrorExitStatus. A test installs a hook instead, which records
// the error; the report then returns and the failing operation leaves its
// object in a defined failed state (a window that did not open, a queue get
// that found nothing).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "runtime/error/ErrorNumber.h"

namespace runtime {

inline constexpr int kErrorExitStatus = 3;

struct RuntimeError {
  ErrorNumber number = ErrorNumber::None;
  std::string text;    // the message, then " : " and the module when one is given
  std::string detail;  // what exactly was wrong, for the developer; may be empty
};

// "message : module", or the message alone for an empty module.
std::string ErrorText(ErrorNumber number, std::string_view module);

void ReportError(ErrorNumber number, std::string_view module = {}, std::string_view detail = {});

// Receives every report instead of the default (stderr, message box, exit).
using ErrorHook = std::function<void(const RuntimeError&)>;

class ScopedErrorHook {
 public:
  explicit ScopedErrorHook(ErrorHook hook);
  ~ScopedErrorHook();
  ScopedErrorHook(const ScopedErrorHook&) = delete;
  ScopedErrorHook& operator=(const ScopedErrorHook&) = delete;

 private:
  ErrorHook previous_;
};

// Shows a report's text to the user before the process ends; the runtime sets
// this while it has a display. Empty when there is none.
using ErrorPresenter = std::function<void(std::string_view text)>;
void SetErrorPresenter(ErrorPresenter presenter);

}  // namespace runtime
