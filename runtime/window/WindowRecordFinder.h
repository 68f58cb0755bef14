// Finding a window's definition record among the program's modules by key and label.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "resources/Definition.h"
#include "runtime/module/ModuleList.h"

namespace runtime {

inline constexpr std::string_view kDefinitionResourceType = "DABDUMP";
inline constexpr std::string_view kDefinitionResourceSuffix = "_RSC";
// The buffer the resource name is formed in, terminator included.
inline constexpr std::size_t kMaxResourceName = 100;
inline constexpr std::string_view kWindowErrorModule = "WSLDIAL";

// The resource name for a key: the part after its first "$" (the whole key
// when it has none) followed by "_RSC"; nothing when the name and its
// terminator do not fit in kMaxResourceName bytes.
std::optional<std::string> DefinitionResourceName(std::string_view key);

// The first window record labelled `label` in a "DABDUMP" resource whose
// stored key is exactly `key`, searching the modules in their search order.
// A module whose resource has another key or no such label is passed over.
// When no module has the record, reports WindowRecordNotFound; when a
// resource with the key is not a valid definition, reports
// InvalidWindowDefinition. Both return nothing.
std::optional<windef::Window> FindWindowRecord(const ModuleList& modules, std::string_view key,
                                               std::string_view label);

}  // namespace runtime
