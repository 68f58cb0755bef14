// The resources embedded in the program: its window definition "QUINDLE_RSC" (type "DABDUMP") and its slider pictures.
// and the four slider pictures (type "IMAGE").
#pragma once

#include <span>

#include "runtime/module/Module.h"

// Generated at build time from the files that resources/CMakeLists.txt names.
std::span<const runtime::Resource> ProgramResources();
