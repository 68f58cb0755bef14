// The description of a program module and its embedded resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace runtime {

inline constexpr std::uint16_t kLanguageEnglishUs = 1033;

// One embedded resource: a block of bytes under a type and a name. Types and
// names compare without regard to case.
struct Resource {
  std::string_view type;
  std::string_view name;
  std::uint16_t language = kLanguageEnglishUs;
  std::span<const std::byte> bytes;
};

// What a program hands the runtime about one of its modules: its name and
// the resources linked into it. The spans point at static data.
struct ModuleDescription {
  std::string_view name;
  std::span<const Resource> resources;
};

// The resource of `module` with this type and name, or nullptr.
const Resource* FindResource(const ModuleDescription& module, std::string_view type,
                             std::string_view name);

}  // namespace runtime
