// Declaring, opening, closing and releasing a window from its definition record.
#pragma once

#include <initializer_list>
#include <string_view>

#include "runtime/system/System.h"

namespace runtime {

// A window object for the record stored under `key` with `label`; the key,
// the label and the variable addresses (ended by nullptr) are copied, and the
// record is not read until the window opens.
WindowHandle DeclareWindow(std::string_view key, std::string_view label, std::initializer_list<void*> variables);
// Finds the record afresh, builds and shows the window and binds the
// variables in record order. Failures go to the run-time error report.
// `owner` is accepted for the caller's sake; windows open on their own.
void OpenWindow(WindowHandle window, WindowHandle owner = 0);
// No effect on a window that is not open.
void CloseWindow(WindowHandle window);
void ReleaseWindow(WindowHandle window);

}  // namespace runtime
