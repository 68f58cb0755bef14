// Starting the runtime for a program and running its main routine.
#pragma once

#include <expected>
#include <memory>
#include <string>

#include "runtime/display/Display.h"
#include "runtime/module/Module.h"

namespace runtime {

// Initialises the runtime from the program module and the display, runs the
// main routine on this thread and returns the process's exit status: 0 when
// the routine returns. A display that could not be opened is reported on
// standard error and gives kStartFailedExitStatus: nothing of the program runs.
inline constexpr int kStartFailedExitStatus = 2;
int RunProgram(const ModuleDescription& module, std::expected<std::unique_ptr<Display>, std::string> display,
               void (*main_routine)());

}  // namespace runtime
