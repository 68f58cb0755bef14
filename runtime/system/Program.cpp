// Starting the runtime and running the program's main routine.
#include "runtime/system/Program.h"

#include <cstdio>

#include "runtime/error/ErrorReport.h"
#include "runtime/system/System.h"
#include "runtime/window/MessageBox.h"

namespace runtime {

int RunProgram(const ModuleDescription& module, std::expected<std::unique_ptr<Display>, std::string> display,
               void (*main_routine)()) {
  if (!display) {
    std::fprintf(stderr, "%.*s: cannot start: %s\n", static_cast<int>(module.name.size()), module.name.data(),
                 display.error().c_str());
    return kStartFailedExitStatus;
  }
  ModuleList modules;
  modules.Add(module);
  System system(std::move(modules), std::move(*display));
  SetErrorPresenter([](std::string_view text) { ShowMessage(text); });
  main_routine();
  SetErrorPresenter(nullptr);
  return 0;
}

}  // namespace runtime
