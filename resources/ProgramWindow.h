// The description of the program's one window, from which its resource is made.
#pragma once

#include <string_view>

#include "resources/Definition.h"

namespace windef {

inline constexpr std::string_view kProgramWindowKey = "Quindle$Quindle";
inline constexpr std::string_view kProgramWindowLabel = "P2$WINDOW";

// The key and the window labelled "P2$WINDOW" with its four controls: the
// Close button (1), the string (2) and the check boxes (3, 4) that the
// program binds to its two one-byte variables, in that order.
Definition ProgramWindowDefinition();

}  // namespace windef
