// Process start: the runtime is started from the program module and runs the main routine.
#include "app/Quindle.h"
#include "resources/ProgramResources.h"
#include "runtime/display/x11/X11Display.h"
#include "runtime/system/Program.h"

namespace {

void MainRoutine() { Quindle(); }

}  // namespace

int main() {
  runtime::ModuleDescription module{"quindle", ProgramResources()};
  return runtime::RunProgram(module, runtime::OpenX11Display(), MainRoutine);
}
