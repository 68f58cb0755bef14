// Building an open window and its controls from a window definition record.
#pragma once

#include <memory>
#include <span>

#include "runtime/display/Display.h"
#include "runtime/module/ModuleList.h"
#include "runtime/window/Window.h"
#include "resources/Definition.h"

namespace runtime {

// The font that a window's font record leaves unsaid is taken from this one.
inline constexpr std::string_view kDefaultFontFace = "Segoe UI";
inline constexpr int kDefaultFontPoints = 9;

struct BuildContext {
  Display& display;
  const ModuleList& modules;
  EventSink sink;
  // The declared variable addresses, ended by nullptr.
  std::span<void* const> variables;
};

// Measures the font, sets the units, creates the surface and builds the
// controls in chain order, binding the variables in that order. A failure is
// reported through the run-time error report and gives nullptr.
std::unique_ptr<Window> BuildWindow(const windef::Window& record, const BuildContext& context);

// The average character width and the height by which dialog units are measured.
FontMeasure MeasureFont(const Font& font);

}  // namespace runtime
