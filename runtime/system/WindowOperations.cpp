// Declaring, opening, closing and releasing a window.
#include "runtime/system/WindowOperations.h"

namespace runtime {

WindowHandle DeclareWindow(std::string_view key, std::string_view label, std::initializer_list<void*> variables) {
  return System::Get().Declare(std::string(key), std::string(label), std::vector<void*>(variables));
}

void OpenWindow(WindowHandle window, WindowHandle /*owner*/) { System::Get().Open(window); }

void CloseWindow(WindowHandle window) { System::Get().Close(window); }

void ReleaseWindow(WindowHandle window) { System::Get().Release(window); }

}  // namespace runtime
